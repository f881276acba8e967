#include "db/keys.h"

#include "db/error.h"
#include "db/statements.h"

#include <QSqlError>
#include <QVariant>

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

QSqlQuery prepareDraw(Connection& connection, Generator generator) {
    if (!connection.isFirebird()) {
        QSqlQuery query = prepare(connection, sql::drawKeys);
        query.bindValue(QStringLiteral(":NAME"), generatorName(generator));
        return query;
    }
    try {
        return prepare(connection, firebirdProcedure(generator));
    } catch (const Error&) {
        // The server's text for a missing procedure is a bare "unknown procedure"; say which.
        if (!hasProcedure(connection, generator))
            throw Error(QStringLiteral("The database %1 has no key generator %2")
                            .arg(aliasName(connection.alias()), generatorName(generator)));
        throw;
    }
}

} // namespace

KeySource::KeySource(Connection& connection, Generator generator)
    : query_(prepareDraw(connection, generator)), alias_(connection.alias()), generator_(generator) {}

qint64 KeySource::reserve(qint64 count) {
    if (count < 1)
        throw Error(
            QStringLiteral("%1 cannot hand out %2 numbers").arg(generatorName(generator_)).arg(count));
    // SQLite names the count :COUNT, Firebird :NUMCOUNT; either way it is the first placeholder.
    query_.bindValue(0, count);
    exec(query_);
    if (!query_.next()) {
        if (query_.lastError().isValid()) throw Error(query_.lastError());
        throw Error(QStringLiteral("The database %1 has no key generator %2")
                        .arg(aliasName(alias_), generatorName(generator_)));
    }
    const qint64 last = query_.value(0).toLongLong();
    // A statement left unfinished would keep the transaction from committing.
    query_.finish();
    return last - count + 1;
}

qint64 nextKey(Connection& connection, Generator generator) {
    return KeySource(connection, generator).next();
}

qint64 reserveKeys(Connection& connection, Generator generator, qint64 count) {
    return KeySource(connection, generator).reserve(count);
}

} // namespace db
