// The maintenance scripts on aliases that point at a Firebird server, run for real against the
// server the environment names (TALVERO_FIREBIRD_*); skipped without one, failed without one when
// TALVERO_FIREBIRD_REQUIRED=1.
#include "db/connection.h"
#include "db/datafolder.h"
#include "firebirdserver.h"
#include "savedloans.h"
#include "shell/maintenance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace {

struct ScriptRun {
    int exitCode;
    QString out;
    QString err;
};

// Everything the scripts wrote in this test, searched for the password at the end.
QString& everyOutput() {
    static QString text;
    return text;
}

ScriptRun run(const char* script, const QStringList& arguments = {}) {
    QProcess process;
    process.setProgram(QDir(shell::scriptsFolder()).filePath(QString::fromLatin1(script)));
    process.setArguments(arguments);
    process.start();
    if (!process.waitForFinished(120000)) return {-1, {}, process.errorString()};
    ScriptRun r{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    everyOutput() += r.out + r.err;
    return r;
}

QString dataFile(const QString& name) {
    return QDir(db::dataFolderPath()).filePath(name);
}

QStringList filesMatching(const QString& folder, const QString& pattern) {
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}

// The first column of every row of a query on the alias's database, as text.
QStringList column(db::Alias alias, const QString& sql) {
    db::Connection c(alias);
    QSqlQuery q(c.database());
    if (!q.exec(sql)) return {QStringLiteral("error")};
    QStringList values;
    while (q.next())
        values << q.value(0).toString();
    return values;
}

// The saved loans: number, amount, balloon payments and detail rows.
QStringList loans() {
    db::Connection c(db::Alias::IBLoan);
    QSqlQuery q(c.database());
    if (!q.exec(QStringLiteral("SELECT s.LOANNO, s.ORGAMT, s.BLPAY, "
                               "(SELECT count(*) FROM LOANDETAIL d WHERE d.LOANNO = s.LOANNO) "
                               "FROM LOANSUMMARY s ORDER BY s.LOANNO")))
        return {QStringLiteral("error")};
    QStringList rows;
    while (q.next())
        rows << QStringLiteral("%1 %2 %3 %4")
                    .arg(q.value(0).toString(), q.value(1).toString(),
                         q.value(2).isNull() ? QStringLiteral("-") : q.value(2).toString(),
                         q.value(3).toString());
    return rows;
}

class FirebirdScripts : public ::testing::Test {
protected:
    void SetUp() override {
        server_ = contract::serverForTest();
        if (!server_) return;
        // Each test has its own folder on the server, so the kept copies beside its databases are its own.
        static int serial = 0;
        folder_ = QStringLiteral("%1/scripts-%2-%3")
                      .arg(server_->folder)
                      .arg(QCoreApplication::applicationPid())
                      .arg(++serial);
        ASSERT_TRUE(QDir().mkpath(folder_));
        everyOutput().clear();
        databases_.create(*server_, QDir(folder_).filePath(QStringLiteral("loan.fdb")),
                          QDir(folder_).filePath(QStringLiteral("invest.fdb")));
    }

    void TearDown() override {
        if (server_) {
            EXPECT_FALSE(everyOutput().contains(server_->password)) << "the scripts never show the password";
            EXPECT_TRUE(filesMatching(folder_, QStringLiteral("talvero-scratch-*")).isEmpty())
                << "no scratch database is left on the server";
        }
        databases_.drop();
        if (server_) QDir(folder_).removeRecursively();
    }

    // The loans in a gbak file, read through a database restored from it beside the others.
    QStringList loansInBackup(const QString& file) {
        static int serial = 0;
        const QString path = QDir(folder_).filePath(QStringLiteral("read-%1.fdb").arg(++serial));
        QProcess gbak;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ISC_USER"), server_->user);
        environment.insert(QStringLiteral("ISC_PASSWORD"), server_->password);
        gbak.setProcessEnvironment(environment);
        gbak.setProcessChannelMode(QProcess::MergedChannels);
        gbak.start(QStringLiteral("gbak"), {QStringLiteral("-c"), file, server_->remote(path)});
        if (!gbak.waitForFinished(60000) || gbak.exitCode() != 0)
            return {QStringLiteral("gbak failed: ") + QString::fromLocal8Bit(gbak.readAll())};
        databases_.add(path);
        const QByteArray database = qgetenv("TALVERO_IBLOAN_DATABASE");
        qputenv("TALVERO_IBLOAN_DATABASE", path.toUtf8());
        const QStringList read = loans();
        qputenv("TALVERO_IBLOAN_DATABASE", database);
        return read;
    }

    // Every file in this test's folder on the server.
    QStringList serverFiles() const { return QDir(folder_).entryList(QDir::Files, QDir::Name); }

    std::optional<contract::FirebirdServer> server_;
    QString folder_;
    contract::TestDatabases databases_;
};

QStringList saveTwoLoans() {
    portfoliotest::saveRegular({12000, 12, 100, 661.86, 0, 0});
    portfoliotest::saveBalloon({30000, 360, 250, 9000, 0, 0}, 60);
    const QStringList saved = loans();
    EXPECT_EQ(saved.size(), 2);
    EXPECT_TRUE(saved.value(0).startsWith(QStringLiteral("1 12000 - "))) << saved.value(0).toStdString();
    EXPECT_TRUE(saved.value(1).startsWith(QStringLiteral("2 30000 60 "))) << saved.value(1).toStdString();
    return saved;
}

TEST_F(FirebirdScripts, BackupThenRestoreGivesBackTheSameLoans) {
    const QStringList kTwoLoans = saveTwoLoans();

    const ScriptRun backup = run("loanbackup.sh");
    ASSERT_EQ(backup.exitCode, 0) << backup.err.toStdString();
    const QString backups = dataFile(QStringLiteral("backups"));
    const QStringList dated = filesMatching(backups, QStringLiteral("loan-2*.fbk"));
    ASSERT_EQ(dated.size(), 1);
    EXPECT_TRUE(backup.out.contains(QDir(backups).filePath(dated[0]))) << backup.out.toStdString();
    EXPECT_EQ(loansInBackup(QDir(backups).filePath(dated[0])), kTwoLoans);
    EXPECT_EQ(loansInBackup(QDir(backups).filePath(QStringLiteral("loan-latest.fbk"))), kTwoLoans);
    EXPECT_TRUE(filesMatching(backups, QStringLiteral(".*")).isEmpty()) << "no staging file is left";

    // Later work: a third loan, and the first one gone.
    portfoliotest::saveRegular({5000, 6, 0, 100, 0, 0});
    {
        db::Connection c(db::Alias::IBLoan);
        QSqlQuery q(c.database());
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM LOANDETAIL WHERE LOANNO = 1")));
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM LOANSUMMARY WHERE LOANNO = 1")));
    }
    const QStringList later = loans();
    ASSERT_EQ(later.size(), 2);

    const ScriptRun restore = run("loanrestore.sh");
    ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_EQ(loans(), kTwoLoans);
    const QStringList kept = filesMatching(folder_, QStringLiteral("loan-replaced-*.fbk"));
    ASSERT_EQ(kept.size(), 1) << "the replaced database stays beside the restored one";
    EXPECT_TRUE(restore.out.contains(QDir(folder_).filePath(kept[0]))) << restore.out.toStdString();
    EXPECT_EQ(loansInBackup(QDir(folder_).filePath(kept[0])), later);

    // The generators come back with the loans: the next loan is numbered after the restored ones.
    EXPECT_EQ(portfoliotest::saveRegular({7000, 6, 0, 100, 0, 0}), 3);
}

TEST_F(FirebirdScripts, RestoreRefusesAMissingOrDamagedBackupAndChangesNothing) {
    saveTwoLoans();
    ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
    { db::Connection invest(db::Alias::IBInvest); }
    ASSERT_EQ(run("investbackup.sh").exitCode, 0);
    portfoliotest::saveRegular({5000, 6, 0, 100, 0, 0});
    const QStringList before = loans();
    ASSERT_EQ(before.size(), 3);
    const QString latest = dataFile(QStringLiteral("backups/loan-latest.fbk"));
    QFile file(latest);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();
    QFile invest(dataFile(QStringLiteral("backups/invest-latest.fbk")));
    ASSERT_TRUE(invest.open(QIODevice::ReadOnly));
    const QByteArray investment = invest.readAll();

    const struct {
        const char* what;
        std::optional<QByteArray> content; // nothing: no file
        const char* said;
    } cases[] = {
        {"missing", std::nullopt, "does not exist"},
        {"not a backup", QByteArray("these are not the loans you saved\n").repeated(200),
         "is damaged: gbak cannot restore it"},
        {"cut short", good.left(good.size() / 2), "is damaged: gbak cannot restore it"},
        {"empty file", QByteArray(), "is damaged: gbak cannot restore it"},
        {"investment database", investment,
         "lacks the table(s) or procedure(s) GETSUMNOGEN LOANDETAIL LOANSUMMARY"},
    };
    const QStringList files = serverFiles();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(latest);
        if (c.content) {
            QFile out(latest);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(*c.content);
        }
        const ScriptRun restore = run("loanrestore.sh");
        EXPECT_NE(restore.exitCode, 0);
        EXPECT_TRUE(restore.err.contains(QString::fromLatin1(c.said))) << restore.err.toStdString();
        EXPECT_TRUE(restore.err.contains(QStringLiteral("the database is unchanged")))
            << restore.err.toStdString();
        EXPECT_TRUE(restore.out.isEmpty()) << restore.out.toStdString();
        EXPECT_EQ(loans(), before);
        EXPECT_EQ(serverFiles(), files) << "nothing kept, nothing left beside the database";
    }
}

