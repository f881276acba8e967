#include "db/testsupport/fault.h"

#include "db/error.h"
#include "db/transaction.h"

#include <QStringList>

namespace db::testing {
namespace {

// clang-format off
const QString dropTrigger = QStringLiteral("DROP TRIGGER IF EXISTS TALVERO_FAULT");
const QString dropCounter = QStringLiteral("DROP TABLE IF EXISTS TALVERO_FAULT_COUNT");
const QString createCounter = QStringLiteral("CREATE TABLE TALVERO_FAULT_COUNT (N INTEGER NOT NULL)");
const QString startCounter = QStringLiteral("INSERT INTO TALVERO_FAULT_COUNT (N) VALUES (0)");
// %1 table, %2 rows let through, %3 message.
const QString createTrigger = QStringLiteral(
    "CREATE TRIGGER TALVERO_FAULT BEFORE INSERT ON %1 BEGIN "
    "SELECT RAISE(ABORT, '%3') WHERE (SELECT N FROM TALVERO_FAULT_COUNT) >= %2; "
    "UPDATE TALVERO_FAULT_COUNT SET N = N + 1; END");
// clang-format on

void run(Connection& connection, const QString& statement) {
    QSqlQuery query = prepare(connection, statement);
    exec(query);
}

} // namespace

QString InsertFault::faultMessage(int rowsBeforeFault) {
    return QStringLiteral("Injected fault after %1 rows").arg(rowsBeforeFault);
}

InsertFault::InsertFault(Alias alias, const QString& table, int rowsBeforeFault) : alias_(alias) {
    const QStringList tables{QStringLiteral("LOANSUMMARY"), QStringLiteral("LOANDETAIL"),
                             QStringLiteral("INVESTSUMMARY"), QStringLiteral("LINEITEM")};
    if (!tables.contains(table))
        throw Error(QStringLiteral("No fault can be put on the table %1").arg(table));
    if (rowsBeforeFault < 0)
        throw Error(QStringLiteral("A fault cannot come after %1 rows").arg(rowsBeforeFault));

    Connection connection(alias);
    Transaction transaction(connection);
    for (const QString& statement : {dropTrigger, dropCounter, createCounter, startCounter})
        run(connection, statement);
    run(connection, createTrigger.arg(table).arg(rowsBeforeFault).arg(faultMessage(rowsBeforeFault)));
    transaction.commit();
}

InsertFault::~InsertFault() {
    try {
        Connection connection(alias_);
        Transaction transaction(connection);
        run(connection, dropTrigger);
        run(connection, dropCounter);
        transaction.commit();
    } catch (...) {
        // The test's data folder goes away with the test.
    }
}

} // namespace db::testing
