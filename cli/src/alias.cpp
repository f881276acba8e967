#include "cli/alias.h"

#include "db/connection.h"
#include "db/datafolder.h"
#include "db/error.h"

#include <QDir>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <unistd.h>

namespace talvero::cli {

namespace {

// clang-format off
const char* const kAliasHelp =
    "usage: talvero-cli alias IBLoan|IBInvest [--password-to-fd N]\n"
    "\n"
    "Prints where the alias points, resolved as the program resolves it: the data folder's\n"
    "aliases.ini, overridden key by key by TALVERO_IBLOAN_* / TALVERO_IBINVEST_* (DRIVER, HOST, PORT,\n"
    "DATABASE, USER, PASSWORD, PASSWORD_FILE). One \"KEY value\" line each:\n"
    "  FOLDER    the data folder as an absolute path: TALVERO_HOME (a relative one from the current\n"
    "            folder) when set, else $XDG_DATA_HOME/talvero (~/.local/share/talvero); created,\n"
    "            private to the user, when missing; the maintenance scripts keep backups in its\n"
    "            backups/ folder\n"
    "  DRIVER    QSQLITE or QIBASE\n"
    "  DATABASE  SQLite: the database file (in the data folder unless aliases.ini names another);\n"
    "            Firebird: the database's path or alias on the server\n"
    "  HOST      Firebird only: the server\n"
    "  PORT      Firebird only, and only when the alias names one (else the server's default)\n"
    "  USER      Firebird only: the user name\n"
    "The password is never printed. --password-to-fd N writes it, without a line end, to the open file\n"
    "descriptor N (3 or more), so a script can read it from a pipe; an alias without a password\n"
    "writes nothing there. The maintenance scripts read their aliases and data folder this way.\n"
    "\n"
    "Exit code: 0 done; 1 the alias cannot be used (a data folder that cannot be created, unreadable\n"
    "aliases.ini, unknown driver, missing database, a password in aliases.ini, a missing password or\n"
    "one whose file others can read); 2 wrong usage.\n";
// clang-format on

std::optional<db::Alias> aliasNamed(const std::string& name) {
    for (const db::Alias alias : {db::Alias::IBLoan, db::Alias::IBInvest})
        if (db::aliasName(alias).toStdString() == name) return alias;
    return std::nullopt;
}

// The descriptor of --password-to-fd: a whole number, never standard input, output or error.
std::optional<int> descriptor(const std::string& text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int fd = std::stoi(text);
    if (fd < 3) return std::nullopt;
    return fd;
}

bool writeAll(int fd, const QByteArray& data) {
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, std::size_t(data.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

} // namespace

int alias_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") {
            out << kAliasHelp;
            return 0;
        }
    std::optional<db::Alias> alias;
    std::optional<int> passwordFd;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (a == "--password-to-fd" || a.rfind("--password-to-fd=", 0) == 0) {
            std::string value;
            if (a.size() > 16) {
                value = a.substr(17);
            } else if (k + 1 < args.size()) {
                value = args[++k];
            } else {
                err << "talvero-cli: --password-to-fd needs a file descriptor\n";
                return 2;
            }
            passwordFd = descriptor(value);
            if (!passwordFd) {
                err << "talvero-cli: --password-to-fd: '" << value
                    << "' is no file descriptor of 3 or more (0, 1 and 2 would show the password)\n";
                return 2;
            }
        } else if (!alias && a.rfind("-", 0) != 0) {
            alias = aliasNamed(a);
            if (!alias) {
                err << "talvero-cli: unknown alias '" << a << "' (IBLoan or IBInvest)\n";
                return 2;
            }
        } else {
            err << "talvero-cli: unexpected argument '" << a << "'\n";
            return 2;
        }
    }
    if (!alias) {
        err << "talvero-cli: alias needs the alias name (IBLoan or IBInvest)\n";
        return 2;
    }

    // The folder is made as a connection makes it, before the scripts put backups there.
    const QString folder = db::ensureDataFolder();
    if (folder.isEmpty()) {
        err << "talvero-cli: Cannot create the data folder " << db::dataFolderPath().toStdString() << '\n';
        return 1;
    }
    db::Target target;
    try {
        target = db::resolveAlias(*alias);
    } catch (const db::Error& e) {
        err << "talvero-cli: " << e.message().toStdString() << '\n';
        return 1;
    }
    const bool server = target.driver == QLatin1String(db::firebirdDriverName);
    std::vector<std::pair<const char*, QString>> lines{{"FOLDER", QDir(folder).absolutePath()},
                                                       {"DRIVER", target.driver}};
    if (server) {
        lines.emplace_back("HOST", target.host);
        if (target.port > 0) lines.emplace_back("PORT", QString::number(target.port));
    }
    lines.emplace_back("DATABASE", target.database);
    if (server) lines.emplace_back("USER", target.user);
    // One line per key is what readers of this output rely on.
    for (const auto& [key, value] : lines)
        if (value.contains(u'\n') || value.contains(u'\r')) {
            err << "talvero-cli: the " << key << " of the alias " << db::aliasName(*alias).toStdString()
                << " holds a line break\n";
            return 1;
        }
    if (passwordFd && !writeAll(*passwordFd, target.password.toUtf8())) {
        err << "talvero-cli: cannot write the password to file descriptor " << *passwordFd << ": "
            << std::strerror(errno) << '\n';
        return 1;
    }
    for (const auto& [key, value] : lines) {
        char text[32];
        std::snprintf(text, sizeof text, "%-15s ", key);
        out << text << value.toStdString() << '\n';
    }
    return 0;
}

} // namespace talvero::cli
