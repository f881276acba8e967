#include "db/transaction.h"

#include "db/error.h"
#include "db/statements.h"

#include <QSqlError>

namespace db {
namespace {

void run(Connection& connection, QStringView statement) {
    QSqlQuery query(connection.database());
    if (!query.exec(statement.toString())) throw Error(messageOf(query.lastError()));
}

} // namespace

Transaction::Transaction(Connection& connection) : connection_(connection) {
    run(connection_, sql::sqliteBegin);
    open_ = true;
}

Transaction::~Transaction() {
    if (!open_) return;
    try {
        run(connection_, sql::sqliteRollback);
    } catch (...) {
        // The database drops an unfinished transaction itself when the connection closes.
    }
}

void Transaction::commit() {
    if (!open_) throw Error(QStringLiteral("The transaction is already finished"));
    try {
        run(connection_, sql::sqliteCommit);
        open_ = false;
    } catch (const Error&) {
        open_ = false;
        try {
            run(connection_, sql::sqliteRollback);
        } catch (...) {
            // A failed COMMIT may already have ended the transaction.
        }
        throw;
    }
}

} // namespace db
