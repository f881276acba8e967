// A database file that is no sound database of its alias is refused with a message that names the
// file, says nothing was changed and how to put a backup back; the file keeps every byte, and the
// other alias goes on working. A data folder that cannot be made or written says so.
#include "dbtest.h"

#include "db/faults.h"
#include "db/startcheck.h"
#include "db/statements.h"
#include "db/testsupport/smalldisk.h"
#include "db/transaction.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlError>

#include <functional>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A loan database of some size, closed.
void makeLoans(int count) {
    db::Connection loan(db::Alias::IBLoan);
    db::Transaction transaction(loan);
    QSqlQuery q = db::prepare(loan, db::sql::insertLoanSummary);
    for (int k = 1; k <= count; ++k) {
        q.bindValue(QStringLiteral(":LOANNO"), k);
        q.bindValue(QStringLiteral(":SUMNO"), k);
        db::exec(q);
    }
    transaction.commit();
}

struct Damage {
    const char* name;
    std::function<void(const QString& loanFile, const QString& investFile)> make;
    const char* reason; // part of the reason the message gives
};

} // namespace

TEST_F(DbTest, ADamagedFileIsRefusedUnchangedAndTheOtherDatabaseWorks) {
    const Damage damages[] = {
        {"garbage",
         [](const QString& loan, const QString&) {
             QByteArray bytes;
             for (int k = 0; k < 8192; ++k)
                 bytes.append(char((k * 37 + 11) % 251));
             writeBytes(loan, bytes);
         },
         "file is not a database"},
        {"truncated",
         [](const QString& loan, const QString&) {
             makeLoans(3000);
             QFile file(loan);
             ASSERT_TRUE(file.resize(file.size() / 2));
         },
         "malformed"},
        {"another program's database",
         [](const QString& loan, const QString&) {
             QSqlDatabase other =
                 QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign"));
             other.setDatabaseName(loan);
             ASSERT_TRUE(other.open());
             QSqlQuery(other).exec(QStringLiteral("CREATE TABLE CUSTOMERS (ID INTEGER, NAME TEXT)"));
             QSqlQuery(other).exec(QStringLiteral("INSERT INTO CUSTOMERS VALUES (1, 'kept')"));
             other.close();
             other = QSqlDatabase();
             QSqlDatabase::removeDatabase(QStringLiteral("foreign"));
         },
         "other table"},
        {"the investment database in its place",
         [](const QString& loan, const QString& invest) {
             { db::Connection made(db::Alias::IBInvest); }
             ASSERT_TRUE(QFile::copy(invest, loan));
             ASSERT_TRUE(QFile::remove(invest));
         },
         "LOANSUMMARY LOANDETAIL"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        db::testing::TempDataFolder fresh;
        ASSERT_TRUE(QDir().mkpath(fresh.path()));
        const QString loanFile = QDir(fresh.path()).filePath(QStringLiteral("loan.db"));
        const QString investFile = QDir(fresh.path()).filePath(QStringLiteral("invest.db"));
        damage.make(loanFile, investFile);
        const QByteArray before = contents(loanFile);
        ASSERT_FALSE(before.isEmpty());

        try {
            db::Connection loan(db::Alias::IBLoan);
            ADD_FAILURE() << "the damaged file opened";
        } catch (const db::Error& e) {
            EXPECT_EQ(e.kind(), db::ErrorKind::Damaged);
            EXPECT_TRUE(e.message().contains(loanFile)) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QStringLiteral("Nothing was changed in the file")));
            EXPECT_TRUE(e.message().contains(QStringLiteral("File > Restore Loan DB")));
            EXPECT_TRUE(e.message().contains(QLatin1String(damage.reason))) << e.message().toStdString();
        }
        // Start-up tells the same once, for the loan database only.
        const QStringList problems = db::startupProblems();
        ASSERT_EQ(problems.size(), 1);
        EXPECT_TRUE(problems[0].contains(loanFile));

        // The investment database is made and used as ever.
        {
            db::Connection invest(db::Alias::IBInvest);
            db::Transaction transaction(invest);
            QSqlQuery q(invest.database());
            EXPECT_TRUE(
                q.exec(QStringLiteral("INSERT INTO INVESTSUMMARY (FUNDNO, ACTNO, NAME) VALUES (1, 7, 'x')")))
                << q.lastError().text().toStdString();
            transaction.commit();
        }
        EXPECT_EQ(contents(loanFile), before) << "the damaged file was written to";
        EXPECT_FALSE(QFile::exists(loanFile + QStringLiteral("-journal")));
    }
}

TEST_F(DbTest, StartUpOpensNothingThatIsNotThereYetAndTellsNothingOfSoundFiles) {
    EXPECT_TRUE(db::startupProblems().isEmpty());
    EXPECT_FALSE(QFile::exists(QDir(folder.path()).filePath(QStringLiteral("loan.db"))));
    makeLoans(2);
    { db::Connection invest(db::Alias::IBInvest); }
    EXPECT_TRUE(db::startupProblems().isEmpty());
}

TEST(ReadOnlyDataFolder, ReadsWhatItHoldsAndRefusesToWriteOrCreateSayingWhy) {
    db::testing::SmallDisk disk(1 << 20);
    if (!disk.available()) GTEST_SKIP() << disk.why().toStdString();
    const QByteArray oldHome = qgetenv("TALVERO_HOME");
    qputenv("TALVERO_HOME", QFile::encodeName(disk.path()));
    makeLoans(5);
    const QString loanFile = QDir(disk.path()).filePath(QStringLiteral("loan.db"));
    const QByteArray before = contents(loanFile);
    disk.makeReadOnly();
    {
        db::Connection loan(db::Alias::IBLoan);
        EXPECT_EQ(rowCount(loan, QStringLiteral("LOANSUMMARY")), 5);
        try {
            db::Transaction transaction(loan);
            QSqlQuery q = db::prepare(loan, u"DELETE FROM LOANSUMMARY");
            db::exec(q);
            transaction.commit();
            ADD_FAILURE() << "a read-only disk was written to";
        } catch (const db::Error& e) {
            EXPECT_EQ(e.kind(), db::ErrorKind::ReadOnly) << e.message().toStdString();
        }
    }
    try {
        db::Connection invest(db::Alias::IBInvest);
        ADD_FAILURE() << "a database was made on a read-only disk";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.message(), db::dataFolderReadOnlyMessage(disk.path()));
    }
    EXPECT_EQ(contents(loanFile), before);
    qputenv("TALVERO_HOME", oldHome);
}
