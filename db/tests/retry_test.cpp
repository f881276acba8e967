// A command met by another user's work is run again as a whole; only when that never clears does
// the user see the command's message, and nothing of any attempt stays. The contention is real:
// a second connection on the same SQLite file holds a read lock while the command commits.
#include "dbtest.h"

#include "db/faults.h"
#include "db/keys.h"
#include "db/retry.h"
#include "db/statements.h"

#include <QSqlError>

namespace {

// A second user reading the loan database: while its read transaction is open, no one can commit.
class Reader {
public:
    Reader() : connection_(db::Alias::IBLoan) {}
    void startReading() {
        if (reading_) return;
        run(QStringLiteral("BEGIN"));
        run(QStringLiteral("SELECT COUNT(*) FROM LOANSUMMARY"));
        reading_ = true;
    }
    void stopReading() {
        if (!reading_) return;
        run(QStringLiteral("COMMIT"));
        reading_ = false;
    }

private:
    void run(const QString& statement) {
        QSqlQuery query(connection_.database());
        ASSERT_TRUE(query.exec(statement)) << query.lastError().text().toStdString();
        while (query.next()) {
        }
    }
    db::Connection connection_;
    bool reading_ = false;
};

// The writer gives up on a lock at once, so each attempt meets the reader without waiting.
void noBusyWait(db::Connection& connection) {
    QSqlQuery query(connection.database());
    ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA busy_timeout = 0")));
}

// One loan summary row under a new number, committed; the number.
qint64 writeSummary(db::Connection& connection, db::Transaction& transaction) {
    const qint64 sumno = db::nextKey(connection, db::Generator::GETSUMNOGEN);
    QSqlQuery q = db::prepare(connection, db::sql::insertLoanSummary);
    q.bindValue(QStringLiteral(":LOANNO"), sumno);
    q.bindValue(QStringLiteral(":SUMNO"), sumno);
    db::exec(q);
    transaction.commit();
    return sumno;
}

constexpr db::RetryPolicy quick{.attempts = 4,
                                .serverAttempts = 4,
                                .firstPause = std::chrono::milliseconds{1},
                                .longestPause = std::chrono::milliseconds{2}};

} // namespace

TEST_F(DbTest, ContentionIsTriedAgainUntilItClearsAndTheCommandRunsWhole) {
    db::Connection writer(db::Alias::IBLoan);
    noBusyWait(writer);
    Reader other;
    for (int busyAttempts : {0, 1, quick.attempts - 1}) {
        SCOPED_TRACE(busyAttempts);
        const qint64 before = rowCount(writer, QStringLiteral("LOANSUMMARY"));
        int attempts = 0;
        const qint64 sumno = db::runCommand(
            writer, "busy",
            [&](db::Transaction& transaction) {
                if (++attempts <= busyAttempts)
                    other.startReading();
                else
                    other.stopReading();
                return writeSummary(writer, transaction);
            },
            quick);
        EXPECT_EQ(attempts, busyAttempts + 1);
        // One row, whose number is the last one drawn: the failed attempts left nothing.
        EXPECT_EQ(rowCount(writer, QStringLiteral("LOANSUMMARY")), before + 1);
        EXPECT_EQ(scalar(writer, QStringLiteral("SELECT MAX(SUMNO) FROM LOANSUMMARY")).toLongLong(), sumno);
        EXPECT_EQ(
            scalar(writer, QStringLiteral("SELECT COUNT(DISTINCT SUMNO) FROM LOANSUMMARY")).toLongLong(),
            before + 1);
    }
}

