#include "dbtest.h"

#include "db/keys.h"
#include "db/statements.h"
#include "db/testsupport/fault.h"
#include "db/transaction.h"

namespace {

// Writes a summary row and up to `rows` detail rows in one transaction; returns how many detail
// rows went in before the first error, and the error text.
std::pair<int, QString> saveLoan(int rows) {
    db::Connection loan(db::Alias::IBLoan);
    int written = 0;
    try {
        db::Transaction transaction(loan);
        const qint64 loanNo = db::nextKey(loan, db::Generator::GETSUMNOGEN);
        QSqlQuery summary = db::prepare(loan, db::sql::insertLoanSummary);
        summary.bindValue(QStringLiteral(":LOANNO"), loanNo);
        summary.bindValue(QStringLiteral(":SUMNO"), loanNo);
        db::exec(summary);
        db::KeySource recNo(loan, db::Generator::GETRECNOGEN);
        QSqlQuery detail = db::prepare(loan, db::sql::insertLoanDetail);
        for (int i = 0; i < rows; ++i) {
            detail.bindValue(QStringLiteral(":RECNO"), recNo.next());
            detail.bindValue(QStringLiteral(":LOANNO"), loanNo);
            db::exec(detail);
            ++written;
        }
        transaction.commit();
    } catch (const db::Error& e) {
        return {written, e.message()};
    }
    return {written, QString()};
}

} // namespace

TEST_F(DbTest, InjectedFaultStopsAfterNRowsAndNothingStays) {
    for (int n : {0, 1, 7}) {
        SCOPED_TRACE(n);
        {
            db::testing::InsertFault fault(db::Alias::IBLoan, QStringLiteral("LOANDETAIL"), n);
            const auto [written, message] = saveLoan(n + 5);
            EXPECT_EQ(written, n);
            EXPECT_EQ(message, QStringLiteral("Injected fault after %1 rows").arg(n));
            EXPECT_EQ(message, db::testing::InsertFault::faultMessage(n));
        }
        db::Connection loan(db::Alias::IBLoan);
        EXPECT_EQ(rowCount(loan, QStringLiteral("LOANSUMMARY")), 0);
        EXPECT_EQ(rowCount(loan, QStringLiteral("LOANDETAIL")), 0);
    }
}

TEST_F(DbTest, WithinItsLimitTheFaultLetsTheSaveThroughAndGoesAwayAfter) {
    {
        db::testing::InsertFault fault(db::Alias::IBLoan, QStringLiteral("LOANDETAIL"), 3);
        EXPECT_EQ(saveLoan(3), std::make_pair(3, QString()));
    }
    EXPECT_EQ(saveLoan(10), std::make_pair(10, QString()));
    db::Connection loan(db::Alias::IBLoan);
    EXPECT_EQ(rowCount(loan, QStringLiteral("LOANDETAIL")), 13);
    EXPECT_EQ(
        scalar(loan, QStringLiteral("SELECT COUNT(*) FROM sqlite_schema WHERE name LIKE 'TALVERO_FAULT%'"))
            .toInt(),
        0);
}

TEST_F(DbTest, FaultOnAnUnknownTableIsRefused) {
    EXPECT_THROW(db::testing::InsertFault(db::Alias::IBLoan, QStringLiteral("LOANDETAIL; DROP TABLE X"), 1),
                 db::Error);
}
