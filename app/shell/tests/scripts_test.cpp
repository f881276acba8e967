// The six database maintenance scripts, each run for real from the program's scripts folder on the
// test's own data folder.
#include "db/connection.h"
#include "db/datafolder.h"
#include "db/testsupport/tempdatafolder.h"
#include "db/transaction.h"
#include "dbfile.h"
#include "savedloans.h"
#include "shell/maintenance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

#include <ostream>

// Readable QString values in failure messages.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

struct ScriptRun {
    int exitCode;
    QString out;
    QString err;
};

ScriptRun run(const char* script, const QStringList& arguments = {}) {
    QProcess process;
    process.setProgram(QDir(shell::scriptsFolder()).filePath(QString::fromLatin1(script)));
    process.setArguments(arguments);
    process.start();
    if (!process.waitForFinished(60000)) return {-1, {}, process.errorString()};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QString dataFile(const QString& name) {
    return QDir(db::dataFolderPath()).filePath(name);
}

QByteArray bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(data);
}

// Every file of a folder with a digest of its bytes, so a refused command can be shown to change
// nothing.
QStringList folderContents(const QString& path) {
    QStringList contents;
    const QDir dir(path);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        contents << name + QLatin1Char(' ') +
                        QString::fromLatin1(
                            QCryptographicHash::hash(bytes(dir.filePath(name)), QCryptographicHash::Sha256)
                                .toHex());
    return contents;
}

QStringList filesMatching(const QString& folder, const QString& pattern) {
    return QDir(folder).entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name);
}

using shelltest::column;

// The saved loans of a loan database file: number, amount, balloon payments and detail rows.
QStringList loansIn(const QString& file) {
    return column(
        file, QStringLiteral("SELECT s.LOANNO || ' ' || s.ORGAMT || ' ' || ifnull(s.BLPAY, '-') || ' ' || "
                             "(SELECT count(*) FROM LOANDETAIL d WHERE d.LOANNO = s.LOANNO) "
                             "FROM LOANSUMMARY s ORDER BY s.LOANNO"));
}

// Saves a regular and a balloon loan and returns them as loansIn lists them.
QStringList saveTwoLoans() {
    portfoliotest::saveRegular({12000, 12, 100, 661.86, 0, 0});
    portfoliotest::saveBalloon({30000, 360, 250, 9000, 0, 0}, 60);
    const QStringList saved = loansIn(db::resolveAlias(db::Alias::IBLoan).database);
    EXPECT_EQ(saved.size(), 2);
    EXPECT_TRUE(saved.value(0).startsWith(QStringLiteral("1 12000.0 - "))) << saved.value(0).toStdString();
    EXPECT_TRUE(saved.value(1).startsWith(QStringLiteral("2 30000.0 60.0 "))) << saved.value(1).toStdString();
    return saved;
}

TEST(Scripts, StartFromTheSourceTreeInABuild) {
    const QString folder = shell::scriptsFolder();
    for (const auto& command : shell::maintenanceCommands()) {
        SCOPED_TRACE(command.script);
        EXPECT_TRUE(QFileInfo(QDir(folder).filePath(QString::fromLatin1(command.script))).isExecutable());
    }
    EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("../db/sqlite/loan.sql"))))
        << "the blank schemas sit beside the scripts folder";
}

TEST(Scripts, AnInstalledProgramStartsTheScriptsOfItsInstallation) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QDir root(prefix.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("bin")));
    EXPECT_EQ(shell::scriptsFolderFor(root.filePath(QStringLiteral("bin"))), shell::scriptsFolder())
        << "no scripts installed there: the source tree's";
    ASSERT_TRUE(root.mkpath(QStringLiteral("share/talvero/scripts")));
    writeBytes(root.filePath(QStringLiteral("share/talvero/scripts/dbmaint.sh")), "# shell=bash\n");
    EXPECT_EQ(shell::scriptsFolderFor(root.filePath(QStringLiteral("bin"))),
              root.filePath(QStringLiteral("share/talvero/scripts")));
}

