#pragma once
// The saving routine as the forms run it: the "previously saved" test, the status window while
// the loan is written, and the closing message. The writing itself is loan::writeLoan.

#include "loan/loandata.h"
#include "loan/save.h"

#include <QDialog>
#include <QtGlobal>

class QFrame;
class QLabel;
class QTimer;

// "Preview Status": shown while a loan is saved; closes itself 2000 ms after it is shown.
class TForm16 : public QDialog {
    Q_OBJECT
public:
    explicit TForm16(QWidget* owner);
    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;

public slots:
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
};

namespace loan {

enum class SaveSteps {
    Checked,   // Save button and File menu: the "previously saved" test and "Loan Data Saved"
    WriteOnly, // the amortization window's Preview/Save: writes a new loan and says nothing
};

// Saves `loan` for the form whose calculations `unsavedCount` counts: with SaveSteps::Checked, the
// "previously saved" test on the count first and "Loan Data Saved" with the count cleared last.
// The status window is owned by `owner`. Returns the new loan number, or 0 when nothing was saved
// (the reason has been shown); a failed save leaves nothing of the loan in the database and the
// count as it was.
qint64 saveLoan(LoanToSave loan, int& unsavedCount, QWidget* owner, SaveSteps steps);

// Saves the regular loan `data` as its last calculation left it. Returns the new loan number, or
// 0 when nothing was saved (the reason has been shown). A failed save leaves nothing of the loan
// in the database and UnsavedCount as it was.
qint64 saveLoanData(LoanData& data, QWidget* owner, SaveSteps steps = SaveSteps::Checked);

} // namespace loan
