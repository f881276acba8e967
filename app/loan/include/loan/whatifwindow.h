#pragma once
// "Extra Payment Analysis": extra principal on the loan of a payout window, regular or balloon. The
// user types an extra amount, how often it comes and lump sums by date; Compute shows the loan as
// computed beside the loan with the extra payments and lists the new schedule, which can be
// exported as CSV or PDF or saved as a new loan.

#include "loan/whatif.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace outside {
class ScheduleModel;
}

namespace loan {

class ExtraPaymentWindow : public QDialog {
    Q_OBJECT
public:
    ExtraPaymentWindow(LoanToExamine loan, QWidget* parent = nullptr);
    ~ExtraPaymentWindow() override;

    // Inputs.
    QLineEdit* Edit1 = nullptr;      // "Extra Amount"
    QLineEdit* Edit2 = nullptr;      // "Starting With Payment"
    QComboBox* ComboBox1 = nullptr;  // "How Often"
    QLineEdit* Edit3 = nullptr;      // "Every Nth Payment"
    QComboBox* ComboBox2 = nullptr;  // "In Month"
    QPlainTextEdit* Memo1 = nullptr; // "Lump Sums"
    // Figures: the loan as computed, then with the extra payments.
    QLineEdit *Edit4 = nullptr, *Edit5 = nullptr; // "Number of Payments"
    QLineEdit *Edit6 = nullptr, *Edit7 = nullptr; // "Total Interest"
    QLineEdit *Edit8 = nullptr, *Edit9 = nullptr; // "Maturity Date"
    QLineEdit* Edit10 = nullptr;                  // "Payments Saved"
    QLineEdit* Edit11 = nullptr;                  // "Interest Saved"
    QLineEdit* Edit12 = nullptr;                  // "Scheduled Payment"
    QTableView* Grid1 = nullptr;                  // the new schedule
    QPushButton* Button1 = nullptr;               // "Compute"
    QPushButton* Button2 = nullptr;               // "Export CSV"
    QPushButton* Button3 = nullptr;               // "Export PDF"
    QPushButton* Button4 = nullptr;               // "Save"
    QPushButton* Button5 = nullptr;               // "Quit"
    QPushButton* Button6 = nullptr;               // "Chart": the original and the new balance

    // The figures of the last Compute; none before it or after bad input.
    const std::optional<talvero::schedule::WhatIf>& result() const { return result_; }

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button6Click();

private:
    bool computed();
    LoanToExamine loan_;
    std::optional<talvero::schedule::WhatIf> result_;
    outside::ScheduleModel* model_ = nullptr;
};

} // namespace loan
