#pragma once
// "Revalue Investment Anaylsis": the figures of an account at a new share price, and posting them.

#include "invest/accountpick.h"
#include "invest/revalue.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm25 : public QDialog {
    Q_OBJECT
public:
    explicit TForm25(QWidget* parent = nullptr);
    ~TForm25() override;

    QLabel* Label1 = nullptr; // "Revalue Investment Analysis"
    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr;
    invest::PickList* DBLookupListBox1 = nullptr;
    invest::DataText* DBText1 = nullptr; // NAME of the list's current row
    invest::DataText* DBText2 = nullptr; // FUNDNO of the list's current row
    QLineEdit* Edit17 = nullptr;         // "Revalue Price"
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit11 = nullptr, *Edit12 = nullptr,
              *Edit13 = nullptr, *Edit14 = nullptr, *Edit15 = nullptr, *Edit16 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr,
                *Button5 = nullptr, *Button6 = nullptr;

    invest::RevalueTexts texts() const;
    // The account whose history "View History" shows.
    int account() const { return actno_; }
    // The day the program started: the date of every revaluation posted.
    const invest::Date& started() const { return started_; }
    // Re-reads the account list, keeping the pick list's selection.
    void refreshAccounts();

public slots:
    void Button1Click(); // What If?
    void Button2Click(); // Post
    void Button3Click(); // Quit
    void Button4Click(); // Query
    void Button5Click(); // View History
    void Button6Click(); // Help

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void activate();
    void showFigures(const invest::Figures& figures);
    void run(invest::RevalueCommand command);

    invest::AccountList* accounts_ = nullptr;
    invest::Date started_;
    int actno_ = 0;
};

extern TForm25* Form25;
