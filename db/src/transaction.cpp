#include "db/transaction.h"

#include "db/error.h"
#include "db/prepared.h"
#include "db/statements.h"

#include <QSqlError>

namespace db {
namespace {

void run(Connection& connection, QStringView statement) {
    QSqlQuery query(connection.database());
    if (!query.exec(statement.toString())) throw Error(query.lastError());
}

// Firebird transactions go through the driver's own calls (snapshot isolation, waiting on locks).
// Its statements run in the transaction they were prepared in, so the cache keeps them for one.
void begin(Connection& connection) {
    if (!connection.isFirebird()) return run(connection, sql::sqliteBegin);
    if (!connection.database().transaction()) throw Error(connection.database().lastError());
    connection.statements().transactionBegan();
}

void commitWork(Connection& connection) {
    if (!connection.isFirebird()) return run(connection, sql::sqliteCommit);
    connection.statements().transactionEnds();
    if (!connection.database().commit()) throw Error(connection.database().lastError());
}

void rollbackWork(Connection& connection) {
    if (!connection.isFirebird()) return run(connection, sql::sqliteRollback);
    connection.statements().transactionEnds();
    if (!connection.database().rollback()) throw Error(connection.database().lastError());
}

} // namespace

Transaction::Transaction(Connection& connection) : connection_(connection) {
    begin(connection_);
    open_ = true;
}

Transaction::~Transaction() {
    if (!open_) return;
    try {
        rollbackWork(connection_);
    } catch (...) {
        // The database drops an unfinished transaction itself when the connection closes.
    }
}

void Transaction::commit() {
    if (!open_) throw Error(QStringLiteral("The transaction is already finished"));
    try {
        commitWork(connection_);
        open_ = false;
    } catch (const Error&) {
        open_ = false;
        try {
            rollbackWork(connection_);
        } catch (...) {
            // A failed COMMIT may already have ended the transaction.
        }
        throw;
    }
}

} // namespace db
