// talvero-cli alias: the data folder and the connection layer's resolution of IBLoan and IBInvest as
// KEY value lines, on a temporary data folder; the password only ever through --password-to-fd.
#include "cli/commands.h"
#include "db/testsupport/tempdatafolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Result {
    int code;
    std::string out, err;
};

Result call(std::vector<std::string> args) {
    std::istringstream in;
    std::ostringstream out, err;
    args.insert(args.begin(), "alias");
    const int code = talvero::cli::run(args, in, out, err);
    return {code, out.str(), err.str()};
}

std::string path(const db::testing::TempDataFolder& folder, const char* name) {
    return QDir(folder.path()).filePath(QString::fromLatin1(name)).toStdString();
}

// The first line of every answer.
std::string folderLine(const QString& folder) {
    return "FOLDER          " + folder.toStdString() + "\n";
}
std::string folderLine(const db::testing::TempDataFolder& folder) {
    return folderLine(folder.path());
}

void writeFile(const std::string& file, const char* text, QFile::Permissions permissions) {
    QFile out(QString::fromStdString(file));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(text);
    out.close();
    ASSERT_TRUE(out.setPermissions(permissions));
}

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

// Sets the environment variables of one test and unsets them again.
class Environment {
public:
    Environment() = default;
    ~Environment() {
        for (const std::string& name : names_)
            qunsetenv(name.c_str());
    }
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;
    void set(const std::string& name, const char* value) {
        qputenv(name.c_str(), value);
        names_.push_back(name);
    }

private:
    std::vector<std::string> names_;
};

// What --password-to-fd writes, read back through a pipe.
struct PasswordRun {
    Result result;
    std::string password;
};

PasswordRun withPasswordPipe(const char* alias) {
    int ends[2];
    if (::pipe(ends) != 0) return {{-1, {}, "no pipe"}, {}};
    const Result r = call({alias, "--password-to-fd", std::to_string(ends[1])});
    ::close(ends[1]);
    std::string password;
    char buffer[256];
    for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;)
        password.append(buffer, std::size_t(n));
    ::close(ends[0]);
    return {r, password};
}

const char* const kServerAliases = "[IBLoan]\n"
                                   "driver=qibase\n"
                                   "host=dbserver\n"
                                   "port=3051\n"
                                   "database=/srv/firebird/loan.fdb\n"
                                   "user=TELLER\n"
                                   "password_file=loan.password\n"
                                   "[IBInvest]\n"
                                   "driver=QIBASE\n"
                                   "database=invest\n"
                                   "password_file=/nowhere/else\n";

TEST(Alias, SqliteAliasesAreFilesInTheDataFolder) {
    db::testing::TempDataFolder folder;
    EXPECT_EQ(call({"IBLoan"}).out, folderLine(folder) + "DRIVER          QSQLITE\nDATABASE        " +
                                        path(folder, "loan.db") + "\n");
    EXPECT_EQ(call({"IBInvest"}).out, folderLine(folder) + "DRIVER          QSQLITE\nDATABASE        " +
                                          path(folder, "invest.db") + "\n");

    folder.writeAliases(
        "[IBLoan]\ndatabase=elsewhere/loans.sqlite\n[IBInvest]\ndatabase=/var/invest.sqlite\n");
    const Result loan = call({"IBLoan"});
    EXPECT_EQ(loan.code, 0) << loan.err;
    EXPECT_EQ(loan.out, folderLine(folder) + "DRIVER          QSQLITE\nDATABASE        " +
                            path(folder, "elsewhere/loans.sqlite") + "\n");
    EXPECT_TRUE(loan.err.empty()) << loan.err;
    EXPECT_EQ(call({"IBInvest"}).out,
              folderLine(folder) + "DRIVER          QSQLITE\nDATABASE        /var/invest.sqlite\n");
}

