#pragma once
// The payout window (after a regular calculation) and the payoff window (after a payoff). The loan
// form fills each from its data; both can print an image of themselves and neither reads its boxes
// back.

#include "loan/loandata.h"

#include <QDialog>

#include <span>

namespace talvero::aprcheck {
struct LoanCheck;
}

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace loan {

// Two groups of answer boxes Edit1 to Edit20 and the "Prt/Screen" and "Quit" buttons.
class AnalysisWindow : public QDialog {
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
    // The "Loan Input Data" group.
    void fillInputGroup(const LoanData& data);
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
};

} // namespace loan

// "Loan Payout Analysis"
class TForm9 : public loan::AnalysisWindow {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
    // The figures of a regular calculation; Save writes that loan.
    void fill(loan::LoanData& data);
    QPushButton* Button4 = nullptr; // "Save"
    QPushButton* Button3 = nullptr; // "Amortize Tables"

public slots:
    void Button4Click();
    // Opens the amortization window on the loan this window was filled from.
    void Button3Click();

private:
    loan::LoanData* loan_ = nullptr;
};

// "Loan Payoff Analysis"
class TForm19 : public loan::AnalysisWindow {
    Q_OBJECT
public:
    explicit TForm19(QWidget* parent = nullptr);
    // The figures of a payoff calculation.
    void fill(const loan::LoanData& data);
    QLabel* Label2 = nullptr; // empty, beside "Next Due Date"
};
