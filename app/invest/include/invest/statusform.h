#pragma once
// "Account Summary Status" with its history viewer, and the history viewer of the revaluation
// form. The program creates each once at start-up: Form24, then (after Form25) Form26 and Form27.

#include "invest/accountpick.h"
#include "invest/history.h"
#include "invest/status.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm24 : public invest::AccountForm {
    Q_OBJECT
public:
    explicit TForm24(QWidget* parent = nullptr);
    ~TForm24() override;

    QLabel* Label1 = nullptr; // "Account Summary Current Status"
    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr;
    invest::DataText* DBText1 = nullptr; // FUNDNO of the list's current row
    invest::DataText* DBText2 = nullptr; // NAME of the list's current row
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr, *Edit10 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr,
                *Button5 = nullptr, *Button6 = nullptr;
    QPushButton* Button8 = nullptr; // "Chart"

    // "Returns": as of a date (today at first), the selected account or all accounts.
    QGroupBox* GroupBox3 = nullptr;
    QLineEdit* Edit11 = nullptr;    // "As Of Date"
    QCheckBox* CheckBox1 = nullptr; // "All Accounts"
    QPushButton* Button7 = nullptr; // "Returns"
    QLineEdit *Edit12 = nullptr, *Edit13 = nullptr, *Edit14 = nullptr, *Edit15 = nullptr;

public slots:
    void Button1Click(); // Query
    void Button2Click(); // Clear Results
    void Button3Click(); // Quit
    void Button4Click(); // Print Screen
    void Button5Click(); // View History
    void Button6Click(); // Help
    void Button7Click(); // Returns
    void Button8Click(); // Chart: the selected account's value against its book value

protected:
    void buildWidgets() override;
};

// "Account Transaction History": the revaluation form's account.
class TForm26 : public invest::HistoryWindow {
    Q_OBJECT
public:
    explicit TForm26(QWidget* parent = nullptr);
};

// "Transaction Posting Results": the status form's account.
class TForm27 : public invest::HistoryWindow {
    Q_OBJECT
public:
    explicit TForm27(QWidget* parent = nullptr);
};

extern TForm24* Form24;
extern TForm26* Form26;
extern TForm27* Form27;
