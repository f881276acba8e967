#pragma once
// The three dialogs of a loan input form. Each is bound at creation to the loan block and the
// dialog data of the form it serves, fills its edits from them, and mirrors its edits' texts into
// the dialog data as they change. On OK it converts the texts in order and stores each value into
// the bound data at once; a text that does not convert shows its message and keeps the dialog open
// with the earlier values already stored.
//
// The bound block and data outlive the dialog. Another form's dialogs of the same layout and
// behaviour are these classes under their own name and caption.

#include "common/loanblock.h"
#include "loan/dialogdata.h"

#include "ui/form.h"

class QLineEdit;
class QPushButton;

namespace loan {

// What the three dialogs share: the binding, the error mark and opening in the screen's centre.
class FactorDialog : public ui::Form {
    Q_OBJECT
public:
    talvero::common::LoanBlock& block() const { return block_; }
    DialogData& data() const { return data_; }
    // Shows the bound values again in the edits (their texts follow into the dialog data).
    virtual void reload() = 0;

protected:
    FactorDialog(talvero::common::LoanBlock& block, DialogData& data, QWidget* parent);
    void showEvent(QShowEvent* event) override;
    // Closes the dialog unless storing failed; the error mark is cleared either way.
    void finish(bool stored);

private:
    talvero::common::LoanBlock& block_;
    DialogData& data_;
    int errorMark_ = 0;
};

} // namespace loan

// "Down Payment and Origination Fees": DOWNPAYPCT, DOWNPAYAMT, FEEPCT, FEEPAYAMT of the dialog data.
class TForm2 : public loan::FactorDialog {
    Q_OBJECT
public:
    TForm2(talvero::common::LoanBlock& block, loan::DialogData& data, QWidget* parent = nullptr,
           const char* name = "Form2", const char* caption = "Down Payment and Origination Fees");
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr;
    QPushButton* Button1 = nullptr;
    double values[4] = {}; // percent, amount, fee percent, fee amount
    void reload() override;

protected:
    void buildWidgets() override;

public slots:
    void Button1Click();
};

// "Insurance Charges": DSRATE, DSFREQ, DSYEARS, LFRATE, LFFREQ, LFYEARS of the block; OK also works
// out the block's premium bases and counts.
class TForm3 : public loan::FactorDialog {
    Q_OBJECT
public:
    TForm3(talvero::common::LoanBlock& block, loan::DialogData& data, QWidget* parent = nullptr,
           const char* name = "Form3", const char* caption = "Insurance Charges");
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr;
    QPushButton* Button1 = nullptr;
    double values[6] = {}; // DSRATE, DSFREQ, DSYEARS, LFRATE, LFFREQ, LFYEARS
    void reload() override;

protected:
    void buildWidgets() override;

public slots:
    void Button1Click();
};

// "Annual Fees": TAXES, HOINS, OTINS of the block.
class TForm4 : public loan::FactorDialog {
    Q_OBJECT
public:
    TForm4(talvero::common::LoanBlock& block, loan::DialogData& data, QWidget* parent = nullptr,
           const char* name = "Form4", const char* caption = "Annual Fees");
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr;
    QPushButton* Button1 = nullptr;
    double values[3] = {}; // TAXES, HOINS, OTINS
    void reload() override;

protected:
    void buildWidgets() override;

public slots:
    void Button1Click();
};
