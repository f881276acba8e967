#include "db/testsupport/fault.h"

#include "db/error.h"
#include "db/transaction.h"

#include <QSqlError>
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

// Firebird: the same counter and an exception raised by the trigger. %1 table, %2 rows let through.
const QString fbDropTrigger = QStringLiteral("DROP TRIGGER TALVERO_FAULT");
const QString fbDropCounter = QStringLiteral("DROP TABLE TALVERO_FAULT_COUNT");
const QString fbDropException = QStringLiteral("DROP EXCEPTION TALVERO_FAULT_RAISED");
const QString fbCreateException = QStringLiteral("CREATE EXCEPTION TALVERO_FAULT_RAISED '%1'");
const QString fbCreateTrigger = QStringLiteral(
    "CREATE TRIGGER TALVERO_FAULT FOR %1 BEFORE INSERT AS BEGIN "
    "IF ((SELECT N FROM TALVERO_FAULT_COUNT) >= %2) THEN EXCEPTION TALVERO_FAULT_RAISED; "
    "UPDATE TALVERO_FAULT_COUNT SET N = N + 1; END");
// clang-format on

// Runs one statement on its own (Firebird uses a new object only once the statement that made it
// commits); errors are ignored where the object may not exist.
void runAlone(Connection& connection, const QString& statement, bool mayFail) {
    QSqlQuery query(connection.database());
    if (!query.exec(statement) && !mayFail) throw Error(messageOf(query.lastError()));
}

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
    if (connection.isFirebird()) {
        for (const QString& statement : {fbDropTrigger, fbDropCounter, fbDropException})
            runAlone(connection, statement, true);
        runAlone(connection, createCounter, false);
        runAlone(connection, startCounter, false);
        runAlone(connection, fbCreateException.arg(faultMessage(rowsBeforeFault)), false);
        runAlone(connection, fbCreateTrigger.arg(table).arg(rowsBeforeFault), false);
        return;
    }
    Transaction transaction(connection);
    for (const QString& statement : {dropTrigger, dropCounter, createCounter, startCounter})
        run(connection, statement);
    run(connection, createTrigger.arg(table).arg(rowsBeforeFault).arg(faultMessage(rowsBeforeFault)));
    transaction.commit();
}

InsertFault::~InsertFault() {
    try {
        Connection connection(alias_);
        if (connection.isFirebird()) {
            for (const QString& statement : {fbDropTrigger, fbDropCounter, fbDropException})
                runAlone(connection, statement, true);
            return;
        }
        Transaction transaction(connection);
        run(connection, dropTrigger);
        run(connection, dropCounter);
        transaction.commit();
    } catch (...) {
        // The test's data folder goes away with the test.
    }
}

} // namespace db::testing
