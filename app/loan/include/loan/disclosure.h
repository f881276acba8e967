#pragma once
// "Truth in Lending Disclosure": the federal disclosure of the loan a payout window shows, for the
// regular and the balloon loan alike. The loan officer types the creditor (remembered in the data
// folder), the borrower and the statements; the window previews, prints and saves the borrower's
// copy, and shows the examiner's page apart when the engine's Reg Z APR fails the Appendix J check.

#include "common/calendar.h"
#include "common/loanblock.h"
#include "disclosure/disclosure.h"
#include "schedule/schedule.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Made when the payout window's "Disclosure" button asks for it, for the loan that window shows.
class TForm31 : public QDialog {
    Q_OBJECT
public:
    TForm31(const talvero::common::LoanBlock& loan, double schedpay,
            const talvero::schedule::Variant& variant, std::optional<talvero::common::Date> today,
            QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;        // the heading
    QLineEdit* Edit1 = nullptr;      // "Creditor Name"
    QPlainTextEdit* Memo1 = nullptr; // "Creditor Address"
    QLineEdit* Edit2 = nullptr;      // "Borrower Name"
    QPlainTextEdit* Memo2 = nullptr; // "Security"
    QPlainTextEdit* Memo3 = nullptr; // "Late Charge"
    QPlainTextEdit* Memo4 = nullptr; // "Prepayment"
    QCheckBox* CheckBox1 = nullptr;  // "Itemize the Amount Financed"
    QLineEdit* Edit3 = nullptr;      // "Paid on Your Account"
    QLineEdit* Edit4 = nullptr;      // "Paid to Others (Name)"
    QLineEdit* Edit5 = nullptr;      // "Paid to Others (Amount)"
    QLabel* Label2 = nullptr;        // the examiner's notice, when due
    QPushButton* Button1 = nullptr;  // "Preview"
    QPushButton* Button2 = nullptr;  // "Print"
    QPushButton* Button3 = nullptr;  // "Save as PDF"
    QPushButton* Button4 = nullptr;  // "Examiner's Page"
    QPushButton* Button5 = nullptr;  // "Help"
    QPushButton* Button6 = nullptr;  // "Close"

    // The disclosure of what the window holds; after showing why, nothing when it cannot be made.
    std::optional<talvero::disclosure::Disclosure> current();

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();

protected:
    void done(int result) override;

private:
    void rememberCreditor();
    talvero::common::LoanBlock loan_;
    double schedpay_;
    talvero::schedule::Variant variant_;
    std::optional<talvero::common::Date> today_;
};