TEST_F(FirebirdScripts, RestoreWhileTheProgramHoldsTheDatabaseIsRefused) {
    const QStringList kTwoLoans = saveTwoLoans();
    ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
    portfoliotest::saveRegular({5000, 6, 0, 100, 0, 0});
    const QStringList before = loans();
    {
        db::Connection held(db::Alias::IBLoan);
        const ScriptRun restore = run("loanrestore.sh");
        EXPECT_NE(restore.exitCode, 0);
        EXPECT_TRUE(restore.err.contains(QStringLiteral("in use by another program")))
            << restore.err.toStdString();
        EXPECT_TRUE(restore.err.contains(QStringLiteral("(the database is unchanged)")))
            << restore.err.toStdString();
        EXPECT_TRUE(filesMatching(folder_, QStringLiteral("loan-replaced-*")).isEmpty())
            << "no copy is kept for a restore that cannot happen";
    }
    EXPECT_EQ(loans(), before);
    const ScriptRun again = run("loanrestore.sh");
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(loans(), kTwoLoans);
}

// gbak's replace fails after it dropped the database: a gbak in front of the real one cuts the
// file of the client's replace short, the rest goes through.
TEST_F(FirebirdScripts, AReplaceThatFailsHalfWayPutsTheKeptDatabaseBack) {
    saveTwoLoans();
    ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
    portfoliotest::saveRegular({5000, 6, 0, 100, 0, 0});
    const QStringList before = loans();
    ASSERT_EQ(before.size(), 3);

    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    const QString realGbak = QStandardPaths::findExecutable(QStringLiteral("gbak"));
    ASSERT_FALSE(realGbak.isEmpty());
    const QString cut = QDir(bin.path()).filePath(QStringLiteral("cut.fbk"));
    const QString wrapper = QDir(bin.path()).filePath(QStringLiteral("gbak"));
    {
        QFile out(wrapper);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QStringLiteral("#!/bin/sh\n"
                                 "if [ \"$1\" = -rep ] && [ \"$2\" != -se ]; then\n"
                                 "  head -c 6000 \"$2\" > '%1'\n"
                                 "  exec '%2' -rep '%1' \"$3\"\n"
                                 "fi\n"
                                 "exec '%2' \"$@\"\n")
                      .arg(cut, realGbak)
                      .toUtf8());
    }
    ASSERT_TRUE(QFile::setPermissions(wrapper, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8() + ':' + path);
    const ScriptRun restore = run("loanrestore.sh");
    qputenv("PATH", path);

    EXPECT_NE(restore.exitCode, 0);
    const QStringList kept = filesMatching(folder_, QStringLiteral("loan-replaced-*.fbk"));
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(restore.err.contains(QStringLiteral("the database was put back from ") +
                                     QDir(folder_).filePath(kept[0])))
        << restore.err.toStdString();
    EXPECT_EQ(loans(), before);
}

