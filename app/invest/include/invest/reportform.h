#pragma once
// "Run Report Menu": the investment summary and the transaction history, each previewed first,
// from where the user prints them or saves them as PDF. The program creates it once at start-up,
// after Form29.

#include "ui/form.h"

class QLabel;
class QPushButton;

namespace db {
class Connection;
}

namespace invest {
struct ReportData;
}

class TForm30 : public ui::Form {
    Q_OBJECT
public:
    explicit TForm30(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;       // "Reports Menu"
    QPushButton* Button1 = nullptr; // "Report1": the investment summary
    QPushButton* Button2 = nullptr; // "Report2": the transaction history
    QPushButton* Button3 = nullptr; // "Quit"
    QPushButton* Button4 = nullptr; // "Help"

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();

protected:
    void buildWidgets() override;

private:
    // Reads the report and previews it; a database error is shown and no report is.
    void run(invest::ReportData (*read)(db::Connection&));
};

extern TForm30* Form30;
