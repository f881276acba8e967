#pragma once
// Connection by alias. Forms and routines name a database only by its alias and get a Connection
// from this layer; they never build a QSqlDatabase themselves.
//
// Where an alias points: by default each alias is one SQLite file in the data folder (IBLoan ->
// loan.db, IBInvest -> invest.db), created from the blank schema on first use. The optional file
// "aliases.ini" in the data folder overrides this per alias, in INI form:
//
//     [IBLoan]
//     driver=QSQLITE
//     database=/srv/talvero/loan.db
//
//     [IBInvest]
//     driver=QIBASE
//     host=dbserver
//     port=3050
//     database=/var/lib/firebird/3.0/data/invest.fdb
//     user=SYSDBA
//     password_file=invest.password
//
// `driver` is the Qt SQL driver name: QSQLITE (when missing) or QIBASE (a Firebird server).
// SQLite: `database` is the file, relative to the data folder unless absolute (the default file name
// when missing). Firebird: `database` is the path (or alias) on the server, `host` the server
// (localhost when missing), `port` its port (the server's default when missing), `user` the user
// (SYSDBA when missing). The password never sits in aliases.ini: it comes from the environment
// variable TALVERO_IBLOAN_PASSWORD / TALVERO_IBINVEST_PASSWORD, else from `password_file` (relative
// to the data folder unless absolute; refused unless only its owner can read it; its first line).
// A missing file or section means the defaults. Keys are lower case.
//
// For scripts and tests the environment overrides aliases.ini key by key: TALVERO_<ALIAS>_DRIVER,
// _HOST, _PORT, _DATABASE, _USER, _PASSWORD, _PASSWORD_FILE with <ALIAS> = IBLOAN or IBINVEST.
// Messages name the alias, host and database, never the password.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringView>

#include <memory>

namespace db {

class StatementCache;

enum class Alias { IBLoan, IBInvest };

// "IBLoan" or "IBInvest".
QString aliasName(Alias alias);

// What an alias resolves to.
struct Target {
    QString driver;   // Qt SQL driver name, "QSQLITE" or "QIBASE"
    QString database; // SQLite: the absolute path of the database file; Firebird: the path on the server
    QString host;     // Firebird only
    int port = -1;    // Firebird only; -1: the server's default
    QString user;     // Firebird only
    QString password; // Firebird only; never shown
};

// The Qt SQL driver names of the two backends.
inline constexpr const char* sqliteDriverName = "QSQLITE";
inline constexpr const char* firebirdDriverName = "QIBASE";

// "host/port:database" as Firebird names a remote database (no password); the file for SQLite.
QString describe(const Target& target);

// The name of the aliases file inside the data folder.
inline constexpr const char* aliasesFileName = "aliases.ini";

// Reads the aliases file (if any) and the environment and resolves the alias; throws db::Error on
// an unreadable or malformed aliases file, an unknown driver, or a missing or unsafe password file.
Target resolveAlias(Alias alias);

// One open connection to an alias's database. Opening creates the data folder and, for a new SQLite
// file or a Firebird database without tables, the blank schema; SQLite runs with foreign keys on, a rollback
// journal and synchronous FULL, so a process killed mid-transaction leaves the last committed state. Throws
// db::Error when the database cannot be opened or created. A file that is no sound database of the
// alias (not SQLite, damaged, other tables) is refused with ErrorKind::Damaged and never written to.
// Closed on destruction.
class Connection {
public:
    explicit Connection(Alias alias);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Alias alias() const noexcept { return alias_; }
    const Target& target() const noexcept { return target_; }
    bool isSqlite() const;
    bool isFirebird() const;

    // The underlying connection, for Qt's SQL models and queries.
    QSqlDatabase& database() noexcept { return database_; }
    // The statements prepared once on this connection (db/prepared.h).
    StatementCache& statements();

private:
    void configureSqlite();
    void createSchemaIfBlank();
    void checkSqliteTables(int version);
    void createFirebirdSchemaIfBlank();

    Alias alias_;
    Target target_;
    QString name_;
    QSqlDatabase database_;
    std::unique_ptr<StatementCache> statements_;
};

// A query prepared from one of the statements of db/statements.h; throws db::Error when the
// database rejects it.
QSqlQuery prepare(Connection& connection, QStringView statement);

// Executes a prepared query with its bound values; throws db::Error with the database's text.
void exec(QSqlQuery& query);

} // namespace db