TEST(Scripts, BackupThenRestoreGivesBackTheSameLoans) {
    const QStringList kTwoLoans = saveTwoLoans();

    const ScriptRun backup = run("loanbackup.sh");
    ASSERT_EQ(backup.exitCode, 0) << backup.err.toStdString();
    const QString backups = dataFile(QStringLiteral("backups"));
    const QStringList dated = filesMatching(backups, QStringLiteral("loan-2*.db"));
    ASSERT_EQ(dated.size(), 1);
    EXPECT_TRUE(backup.out.contains(QDir(backups).filePath(dated[0]))) << backup.out.toStdString();
    EXPECT_EQ(loansIn(QDir(backups).filePath(dated[0])), kTwoLoans);
    EXPECT_EQ(loansIn(QDir(backups).filePath(QStringLiteral("loan-latest.db"))), kTwoLoans);

    // Later work: a third loan, and the first one gone.
    portfoliotest::saveRegular({5000, 6, 0, 100, 0, 0});
    {
        db::Connection c(db::Alias::IBLoan);
        QSqlQuery q(c.database());
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM LOANSUMMARY WHERE LOANNO = 1")));
    }
    const QStringList later = loansIn(dataFile(QStringLiteral("loan.db")));
    ASSERT_EQ(later.size(), 2);

    const ScriptRun restore = run("loanrestore.sh");
    ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_EQ(loansIn(dataFile(QStringLiteral("loan.db"))), kTwoLoans);
    const QStringList kept = filesMatching(db::dataFolderPath(), QStringLiteral("loan-replaced-*.db"));
    ASSERT_EQ(kept.size(), 1) << "the replaced database stays beside the restored one";
    EXPECT_EQ(loansIn(dataFile(kept[0])), later);
    EXPECT_TRUE(restore.out.contains(dataFile(kept[0]))) << restore.out.toStdString();

    // The program opens the restored database and numbers the next loan after the restored ones.
    EXPECT_EQ(portfoliotest::saveRegular({7000, 6, 0, 100, 0, 0}), 3);
}

TEST(Scripts, EveryBackupKeepsItsOwnDatedFile) {
    saveTwoLoans();
    ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
    portfoliotest::saveRegular({5000, 6, 0, 100, 0, 0});
    ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
    const QString backups = dataFile(QStringLiteral("backups"));
    const QStringList dated = filesMatching(backups, QStringLiteral("loan-2*.db"));
    ASSERT_EQ(dated.size(), 2);
    EXPECT_EQ(loansIn(QDir(backups).filePath(dated[0])).size(), 2);
    EXPECT_EQ(loansIn(QDir(backups).filePath(dated[1])).size(), 3);
    EXPECT_EQ(loansIn(QDir(backups).filePath(QStringLiteral("loan-latest.db"))).size(), 3)
        << "restore reads the last";
    EXPECT_TRUE(filesMatching(backups, QStringLiteral(".*")).isEmpty()) << "no staging file is left";
}

// Overwrites the start of every page but the first: the header still says SQLite, the b-trees are
// garbage.
QByteArray damagedPages(QByteArray data) {
    for (qsizetype page = 4096; page + 16 <= data.size(); page += 4096)
        for (int k = 0; k < 16; ++k)
            data[page + k] = char(0xff);
    return data;
}

