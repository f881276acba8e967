// The six database maintenance scripts, run for real from the program's scripts folder, in the
// environment the program starts them in, on the test's own data folder. The cases both backends
// share run on a SQLite alias and on a Firebird one (the server TALVERO_FIREBIRD_* names: skipped
// without one, failed without one when TALVERO_FIREBIRD_REQUIRED=1); each backend's own cases follow.
#include "db/connection.h"
#include "db/datafolder.h"
#include "db/keys.h"
#include "db/testsupport/smalldisk.h"
#include "db/testsupport/tempdatafolder.h"
#include "db/transaction.h"
#include "dbfile.h"
#include "firebirdserver.h"
#include "savedloans.h"
#include "shell/maintenance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
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

// Everything the scripts wrote in this test, searched for the password at the end.
QString& everyOutput() {
    static QString text;
    return text;
}

ScriptRun runIn(const QString& path, const QProcessEnvironment& environment,
                const QStringList& arguments = {}) {
    QProcess process;
    process.setProgram(path);
    process.setArguments(arguments);
    process.setProcessEnvironment(environment);
    process.start();
    if (!process.waitForFinished(120000)) return {-1, {}, process.errorString()};
    ScriptRun r{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    everyOutput() += r.out + r.err;
    return r;
}

// A script of the program's scripts folder, started as the program starts it.
ScriptRun run(const char* script, const QStringList& arguments = {}) {
    return runIn(QDir(shell::scriptsFolder()).filePath(QString::fromLatin1(script)),
                 shell::scriptEnvironment(), arguments);
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

const char* const kLoansQuery = "SELECT s.LOANNO, s.ORGAMT, s.BLPAY, "
                                "(SELECT count(*) FROM LOANDETAIL d WHERE d.LOANNO = s.LOANNO) "
                                "FROM LOANSUMMARY s ORDER BY s.LOANNO";

// The saved loans: number, amount, balloon payments and detail rows.
QStringList loansOf(QSqlDatabase database) {
    QSqlQuery q(database);
    if (!q.exec(QString::fromLatin1(kLoansQuery))) return {QStringLiteral("error")};
    QStringList rows;
    while (q.next())
        rows << QStringLiteral("%1 %2 %3 %4")
                    .arg(q.value(0).toString(), q.value(1).toString(),
                         q.value(2).isNull() ? QStringLiteral("-") : q.value(2).toString(),
                         q.value(3).toString());
    return rows;
}

// The saved loans of a SQLite file, read through a read-only connection of its own.
QStringList loansInFile(const QString& file) {
    return shelltest::readFile(file, [](QSqlDatabase& database) { return loansOf(database); });
}

// The saved loans of the loan alias, through the program's own connection.
QStringList loansOnAlias() {
    db::Connection c(db::Alias::IBLoan);
    return loansOf(c.database());
}

// Overwrites the start of every page but the first: the header still says SQLite, the b-trees are
// garbage.
QByteArray damagedPages(QByteArray data) {
    for (qsizetype page = 4096; page + 16 <= data.size(); page += 4096)
        for (int k = 0; k < 16; ++k)
            data[page + k] = char(0xff);
    return data;
}

// What a test needs of the backend an alias points at.
class Backend {
public:
    virtual ~Backend() = default;
    // Points both aliases at the test's databases; skips (or fails) the test when it cannot.
    virtual void setUp() {}
    // The checks every test of the backend ends with; frees what setUp took, also after a setUp
    // that failed half way.
    virtual void tearDown() {}
    // The extension of backup files.
    virtual QString extension() const = 0;
    // The saved loans of the loan alias's database, as loansOf lists them.
    virtual QStringList loans() = 0;
    // The saved loans in a backup file or a kept copy.
    virtual QStringList loansInBackup(const QString& file) = 0;
    // Where a replaced database is kept.
    virtual QString keptFolder() const = 0;
    // What a refused command leaves exactly as it is: the databases and every file beside them.
    virtual QStringList state() = 0;
    // A backup file damaged past reading, made from a sound one.
    virtual QByteArray damaged(const QByteArray& sound) const = 0;
};

class SqliteBackend : public Backend {
public:
    QString extension() const override { return QStringLiteral("db"); }
    QStringList loans() override { return loansInFile(db::resolveAlias(db::Alias::IBLoan).database); }
    QStringList loansInBackup(const QString& file) override { return loansInFile(file); }
    QString keptFolder() const override { return db::dataFolderPath(); }
    QStringList state() override { return folderContents(db::dataFolderPath()); }
    QByteArray damaged(const QByteArray& sound) const override { return damagedPages(sound); }
};

class FirebirdBackend : public Backend {
public:
    void setUp() override {
        server_ = contract::serverForTest();
        if (!server_) return;
        // Each test has its own folder on the server, so the kept copies beside its databases are its own.
        static int serial = 0;
        folder_ = QStringLiteral("%1/scripts-%2-%3")
                      .arg(server_->folder)
                      .arg(QCoreApplication::applicationPid())
                      .arg(++serial);
        if (!QDir().mkpath(folder_)) {
            // FAIL returns from the function it stands in, hence the lambda; the test body is skipped.
            [this] { FAIL() << "cannot create " << folder_.toStdString(); }();
            return;
        }
        databases_.create(*server_, QDir(folder_).filePath(QStringLiteral("loan.fdb")),
                          QDir(folder_).filePath(QStringLiteral("invest.fdb")));
    }

    void tearDown() override {
        if (server_) {
            EXPECT_FALSE(everyOutput().contains(server_->password)) << "the scripts never show the password";
            EXPECT_TRUE(filesMatching(folder_, QStringLiteral("talvero-scratch-*")).isEmpty())
                << "no scratch database is left on the server";
        }
        databases_.drop();
        if (server_) QDir(folder_).removeRecursively();
    }

    QString extension() const override { return QStringLiteral("fbk"); }
    QStringList loans() override { return loansOnAlias(); }

    // Read through a database restored from the file beside the test's others.
    QStringList loansInBackup(const QString& file) override {
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
        const QStringList read = loansOnAlias();
        qputenv("TALVERO_IBLOAN_DATABASE", database);
        return read;
    }

    QString keptFolder() const override { return folder_; }
    QStringList state() override { return loans() + serverFiles(); }
    QByteArray damaged(const QByteArray& sound) const override { return sound.left(sound.size() / 2); }

    // Every file in this test's folder on the server.
    QStringList serverFiles() const { return QDir(folder_).entryList(QDir::Files, QDir::Name); }
    const contract::FirebirdServer& server() const { return *server_; }

private:
    std::optional<contract::FirebirdServer> server_;
    QString folder_;
    contract::TestDatabases databases_;
};

enum class Kind { Sqlite, Firebird };

const char* kindText(Kind kind) {
    return kind == Kind::Sqlite ? "Sqlite" : "Firebird";
}

// The backend by name in test names and in CTest's listing.
void PrintTo(Kind kind, std::ostream* os) {
    *os << kindText(kind);
}

std::string kindName(const ::testing::TestParamInfo<Kind>& info) {
    return kindText(info.param);
}

class BackendScripts : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        everyOutput().clear();
        if (GetParam() == Kind::Sqlite)
            backend_ = std::make_unique<SqliteBackend>();
        else
            backend_ = std::make_unique<FirebirdBackend>();
        backend_->setUp();
    }

    void TearDown() override { backend_->tearDown(); }

    bool sqlite() const { return GetParam() == Kind::Sqlite; }
    Backend& backend() { return *backend_; }
    QString backupPattern(const char* stem) const {
        return QStringLiteral("%1-2*.%2").arg(QLatin1String(stem), backend_->extension());
    }
    QString latest(const char* stem) const {
        return dataFile(
            QStringLiteral("backups/%1-latest.%2").arg(QLatin1String(stem), backend_->extension()));
    }
    QString replacedPattern(const char* stem) const {
        return QStringLiteral("%1-replaced-*.%2").arg(QLatin1String(stem), backend_->extension());
    }

    // Saves a regular and a balloon loan and returns them as loans() lists them.
    QStringList saveTwoLoans() {
        portfoliotest::saveRegular({12000, 12, 100, 661.86, 0, 0});
        portfoliotest::saveBalloon({30000, 360, 250, 9000, 0, 0}, 60);
        const QStringList saved = backend_->loans();
        EXPECT_EQ(saved.size(), 2);
        EXPECT_TRUE(saved.value(0).startsWith(QStringLiteral("1 12000 - "))) << saved.value(0).toStdString();
        EXPECT_TRUE(saved.value(1).startsWith(QStringLiteral("2 30000 60 "))) << saved.value(1).toStdString();
        return saved;
    }

    std::unique_ptr<Backend> backend_;
};

