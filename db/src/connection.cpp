#include "db/connection.h"

#include "db/datafolder.h"
#include "db/error.h"
#include "db/statements.h"
#include "db/transaction.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSqlError>
#include <QVariant>

#include <atomic>
#include <sqlite3.h>

namespace db {
namespace {

const QString sqliteDriver = QStringLiteral("QSQLITE");

// The schema version the blank scripts set with PRAGMA user_version.
constexpr int schemaVersion = 1;

QString defaultFileName(Alias alias) {
    return alias == Alias::IBLoan ? QStringLiteral("loan.db") : QStringLiteral("invest.db");
}

QString schemaResource(Alias alias) {
    return alias == Alias::IBLoan ? QStringLiteral(":/talvero/db/sqlite/loan.sql")
                                  : QStringLiteral(":/talvero/db/sqlite/invest.sql");
}

bool onlyComments(const QString& text) {
    for (const QString& line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QStringLiteral("--"))) return false;
    }
    return true;
}

// Splits a script into whole statements the way the sqlite3 shell does, so trigger bodies with
// their inner semicolons stay in one piece.
QStringList scriptStatements(const QString& script) {
    QStringList statements;
    QString pending;
    for (const QString& line : script.split(u'\n')) {
        pending += line;
        pending += u'\n';
        if (sqlite3_complete(pending.toUtf8().constData()) != 0) {
            if (!onlyComments(pending)) statements << pending.trimmed();
            pending.clear();
        }
    }
    // An unterminated last statement fails when it runs.
    if (!onlyComments(pending)) statements << pending.trimmed();
    return statements;
}

int queryInt(Connection& connection, QStringView statement) {
    QSqlQuery query = prepare(connection, statement);
    exec(query);
    if (!query.next()) throw Error(messageOf(query.lastError()));
    return query.value(0).toInt();
}

void execute(Connection& connection, QStringView statement) {
    QSqlQuery query = prepare(connection, statement);
    exec(query);
}

} // namespace

QString aliasName(Alias alias) {
    return alias == Alias::IBLoan ? QStringLiteral("IBLoan") : QStringLiteral("IBInvest");
}

Target resolveAlias(Alias alias) {
    const QString folder = dataFolderPath();
    Target target{sqliteDriver, QDir(folder).filePath(defaultFileName(alias))};
    const QString aliasesPath = QDir(folder).filePath(QString::fromLatin1(aliasesFileName));
    if (!QFile::exists(aliasesPath)) return target;

    QSettings settings(aliasesPath, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        throw Error(QStringLiteral("The aliases file %1 cannot be read").arg(aliasesPath));
    settings.beginGroup(aliasName(alias));
    const QString driver = settings.value(QStringLiteral("driver")).toString().trimmed();
    if (!driver.isEmpty()) target.driver = driver;
    const QString database = settings.value(QStringLiteral("database")).toString().trimmed();
    if (!database.isEmpty()) target.database = QDir::cleanPath(QDir(folder).absoluteFilePath(database));
    settings.endGroup();
    return target;
}

Connection::Connection(Alias alias) : alias_(alias) {
    const QString folder = ensureDataFolder();
    if (folder.isEmpty())
        throw Error(QStringLiteral("Cannot create the data folder %1").arg(dataFolderPath()));
    target_ = resolveAlias(alias);
    if (!isSqlite())
        throw Error(QStringLiteral("The alias %1 names the database driver %2, which this program cannot use")
                        .arg(aliasName(alias), target_.driver));
    if (!QSqlDatabase::isDriverAvailable(sqliteDriver))
        throw Error(QStringLiteral("The SQLite driver of Qt (QSQLITE) is not installed"));

    static std::atomic<int> serial{0};
    name_ = QStringLiteral("talvero-%1-%2").arg(aliasName(alias)).arg(++serial);
    database_ = QSqlDatabase::addDatabase(target_.driver, name_);
    database_.setDatabaseName(target_.database);
    // A second writer (another window or process) waits for the lock instead of failing at once.
    database_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    try {
        if (!database_.open())
            throw Error(QStringLiteral("Cannot open the database %1 (%2): %3")
                            .arg(aliasName(alias), target_.database, messageOf(database_.lastError())));
        configureSqlite();
        createSchemaIfBlank();
    } catch (...) {
        database_.close();
        database_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
        throw;
    }
}

Connection::~Connection() {
    database_.close();
    database_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

bool Connection::isSqlite() const {
    return target_.driver == sqliteDriver;
}

void Connection::configureSqlite() {
    try {
        execute(*this, sql::sqliteForeignKeys);
        execute(*this, sql::sqliteJournalMode);
        execute(*this, sql::sqliteSynchronous);
    } catch (const Error& e) {
        throw Error(QStringLiteral("Cannot open the database %1 (%2): %3")
                        .arg(aliasName(alias_), target_.database, e.message()));
    }
}

void Connection::createSchemaIfBlank() {
    int version = queryInt(*this, sql::sqliteSchemaVersion);
    if (version == schemaVersion) return;
    if (version > schemaVersion)
        throw Error(QStringLiteral("The database %1 (%2) was made by a newer version of Talvero")
                        .arg(aliasName(alias_), target_.database));

    try {
        Transaction transaction(*this);
        // Another process may have created it while this one waited for the lock.
        version = queryInt(*this, sql::sqliteSchemaVersion);
        if (version == schemaVersion) return;

        QFile file(schemaResource(alias_));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            throw Error(
                QStringLiteral("The blank schema %1 is missing from the program").arg(file.fileName()));
        const QString script = QString::fromUtf8(file.readAll());
        for (const QString& statement : scriptStatements(script))
            execute(*this, statement);
        if (queryInt(*this, sql::sqliteSchemaVersion) != schemaVersion)
            throw Error(QStringLiteral("The blank schema %1 is incomplete").arg(file.fileName()));
        transaction.commit();
    } catch (const Error& e) {
        throw Error(QStringLiteral("Cannot create the database %1 (%2): %3")
                        .arg(aliasName(alias_), target_.database, e.message()));
    }
}

QSqlQuery prepare(Connection& connection, QStringView statement) {
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.prepare(statement.toString())) throw Error(messageOf(query.lastError()));
    return query;
}

void exec(QSqlQuery& query) {
    if (!query.exec()) throw Error(messageOf(query.lastError()));
}

} // namespace db