TEST_F(FirebirdScripts, BlankKeepsTheOldDatabaseBesideTheNewEmptyOne) {
    const struct {
        const char* script;
        db::Alias alias;
        const char* pattern;
        const char* insert;
        const char* count;
        const char* key;
    } cases[] = {
        {"loanblank.sh", db::Alias::IBLoan, "loan-replaced-*.fbk",
         "INSERT INTO LOANSUMMARY (LOANNO, SUMNO, ORGAMT) VALUES (1, 1, 12000)",
         "SELECT count(*) FROM LOANSUMMARY", "SELECT GEN_ID(SUMNO_SEQ, 1) FROM RDB$DATABASE"},
        {"investblank.sh", db::Alias::IBInvest, "invest-replaced-*.fbk",
         "INSERT INTO INVESTSUMMARY (FUNDNO, ACTNO, NAME) VALUES (1, 100, 'Growth')",
         "SELECT count(*) FROM INVESTSUMMARY", "SELECT GEN_ID(FUNDNO_SEQ, 1) FROM RDB$DATABASE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        {
            db::Connection connection(c.alias);
            QSqlQuery q(connection.database());
            ASSERT_TRUE(q.exec(QString::fromLatin1(c.insert)));
            ASSERT_TRUE(q.exec(QString::fromLatin1(c.key)));
            ASSERT_TRUE(q.next());
            ASSERT_EQ(q.value(0).toInt(), 1);
            ASSERT_TRUE(q.exec(QString::fromLatin1(c.key)));
        }
        const ScriptRun blank = run(c.script);
        ASSERT_EQ(blank.exitCode, 0) << blank.err.toStdString();
        const QStringList kept = filesMatching(folder_, QString::fromLatin1(c.pattern));
        ASSERT_EQ(kept.size(), 1);
        EXPECT_TRUE(blank.out.contains(QDir(folder_).filePath(kept[0]))) << blank.out.toStdString();
        EXPECT_EQ(column(c.alias, QString::fromLatin1(c.count)), QStringList{QStringLiteral("0")});
        EXPECT_EQ(column(c.alias, QString::fromLatin1(c.key)), QStringList{QStringLiteral("1")})
            << "the key generators start again";

        // The kept copy holds the old row: restored over the blank one, it comes back.
        const ScriptRun restore = run(c.alias == db::Alias::IBLoan ? "loanrestore.sh" : "investrestore.sh",
                                      {QDir(folder_).filePath(kept[0])});
        ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
        EXPECT_EQ(column(c.alias, QString::fromLatin1(c.count)), QStringList{QStringLiteral("1")});
    }
}