INSTANTIATE_TEST_SUITE_P(Backends, BackendScripts, ::testing::Values(Kind::Sqlite, Kind::Firebird), kindName);

TEST_P(BackendScripts, BackupThenRestoreGivesBackTheSameLoans) {
    const QStringList kTwoLoans = saveTwoLoans();

    const ScriptRun backup = run("loanbackup.sh");
    ASSERT_EQ(backup.exitCode, 0) << backup.err.toStdString();
    const QString backups = dataFile(QStringLiteral("backups"));
    const QStringList dated = filesMatching(backups, backupPattern("loan"));
    ASSERT_EQ(dated.size(), 1);
    EXPECT_TRUE(backup.out.contains(QDir(backups).filePath(dated[0]))) << backup.out.toStdString();
    EXPECT_TRUE(backup.out.contains(latest("loan"))) << backup.out.toStdString();
    EXPECT_EQ(backend().loansInBackup(QDir(backups).filePath(dated[0])), kTwoLoans);
    EXPECT_EQ(backend().loansInBackup(latest("loan")), kTwoLoans);
    EXPECT_TRUE(filesMatching(backups, QStringLiteral(".*")).isEmpty()) << "no staging file is left";

    // Later work: a third loan, and the first one gone.
    portfoliotest::saveRegular({5000, 6, 0, 100, 0, 0});
    {
        db::Connection c(db::Alias::IBLoan);
        QSqlQuery q(c.database());
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM LOANDETAIL WHERE LOANNO = 1")));
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM LOANSUMMARY WHERE LOANNO = 1")));
    }
    const QStringList later = backend().loans();
    ASSERT_EQ(later.size(), 2);

    const ScriptRun restore = run("loanrestore.sh");
    ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_EQ(backend().loans(), kTwoLoans);
    const QStringList kept = filesMatching(backend().keptFolder(), replacedPattern("loan"));
    ASSERT_EQ(kept.size(), 1) << "the replaced database stays beside the restored one";
    EXPECT_TRUE(restore.out.contains(QDir(backend().keptFolder()).filePath(kept[0])))
        << restore.out.toStdString();
    EXPECT_EQ(backend().loansInBackup(QDir(backend().keptFolder()).filePath(kept[0])), later);

    // The program opens the restored database and numbers the next loan after the restored ones.
    EXPECT_EQ(portfoliotest::saveRegular({7000, 6, 0, 100, 0, 0}), 3);
}