TEST(Alias, AServerAliasPrintsEverythingButThePassword) {
    db::testing::TempDataFolder folder;
    folder.writeAliases(kServerAliases);
    writeFile(path(folder, "loan.password"), "s3cret-loan\nsecond line\n", kOwnerOnly);
    const Result r = call({"IBLoan"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, folderLine(folder) + "DRIVER          QIBASE\n"
                                          "HOST            dbserver\n"
                                          "PORT            3051\n"
                                          "DATABASE        /srv/firebird/loan.fdb\n"
                                          "USER            TELLER\n");
    EXPECT_EQ(r.out.find("s3cret"), std::string::npos);

    const PasswordRun p = withPasswordPipe("IBLoan");
    EXPECT_EQ(p.result.code, 0) << p.result.err;
    EXPECT_EQ(p.result.out, r.out);
    EXPECT_EQ(p.password, "s3cret-loan") << "the file's first line, without its line end";

    // Defaults: localhost, the server's port (no PORT line), SYSDBA.
    Environment environment;
    environment.set("TALVERO_IBINVEST_PASSWORD", "s3cret-invest");
    const Result invest = call({"IBInvest"});
    ASSERT_EQ(invest.code, 0) << invest.err;
    EXPECT_EQ(invest.out, folderLine(folder) + "DRIVER          QIBASE\n"
                                               "HOST            localhost\n"
                                               "DATABASE        invest\n"
                                               "USER            SYSDBA\n");
    EXPECT_EQ(invest.out.find("s3cret"), std::string::npos);
    EXPECT_EQ(withPasswordPipe("IBInvest").password, "s3cret-invest") << "the environment before the file";
}

TEST(Alias, TheEnvironmentOverridesTheAliasesFileKeyByKey) {
    const struct {
        const char* variable;
        const char* value;
        const char* line; // the line that changes, or the whole output's replacement key
        const char* expected;
    } cases[] = {
        {"TALVERO_IBLOAN_HOST", " otherhost ", "HOST", "otherhost"},
        {"TALVERO_IBLOAN_PORT", "3999", "PORT", "3999"},
        {"TALVERO_IBLOAN_DATABASE", "/srv/other.fdb", "DATABASE", "/srv/other.fdb"},
        {"TALVERO_IBLOAN_USER", "AUDITOR", "USER", "AUDITOR"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.variable);
        db::testing::TempDataFolder folder;
        folder.writeAliases(kServerAliases);
        writeFile(path(folder, "loan.password"), "s3cret-loan\n", kOwnerOnly);
        Environment environment;
        environment.set(c.variable, c.value);
        std::string expected = folderLine(folder) + "DRIVER          QIBASE\n"
                                                    "HOST            dbserver\n"
                                                    "PORT            3051\n"
                                                    "DATABASE        /srv/firebird/loan.fdb\n"
                                                    "USER            TELLER\n";
        const std::string key = std::string(c.line) + std::string(16 - std::strlen(c.line), ' ');
        const auto at = expected.find(key);
        ASSERT_NE(at, std::string::npos);
        expected.replace(at, expected.find('\n', at) - at, key + c.expected);
        const Result r = call({"IBLoan"});
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, expected);
    }

    db::testing::TempDataFolder folder;
    folder.writeAliases(kServerAliases);
    writeFile(path(folder, "env.password"), "s3cret-env\n", kOwnerOnly);
    Environment environment;
    environment.set("TALVERO_IBLOAN_PASSWORD_FILE", "env.password");
    EXPECT_EQ(withPasswordPipe("IBLoan").password, "s3cret-env") << "the file the environment names";
    environment.set("TALVERO_IBLOAN_PASSWORD", "s3cret-variable");
    EXPECT_EQ(withPasswordPipe("IBLoan").password, "s3cret-variable");
    environment.set("TALVERO_IBLOAN_DRIVER", "QSQLITE");
    const PasswordRun sqlite = withPasswordPipe("IBLoan");
    EXPECT_EQ(sqlite.result.out,
              folderLine(folder) + "DRIVER          QSQLITE\nDATABASE        /srv/firebird/loan.fdb\n");
    EXPECT_EQ(sqlite.password, "") << "a SQLite alias has no password";
}

