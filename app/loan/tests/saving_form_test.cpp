// Save on the payout window, driven as a user does: Compute, then Save, then what the messages,
// the status window and the loan database show.
#include "db/connection.h"
#include "db/faults.h"
#include "db/testsupport/fault.h"
#include "db/testsupport/smalldisk.h"
#include "db/testsupport/tempdatafolder.h"
#include "formfixture.h"
#include "loan/forms.h"
#include "loan/saving.h"
#include "tessera/tessera.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/today.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class SaveButton : public loantest::LoanForms {
protected:
    db::testing::TempDataFolder folder_;
};

TEST_F(SaveButton, SavesOnceAfterEachCalculation) {
    computeDefaultLoan();
    ASSERT_EQ(Form1->UnsavedCount, 1);
    expectSaved(1);
    // 360 payments from 07/2004: a subtotal after each December but the last, the closing one, the total.
    EXPECT_EQ(formtest::loanRows("LOANDETAIL"), 360 + 30 + 2);

    expectSavedAlready(1);

    // The next calculation may be saved again, as a new loan.
    computeDefaultLoan();
    expectSaved(2);
}

// The program's one clock: the engine, the payout window, the schedule and the saved dates all take
// an empty first due date as the same today.
TEST_F(SaveButton, AnEmptyFirstDueDateIsTheProgramsTodayEverywhere) {
    page(TForm1::CalcPayment);
    compute();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    EXPECT_EQ(Form9->Edit13->text(), QStringLiteral("06/01/2004"));
    EXPECT_EQ(Form9->Edit9->text(), QStringLiteral("05/01/2034")); // the 360th monthly payment
    save();
    db::Connection c(db::Alias::IBLoan);
    QSqlQuery q(c.database());
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT FIRSTDUEDT, ORIGDT FROM LOANSUMMARY")) && q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("06/01/2004"));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("06/01/2004"));
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT PAYDATE FROM LOANDETAIL ORDER BY RECNO")) && q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("06/01/2004"));
}

TEST_F(SaveButton, TheStatusWindowClosesItselfAfterTwoSeconds) {
    computeDefaultLoan();
    save();
    const auto windows = Form9->findChildren<TForm16*>();
    ASSERT_EQ(windows.size(), 1);
    TForm16* status = windows.first();
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(status->windowTitle(), QStringLiteral("Preview Status"));
    EXPECT_EQ(status->size(), QSize(299, 169));
    EXPECT_EQ(status->Label1->text(),
              QStringLiteral("Talvero is saving loan parametes to a database for loan "
                             "analysis functions.  Please be patient !"));
    EXPECT_TRUE(status->Label1->wordWrap());
    EXPECT_TRUE(status->Timer1->isActive());
    EXPECT_EQ(status->Timer1->interval(), 2000);
    QMetaObject::invokeMethod(status->Timer1, "timeout");
    EXPECT_FALSE(status->isVisible());
}

TEST_F(SaveButton, AFailedSaveShowsTheErrorAndKeepsTheCalculationUnsaved) {
    computeDefaultLoan();
    {
        db::testing::InsertFault fault(db::Alias::IBLoan, QStringLiteral("LOANDETAIL"), 100);
        save();
        ASSERT_EQ(messages_.messages().size(), 1);
        EXPECT_EQ(messages_.lastText(), db::testing::InsertFault::faultMessage(100));
        EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Plain);
        EXPECT_EQ(Form1->UnsavedCount, 1);
        EXPECT_EQ(formtest::loanRows("LOANSUMMARY"), 0);
        EXPECT_EQ(formtest::loanRows("LOANDETAIL"), 0);
    }
    expectSaved(1);
}

TEST_F(SaveButton, AnUnreachableDatabaseShowsItsTextAndWritesNothing) {
    computeDefaultLoan();
    qputenv("TALVERO_HOME", "/proc/talvero-cannot-be-here");
    save();
    ASSERT_EQ(messages_.messages().size(), 1);
    EXPECT_EQ(messages_.lastText(),
              db::dataFolderMissingMessage(QStringLiteral("/proc/talvero-cannot-be-here")));
    EXPECT_EQ(Form1->UnsavedCount, 1);
    EXPECT_TRUE(Form9->findChildren<TForm16*>().isEmpty());
}

QStringList typedTexts() {
    QStringList texts;
    for (const QLineEdit* edit : Form1->findChildren<QLineEdit*>())
        texts << edit->objectName() + u'=' + edit->text();
    return texts;
}

// A real full disk: a small file system with a few kilobytes left when Save runs.
TEST_F(SaveButton, AFullDiskSaysSoWritesNothingAndKeepsTheTypedLoanUnsaved) {
    db::testing::SmallDisk disk(512 * 1024);
    if (!disk.available()) GTEST_SKIP() << disk.why().toStdString();
    qputenv("TALVERO_HOME", QFile::encodeName(disk.path()));
    { db::Connection blank(db::Alias::IBLoan); }
    computeDefaultLoan();
    const QStringList typed = typedTexts();
    disk.fill(4096);
    save();
    ASSERT_EQ(messages_.messages().size(), 1);
    EXPECT_EQ(messages_.lastText(),
              db::diskFullMessage(db::Alias::IBLoan, QDir(disk.path()).filePath(QStringLiteral("loan.db"))));
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Plain);
    EXPECT_EQ(Form1->UnsavedCount, 1);
    EXPECT_EQ(typedTexts(), typed);
    EXPECT_EQ(formtest::loanRows("LOANSUMMARY"), 0);
    EXPECT_EQ(formtest::loanRows("LOANDETAIL"), 0);
    // With room again the same calculation saves whole.
    disk.freeUp();
    expectSaved(1);
    EXPECT_EQ(formtest::loanRows("LOANDETAIL"), 360 + 30 + 2);
}

} // namespace