TEST_P(BackendScripts, EveryBackupKeepsItsOwnDatedFile) {
    saveTwoLoans();
    ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
    portfoliotest::saveRegular({5000, 6, 0, 100, 0, 0});
    ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
    const QString backups = dataFile(QStringLiteral("backups"));
    const QStringList dated = filesMatching(backups, backupPattern("loan"));
    ASSERT_EQ(dated.size(), 2);
    EXPECT_EQ(backend().loansInBackup(QDir(backups).filePath(dated[0])).size(), 2);
    EXPECT_EQ(backend().loansInBackup(QDir(backups).filePath(dated[1])).size(), 3);
    EXPECT_EQ(backend().loansInBackup(latest("loan")).size(), 3) << "restore reads the last";
    EXPECT_TRUE(filesMatching(backups, QStringLiteral(".*")).isEmpty()) << "no staging file is left";
}

TEST_P(BackendScripts, RestoreRefusesAMissingOrDamagedBackupAndChangesNothing) {
    saveTwoLoans();
    ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
    { db::Connection invest(db::Alias::IBInvest); }
    ASSERT_EQ(run("investbackup.sh").exitCode, 0);
    portfoliotest::saveRegular({5000, 6, 0, 100, 0, 0});
    const QByteArray sound = bytes(latest("loan"));
    ASSERT_FALSE(sound.isEmpty());
    const QByteArray investment = bytes(latest("invest"));
    ASSERT_FALSE(investment.isEmpty());

    const struct {
        const char* what;
        std::optional<QByteArray> content; // nothing: no file
        const char* sqliteSaid;
        const char* firebirdSaid;
    } cases[] = {
        {"missing", std::nullopt, "does not exist", "does not exist"},
        {"not a backup", QByteArray("these are not the loans you saved\n").repeated(200),
         "is damaged: it is not a readable SQLite database", "is damaged: gbak cannot restore it"},
        {"damaged", backend().damaged(sound), "is damaged", "is damaged: gbak cannot restore it"},
        {"empty file", QByteArray(), "lacks the table(s) KEYGEN LOANDETAIL LOANSUMMARY",
         "is damaged: gbak cannot restore it"},
        {"investment database", investment, "lacks the table(s) LOANDETAIL LOANSUMMARY",
         "lacks the table(s) or procedure(s) GETSUMNOGEN LOANDETAIL LOANSUMMARY"},
    };
    const QStringList before = backend().state();
    ASSERT_EQ(backend().loans().size(), 3);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(latest("loan"));
        if (c.content) writeBytes(latest("loan"), *c.content);

        const ScriptRun restore = run("loanrestore.sh");
        EXPECT_NE(restore.exitCode, 0);
        EXPECT_TRUE(restore.err.contains(QString::fromLatin1(sqlite() ? c.sqliteSaid : c.firebirdSaid)))
            << restore.err.toStdString();
        EXPECT_TRUE(restore.err.contains(QStringLiteral("the database is unchanged")))
            << restore.err.toStdString();
        EXPECT_TRUE(restore.out.isEmpty()) << restore.out.toStdString();
        EXPECT_EQ(backend().state(), before) << "the database as it was, and nothing kept or left beside it";
    }
}