// The folder the program uses, absolute, and made private to the user when missing, as on first use.
TEST(Alias, TheDataFolderIsTheProgramsMadeWhenMissing) {
    const struct {
        const char* what;
        const char* home;  // TALVERO_HOME below the current folder; nullptr: unset
        bool homeRelative; // TALVERO_HOME as a relative path, else an absolute one
        const char* xdg;   // XDG_DATA_HOME below the current folder (absolute); nullptr: unset
        const char* made;  // the data folder below the current folder
    } cases[] = {
        {"TALVERO_HOME before XDG_DATA_HOME", "home/talvero", false, "xdg", "home/talvero"},
        {"a relative TALVERO_HOME, cleaned", "./home/../home/talvero/", true, nullptr, "home/talvero"},
        {"XDG_DATA_HOME without TALVERO_HOME", nullptr, false, "xdg", "xdg/talvero"},
    };
    constexpr QFile::Permissions kOthers = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                           QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    constexpr QFile::Permissions kOwner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const QString startedIn = QDir::currentPath();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        db::testing::TempDataFolder folder; // puts TALVERO_HOME back
        const QString base = QFileInfo(folder.path()).absolutePath();
        ASSERT_TRUE(QDir::setCurrent(base));
        const QString current = QDir::currentPath();
        Environment environment;
        if (c.home)
            environment.set("TALVERO_HOME",
                            c.homeRelative ? c.home : qPrintable(current + u'/' + QLatin1String(c.home)));
        else
            qunsetenv("TALVERO_HOME");
        if (c.xdg) environment.set("XDG_DATA_HOME", qPrintable(current + u'/' + QLatin1String(c.xdg)));
        const QString made = current + u'/' + QLatin1String(c.made);
        ASSERT_FALSE(QFileInfo::exists(made));

        const Result r = call({"IBLoan"});
        QDir::setCurrent(startedIn);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1), folderLine(made));
        EXPECT_TRUE(QFileInfo(made).isDir());
        EXPECT_EQ(QFile::permissions(made) & (kOwner | kOthers), kOwner) << "private to the user";
    }

    // A data folder that cannot be made stops the command before it tells anything.
    db::testing::TempDataFolder folder;
    writeFile(QFileInfo(folder.path()).absolutePath().toStdString() + "/file", "", kOwnerOnly);
    Environment environment;
    environment.set("TALVERO_HOME", qPrintable(QFileInfo(folder.path()).absolutePath() + "/file/talvero"));
    environment.set("TALVERO_IBLOAN_DRIVER", "QIBASE");
    environment.set("TALVERO_IBLOAN_DATABASE", "/l.fdb");
    environment.set("TALVERO_IBLOAN_PASSWORD", "s3cret");
    const PasswordRun r = withPasswordPipe("IBLoan");
    EXPECT_EQ(r.result.code, 1);
    EXPECT_EQ(r.result.err, "talvero-cli: Cannot create the data folder " +
                                QFileInfo(folder.path()).absolutePath().toStdString() + "/file/talvero\n");
    EXPECT_TRUE(r.result.out.empty()) << r.result.out;
    EXPECT_TRUE(r.password.empty());
}

