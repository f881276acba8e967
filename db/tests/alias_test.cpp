// Resolving an alias: the aliases file, the environment over it, and the password kept out of the
// file and out of every message.
#include "dbtest.h"

#include <QDir>
#include <QFile>

#include <vector>

namespace {

// Sets environment variables for one test and unsets them again.
class Environment {
public:
    void set(const char* name, const QByteArray& value) {
        qputenv(name, value);
        names_.push_back(name);
    }
    ~Environment() {
        for (const char* name : names_)
            qunsetenv(name);
    }

private:
    std::vector<const char*> names_;
};

void writeFile(const QString& path, const QByteArray& text, QFile::Permissions permissions) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
    file.close();
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
}

std::string resolveError(db::Alias alias) {
    try {
        db::resolveAlias(alias);
    } catch (const db::Error& e) {
        return e.message().toStdString();
    }
    return "no error";
}

constexpr QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;

} // namespace

TEST_F(DbTest, AliasOnAServerReadsTheFileAndThePasswordFile) {
    folder.writeAliases("[IBInvest]\n"
                        "driver=qibase\n"
                        "host=books.example\n"
                        "port=3051\n"
                        "database=/srv/firebird/invest.fdb\n"
                        "user=CLERK\n"
                        "password_file=invest.password\n");
    writeFile(folder.path() + QStringLiteral("/invest.password"), "s3cret word\nsecond line\n", ownerOnly);
    const db::Target t = db::resolveAlias(db::Alias::IBInvest);
    EXPECT_EQ(t.driver, QStringLiteral("QIBASE"));
    EXPECT_EQ(t.host, QStringLiteral("books.example"));
    EXPECT_EQ(t.port, 3051);
    EXPECT_EQ(t.database, QStringLiteral("/srv/firebird/invest.fdb"));
    EXPECT_EQ(t.user, QStringLiteral("CLERK"));
    EXPECT_EQ(t.password, QStringLiteral("s3cret word"));
    EXPECT_EQ(db::describe(t), QStringLiteral("books.example/3051:/srv/firebird/invest.fdb"));
    // The other alias keeps its SQLite file.
    EXPECT_EQ(db::resolveAlias(db::Alias::IBLoan).driver, QStringLiteral("QSQLITE"));
}

TEST_F(DbTest, ServerDefaultsAreLocalhostAndSysdba) {
    folder.writeAliases("[IBLoan]\ndriver=QIBASE\ndatabase=loans\n");
    Environment env;
    env.set("TALVERO_IBLOAN_PASSWORD", "pw");
    const db::Target t = db::resolveAlias(db::Alias::IBLoan);
    EXPECT_EQ(t.host, QStringLiteral("localhost"));
    EXPECT_EQ(t.port, -1);
    EXPECT_EQ(t.user, QStringLiteral("SYSDBA"));
    EXPECT_EQ(t.database, QStringLiteral("loans"));
    EXPECT_EQ(db::describe(t), QStringLiteral("localhost:loans"));
}