TEST_P(BackendScripts, BlankKeepsTheOldDatabaseBesideTheNewEmptyOne) {
    const struct {
        const char* script;
        const char* restore;
        db::Alias alias;
        const char* stem;
        const char* insert;
        const char* count;
        db::Generator key;
    } cases[] = {
        {"loanblank.sh", "loanrestore.sh", db::Alias::IBLoan, "loan",
         "INSERT INTO LOANSUMMARY (LOANNO, SUMNO, ORGAMT) VALUES (1, 1, 12000)",
         "SELECT count(*) FROM LOANSUMMARY", db::Generator::GETSUMNOGEN},
        {"investblank.sh", "investrestore.sh", db::Alias::IBInvest, "invest",
         "INSERT INTO INVESTSUMMARY (FUNDNO, ACTNO, NAME) VALUES (1, 100, 'Growth')",
         "SELECT count(*) FROM INVESTSUMMARY", db::Generator::FUNDNOGEN},
    };
    const auto count = [](const auto& c) {
        db::Connection connection(c.alias);
        QSqlQuery q(connection.database());
        return q.exec(QString::fromLatin1(c.count)) && q.next() ? q.value(0).toInt() : -1;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        {
            db::Connection connection(c.alias);
            QSqlQuery q(connection.database());
            ASSERT_TRUE(q.exec(QString::fromLatin1(c.insert)));
            ASSERT_EQ(db::nextKey(connection, c.key), 1);
            ASSERT_EQ(db::nextKey(connection, c.key), 2);
        }
        const ScriptRun blank = run(c.script);
        ASSERT_EQ(blank.exitCode, 0) << blank.err.toStdString();
        const QStringList kept = filesMatching(backend().keptFolder(), replacedPattern(c.stem));
        ASSERT_EQ(kept.size(), 1);
        const QString keptFile = QDir(backend().keptFolder()).filePath(kept[0]);
        EXPECT_TRUE(blank.out.contains(keptFile)) << blank.out.toStdString();
        EXPECT_EQ(count(c), 0);
        {
            db::Connection connection(c.alias);
            EXPECT_EQ(db::nextKey(connection, c.key), 1) << "the key generators start again";
        }

        // The kept copy holds the old row: restored over the blank one, it comes back.
        const ScriptRun restore = run(c.restore, {keptFile});
        ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
        EXPECT_EQ(count(c), 1);
    }
}

