#include "db/connection.h"

#include "db/datafolder.h"
#include "db/error.h"
#include "db/prepared.h"
#include "db/faults.h"
#include "db/statements.h"
#include "db/transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSqlError>
#include <QVariant>

#include <atomic>
#include <memory>
#include <sqlite3.h>

namespace db {
namespace {

const QString sqliteDriver = QString::fromLatin1(sqliteDriverName);
const QString firebirdDriver = QString::fromLatin1(firebirdDriverName);

// The schema version the blank scripts set with PRAGMA user_version.
constexpr int schemaVersion = 1;

QString defaultFileName(Alias alias) {
    return alias == Alias::IBLoan ? QStringLiteral("loan.db") : QStringLiteral("invest.db");
}

QString schemaResource(Alias alias) {
    return alias == Alias::IBLoan ? QStringLiteral(":/talvero/db/sqlite/loan.sql")
                                  : QStringLiteral(":/talvero/db/sqlite/invest.sql");
}

QString firebirdSchemaResource(Alias alias) {
    return alias == Alias::IBLoan ? QStringLiteral(":/talvero/db/firebird/loan.sql")
                                  : QStringLiteral(":/talvero/db/firebird/invest.sql");
}

// The statements of an isql script: SET TERM changes the terminator (procedure bodies end with it),
// COMMIT is left out because each statement commits on its own, comment lines are dropped.
QStringList firebirdScriptStatements(const QString& script) {
    QStringList statements;
    QString terminator = QStringLiteral(";");
    QString pending;
    for (const QString& line : script.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (pending.isEmpty() && (trimmed.isEmpty() || trimmed.startsWith(QStringLiteral("--")))) continue;
        pending += line;
        pending += u'\n';
        const QString whole = pending.trimmed();
        if (!whole.endsWith(terminator)) continue;
        const QString statement = whole.left(whole.size() - terminator.size()).trimmed();
        pending.clear();
        if (statement.startsWith(QStringLiteral("SET TERM "), Qt::CaseInsensitive)) {
            terminator = statement.mid(9).trimmed();
            continue;
        }
        if (statement.compare(QStringLiteral("COMMIT"), Qt::CaseInsensitive) == 0) continue;
        statements << statement;
    }
    if (!pending.trimmed().isEmpty()) statements << pending.trimmed();
    return statements;
}

QString environmentKey(Alias alias, const char* key) {
    return QStringLiteral("TALVERO_%1_%2").arg(aliasName(alias).toUpper(), QLatin1String(key));
}

// The environment's value for the alias's key, else the aliases file's.
QString setting(Alias alias, QSettings* settings, const char* key, const char* environment) {
    const QString name = environmentKey(alias, environment);
    if (qEnvironmentVariableIsSet(name.toLatin1().constData()))
        return qEnvironmentVariable(name.toLatin1().constData()).trimmed();
    if (!settings) return {};
    return settings->value(QLatin1String(key)).toString().trimmed();
}

// The password of a server alias: from the environment, else the first line of a file that only its
// owner can read or write.
QString passwordOf(Alias alias, QSettings* settings, const QString& folder) {
    const QString variable = environmentKey(alias, "PASSWORD");
    if (qEnvironmentVariableIsSet(variable.toLatin1().constData()))
        return qEnvironmentVariable(variable.toLatin1().constData());
    const QString file = setting(alias, settings, "password_file", "PASSWORD_FILE");
    if (file.isEmpty())
        throw Error(QStringLiteral("The alias %1 has no password: set %2 or password_file in %3")
                        .arg(aliasName(alias), variable, QString::fromLatin1(aliasesFileName)));
    const QString path = QDir::cleanPath(QDir(folder).absoluteFilePath(file));
    const QFileInfo info(path);
    if (!info.isFile())
        throw Error(QStringLiteral("The password file %1 of the alias %2 does not exist")
                        .arg(path, aliasName(alias)));
    constexpr QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther |
                                          QFile::WriteOther | QFile::ExeGroup | QFile::ExeOther;
    if (info.permissions() & others)
        throw Error(QStringLiteral("The password file %1 of the alias %2 must be readable only by its owner "
                                   "(chmod 600)")
                        .arg(path, aliasName(alias)));
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
        throw Error(QStringLiteral("The password file %1 of the alias %2 cannot be read")
                        .arg(path, aliasName(alias)));
    return QString::fromUtf8(in.readLine()).remove(u'\n').remove(u'\r');
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
    if (!query.next()) throw Error(query.lastError());
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

QString describe(const Target& target) {
    if (target.driver != firebirdDriver) return target.database;
    QString server = target.host;
    if (target.port > 0) server += QStringLiteral("/%1").arg(target.port);
    return server + u':' + target.database;
}

Target resolveAlias(Alias alias) {
    const QString folder = dataFolderPath();
    const QString aliasesPath = QDir(folder).filePath(QString::fromLatin1(aliasesFileName));
    std::unique_ptr<QSettings> settings;
    if (QFile::exists(aliasesPath)) {
        settings = std::make_unique<QSettings>(aliasesPath, QSettings::IniFormat);
        if (settings->status() != QSettings::NoError)
            throw Error(QStringLiteral("The aliases file %1 cannot be read").arg(aliasesPath));
        settings->beginGroup(aliasName(alias));
        if (settings->contains(QStringLiteral("password")))
            throw Error(
                QStringLiteral("The aliases file %1 holds a password for %2: keep it in a password_file "
                               "or the environment instead")
                    .arg(aliasesPath, aliasName(alias)));
    }

    Target target;
    target.driver = setting(alias, settings.get(), "driver", "DRIVER").toUpper();
    if (target.driver.isEmpty()) target.driver = sqliteDriver;
    const QString database = setting(alias, settings.get(), "database", "DATABASE");
    if (target.driver == sqliteDriver) {
        target.database = QDir(folder).filePath(defaultFileName(alias));
        if (!database.isEmpty()) target.database = QDir::cleanPath(QDir(folder).absoluteFilePath(database));
        return target;
    }
    if (target.driver != firebirdDriver)
        throw Error(QStringLiteral("The alias %1 names the database driver %2, which this program cannot use")
                        .arg(aliasName(alias), target.driver));
    if (database.isEmpty())
        throw Error(QStringLiteral("The alias %1 names no database on the server").arg(aliasName(alias)));
    target.database = database;
    target.host = setting(alias, settings.get(), "host", "HOST");
    if (target.host.isEmpty()) target.host = QStringLiteral("localhost");
    const QString port = setting(alias, settings.get(), "port", "PORT");
    if (!port.isEmpty()) {
        bool ok = false;
        target.port = port.toInt(&ok);
        if (!ok || target.port < 1 || target.port > 65535)
            throw Error(QStringLiteral("The alias %1 names the port %2, which is no port number")
                            .arg(aliasName(alias), port));
    }
    target.user = setting(alias, settings.get(), "user", "USER");
    if (target.user.isEmpty()) target.user = QStringLiteral("SYSDBA");
    target.password = passwordOf(alias, settings.get(), folder);
    return target;
}

Connection::Connection(Alias alias) : alias_(alias) {
    const QString folder = ensureDataFolder();
    if (folder.isEmpty()) throw Error(dataFolderMissingMessage(dataFolderPath()), ErrorKind::ReadOnly);
    target_ = resolveAlias(alias);
    if (!QSqlDatabase::isDriverAvailable(target_.driver))
        throw Error(isSqlite() ? QStringLiteral("The SQLite driver of Qt (QSQLITE) is not installed")
                               : QStringLiteral("The Firebird driver of Qt (QIBASE) is not installed "
                                                "(Debian package libqt6sql6-ibase)"));

    static std::atomic<int> serial{0};
    name_ = QStringLiteral("talvero-%1-%2").arg(aliasName(alias)).arg(++serial);
    database_ = QSqlDatabase::addDatabase(target_.driver, name_);
    database_.setDatabaseName(target_.database);
    if (isSqlite()) {
        // A second writer (another window or process) waits for the lock instead of failing at once.
        database_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    } else {
        database_.setHostName(target_.host);
        if (target_.port > 0) database_.setPort(target_.port);
        database_.setUserName(target_.user);
        database_.setPassword(target_.password);
    }
    try {
        if (!database_.open()) {
            // A new file in a folder no one may write into.
            if (isSqlite() && !QFileInfo::exists(target_.database) && !QFileInfo(folder).isWritable())
                throw Error(dataFolderReadOnlyMessage(folder), ErrorKind::ReadOnly);
            throw Error(QStringLiteral("Cannot open the database %1 (%2): %3")
                            .arg(aliasName(alias), describe(target_), messageOf(database_.lastError())));
        }
        if (isSqlite()) {
            configureSqlite();
            createSchemaIfBlank();
        } else {
            createFirebirdSchemaIfBlank();
        }
    } catch (...) {
        database_.close();
        database_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
        throw;
    }
}

Connection::~Connection() {
    statements_.reset(); // its queries need the open connection
    database_.close();
    database_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

bool Connection::isSqlite() const {
    return target_.driver == sqliteDriver;
}

bool Connection::isFirebird() const {
    return target_.driver == firebirdDriver;
}

// A database without the program's tables gets the blank schema, one statement at a time, each
// committed at once (Firebird uses a new object only after the statement that made it commits).
// Two programs starting on one blank database at once: the later one finds the objects made and
// goes on when the schema is whole by then.
void Connection::createFirebirdSchemaIfBlank() {
    const auto tableCount = [this] {
        QSqlQuery query = prepare(*this, sql::firebirdTableCount);
        query.bindValue(QStringLiteral(":NAME"), alias_ == Alias::IBLoan ? QStringLiteral("LOANSUMMARY")
                                                                         : QStringLiteral("INVESTSUMMARY"));
        exec(query);
        const int count = query.next() ? query.value(0).toInt() : 0;
        query.finish();
        return count;
    };
    const auto procedureCount = [this] {
        QSqlQuery query = prepare(*this, sql::firebirdProcedureCount);
        exec(query);
        const int count = query.next() ? query.value(0).toInt() : 0;
        query.finish();
        return count;
    };
    try {
        if (tableCount() > 0 && procedureCount() == 2) return;
        QFile file(firebirdSchemaResource(alias_));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            throw Error(
                QStringLiteral("The blank schema %1 is missing from the program").arg(file.fileName()));
        const QStringList statements = firebirdScriptStatements(QString::fromUtf8(file.readAll()));
        try {
            for (const QString& statement : statements)
                execute(*this, statement);
        } catch (const Error&) {
            if (procedureCount() != 2) throw;
        }
    } catch (const Error& e) {
        throw Error(QStringLiteral("Cannot create the database %1 (%2): %3")
                        .arg(aliasName(alias_), describe(target_), e.message()));
    }
}

void Connection::configureSqlite() {
    try {
        execute(*this, sql::sqliteForeignKeys);
        execute(*this, sql::sqliteJournalMode);
        execute(*this, sql::sqliteSynchronous);
    } catch (const Error& e) {
        if (e.kind() == ErrorKind::Damaged)
            throw Error(damagedMessage(alias_, target_.database, e.message()), ErrorKind::Damaged);
        throw Error(QStringLiteral("Cannot open the database %1 (%2): %3")
                        .arg(aliasName(alias_), target_.database, e.message()),
                    e.kind());
    }
}

// Whether the file holds the alias's tables; a file of another program or the other alias is
// refused, never given the blank schema on top of what it holds.
void Connection::checkSqliteTables(int version) {
    const QStringList tables = alias_ == Alias::IBLoan
                                   ? QStringList{QStringLiteral("LOANSUMMARY"), QStringLiteral("LOANDETAIL"),
                                                 QStringLiteral("KEYGEN")}
                                   : QStringList{QStringLiteral("INVESTSUMMARY"), QStringLiteral("LINEITEM"),
                                                 QStringLiteral("KEYGEN")};
    const auto countOf = [this](QStringView statement, const QString& table) {
        try {
            QSqlQuery query = prepare(*this, statement);
            if (!table.isEmpty()) query.bindValue(QStringLiteral(":NAME"), table);
            exec(query);
            return query.next() ? query.value(0).toInt() : 0;
        } catch (const Error& e) {
            if (e.kind() != ErrorKind::Damaged) throw;
            throw Error(damagedMessage(alias_, target_.database, e.message()), ErrorKind::Damaged);
        }
    };
    if (version == 0) {
        const int count = countOf(sql::sqliteTableCount, QString());
        if (count > 0)
            throw Error(
                damagedMessage(alias_, target_.database,
                               QStringLiteral("it holds %1 other table(s) and no Talvero schema").arg(count)),
                ErrorKind::Damaged);
        return;
    }
    QStringList missing;
    for (const QString& table : tables)
        if (countOf(sql::sqliteHasTable, table) == 0) missing << table;
    if (!missing.isEmpty())
        throw Error(damagedMessage(alias_, target_.database,
                                   QStringLiteral("the table(s) %1 are missing").arg(missing.join(u' '))),
                    ErrorKind::Damaged);
}

void Connection::createSchemaIfBlank() {
    int version = 0;
    try {
        version = queryInt(*this, sql::sqliteSchemaVersion);
    } catch (const Error& e) {
        if (e.kind() != ErrorKind::Damaged) throw;
        throw Error(damagedMessage(alias_, target_.database, e.message()), ErrorKind::Damaged);
    }
    if (version <= schemaVersion) checkSqliteTables(version);
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
        if (e.kind() == ErrorKind::DiskFull)
            throw Error(diskFullMessage(alias_, target_.database), ErrorKind::DiskFull);
        if (e.kind() == ErrorKind::ReadOnly)
            throw Error(dataFolderReadOnlyMessage(QFileInfo(target_.database).absolutePath()),
                        ErrorKind::ReadOnly);
        throw Error(QStringLiteral("Cannot create the database %1 (%2): %3")
                        .arg(aliasName(alias_), target_.database, e.message()),
                    e.kind());
    }
}

QSqlQuery prepare(Connection& connection, QStringView statement) {
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.prepare(statement.toString())) throw Error(query.lastError());
    return query;
}

void exec(QSqlQuery& query) {
    if (!query.exec()) throw Error(query.lastError());
}

} // namespace db
