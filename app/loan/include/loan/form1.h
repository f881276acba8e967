#pragma once
// "Loan Calculations": five pages, one per way of computing a regular loan, the three dialogs for
// down payment and fees, insurance and annual fees, and Compute, which reads the active page,
// checks it, calls the loan engine and shows the results in the payout or payoff window.

#include "loan/loandata.h"
#include "loan/pages.h"

#include "loan/inputform.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

class TForm1 : public loan::InputForm, public loan::LoanData {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // The pages in their order.
    static constexpr loan::Page CalcPayment = loan::CalcPayment, CalcApr = loan::CalcApr,
                                CalcNumPay = loan::CalcNumPay, CalcPayout = loan::CalcPayout,
                                CalcPayoff = loan::CalcPayoff;

    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet4 = nullptr;
    QWidget* TabSheet5 = nullptr;

    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr, *Edit10 = nullptr,
              *Edit11 = nullptr, *Edit12 = nullptr, *Edit13 = nullptr, *Edit14 = nullptr, *Edit15 = nullptr,
              *Edit16 = nullptr, *Edit17 = nullptr, *Edit18 = nullptr, *Edit19 = nullptr, *Edit20 = nullptr,
              *Edit21 = nullptr, *Edit22 = nullptr, *Edit23 = nullptr, *Edit24 = nullptr, *Edit25 = nullptr,
              *Edit26 = nullptr, *Edit27 = nullptr, *Edit28 = nullptr, *Edit29 = nullptr, *Edit30 = nullptr,
              *Edit31 = nullptr, *Edit32 = nullptr, *Edit33 = nullptr, *Edit34 = nullptr, *Edit35 = nullptr,
              *Edit36 = nullptr, *Edit37 = nullptr, *Edit38 = nullptr, *Edit39 = nullptr, *Edit40 = nullptr,
              *Edit41 = nullptr;
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr, *ComboBox3 = nullptr, *ComboBox4 = nullptr,
              *ComboBox5 = nullptr;
    QCheckBox *CheckBox1 = nullptr, *CheckBox2 = nullptr, *CheckBox3 = nullptr;
    QGroupBox* GroupBox2 = nullptr; // "Loan Payoff Data"

public slots:
    void Button4Click() override;
    void openLoan(const loan::LoanInputs& inputs) override;

private:
    void buildPages() override;
    loan::PageInput pageInput(loan::Page page) const;
    bool readActivePage(const loan::PageInput& input);
    void computePayoff();
    void computeRegular();
    void showRegularResults();
    void showPayoffResults();

    int readError_ = 0;
    int activePage_ = 0;
    bool checkMarks_[3] = {};
};
