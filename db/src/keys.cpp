#include "db/keys.h"

#include "db/error.h"
#include "db/prepared.h"
#include "db/statements.h"

#include <QSqlError>
#include <QVariant>

#include <optional>

namespace db {

QString generatorName(Generator generator) {
    switch (generator) {
    case Generator::GETSUMNOGEN:
        return QStringLiteral("GETSUMNOGEN");
    case Generator::GETRECNOGEN:
        return QStringLiteral("GETRECNOGEN");
    case Generator::FUNDNOGEN:
        return QStringLiteral("FUNDNOGEN");
    }
    return {};
}

namespace {

QStringView firebirdProcedure(Generator generator) {
    switch (generator) {
    case Generator::GETSUMNOGEN:
        return sql::firebirdGETSUMNOGEN;
    case Generator::GETRECNOGEN:
        return sql::firebirdGETRECNOGEN;
    case Generator::FUNDNOGEN:
        return sql::firebirdFUNDNOGEN;
    }
    return {};
}

bool hasProcedure(Connection& connection, Generator generator) {
    QSqlQuery query = prepare(connection, sql::firebirdProcedureExists);
    query.bindValue(QStringLiteral(":NAME"), generatorName(generator));
    exec(query);
    const bool found = query.next() && query.value(0).toInt() > 0;
    query.finish();
    return found;
}

QStringView drawStatement(Connection& connection, Generator generator) {
    return connection.isFirebird() ? firebirdProcedure(generator) : sql::drawKeys;
}

// The server's text for a missing procedure is a bare "unknown procedure": say which.
[[noreturn]] void missingProcedure(Connection& connection, Generator generator) {
    if (!hasProcedure(connection, generator))
        throw Error(QStringLiteral("The database %1 has no key generator %2")
                        .arg(aliasName(connection.alias()), generatorName(generator)));
    throw;
}

QSqlQuery prepareDraw(Connection& connection, Generator generator) {
    try {
        return prepare(connection, drawStatement(connection, generator));
    } catch (const Error&) {
        if (!connection.isFirebird()) throw;
        missingProcedure(connection, generator);
    }
}

// Draws `count` numbers on a prepared draw and returns the first.
qint64 draw(QSqlQuery& query, Alias alias, Generator generator, qint64 count) {
    if (count < 1)
        throw Error(QStringLiteral("%1 cannot hand out %2 numbers").arg(generatorName(generator)).arg(count));
    // SQLite names the count :COUNT, Firebird :NUMCOUNT; either way it is the first placeholder.
    query.bindValue(0, count);
    exec(query);
    if (!query.next()) {
        if (query.lastError().isValid()) throw Error(query.lastError());
        throw Error(QStringLiteral("The database %1 has no key generator %2")
                        .arg(aliasName(alias), generatorName(generator)));
    }
    const qint64 last = query.value(0).toLongLong();
    // A statement left unfinished would keep the transaction from committing.
    query.finish();
    return last - count + 1;
}

} // namespace

KeySource::KeySource(Connection& connection, Generator generator)
    : query_(prepareDraw(connection, generator)), alias_(connection.alias()), generator_(generator) {
    if (!connection.isFirebird()) query_.bindValue(QStringLiteral(":NAME"), generatorName(generator));
}

qint64 KeySource::reserve(qint64 count) {
    return draw(query_, alias_, generator_, count);
}

qint64 nextKey(Connection& connection, Generator generator) {
    return reserveKeys(connection, generator, 1);
}

// One number at a time for each row of a command: the connection's cached draw.
qint64 reserveKeys(Connection& connection, Generator generator, qint64 count) {
    std::optional<Statement> statement;
    try {
        statement.emplace(prepared(connection, drawStatement(connection, generator)));
    } catch (const Error&) {
        if (!connection.isFirebird()) throw;
        missingProcedure(connection, generator);
    }
    QSqlQuery& query = statement->query();
    if (!connection.isFirebird()) query.bindValue(QStringLiteral(":NAME"), generatorName(generator));
    return draw(query, connection.alias(), generator, count);
}

} // namespace db
