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

KeySource::KeySource(Connection& connection, Generator generator)
    : query_(prepare(connection, sql::drawKeys)), alias_(connection.alias()), generator_(generator) {
    query_.bindValue(QStringLiteral(":NAME"), generatorName(generator_));
}

qint64 KeySource::reserve(qint64 count) {
    if (count < 1)
        throw Error(
            QStringLiteral("%1 cannot hand out %2 numbers").arg(generatorName(generator_)).arg(count));
    query_.bindValue(QStringLiteral(":COUNT"), count);
    exec(query_);
    if (!query_.next()) {
        if (query_.lastError().isValid()) throw Error(messageOf(query_.lastError()));
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
