#include "dbtest.h"

#include "db/datafolder.h"
#include "db/faults.h"
#include "db/keys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace {

std::string openError(db::Alias alias) {
    try {
        db::Connection connection(alias);
    } catch (const db::Error& e) {
        return e.message().toStdString();
    }
    return "no error";
}

// Restores a folder's permissions so the temporary folder can be removed.
struct ReadOnly {
    explicit ReadOnly(const QString& path) : path(path) {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~ReadOnly() { QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }
    QString path;
};

} // namespace

// The database file cannot be created in a read-only data folder: a clear error, no crash. (As
// root a mode of 0500 does not stop writing, so the test falls back to /proc, which nobody can write.)
TEST_F(DbTest, ReadOnlyDataFolderIsAClearError) {
    ASSERT_TRUE(QDir().mkpath(folder.path()));
    ReadOnly readOnly(folder.path());
    QString home = folder.path();
    if (::access(QFile::encodeName(home).constData(), W_OK) == 0) {
        home = QStringLiteral("/proc");
        qputenv("TALVERO_HOME", home.toUtf8());
    }
    EXPECT_EQ(openError(db::Alias::IBLoan), "Cannot open the database IBLoan (" + home.toStdString() +
                                                "/loan.db): unable to open database file");
    EXPECT_EQ(openError(db::Alias::IBInvest), "Cannot open the database IBInvest (" + home.toStdString() +
                                                  "/invest.db): unable to open database file");
}

TEST_F(DbTest, DataFolderThatCannotBeCreatedIsAClearError) {
    ASSERT_TRUE(QDir().mkpath(folder.path()));
    QFile blocker(folder.path() + QStringLiteral("/file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString home = blocker.fileName() + QStringLiteral("/talvero");
    qputenv("TALVERO_HOME", home.toUtf8());
    EXPECT_EQ(db::ensureDataFolder(), QString());
    EXPECT_EQ(openError(db::Alias::IBLoan), db::dataFolderMissingMessage(home).toStdString());
    EXPECT_FALSE(QFileInfo(home).exists());
}

TEST_F(DbTest, AliasesFileMovesTheSqliteFiles) {
    const QString elsewhere = folder.path() + QStringLiteral("-elsewhere");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QDir().mkpath(folder.path() + QStringLiteral("/books")));
    folder.writeAliases("; loan file beside, invest file inside the data folder\n"
                        "[IBLoan]\n"
                        "driver=QSQLITE\n"
                        "database=" +
                        elsewhere.toUtf8() +
                        "/my loans.db\n"
                        "[IBInvest]\n"
                        "database=books/funds.db\n");
    const QString loanFile = elsewhere + QStringLiteral("/my loans.db");
    const QString investFile = folder.path() + QStringLiteral("/books/funds.db");
    EXPECT_EQ(db::resolveAlias(db::Alias::IBLoan).database, loanFile);
    EXPECT_EQ(db::resolveAlias(db::Alias::IBInvest).database, investFile);
    {
        db::Connection loan(db::Alias::IBLoan);
        db::Connection invest(db::Alias::IBInvest);
        EXPECT_EQ(db::nextKey(loan, db::Generator::GETSUMNOGEN), 1);
        EXPECT_EQ(db::nextKey(invest, db::Generator::FUNDNOGEN), 1);
    }
    EXPECT_TRUE(QFileInfo::exists(loanFile));
    EXPECT_TRUE(QFileInfo::exists(investFile));
    EXPECT_FALSE(QFileInfo::exists(folder.path() + QStringLiteral("/loan.db")));
    EXPECT_FALSE(QFileInfo::exists(folder.path() + QStringLiteral("/invest.db")));
}

TEST_F(DbTest, AliasesFileWithoutTheAliasKeepsTheDefault) {
    folder.writeAliases("[IBInvest]\ndatabase=funds.db\n");
    EXPECT_EQ(db::resolveAlias(db::Alias::IBLoan).database, folder.path() + QStringLiteral("/loan.db"));
    EXPECT_EQ(db::resolveAlias(db::Alias::IBLoan).driver, QStringLiteral("QSQLITE"));
}

TEST_F(DbTest, AliasOnAnUnsupportedDriverIsAClearError) {
    folder.writeAliases("[IBLoan]\ndriver=QMYSQL\ndatabase=server:/srv/loan\n");
    EXPECT_EQ(openError(db::Alias::IBLoan),
              "The alias IBLoan names the database driver QMYSQL, which this program cannot use");
}

TEST_F(DbTest, FileThatIsNoDatabaseIsAClearError) {
    ASSERT_TRUE(QDir().mkpath(folder.path()));
    QFile junk(folder.path() + QStringLiteral("/loan.db"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_EQ(openError(db::Alias::IBLoan),
              db::damagedMessage(db::Alias::IBLoan, folder.path() + QStringLiteral("/loan.db"),
                                 QStringLiteral("file is not a database"))
                  .toStdString());
}
