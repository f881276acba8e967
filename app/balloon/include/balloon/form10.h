#pragma once
// "Balloon Loan Calculations": three pages, one per kind of balloon question, the three dialogs for
// down payment and fees, insurance and annual fees, and Compute, which reads the active page,
// checks it, calls the balloon engine and shows the results on the pages and in the balloon payout
// window.

#include "balloon/balloondata.h"
#include "balloon/pages.h"

#include "loan/inputform.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

class TForm10 : public loan::InputForm, public balloon::BalloonData {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);

    // The pages in their order.
    static constexpr balloon::Page CalcPayment = balloon::CalcPayment, CalcApr = balloon::CalcApr,
                                   CalcPayout = balloon::CalcPayout;

    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet4 = nullptr;

    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr, *Edit10 = nullptr,
              *Edit11 = nullptr, *Edit12 = nullptr, *Edit13 = nullptr, *Edit17 = nullptr, *Edit18 = nullptr,
              *Edit19 = nullptr, *Edit20 = nullptr, *Edit21 = nullptr, *Edit22 = nullptr, *Edit23 = nullptr,
              *Edit24 = nullptr, *Edit28 = nullptr, *Edit29 = nullptr, *Edit30 = nullptr, *Edit31 = nullptr,
              *Edit32 = nullptr;
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr, *ComboBox4 = nullptr;
    QCheckBox *CheckBox1 = nullptr, *CheckBox2 = nullptr, *CheckBox3 = nullptr;

public slots:
    void Button4Click() override;
    void openLoan(const loan::LoanInputs& inputs) override;

private:
    void buildPages() override;
    loan::PageInput pageInput(balloon::Page page) const;
    void showResults();
};
