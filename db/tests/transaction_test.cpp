#include "dbtest.h"

#include "db/keys.h"
#include "db/statements.h"
#include "db/transaction.h"

namespace {

// One loan as a saving routine writes it: a summary row and `rows` detail rows, numbered by the
// generators.
qint64 writeLoan(db::Connection& loan, int rows) {
    const qint64 loanNo = db::nextKey(loan, db::Generator::GETSUMNOGEN);
    QSqlQuery summary = db::prepare(loan, db::sql::insertLoanSummary);
    summary.bindValue(QStringLiteral(":LOANNO"), loanNo);
    summary.bindValue(QStringLiteral(":SUMNO"), loanNo);
    summary.bindValue(QStringLiteral(":ORGAMT"), 10000.0);
    db::exec(summary);
    db::KeySource recNo(loan, db::Generator::GETRECNOGEN);
    QSqlQuery detail = db::prepare(loan, db::sql::insertLoanDetail);
    for (int i = 0; i < rows; ++i) {
        detail.bindValue(QStringLiteral(":RECNO"), recNo.next());
        detail.bindValue(QStringLiteral(":LOANNO"), loanNo);
        detail.bindValue(QStringLiteral(":PAYDATE"), QStringLiteral("01/15/2004"));
        detail.bindValue(QStringLiteral(":PAYMENT"), 100.25);
        db::exec(detail);
    }
    return loanNo;
}

} // namespace

TEST_F(DbTest, CommittedWritesStay) {
    {
        db::Connection loan(db::Alias::IBLoan);
        db::Transaction transaction(loan);
        EXPECT_EQ(writeLoan(loan, 4), 1);
        transaction.commit();
    }
    db::Connection loan(db::Alias::IBLoan);
    EXPECT_EQ(rowCount(loan, QStringLiteral("LOANSUMMARY")), 1);
    EXPECT_EQ(rowCount(loan, QStringLiteral("LOANDETAIL")), 4);
    EXPECT_EQ(scalar(loan, QStringLiteral("SELECT MAX(RECNO) FROM LOANDETAIL")).toLongLong(), 4);
}

// Leaving the scope without commit, by an error or by return, undoes every write and every number.
TEST_F(DbTest, UncommittedWritesLeaveNothing) {
    db::Connection loan(db::Alias::IBLoan);
    try {
        db::Transaction transaction(loan);
        writeLoan(loan, 5);
        throw db::Error(QStringLiteral("stop"));
    } catch (const db::Error&) {
    }
    EXPECT_EQ(rowCount(loan, QStringLiteral("LOANSUMMARY")), 0);
    EXPECT_EQ(rowCount(loan, QStringLiteral("LOANDETAIL")), 0);
    db::Connection other(db::Alias::IBLoan);
    EXPECT_EQ(rowCount(other, QStringLiteral("LOANDETAIL")), 0);
    EXPECT_EQ(scalar(other, QStringLiteral("SELECT NUM FROM KEYGEN WHERE NAME = 'GETRECNOGEN'")).toInt(), 0);
}

TEST_F(DbTest, DatabaseErrorsCarryTheDatabaseText) {
    db::Connection loan(db::Alias::IBLoan);
    db::Transaction transaction(loan);
    QSqlQuery detail = db::prepare(loan, db::sql::insertLoanDetail);
    detail.bindValue(QStringLiteral(":RECNO"), 1);
    detail.bindValue(QStringLiteral(":LOANNO"), 1);
    db::exec(detail);
    try {
        db::exec(detail);
        ADD_FAILURE() << "a second row with RECNO 1 was accepted";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("UNIQUE constraint failed: LOANDETAIL.RECNO"));
        EXPECT_STREQ(e.what(), "UNIQUE constraint failed: LOANDETAIL.RECNO");
    }
    try {
        db::prepare(loan, u"SELECT NOSUCHCOLUMN FROM LOANDETAIL");
        ADD_FAILURE() << "a wrong column was accepted";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("no such column: NOSUCHCOLUMN"));
    }
}

TEST_F(DbTest, CommitTwiceIsAnError) {
    db::Connection loan(db::Alias::IBLoan);
    db::Transaction transaction(loan);
    transaction.commit();
    EXPECT_THROW(transaction.commit(), db::Error);
}

// A second writer waits for the first one's lock and fails with the database's text when it stays
// taken; the first writer's work is not disturbed.
TEST_F(DbTest, ASecondWriterCannotCutIn) {
    db::Connection first(db::Alias::IBLoan);
    db::Connection second(db::Alias::IBLoan);
    second.database().close();
    second.database().setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=50"));
    ASSERT_TRUE(second.database().open());
    db::Transaction writing(first);
    writeLoan(first, 2);
    try {
        db::Transaction other(second);
        ADD_FAILURE() << "two write transactions at once";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("database is locked"));
    }
    writing.commit();
    EXPECT_EQ(rowCount(second, QStringLiteral("LOANDETAIL")), 2);
}