TEST_F(DbTest, EnvironmentOverridesTheAliasesFileKeyByKey) {
    folder.writeAliases("[IBLoan]\ndriver=QIBASE\nhost=far\ndatabase=/a.fdb\npassword_file=missing\n");
    Environment env;
    env.set("TALVERO_IBLOAN_HOST", "127.0.0.1");
    env.set("TALVERO_IBLOAN_PORT", "30517");
    env.set("TALVERO_IBLOAN_PASSWORD", "from env");
    const db::Target t = db::resolveAlias(db::Alias::IBLoan);
    EXPECT_EQ(t.host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(t.port, 30517);
    EXPECT_EQ(t.database, QStringLiteral("/a.fdb"));
    EXPECT_EQ(t.password, QStringLiteral("from env"));

    // Without any aliases file the environment alone points the alias at a server.
    QFile::remove(folder.path() + QStringLiteral("/aliases.ini"));
    env.set("TALVERO_IBINVEST_DRIVER", "QIBASE");
    env.set("TALVERO_IBINVEST_DATABASE", "/b.fdb");
    env.set("TALVERO_IBINVEST_PASSWORD", "x");
    EXPECT_EQ(db::resolveAlias(db::Alias::IBInvest).database, QStringLiteral("/b.fdb"));
}

TEST_F(DbTest, UnsafeOrMissingPasswordsAreRefused) {
    const QString passwordFile = folder.path() + QStringLiteral("/loan.password");
    folder.writeAliases("[IBLoan]\ndriver=QIBASE\ndatabase=/l.fdb\npassword_file=loan.password\n");
    const struct {
        QFile::Permissions permissions;
        bool refused;
    } modes[] = {
        {ownerOnly, false},
        {QFile::ReadOwner, false},
        {ownerOnly | QFile::ReadGroup, true},
        {ownerOnly | QFile::ReadOther, true},
        {ownerOnly | QFile::WriteOther, true},
    };
    for (const auto& m : modes) {
        writeFile(passwordFile, "hush-hush\n", m.permissions);
        const std::string error = resolveError(db::Alias::IBLoan);
        if (m.refused)
            EXPECT_EQ(error, "The password file " + passwordFile.toStdString() +
                                 " of the alias IBLoan must be readable only by its owner (chmod 600)");
        else
            EXPECT_EQ(error, "no error");
        EXPECT_EQ(error.find("hush-hush"), std::string::npos);
    }
    QFile::setPermissions(passwordFile, ownerOnly);
    QFile::remove(passwordFile);
    EXPECT_EQ(resolveError(db::Alias::IBLoan),
              "The password file " + passwordFile.toStdString() + " of the alias IBLoan does not exist");

    folder.writeAliases("[IBLoan]\ndriver=QIBASE\ndatabase=/l.fdb\n");
    EXPECT_EQ(
        resolveError(db::Alias::IBLoan),
        "The alias IBLoan has no password: set TALVERO_IBLOAN_PASSWORD or password_file in aliases.ini");

    folder.writeAliases("[IBLoan]\ndriver=QIBASE\ndatabase=/l.fdb\npassword=hush-hush\n");
    const std::string inFile = resolveError(db::Alias::IBLoan);
    EXPECT_NE(inFile.find("holds a password for IBLoan"), std::string::npos) << inFile;
    EXPECT_EQ(inFile.find("hush-hush"), std::string::npos);
}

TEST_F(DbTest, BadServerSettingsAreClearErrors) {
    Environment env;
    env.set("TALVERO_IBLOAN_PASSWORD", "pw");
    folder.writeAliases("[IBLoan]\ndriver=QIBASE\n");
    EXPECT_EQ(resolveError(db::Alias::IBLoan), "The alias IBLoan names no database on the server");
    folder.writeAliases("[IBLoan]\ndriver=QIBASE\ndatabase=/l.fdb\nport=70000\n");
    EXPECT_EQ(resolveError(db::Alias::IBLoan),
              "The alias IBLoan names the port 70000, which is no port number");
}

// An unreachable server: the database layer's error with the server's text, without the password.
// Port 1 on the loopback has no server.
TEST_F(DbTest, UnreachableServerIsTheServersMessageWithoutThePassword) {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QIBASE"))) GTEST_SKIP() << "no QIBASE driver";
    folder.writeAliases("[IBLoan]\ndriver=QIBASE\nhost=127.0.0.1\nport=1\ndatabase=/nowhere/loan.fdb\n");
    Environment env;
    env.set("TALVERO_IBLOAN_PASSWORD", "hush-hush");
    try {
        db::Connection connection(db::Alias::IBLoan);
        ADD_FAILURE() << "no error";
    } catch (const db::Error& e) {
        const std::string text = e.message().toStdString();
        EXPECT_EQ(text.rfind("Cannot open the database IBLoan (127.0.0.1/1:/nowhere/loan.fdb): ", 0), 0u)
            << text;
        EXPECT_NE(text.find("Unable to complete network request"), std::string::npos) << text;
        EXPECT_EQ(text.find("hush-hush"), std::string::npos);
    }
}
