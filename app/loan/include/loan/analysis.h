#pragma once
// The payout window (after a regular calculation) and the payoff window (after a payoff). The loan
// form fills each from its data; both can print an image of themselves and neither reads its boxes
// back.

#include "loan/loandata.h"
#include "loan/saving.h"
#include "loan/whatif.h"

#include "ui/form.h"
#include "ui/modal.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace talvero::aprcheck {
struct LoanCheck;
}
namespace talvero::schedule {
struct Variant;
}

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace loan {

// Two groups of answer boxes Edit1 to Edit20 and the "Prt/Screen" and "Quit" buttons.
class AnalysisWindow : public ui::Form {
    Q_OBJECT
public:
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr, *Edit10 = nullptr,
              *Edit11 = nullptr, *Edit12 = nullptr, *Edit13 = nullptr, *Edit14 = nullptr, *Edit15 = nullptr,
              *Edit16 = nullptr, *Edit17 = nullptr, *Edit18 = nullptr, *Edit19 = nullptr, *Edit20 = nullptr;
    QLineEdit* Edit21 = nullptr;    // the balloon window's balloon term; null on the others
    QLabel* Label1 = nullptr;       // the heading
    QGroupBox* GroupBox1 = nullptr; // "Loan Input Data"
    QGroupBox* GroupBox2 = nullptr; // the analysis figures
    QPushButton* Button1 = nullptr; // "Prt/Screen"
    QPushButton* Button2 = nullptr; // "Quit"
    // The payout windows' "Appendix J check" group; null on the payoff window.
    QGroupBox* GroupBox3 = nullptr;
    QLineEdit *Edit22 = nullptr, *Edit23 = nullptr, *Edit24 = nullptr, *Edit25 = nullptr;

    // One answer box: its label's caption, its name and the member that holds it.
    struct Box {
        const char* caption;
        const char* name;
        QLineEdit* AnalysisWindow::*member;
    };

public slots:
    void Button1Click();
    void Button2Click();

protected:
    // The "Loan Input Data" group from the amount to the amount financed; each window has its own
    // formats for the APR and for the two counts (the payments and the payments per year). A first
    // due date or loan date not set shows `today`.
    struct InputFormats {
        const char* apr;
        const char* count;
    };
    static constexpr InputFormats kRegularInputFormats{"%7.3f", "%7.2f"};
    void fillInputGroup(const talvero::common::LoanBlock& data, const int firstDue[3], const int today[3],
                        InputFormats formats);
    void fillInputGroup(const LoanData& data) {
        fillInputGroup(data, data.FIRSTDUEDATE, data.TODAYDATE, kRegularInputFormats);
    }
    void showEvent(QShowEvent* event) override;
    QHBoxLayout* buttonRow = nullptr;

    // The regular windows' input boxes follow the amount.
    AnalysisWindow(QWidget* parent, const char* caption, const char* heading, const char* amountCaption,
                   const char* analysisGroup, const Box (&analysisBoxes)[9]);
    // The nine figures of a payout window, regular or balloon.
    static const Box kPayoutBoxes[9];
    // The "Appendix J check" group below the others, and its figures for a computed loan.
    void addAprCheckGroup();
    void fillAprCheck(const talvero::aprcheck::LoanCheck& check);
    // A window with input boxes of its own after the amount box Edit10.
    AnalysisWindow(QWidget* parent, const char* caption, const char* heading, const char* amountCaption,
                   std::span<const Box> inputBoxes, const char* analysisGroup, const Box (&analysisBoxes)[9]);
    // The heading, the two groups and the buttons.
    void buildWidgets() override;

private:
    const char* heading_;
    const char* amountCaption_;
    std::vector<Box> inputBoxes_;
    const char* analysisGroup_;
    std::array<Box, 9> analysisBoxes_;
};

// A payout window, regular or balloon: the payout figures, the "Appendix J check" group and the
// "Save", "Amortize Tables" and "Disclosure" buttons after "Prt/Screen" and "Quit".
class PayoutWindow : public AnalysisWindow {
    Q_OBJECT
public:
    QPushButton* Button4 = nullptr; // "Save"
    QPushButton* Button3 = nullptr; // "Amortize Tables"
    QPushButton* Button5 = nullptr; // "Disclosure"
    QPushButton* Button6 = nullptr; // "What If…", after the other buttons

public slots:
    // Saves the loan this window was filled from.
    void Button4Click();
    // Opens the amortization window on the loan this window was filled from.
    void Button3Click();
    // Opens the Truth-in-Lending disclosure of the loan this window was filled from.
    void Button5Click();
    // Opens "Extra Payment Analysis" on the loan this window was filled from.
    void Button6Click();

protected:
    // `name` is the form's objectName; the input boxes are the regular ones unless given.
    PayoutWindow(QWidget* parent, const char* name, const char* caption, const char* heading);
    PayoutWindow(QWidget* parent, const char* name, const char* caption, const char* heading,
                 std::span<const Box> inputBoxes);
    // The payout figures Edit1 to Edit9 with the REGZAPR shown in `aprFormat`, then the Appendix J
    // check of the loan against the payment `schedpay` on the schedule `variant`.
    void fillPayout(const talvero::common::LoanBlock& data, const char* aprFormat, double schedpay,
                    const talvero::schedule::Variant& variant, const int today[3]);

    // The analysis window's widgets, the Appendix J group and the buttons.
    void buildWidgets() override;

private:
    void addButtons();
    virtual void saveLoan() = 0;
    virtual void amortizeLoan() = 0;
    virtual void discloseLoan() = 0;
    virtual void examineLoan() = 0;
};

// Shows "Extra Payment Analysis" modally on `loan`.
void showExtraPayments(LoanToExamine loan, QWidget* parent);
// Shows the Truth-in-Lending disclosure modally on `loan`, computed on the form's `today`.
void showDisclosure(const LoanToExamine& loan, const int today[3], QWidget* parent);

// The payout window of one twin: `Data` is its form's data, `save` its saving routine and
// `amortization` the global pointer to its amortization window.
template <class Data, class Amortization> class PayoutFor : public PayoutWindow {
protected:
    using Save = qint64 (*)(Data&, QWidget*, SaveSteps);
    template <class... Rest>
    PayoutFor(Save save, Amortization* const& amortization, QWidget* parent, const char* name, Rest... rest)
        : PayoutWindow(parent, name, rest...), save_(save), amortization_(&amortization) {}
    // The loan of the last fill; the buttons work on it.
    Data* loan_ = nullptr;

private:
    void saveLoan() override {
        if (loan_) save_(*loan_, this, SaveSteps::Checked);
    }
    void amortizeLoan() override {
        Amortization* window = *amortization_;
        if (!loan_ || !window) return;
        window->setLoan(*loan_);
        ui::showModal(window);
    }
    void discloseLoan() override {
        if (loan_) showDisclosure(toExamine(*loan_), loan_->TODAYDATE, this);
    }
    void examineLoan() override {
        if (loan_) showExtraPayments(toExamine(*loan_), this);
    }
    Save save_;
    Amortization* const* amortization_;
};

} // namespace loan

class TForm5;
extern TForm5* Form5;

// "Loan Payout Analysis"
class TForm9 : public loan::PayoutFor<loan::LoanData, TForm5> {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
    // The figures of a regular calculation; Save writes that loan.
    void fill(loan::LoanData& data);
};

// "Loan Payoff Analysis"
class TForm19 : public loan::AnalysisWindow {
    Q_OBJECT
public:
    explicit TForm19(QWidget* parent = nullptr);
    // The figures of a payoff calculation.
    void fill(const loan::LoanData& data);
    QLabel* Label2 = nullptr; // empty, beside "Next Due Date"

protected:
    void buildWidgets() override;
};