TEST(Scripts, RestoreRefusesAMissingOrDamagedBackupAndChangesNothing) {
    const struct {
        const char* what;
        const char* said;
    } cases[] = {
        {"missing", "does not exist"},
        {"not a database", "is damaged: it is not a readable SQLite database"},
        {"damaged pages", "is damaged"},
        {"empty file", "lacks the table(s) KEYGEN LOANDETAIL LOANSUMMARY"},
        {"investment database", "lacks the table(s) LOANDETAIL LOANSUMMARY"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        db::testing::TempDataFolder folder;
        saveTwoLoans();
        ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
        { db::Connection invest(db::Alias::IBInvest); }
        ASSERT_EQ(run("investbackup.sh").exitCode, 0);
        const QString latest = dataFile(QStringLiteral("backups/loan-latest.db"));
        const QString what = QString::fromLatin1(c.what);
        if (what == QStringLiteral("missing")) {
            QFile::remove(latest);
        } else if (what == QStringLiteral("not a database")) {
            writeBytes(latest, QByteArray("these are not the loans you saved\n").repeated(200));
        } else if (what == QStringLiteral("damaged pages")) {
            writeBytes(latest, damagedPages(bytes(latest)));
        } else if (what == QStringLiteral("empty file")) {
            writeBytes(latest, {});
        } else {
            writeBytes(latest, bytes(dataFile(QStringLiteral("backups/invest-latest.db"))));
        }
        portfoliotest::saveRegular({5000, 6, 0, 100, 0, 0});
        const auto before = folderContents(db::dataFolderPath());

        const ScriptRun restore = run("loanrestore.sh");
        EXPECT_NE(restore.exitCode, 0);
        EXPECT_TRUE(restore.err.contains(QString::fromLatin1(c.said))) << restore.err.toStdString();
        EXPECT_TRUE(restore.err.contains(QStringLiteral("the database is unchanged")))
            << restore.err.toStdString();
        EXPECT_TRUE(restore.out.isEmpty()) << restore.out.toStdString();
        EXPECT_EQ(folderContents(db::dataFolderPath()), before)
            << "loan.db byte for byte, and nothing beside it";
    }
}

TEST(Scripts, RestoreOverADamagedDatabaseKeepsItByteForByte) {
    const QStringList kTwoLoans = saveTwoLoans();
    ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
    const QByteArray damaged = damagedPages(bytes(dataFile(QStringLiteral("loan.db"))));
    writeBytes(dataFile(QStringLiteral("loan.db")), damaged);

    const ScriptRun restore = run("loanrestore.sh");
    ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_EQ(loansIn(dataFile(QStringLiteral("loan.db"))), kTwoLoans);
    const QStringList kept = filesMatching(db::dataFolderPath(), QStringLiteral("loan-replaced-*.db"));
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(bytes(dataFile(kept[0])), damaged);
    EXPECT_TRUE(restore.out.contains(QStringLiteral("SQLite could not read it")))
        << restore.out.toStdString();
}

TEST(Scripts, BlankKeepsTheOldFileBesideTheNewEmptyDatabase) {
    const struct {
        const char* script;
        db::Alias alias;
        const char* file;
        const char* pattern;
        const char* insert;
        const char* count;
    } cases[] = {
        {"loanblank.sh", db::Alias::IBLoan, "loan.db", "loan-replaced-*.db",
         "INSERT INTO LOANSUMMARY (LOANNO, SUMNO, ORGAMT) VALUES (1, 1, 12000)",
         "SELECT count(*) FROM LOANSUMMARY"},
        {"investblank.sh", db::Alias::IBInvest, "invest.db", "invest-replaced-*.db",
         "INSERT INTO INVESTSUMMARY (FUNDNO, ACTNO, NAME) VALUES (1, 100, 'Growth')",
         "SELECT count(*) FROM INVESTSUMMARY"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        db::testing::TempDataFolder folder;
        {
            db::Connection connection(c.alias);
            QSqlQuery q(connection.database());
            ASSERT_TRUE(q.exec(QString::fromLatin1(c.insert)));
        }
        const QByteArray old = bytes(dataFile(QString::fromLatin1(c.file)));

        const ScriptRun blank = run(c.script);
        ASSERT_EQ(blank.exitCode, 0) << blank.err.toStdString();
        const QStringList kept = filesMatching(db::dataFolderPath(), QString::fromLatin1(c.pattern));
        ASSERT_EQ(kept.size(), 1);
        EXPECT_EQ(column(dataFile(kept[0]), QString::fromLatin1(c.count)), QStringList{QStringLiteral("1")});
        EXPECT_EQ(column(dataFile(QString::fromLatin1(c.file)), QString::fromLatin1(c.count)),
                  QStringList{QStringLiteral("0")});
        EXPECT_EQ(column(dataFile(QString::fromLatin1(c.file)), QStringLiteral("PRAGMA user_version")),
                  QStringList{QStringLiteral("1")});
        EXPECT_NE(bytes(dataFile(QString::fromLatin1(c.file))), old);
        EXPECT_TRUE(blank.out.contains(dataFile(kept[0]))) << blank.out.toStdString();
        // The program takes the new file as its own: the key generators start again.
        db::Connection connection(c.alias);
        QSqlQuery q(connection.database());
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT count(*) FROM KEYGEN WHERE NUM = 0")));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toInt(), 2);
    }
}

TEST(Scripts, BlankOnAFreshDataFolderWritesTheDatabase) {
    const ScriptRun blank = run("loanblank.sh");
    ASSERT_EQ(blank.exitCode, 0) << blank.err.toStdString();
    EXPECT_EQ(loansIn(dataFile(QStringLiteral("loan.db"))), QStringList{});
    EXPECT_TRUE(filesMatching(db::dataFolderPath(), QStringLiteral("loan-replaced-*")).isEmpty());
}

TEST(Scripts, BackupWhileAnotherConnectionHoldsTheDatabaseIsConsistent) {
    const QStringList kTwoLoans = saveTwoLoans();
    db::Connection held(db::Alias::IBLoan);
    {
        const ScriptRun backup = run("loanbackup.sh");
        ASSERT_EQ(backup.exitCode, 0) << backup.err.toStdString();
    }
    db::Transaction transaction(held);
    QSqlQuery q(held.database());
    ASSERT_TRUE(
        q.exec(QStringLiteral("INSERT INTO LOANSUMMARY (LOANNO, SUMNO, ORGAMT) VALUES (9, 9, 99999)")));
    ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM LOANDETAIL WHERE LOANNO = 2")));

    const ScriptRun backup = run("loanbackup.sh");
    ASSERT_EQ(backup.exitCode, 0) << backup.err.toStdString();
    const QString latest = dataFile(QStringLiteral("backups/loan-latest.db"));
    EXPECT_EQ(column(latest, QStringLiteral("PRAGMA integrity_check")), QStringList{QStringLiteral("ok")});
    EXPECT_EQ(loansIn(latest), kTwoLoans) << "the committed loans, none of the open transaction";

    // A restore over a database another connection is writing is refused.
    const ScriptRun restore = run("loanrestore.sh");
    EXPECT_NE(restore.exitCode, 0);
    EXPECT_TRUE(restore.err.contains(QStringLiteral("in use by another program")))
        << restore.err.toStdString();
    EXPECT_TRUE(filesMatching(db::dataFolderPath(), QStringLiteral("loan-replaced-*")).isEmpty());

    transaction.commit();
    EXPECT_EQ(loansIn(dataFile(QStringLiteral("loan.db"))).size(), 3) << "the writer's work is whole";
}

TEST(Scripts, AnAliasTheProgramCannotUseIsRefused) {
    const struct {
        const char* what;
        const char* aliases;
        const char* said;
    } cases[] = {
        {"another driver", "[IBLoan]\ndriver=QMYSQL\n[IBInvest]\ndriver=QPSQL\n",
         "which these scripts cannot use"},
        {"a server without a password",
         "[IBLoan]\ndriver=QIBASE\ndatabase=/srv/loan.fdb\n[IBInvest]\ndriver=QIBASE\ndatabase=/srv/"
         "invest.fdb\n",
         "has no password: set TALVERO_IB"},
        {"a server without a database", "[IBLoan]\ndriver=QIBASE\n[IBInvest]\ndriver=qibase\n",
         "names no database on the server"},
        {"a password in the aliases file",
         "[IBLoan]\npassword=secret\n[IBInvest]\ndriver=QIBASE\ndatabase=/srv/i.fdb\npassword = secret\n",
         "holds a password"},
        {"a password file others can read",
         "[IBLoan]\ndriver=QIBASE\ndatabase=/srv/l.fdb\npassword_file=pw\n"
         "[IBInvest]\ndriver=QIBASE\ndatabase=/srv/i.fdb\npassword_file=pw\n",
         "must be readable only by its owner (chmod 600)"},
        {"a port that is no port",
         "[IBLoan]\ndriver=QIBASE\ndatabase=/srv/l.fdb\nport=70000\n"
         "[IBInvest]\ndriver=QIBASE\ndatabase=/srv/i.fdb\nport=x\n",
         "which is no port number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        db::testing::TempDataFolder folder;
        folder.writeAliases(c.aliases);
        const QString pw = QDir(folder.path()).filePath(QStringLiteral("pw"));
        writeBytes(pw, "secret\n");
        QFile::setPermissions(pw, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        const auto before = folderContents(folder.path());
        for (const auto& command : shell::maintenanceCommands()) {
            SCOPED_TRACE(command.script);
            const ScriptRun r = run(command.script);
            EXPECT_NE(r.exitCode, 0);
            EXPECT_TRUE(r.err.contains(QString::fromLatin1(c.said))) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(QStringLiteral("nothing was done"))) << r.err.toStdString();
            EXPECT_FALSE(r.err.contains(QStringLiteral("secret")));
            EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        }
        EXPECT_EQ(folderContents(folder.path()), before);
        EXPECT_FALSE(QFileInfo::exists(QDir(folder.path()).filePath(QStringLiteral("backups"))));
    }
}

TEST(Scripts, AnAliasOnAnotherSqliteFileIsFollowed) {
    db::testing::TempDataFolder folder;
    folder.writeAliases("[IBLoan]\ndatabase=elsewhere/loans.sqlite\n");
    QDir(folder.path()).mkpath(QStringLiteral("elsewhere"));
    const QStringList kTwoLoans = saveTwoLoans();
    ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
    EXPECT_EQ(loansIn(dataFile(QStringLiteral("backups/loan-latest.db"))), kTwoLoans);
    ASSERT_EQ(run("loanblank.sh").exitCode, 0);
    EXPECT_EQ(
        filesMatching(dataFile(QStringLiteral("elsewhere")), QStringLiteral("loan-replaced-*.db")).size(), 1);
    ASSERT_EQ(run("loanrestore.sh").exitCode, 0);
    EXPECT_EQ(loansIn(dataFile(QStringLiteral("elsewhere/loans.sqlite"))), kTwoLoans);
    EXPECT_FALSE(QFileInfo::exists(dataFile(QStringLiteral("loan.db"))));
}

TEST(Scripts, TheEnvironmentOverridesTheAliasesFileAsInTheProgram) {
    db::testing::TempDataFolder folder;
    folder.writeAliases("[IBLoan]\ndatabase=elsewhere/loans.sqlite\n");
    QDir(folder.path()).mkpath(QStringLiteral("elsewhere"));
    qputenv("TALVERO_IBLOAN_DATABASE", " elsewhere/env.sqlite ");
    const QStringList kTwoLoans = saveTwoLoans();
    EXPECT_TRUE(QFileInfo::exists(dataFile(QStringLiteral("elsewhere/env.sqlite"))));
    const ScriptRun backup = run("loanbackup.sh");
    qunsetenv("TALVERO_IBLOAN_DATABASE");
    ASSERT_EQ(backup.exitCode, 0) << backup.err.toStdString();
    EXPECT_TRUE(backup.out.contains(dataFile(QStringLiteral("elsewhere/env.sqlite"))))
        << backup.out.toStdString();
    EXPECT_EQ(loansIn(dataFile(QStringLiteral("backups/loan-latest.db"))), kTwoLoans);
}

TEST(Scripts, AFailedBackupOfADamagedDatabaseLeavesNoFileBehind) {
    saveTwoLoans();
    const QString database = db::resolveAlias(db::Alias::IBLoan).database;
    writeBytes(database, damagedPages(bytes(database)));
    const QByteArray damaged = bytes(database);

    const ScriptRun backup = run("loanbackup.sh");
    EXPECT_NE(backup.exitCode, 0) << backup.out.toStdString();
    EXPECT_FALSE(backup.err.isEmpty());
    EXPECT_EQ(bytes(database), damaged);
    const QString backups = dataFile(QStringLiteral("backups"));
    EXPECT_TRUE(filesMatching(backups, QStringLiteral(".*")).isEmpty()) << "no staging file is left";
    EXPECT_TRUE(filesMatching(backups, QStringLiteral("loan-*")).isEmpty()) << "no backup is named";
}

TEST(Scripts, BackupWithNoDatabaseFails) {
    const ScriptRun backup = run("investbackup.sh");
    EXPECT_NE(backup.exitCode, 0);
    EXPECT_TRUE(backup.err.contains(QStringLiteral("there is no database to back up")))
        << backup.err.toStdString();
}

} // namespace