TEST_F(FirebirdScripts, ThePasswordComesFromAFileOnlyItsOwnerReads) {
    saveTwoLoans();
    const QString passwordFile = dataFile(QStringLiteral("firebird.password"));
    {
        QFile out(passwordFile);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(server_->password.toUtf8() + '\n');
    }
    qunsetenv("TALVERO_IBLOAN_PASSWORD");
    qputenv("TALVERO_IBLOAN_PASSWORD_FILE", "firebird.password");
    const struct {
        QFile::Permissions permissions;
        bool accepted;
    } cases[] = {
        {QFile::ReadOwner | QFile::WriteOwner, true},
        {QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup, false},
        {QFile::ReadOwner | QFile::ReadOther, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.permissions));
        ASSERT_TRUE(QFile::setPermissions(passwordFile, c.permissions));
        QDir(dataFile(QStringLiteral("backups"))).removeRecursively();
        const ScriptRun backup = run("loanbackup.sh");
        if (c.accepted) {
            EXPECT_EQ(backup.exitCode, 0) << backup.err.toStdString();
            EXPECT_EQ(
                filesMatching(dataFile(QStringLiteral("backups")), QStringLiteral("loan-2*.fbk")).size(), 1);
        } else {
            EXPECT_NE(backup.exitCode, 0);
            EXPECT_TRUE(backup.err.contains(QStringLiteral("must be readable only by its owner (chmod 600)")))
                << backup.err.toStdString();
            EXPECT_FALSE(QFileInfo::exists(dataFile(QStringLiteral("backups"))));
        }
    }
    qunsetenv("TALVERO_IBLOAN_PASSWORD_FILE");
}

TEST_F(FirebirdScripts, AWrongPasswordFailsWithTheServersMessage) {
    qputenv("TALVERO_IBLOAN_PASSWORD", "not-the-password");
    const ScriptRun backup = run("loanbackup.sh");
    EXPECT_NE(backup.exitCode, 0);
    EXPECT_TRUE(backup.err.contains(QStringLiteral("user name and password are not defined")))
        << backup.err.toStdString();
    EXPECT_FALSE(backup.err.contains(QStringLiteral("not-the-password")));
    EXPECT_TRUE(filesMatching(dataFile(QStringLiteral("backups")), QStringLiteral("*.fbk")).isEmpty());
}

} // namespace