// The backup sees only what was committed; a restore over a database another connection is
// writing is refused and leaves it whole; once that connection is gone the restore goes through.
TEST_P(BackendScripts, ARestoreWhileAnotherConnectionWritesIsRefused) {
    const QStringList kTwoLoans = saveTwoLoans();
    auto held = std::make_unique<db::Connection>(db::Alias::IBLoan);
    {
        const ScriptRun backup = run("loanbackup.sh");
        ASSERT_EQ(backup.exitCode, 0) << backup.err.toStdString();
    }
    auto transaction = std::make_unique<db::Transaction>(*held);
    {
        QSqlQuery q(held->database());
        ASSERT_TRUE(
            q.exec(QStringLiteral("INSERT INTO LOANSUMMARY (LOANNO, SUMNO, ORGAMT) VALUES (9, 9, 99999)")));
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM LOANDETAIL WHERE LOANNO = 2")));
    }

    const ScriptRun backup = run("loanbackup.sh");
    ASSERT_EQ(backup.exitCode, 0) << backup.err.toStdString();
    if (sqlite()) {
        EXPECT_EQ(column(latest("loan"), QStringLiteral("PRAGMA integrity_check")),
                  QStringList{QStringLiteral("ok")});
    }
    EXPECT_EQ(backend().loansInBackup(latest("loan")), kTwoLoans)
        << "the committed loans, none of the open transaction";

    const ScriptRun restore = run("loanrestore.sh");
    EXPECT_NE(restore.exitCode, 0);
    EXPECT_TRUE(restore.err.contains(QStringLiteral("in use by another program")))
        << restore.err.toStdString();
    EXPECT_TRUE(restore.err.contains(QStringLiteral("(the database is unchanged)")))
        << restore.err.toStdString();
    EXPECT_TRUE(filesMatching(backend().keptFolder(), replacedPattern("loan")).isEmpty())
        << "no copy is kept for a restore that cannot happen";
    EXPECT_EQ(backend().loans(), kTwoLoans);

    transaction->commit();
    transaction.reset();
    EXPECT_EQ(backend().loans().size(), 3) << "the writer's work is whole";
    held.reset();

    const ScriptRun again = run("loanrestore.sh");
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(backend().loans(), kTwoLoans);
}

// --- Finding the scripts, talvero-cli and the alias -----------------------------------------

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

// The program hands the scripts the talvero-cli beside it; without one there the environment stays
// as it was.
TEST(Scripts, TheProgramNamesTheTalveroCliBesideItself) {
    const QString cli = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("talvero-cli"));
    ASSERT_TRUE(QFileInfo(cli).isExecutable()) << "built beside the tests, as beside the program";
    EXPECT_EQ(shell::scriptEnvironment().value(QStringLiteral("TALVERO_CLI")), cli);
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    EXPECT_EQ(shell::scriptEnvironmentFor(empty.path()).value(QStringLiteral("TALVERO_CLI")),
              qEnvironmentVariable("TALVERO_CLI"));
}