TEST(Alias, AnAliasTheProgramCannotUseIsAClearError) {
    const struct {
        const char* what;
        const char* aliases;       // nullptr: aliases.ini is a folder
        QFile::Permissions pwMode; // of loan.password
        const char* said;
    } cases[] = {
        {"unreadable aliases file", nullptr, kOwnerOnly, "aliases.ini cannot be read"},
        {"a password in the aliases file", "[IBLoan]\ndriver=QIBASE\ndatabase=/l.fdb\npassword=s3cret\n",
         kOwnerOnly, "holds a password for IBLoan"},
        {"a password file others can read",
         "[IBLoan]\ndriver=QIBASE\ndatabase=/l.fdb\npassword_file=loan.password\n",
         kOwnerOnly | QFile::ReadGroup, "must be readable only by its owner (chmod 600)"},
        {"a missing password file", "[IBLoan]\ndriver=QIBASE\ndatabase=/l.fdb\npassword_file=none\n",
         kOwnerOnly, "does not exist"},
        {"no password", "[IBLoan]\ndriver=QIBASE\ndatabase=/l.fdb\n", kOwnerOnly,
         "has no password: set TALVERO_IBLOAN_PASSWORD or password_file"},
        {"another driver", "[IBLoan]\ndriver=QMYSQL\n", kOwnerOnly,
         "names the database driver QMYSQL, which this program cannot use"},
        {"no database", "[IBLoan]\ndriver=QIBASE\n", kOwnerOnly, "names no database on the server"},
        {"no port", "[IBLoan]\ndriver=QIBASE\ndatabase=/l.fdb\nport=x\n", kOwnerOnly,
         "names the port x, which is no port number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        db::testing::TempDataFolder folder;
        if (c.aliases) {
            folder.writeAliases(c.aliases);
        } else {
            ASSERT_TRUE(QDir().mkpath(QString::fromStdString(path(folder, "aliases.ini"))));
        }
        writeFile(path(folder, "loan.password"), "s3cret\n", c.pwMode);
        for (const bool withFd : {false, true}) {
            const PasswordRun r = withFd ? withPasswordPipe("IBLoan") : PasswordRun{call({"IBLoan"}), {}};
            EXPECT_EQ(r.result.code, 1);
            EXPECT_EQ(r.result.err.rfind("talvero-cli: ", 0), 0u) << r.result.err;
            EXPECT_NE(r.result.err.find(c.said), std::string::npos) << r.result.err;
            EXPECT_TRUE(r.result.out.empty()) << r.result.out;
            EXPECT_EQ(r.result.err.find("s3cret"), std::string::npos);
            EXPECT_TRUE(r.password.empty());
        }
    }
}

TEST(Alias, WrongUsage) {
    db::testing::TempDataFolder folder;
    const struct {
        std::vector<std::string> args;
        int code;
        const char* said;
    } cases[] = {
        {{}, 2, "alias needs the alias name"},
        {{"IBLOAN"}, 2, "unknown alias 'IBLOAN' (IBLoan or IBInvest)"},
        {{"IBLoan", "IBInvest"}, 2, "unexpected argument 'IBInvest'"},
        {{"IBLoan", "--password-to-fd"}, 2, "--password-to-fd needs a file descriptor"},
        {{"IBLoan", "--password-to-fd=1"}, 2, "'1' is no file descriptor of 3 or more"},
        {{"IBLoan", "--password-to-fd", "x"}, 2, "'x' is no file descriptor"},
        {{"IBLoan", "--passwd"}, 2, "unexpected argument '--passwd'"},
    };
    for (const auto& c : cases) {
        const Result r = call(c.args);
        SCOPED_TRACE(r.err);
        EXPECT_EQ(r.code, c.code);
        EXPECT_NE(r.err.find(c.said), std::string::npos);
        EXPECT_TRUE(r.out.empty());
    }

    // A descriptor that is not open: the password has nowhere to go, and nothing is printed.
    folder.writeAliases("[IBLoan]\ndriver=QIBASE\ndatabase=/l.fdb\n");
    Environment environment;
    environment.set("TALVERO_IBLOAN_PASSWORD", "s3cret");
    const int closed = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(closed, 3);
    ::close(closed);
    const Result r = call({"IBLoan", "--password-to-fd=" + std::to_string(closed)});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("cannot write the password to file descriptor"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

TEST(Alias, HelpTellsTheKeysAndThePasswordPath) {
    const Result r = call({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("usage: talvero-cli alias IBLoan|IBInvest [--password-to-fd N]", 0), 0u) << r.out;
    for (const char* word :
         {"FOLDER", "DRIVER", "DATABASE", "HOST", "PORT", "USER", "TALVERO_IBLOAN_", "never printed"})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
}

} // namespace
