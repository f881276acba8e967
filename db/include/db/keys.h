#pragma once
// Key generators of the two databases, each with its output NUM: GETSUMNOGEN and GETRECNOGEN in
// IBLoan, FUNDNOGEN and GETRECNOGEN in IBInvest.
//
// A generator hands out 1, 2, 3, ... : each number is larger than every number it handed out in a
// committed transaction before; committed rows never share a number. On SQLite it runs inside the
// caller's transaction, so a rolled-back transaction gives its numbers back and the next call may
// return them again. On Firebird the procedures draw from server sequences, outside every
// transaction, so a rolled-back transaction leaves a gap instead and clients writing at once never
// wait on each other for numbers.

#include "db/connection.h"

#include <QSqlQuery>
#include <QString>
#include <QtGlobal>

namespace db {

enum class Generator { GETSUMNOGEN, GETRECNOGEN, FUNDNOGEN };

// The generator's name, e.g. "GETSUMNOGEN".
QString generatorName(Generator generator);

// One generator on one connection, prepared once: the way to draw many numbers in a row (one per
// schedule row) without preparing the statement each time. Throws db::Error like nextKey.
class KeySource {
public:
    KeySource(Connection& connection, Generator generator);

    qint64 next() { return reserve(1); }
    // Draws `count` (>= 1) numbers at once and returns the first; the block is first .. first+count-1,
    // the numbers `count` calls of next() would return.
    qint64 reserve(qint64 count);

private:
    QSqlQuery query_;
    Alias alias_;
    Generator generator_;
};

// The next number of the generator. Throws db::Error when the connection's database has no such
// generator or the database fails.
qint64 nextKey(Connection& connection, Generator generator);

// KeySource::reserve on a one-off source.
qint64 reserveKeys(Connection& connection, Generator generator, qint64 count);

} // namespace db