// Run by hand, the scripts find talvero-cli in their installation or the build tree beside them,
// or where TALVERO_CLI names it.
TEST(Scripts, TheScriptsFindTalveroCli) {
    const QString realCli = shell::scriptEnvironment().value(QStringLiteral("TALVERO_CLI"));
    ASSERT_FALSE(realCli.isEmpty());
    const struct {
        const char* what;
        const char* scripts; // where the scripts lie in the tree
        const char* schemas; // where the blank schemas lie
        const char* cli;     // where talvero-cli lies, nullptr: nowhere
        const char* named;   // TALVERO_CLI, relative to the tree; nullptr: unset
        const char* said;    // nullptr: the blank goes through
    } cases[] = {
        {"installed", "share/talvero/scripts", "share/talvero/db", "bin/talvero-cli", nullptr, nullptr},
        {"source tree", "scripts", "db", "build/bin/talvero-cli", nullptr, nullptr},
        {"named", "scripts", "db", "tools/cli", "tools/cli", nullptr},
        {"named before the build tree's", "scripts", "db", "build/bin/talvero-cli", "tools/none",
         "TALVERO_CLI names "},
        {"nowhere", "share/talvero/scripts", "share/talvero/db", nullptr, nullptr,
         "cannot find talvero-cli, which resolves the database aliases"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        db::testing::TempDataFolder folder;
        QTemporaryDir tree;
        ASSERT_TRUE(tree.isValid());
        const QDir root(tree.path());
        ASSERT_TRUE(root.mkpath(QString::fromLatin1(c.scripts)));
        ASSERT_TRUE(root.mkpath(QString::fromLatin1(c.schemas) + QStringLiteral("/sqlite")));
        const QDir source(shell::scriptsFolder());
        for (const QString& name : source.entryList({QStringLiteral("*.sh")}, QDir::Files)) {
            const QString to = root.filePath(QString::fromLatin1(c.scripts) + u'/' + name);
            ASSERT_TRUE(QFile::copy(source.filePath(name), to));
        }
        for (const char* schema : {"loan.sql", "invest.sql"})
            ASSERT_TRUE(QFile::copy(source.filePath(QStringLiteral("../db/sqlite/") + QLatin1String(schema)),
                                    root.filePath(QString::fromLatin1(c.schemas) +
                                                  QStringLiteral("/sqlite/") + QLatin1String(schema))));
        if (c.cli) {
            const QString wrapper = root.filePath(QString::fromLatin1(c.cli));
            ASSERT_TRUE(QDir().mkpath(QFileInfo(wrapper).path()));
            writeBytes(wrapper, QStringLiteral("#!/bin/sh\nexec '%1' \"$@\"\n").arg(realCli).toUtf8());
            ASSERT_TRUE(
                QFile::setPermissions(wrapper, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("TALVERO_CLI"));
        if (c.named)
            environment.insert(QStringLiteral("TALVERO_CLI"), root.filePath(QString::fromLatin1(c.named)));

        const ScriptRun blank = runIn(
            root.filePath(QString::fromLatin1(c.scripts) + QStringLiteral("/loanblank.sh")), environment);
        if (!c.said) {
            EXPECT_EQ(blank.exitCode, 0) << blank.err.toStdString();
            EXPECT_EQ(loansInFile(dataFile(QStringLiteral("loan.db"))), QStringList{});
            continue;
        }
        EXPECT_NE(blank.exitCode, 0);
        EXPECT_TRUE(blank.err.contains(QString::fromLatin1(c.said))) << blank.err.toStdString();
        EXPECT_TRUE(blank.err.contains(QStringLiteral("nothing was done"))) << blank.err.toStdString();
        EXPECT_TRUE(blank.out.isEmpty()) << blank.out.toStdString();
        EXPECT_FALSE(QFileInfo::exists(folder.path())) << "the data folder is not even made";
    }
}

TEST(Scripts, AnAliasTheProgramCannotUseIsRefused) {
    const struct {
        const char* what;
        const char* aliases;
        const char* said;
    } cases[] = {
        {"another driver", "[IBLoan]\ndriver=QMYSQL\n[IBInvest]\ndriver=QPSQL\n",
         ", which this program cannot use"},
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

// --- SQLite only -------------------------------------------------------------------------------

class SqliteScripts : public BackendScripts {};

INSTANTIATE_TEST_SUITE_P(Backends, SqliteScripts, ::testing::Values(Kind::Sqlite), kindName);

TEST_P(SqliteScripts, RestoreOverADamagedDatabaseKeepsItByteForByte) {
    const QStringList kTwoLoans = saveTwoLoans();
    ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
    const QByteArray damaged = damagedPages(bytes(dataFile(QStringLiteral("loan.db"))));
    writeBytes(dataFile(QStringLiteral("loan.db")), damaged);

    const ScriptRun restore = run("loanrestore.sh");
    ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_EQ(loansInFile(dataFile(QStringLiteral("loan.db"))), kTwoLoans);
    const QStringList kept = filesMatching(db::dataFolderPath(), QStringLiteral("loan-replaced-*.db"));
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(bytes(dataFile(kept[0])), damaged);
    EXPECT_TRUE(restore.out.contains(QStringLiteral("SQLite could not read it")))
        << restore.out.toStdString();
}

// A blank SQLite file is a new file of the current schema version, not the old one emptied.
TEST_P(SqliteScripts, BlankWritesANewFileOfTheSchemaVersion) {
    for (const auto& [script, alias, file] :
         {std::tuple{"loanblank.sh", db::Alias::IBLoan, "loan.db"},
          std::tuple{"investblank.sh", db::Alias::IBInvest, "invest.db"}}) {
        SCOPED_TRACE(script);
        { db::Connection connection(alias); }
        const QByteArray old = bytes(dataFile(QString::fromLatin1(file)));
        const ScriptRun blank = run(script);
        ASSERT_EQ(blank.exitCode, 0) << blank.err.toStdString();
        EXPECT_EQ(column(dataFile(QString::fromLatin1(file)), QStringLiteral("PRAGMA user_version")),
                  QStringList{QStringLiteral("1")});
        EXPECT_NE(bytes(dataFile(QString::fromLatin1(file))), old);
    }
}

TEST_P(SqliteScripts, BlankOnAFreshDataFolderWritesTheDatabase) {
    const ScriptRun blank = run("loanblank.sh");
    ASSERT_EQ(blank.exitCode, 0) << blank.err.toStdString();
    EXPECT_EQ(loansInFile(dataFile(QStringLiteral("loan.db"))), QStringList{});
    EXPECT_TRUE(filesMatching(db::dataFolderPath(), QStringLiteral("loan-replaced-*")).isEmpty());
}

TEST_P(SqliteScripts, AnAliasOnAnotherSqliteFileIsFollowed) {
    db::testing::TempDataFolder folder;
    folder.writeAliases("[IBLoan]\ndatabase=elsewhere/loans.sqlite\n");
    QDir(folder.path()).mkpath(QStringLiteral("elsewhere"));
    const QStringList kTwoLoans = saveTwoLoans();
    ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
    EXPECT_EQ(loansInFile(dataFile(QStringLiteral("backups/loan-latest.db"))), kTwoLoans);
    ASSERT_EQ(run("loanblank.sh").exitCode, 0);
    EXPECT_EQ(
        filesMatching(dataFile(QStringLiteral("elsewhere")), QStringLiteral("loan-replaced-*.db")).size(), 1);
    ASSERT_EQ(run("loanrestore.sh").exitCode, 0);
    EXPECT_EQ(loansInFile(dataFile(QStringLiteral("elsewhere/loans.sqlite"))), kTwoLoans);
    EXPECT_FALSE(QFileInfo::exists(dataFile(QStringLiteral("loan.db"))));
}

// The scripts run in the program's working folder, and both take a relative TALVERO_HOME from there.
TEST_P(SqliteScripts, ARelativeDataFolderIsTheProgramsOne) {
    db::testing::TempDataFolder folder; // puts TALVERO_HOME back
    const QString startedIn = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QFileInfo(folder.path()).absolutePath()));
    const QString absolute = QDir::current().filePath(QStringLiteral("talvero"));
    qputenv("TALVERO_HOME", "./talvero");
    const QStringList kTwoLoans = saveTwoLoans();
    const ScriptRun backup = run("loanbackup.sh");
    const ScriptRun blank = run("loanblank.sh");
    const ScriptRun restore = run("loanrestore.sh");
    QDir::setCurrent(startedIn);
    ASSERT_EQ(backup.exitCode, 0) << backup.err.toStdString();
    EXPECT_TRUE(backup.out.contains(QStringLiteral("Restore reads %1/backups/loan-latest.db").arg(absolute)))
        << backup.out.toStdString();
    EXPECT_EQ(loansInFile(absolute + QStringLiteral("/backups/loan-latest.db")), kTwoLoans);
    ASSERT_EQ(blank.exitCode, 0) << blank.err.toStdString();
    ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_TRUE(restore.out.contains(
        QStringLiteral("Restored IBLoan (%1/loan.db) from %1/backups/loan-latest.db").arg(absolute)))
        << restore.out.toStdString();
    EXPECT_EQ(loansInFile(absolute + QStringLiteral("/loan.db")), kTwoLoans);
}

TEST_P(SqliteScripts, TheEnvironmentOverridesTheAliasesFileAsInTheProgram) {
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
    EXPECT_EQ(loansInFile(dataFile(QStringLiteral("backups/loan-latest.db"))), kTwoLoans);
}

TEST_P(SqliteScripts, AFailedBackupOfADamagedDatabaseLeavesNoFileBehind) {
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

// A real full disk under the data folder: the backup says so, and neither the database nor the
// backup before it changes; no half-written file is left.
TEST_P(SqliteScripts, ABackupOnAFullDiskSaysSoAndLeavesTheDatabaseAndTheLastBackup) {
    db::testing::SmallDisk disk(4 << 20);
    if (!disk.available()) GTEST_SKIP() << disk.why().toStdString();
    const QByteArray home = qgetenv("TALVERO_HOME");
    qputenv("TALVERO_HOME", QFile::encodeName(disk.path()));
    saveTwoLoans();
    ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
    const QString database = dataFile(QStringLiteral("loan.db"));
    const QString backups = dataFile(QStringLiteral("backups"));
    const QByteArray before = bytes(database);
    const QByteArray lastBackup = bytes(latest("loan"));
    ASSERT_FALSE(lastBackup.isEmpty());

    disk.fill(8192);
    const ScriptRun backup = run("loanbackup.sh");
    EXPECT_NE(backup.exitCode, 0);
    EXPECT_TRUE(backup.err.contains(QStringLiteral("the disk holding %1 is full").arg(backups)))
        << backup.err.toStdString();
    EXPECT_TRUE(backup.err.contains(QStringLiteral("the database and earlier backups are unchanged")));
    EXPECT_EQ(bytes(database), before);
    EXPECT_EQ(bytes(latest("loan")), lastBackup);
    EXPECT_EQ(filesMatching(backups, backupPattern("loan")).size(), 1);
    EXPECT_TRUE(filesMatching(backups, QStringLiteral(".*")).isEmpty()) << "no staging file is left";

    // With room again the next backup is made.
    disk.freeUp();
    EXPECT_EQ(run("loanbackup.sh").exitCode, 0);
    EXPECT_EQ(filesMatching(backups, backupPattern("loan")).size(), 2);
    qputenv("TALVERO_HOME", home);
}

TEST_P(SqliteScripts, BackupWithNoDatabaseFails) {
    const ScriptRun backup = run("investbackup.sh");
    EXPECT_NE(backup.exitCode, 0);
    EXPECT_TRUE(backup.err.contains(QStringLiteral("there is no database to back up")))
        << backup.err.toStdString();
}

// --- Firebird only -----------------------------------------------------------------------------

class FirebirdScripts : public BackendScripts {
protected:
    FirebirdBackend& firebird() { return static_cast<FirebirdBackend&>(backend()); }
    QString serverFolder() { return backend().keptFolder(); }
};

INSTANTIATE_TEST_SUITE_P(Backends, FirebirdScripts, ::testing::Values(Kind::Firebird), kindName);

// gbak's replace fails after it dropped the database: a gbak in front of the real one cuts the
// file of the client's replace short, the rest goes through.
TEST_P(FirebirdScripts, AReplaceThatFailsHalfWayPutsTheKeptDatabaseBack) {
    saveTwoLoans();
    ASSERT_EQ(run("loanbackup.sh").exitCode, 0);
    portfoliotest::saveRegular({5000, 6, 0, 100, 0, 0});
    const QStringList before = backend().loans();
    ASSERT_EQ(before.size(), 3);

    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    const QString realGbak = QStandardPaths::findExecutable(QStringLiteral("gbak"));
    ASSERT_FALSE(realGbak.isEmpty());
    const QString cut = QDir(bin.path()).filePath(QStringLiteral("cut.fbk"));
    const QString wrapper = QDir(bin.path()).filePath(QStringLiteral("gbak"));
    writeBytes(wrapper, QStringLiteral("#!/bin/sh\n"
                                       "if [ \"$1\" = -rep ] && [ \"$2\" != -se ]; then\n"
                                       "  head -c 6000 \"$2\" > '%1'\n"
                                       "  exec '%2' -rep '%1' \"$3\"\n"
                                       "fi\n"
                                       "exec '%2' \"$@\"\n")
                            .arg(cut, realGbak)
                            .toUtf8());
    ASSERT_TRUE(QFile::setPermissions(wrapper, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8() + ':' + path);
    const ScriptRun restore = run("loanrestore.sh");
    qputenv("PATH", path);

    EXPECT_NE(restore.exitCode, 0);
    const QStringList kept = filesMatching(serverFolder(), QStringLiteral("loan-replaced-*.fbk"));
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(restore.err.contains(QStringLiteral("the database was put back from ") +
                                     QDir(serverFolder()).filePath(kept[0])))
        << restore.err.toStdString();
    EXPECT_EQ(backend().loans(), before);
}

TEST_P(FirebirdScripts, ThePasswordComesFromAFileOnlyItsOwnerReads) {
    saveTwoLoans();
    const QString passwordFile = dataFile(QStringLiteral("firebird.password"));
    writeBytes(passwordFile, firebird().server().password.toUtf8() + '\n');
    const QByteArray password = qgetenv("TALVERO_IBLOAN_PASSWORD");
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
    qputenv("TALVERO_IBLOAN_PASSWORD", password);
}

TEST_P(FirebirdScripts, AWrongPasswordFailsWithTheServersMessage) {
    qputenv("TALVERO_IBLOAN_PASSWORD", "not-the-password");
    const ScriptRun backup = run("loanbackup.sh");
    EXPECT_NE(backup.exitCode, 0);
    EXPECT_TRUE(backup.err.contains(QStringLiteral("user name and password are not defined")))
        << backup.err.toStdString();
    EXPECT_FALSE(backup.err.contains(QStringLiteral("not-the-password")));
    EXPECT_TRUE(filesMatching(dataFile(QStringLiteral("backups")), QStringLiteral("*.fbk")).isEmpty());
}

} // namespace