TEST_F(DbTest, ContentionThatNeverClearsGivesTheCommandsMessageAndLeavesNothing) {
    db::Connection writer(db::Alias::IBLoan);
    noBusyWait(writer);
    Reader other;
    other.startReading();
    int attempts = 0;
    try {
        db::runCommand(
            writer, db::kAccountChanged,
            [&](db::Transaction& transaction) {
                ++attempts;
                return writeSummary(writer, transaction);
            },
            quick);
        ADD_FAILURE() << "the command went through a held lock";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.message(), QString::fromLatin1(db::kAccountChanged));
        EXPECT_EQ(e.kind(), db::ErrorKind::Contention);
        EXPECT_TRUE(db::canTryAgain(e));
    }
    EXPECT_EQ(attempts, quick.attempts);
    other.stopReading();
    EXPECT_EQ(rowCount(writer, QStringLiteral("LOANSUMMARY")), 0);
}

TEST_F(DbTest, OtherErrorsEndTheCommandAtOnceWithTheDatabasesText) {
    db::Connection writer(db::Alias::IBLoan);
    int attempts = 0;
    try {
        db::runCommand(writer, "busy", [&](db::Transaction&) {
            ++attempts;
            QSqlQuery q = db::prepare(writer, u"INSERT INTO LOANSUMMARY (LOANNO) VALUES (NULL)");
            db::exec(q);
            return 0;
        });
        ADD_FAILURE() << "a NULL key went in";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.kind(), db::ErrorKind::Other);
        EXPECT_TRUE(e.message().contains(QStringLiteral("NOT NULL"))) << e.message().toStdString();
        EXPECT_FALSE(db::canTryAgain(e));
    }
    EXPECT_EQ(attempts, 1);
}

TEST_F(DbTest, AFullDiskIsToldAsSuchNamingTheDatabaseAndNothingStays) {
    db::Connection writer(db::Alias::IBLoan);
    const qint64 pages = scalar(writer, QStringLiteral("PRAGMA page_count")).toLongLong();
    // SQLite's page limit stands for the disk: the file may not grow by a page more.
    scalar(writer, QStringLiteral("PRAGMA max_page_count = %1").arg(pages));
    int attempts = 0;
    try {
        db::runCommand(writer, "busy", [&](db::Transaction& transaction) {
            ++attempts;
            const qint64 loanNo = db::nextKey(writer, db::Generator::GETSUMNOGEN);
            QSqlQuery q = db::prepare(writer, db::sql::insertLoanSummary);
            for (int k = 0; k < 2000; ++k) {
                q.bindValue(QStringLiteral(":LOANNO"), loanNo + k);
                q.bindValue(QStringLiteral(":SUMNO"), loanNo + k);
                db::exec(q);
            }
            transaction.commit();
            return 0;
        });
        ADD_FAILURE() << "2000 rows fitted in the pages the file had";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.kind(), db::ErrorKind::DiskFull);
        EXPECT_EQ(e.message(), db::diskFullMessage(db::Alias::IBLoan, writer.target().database));
        EXPECT_TRUE(e.message().contains(writer.target().database));
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("The disk is full")));
    }
    EXPECT_EQ(attempts, 1);
    EXPECT_EQ(rowCount(writer, QStringLiteral("LOANSUMMARY")), 0);
    // The number drawn went back with the rest.
    EXPECT_EQ(
        scalar(writer, QStringLiteral("SELECT NUM FROM KEYGEN WHERE NAME = 'GETSUMNOGEN'")).toLongLong(), 0);
}

TEST(RetryPolicy, PausesAreRandomAndBoundedByTheDoublingCeiling) {
    const db::RetryPolicy policy{.firstPause = std::chrono::milliseconds{10},
                                 .longestPause = std::chrono::milliseconds{80}};
    for (int failed = 1; failed <= 8; ++failed) {
        const long long ceiling = std::min(80LL, 10LL << (failed - 1));
        long long longest = 0;
        for (int k = 0; k < 200; ++k) {
            const long long pause = db::pauseAfter(failed, policy).count();
            EXPECT_GE(pause, 0);
            EXPECT_LE(pause, ceiling);
            longest = std::max(longest, pause);
        }
        // 200 draws of a uniform pause reach the upper half of its range.
        EXPECT_GT(longest, ceiling / 2) << failed;
    }
}
