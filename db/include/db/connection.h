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
// `driver` is the Qt SQL driver name (QSQLITE when missing; only QSQLITE is supported);
// `database` is the SQLite file, relative to the data folder unless absolute (the default file name
// when missing). A missing file or section means the defaults. Keys are lower case.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringView>

namespace db {

enum class Alias { IBLoan, IBInvest };

// "IBLoan" or "IBInvest".
QString aliasName(Alias alias);

// What an alias resolves to.
struct Target {
    QString driver;   // Qt SQL driver name, e.g. "QSQLITE"
    QString database; // for SQLite: the absolute path of the database file
};

// The name of the aliases file inside the data folder.
inline constexpr const char* aliasesFileName = "aliases.ini";

// Reads the aliases file (if any) and resolves the alias; throws db::Error on an unreadable or
// malformed aliases file.
Target resolveAlias(Alias alias);

// One open connection to an alias's database. Opening creates the data folder and, for a new SQLite
// file, the blank schema; SQLite runs with foreign keys on, a rollback journal and synchronous FULL,
// so a process killed mid-transaction leaves the last committed state. Throws db::Error when the
// database cannot be opened or created. Closed on destruction.
class Connection {
public:
    explicit Connection(Alias alias);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Alias alias() const noexcept { return alias_; }
    const Target& target() const noexcept { return target_; }
    bool isSqlite() const;

    // The underlying connection, for Qt's SQL models and queries.
    QSqlDatabase& database() noexcept { return database_; }

private:
    void configureSqlite();
    void createSchemaIfBlank();

    Alias alias_;
    Target target_;
    QString name_;
    QSqlDatabase database_;
};

// A query prepared from one of the statements of db/statements.h; throws db::Error when the
// database rejects it.
QSqlQuery prepare(Connection& connection, QStringView statement);

// Executes a prepared query with its bound values; throws db::Error with the database's text.
void exec(QSqlQuery& query);

} // namespace db
