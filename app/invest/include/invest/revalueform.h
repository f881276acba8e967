#pragma once
// "Revalue Investment Anaylsis": the figures of an account at a new share price, and posting them.

#include "invest/accountpick.h"
#include "invest/revalue.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm25 : public invest::AccountForm {
    Q_OBJECT
public:
    explicit TForm25(QWidget* parent = nullptr);
    ~TForm25() override;

    QLabel* Label1 = nullptr; // "Revalue Investment Analysis"
    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr;
    invest::DataText* DBText1 = nullptr; // NAME of the list's current row
    invest::DataText* DBText2 = nullptr; // FUNDNO of the list's current row
    QLineEdit* Edit17 = nullptr;         // "Revalue Price"
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit11 = nullptr, *Edit12 = nullptr,
              *Edit13 = nullptr, *Edit14 = nullptr, *Edit15 = nullptr, *Edit16 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr,
                *Button5 = nullptr, *Button6 = nullptr;

    invest::RevalueTexts texts() const;
    // The day the program started: the date of every revaluation posted.
    const invest::Date& started() const { return started_; }

public slots:
    void Button1Click(); // What If?
    void Button2Click(); // Post
    void Button3Click(); // Quit
    void Button4Click(); // Query
    void Button5Click(); // View History
    void Button6Click(); // Help

protected:
    void activate() override;

private:
    void showFigures(const invest::Figures& figures);
    void run(invest::RevalueCommand command);

    invest::Date started_;

protected:
    void buildWidgets() override;
};

extern TForm25* Form25;
