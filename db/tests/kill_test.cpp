#include "dbtest.h"

#include "db/keys.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

// A process killed in the middle of a large write leaves a database that opens cleanly with the
// last committed state: the first loan's three rows, nothing of the second, and its numbers free.
TEST_F(DbTest, KilledWriterLeavesOnlyCommittedRows) {
    QProcess writer;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TALVERO_HOME"), folder.path());
    writer.setProcessEnvironment(environment);
    // Enough rows that the uncommitted pages spill from the cache into the database file.
    writer.start(QStringLiteral(DB_KILL_HELPER), {QStringLiteral("60000")});
    ASSERT_TRUE(writer.waitForStarted());
    QByteArray output;
    while (!output.contains("ready") && writer.waitForReadyRead(60000))
        output += writer.readAllStandardOutput();
    ASSERT_TRUE(output.contains("ready")) << writer.readAllStandardError().toStdString();
    EXPECT_TRUE(QFileInfo::exists(folder.path() + QStringLiteral("/loan.db-journal")));
    EXPECT_GT(QFileInfo(folder.path() + QStringLiteral("/loan.db")).size(), 1 << 20); // pages spilled
    writer.kill();
    ASSERT_TRUE(writer.waitForFinished());
    EXPECT_EQ(writer.exitStatus(), QProcess::CrashExit);

    db::Connection loan(db::Alias::IBLoan);
    EXPECT_EQ(scalar(loan, QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    EXPECT_EQ(rowCount(loan, QStringLiteral("LOANSUMMARY")), 1);
    EXPECT_EQ(rowCount(loan, QStringLiteral("LOANDETAIL")), 3);
    EXPECT_EQ(scalar(loan, QStringLiteral("SELECT MAX(RECNO) FROM LOANDETAIL")).toLongLong(), 3);
    EXPECT_EQ(db::nextKey(loan, db::Generator::GETSUMNOGEN), 2);
    EXPECT_EQ(db::nextKey(loan, db::Generator::GETRECNOGEN), 4);
}
