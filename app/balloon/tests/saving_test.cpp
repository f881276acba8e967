// Save on the balloon payout window, driven as a user does: Compute on the balloon form, then Save,
// then what the messages, the status window and the loan database show.
#include "balloon/forms.h"
#include "balloon/saving.h"
#include "common/today.h"
#include "db/connection.h"
#include "db/testsupport/fault.h"
#include "db/testsupport/tempdatafolder.h"
#include "formfixture.h"
#include "schedule/schedule.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/today.h"
#include "vaulter/vaulter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QVariant>
#include <gtest/gtest.h>

namespace {

class BalloonSave : public balloontest::BalloonForms {
protected:
    void SetUp() override {
        talvero::common::set_today({6, 1, 2004});
        BalloonForms::SetUp();
    }
    void TearDown() override {
        BalloonForms::TearDown();
        talvero::common::clear_today();
    }

    db::testing::TempDataFolder folder_;
};

TEST_F(BalloonSave, SavesTheBalloonTermAndItsRows) {
    computeDefaultLoan();
    ASSERT_EQ(Form10->UnsavedCount, 1);
    expectSaved(1);
    EXPECT_EQ(Form15->findChildren<TForm16*>().size(), 1);

    db::Connection c(db::Alias::IBLoan);
    QSqlQuery s(c.database());
    ASSERT_TRUE(s.exec(QStringLiteral("SELECT LOANNO, BLPAY, NUMPAY, PAYMENT, FINANCEAMT, TOTALINTEREST, "
                                      "FIRSTDUEDT, ORIGDT FROM LOANSUMMARY")));
    ASSERT_TRUE(s.next());
    const qint64 loanno = s.value(0).toLongLong();
    EXPECT_EQ(s.value(1).toDouble(), 60.0);
    EXPECT_EQ(s.value(2).toDouble(), 360.0);
    EXPECT_EQ(s.value(3).toDouble(), Form10->PAYMENT);
    EXPECT_EQ(s.value(4).toDouble(), 50000.0);
    EXPECT_EQ(s.value(5).toDouble(), Form10->TOTALINTEREST);
    EXPECT_EQ(s.value(6).toString(), QStringLiteral("07/01/2004"));
    EXPECT_EQ(s.value(7).toString(), QStringLiteral("06/01/2004"));
    EXPECT_FALSE(s.next());

    // 60 payments from 07/2004: a subtotal after each December (2004 to 2008), the closing one for
    // 2009 and the grand total.
    QSqlQuery d(c.database());
    ASSERT_TRUE(d.exec(QStringLiteral("SELECT PAYDATE, PRINAMT, PAYMENT, BALANCE, LOANNO FROM LOANDETAIL "
                                      "ORDER BY RECNO")));
    QStringList dates;
    double principal = 0;
    QVariant lastBalance;
    double lastPayment = 0;
    while (d.next()) {
        dates << d.value(0).toString();
        EXPECT_EQ(d.value(4).toLongLong(), loanno);
        if (!d.value(3).isNull()) {
            principal += d.value(1).toDouble();
            lastBalance = d.value(3);
            lastPayment = d.value(2).toDouble();
        }
    }
    ASSERT_EQ(dates.size(), 60 + 5 + 2);
    EXPECT_EQ(dates.first(), QStringLiteral("07/01/2004"));
    EXPECT_EQ(dates[6], QStringLiteral("TOTALS 2004"));
    EXPECT_EQ(dates[dates.size() - 3], QStringLiteral("06/01/2009"));
    EXPECT_EQ(dates[dates.size() - 2], QStringLiteral("TOTALS 2009"));
    EXPECT_EQ(dates.last(), QStringLiteral("GRAND TOTALS"));
    // The 60th row pays the balloon and leaves nothing.
    EXPECT_EQ(lastBalance.toDouble(), 0.0);
    EXPECT_NEAR(principal, 50000.0, 1e-6);
    EXPECT_GT(lastPayment, 40000.0);

    expectSavedAlready(1);

    // The next calculation is saved again, as a new loan.
    computeDefaultLoan();
    expectSaved(2);
}

TEST_F(BalloonSave, TheRowsAreTheBalloonSavingSchedule) {
    // Flag 3 keeps the day of the month in the saved rows and pays SCHEDPAY in every row but the last.
    run({{"Form10", "Edit31", "24"}, {"Form10", "ComboBox1", "3"}, {"Form10", "Edit5", "07152004"}});
    compute();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    save();
    ASSERT_EQ(messages_.lastText(), QStringLiteral("Loan Data Saved"));

    namespace sc = talvero::schedule;
    sc::Pass pass(*Form10, Form10->SCHEDPAY, sc::Variant::balloon_saving(Form10->BLPAY));
    QStringList want;
    sc::for_each_row(pass, [&](const sc::Row& r) { want << QString::fromLatin1(r.PAYDATE); });

    db::Connection c(db::Alias::IBLoan);
    QSqlQuery d(c.database());
    ASSERT_TRUE(d.exec(QStringLiteral("SELECT PAYDATE, PAYMENT FROM LOANDETAIL ORDER BY RECNO")));
    QStringList saved;
    while (d.next()) {
        saved << d.value(0).toString();
        if (saved.size() == 2) {
            EXPECT_EQ(d.value(1).toDouble(), Form10->SCHEDPAY);
        }
    }
    EXPECT_EQ(saved, want);
    EXPECT_EQ(saved[1], QStringLiteral("08/15/2004"));
}

TEST_F(BalloonSave, AFailedSaveLeavesNothingAndKeepsTheCalculationUnsaved) {
    computeDefaultLoan();
    {
        db::testing::InsertFault fault(db::Alias::IBLoan, QStringLiteral("LOANDETAIL"), 30);
        save();
        ASSERT_EQ(messages_.messages().size(), 1);
        EXPECT_EQ(messages_.lastText(), db::testing::InsertFault::faultMessage(30));
        EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Plain);
        EXPECT_EQ(Form10->UnsavedCount, 1);
        EXPECT_EQ(formtest::loanRows("LOANSUMMARY"), 0);
        EXPECT_EQ(formtest::loanRows("LOANDETAIL"), 0);
    }
    {
        db::testing::InsertFault fault(db::Alias::IBLoan, QStringLiteral("LOANSUMMARY"), 0);
        messages_.clear();
        save();
        EXPECT_EQ(messages_.lastText(), db::testing::InsertFault::faultMessage(0));
        EXPECT_EQ(Form10->UnsavedCount, 1);
        EXPECT_EQ(formtest::loanRows("LOANDETAIL"), 0);
    }
    expectSaved(1);
}

TEST_F(BalloonSave, WriteOnlyNeitherTestsNorClearsTheCount) {
    computeDefaultLoan();
    Form10->UnsavedCount = 0;
    EXPECT_GT(balloon::saveBalloonData(*Form10, Form15, loan::SaveSteps::WriteOnly), 0);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(formtest::loanRows("LOANSUMMARY"), 1);
}

} // namespace
