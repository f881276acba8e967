// Posting into an account that already has 100,000 line items, and opening that account's history
// grid, each beside a bare baseline doing the same SQL by hand. Another account's 100,000 rows sit
// in front of them in the table, so a lookup that cannot use the ACTNO index shows. Run by hand:
// QT_QPA_PLATFORM=offscreen build/bin/invest_bench
#include "db/connection.h"
#include "db/statements.h"
#include "invest/history.h"
#include "invest/store.h"
#include "lineitems.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int itemsPerAccount = 100000;

// One data folder for the whole run: accounts 8 and 7, each with 100,000 line items, 8's first.
struct Database {
    explicit Database(bool actnoIndex) {
        qputenv("TALVERO_HOME", dir.path().toUtf8());
        db::Connection connection(db::Alias::IBInvest);
        QSqlQuery q(connection.database());
        q.exec(QStringLiteral("BEGIN"));
        q.exec(QStringLiteral(
            "INSERT INTO INVESTSUMMARY VALUES (1, 7, 'Growth Fund', 10, 100, 1000, 1000, 0, 0, "
            "10, 0), (2, 8, 'Income Fund', 5, 10, 50, 50, 0, 0, 5, 0)"));
        const int recno = addLineItems(q, itemsPerAccount);
        QSqlQuery(connection.database())
            .exec(QStringLiteral("UPDATE KEYGEN SET NUM = %1 WHERE NAME = 'GETRECNOGEN'").arg(recno));
        QSqlQuery(connection.database())
            .exec(QStringLiteral("UPDATE KEYGEN SET NUM = 2 WHERE NAME = 'FUNDNOGEN'"));
        if (!actnoIndex) QSqlQuery(connection.database()).exec(QStringLiteral("DROP INDEX LINEITEM_ACTNO"));
        QSqlQuery(connection.database()).exec(QStringLiteral("COMMIT"));
    }
    QTemporaryDir dir;
};

Database& database(bool actnoIndex) {
    static Database withIndex(true);
    if (actnoIndex) {
        qputenv("TALVERO_HOME", withIndex.dir.path().toUtf8());
        return withIndex;
    }
    static Database withoutIndex(false);
    qputenv("TALVERO_HOME", withoutIndex.dir.path().toUtf8());
    return withoutIndex;
}

// The whole command: its own connection, the transaction, reading the account, the accounting,
// the account row and the line item.
void BM_Post(benchmark::State& state) {
    database(state.range(0) != 0);
    invest::PostingRequest request{7, invest::PostingType::Bought, {1, 10, 0, 0, 0}, {6, 15, 2004}};
    for (auto _ : state) {
        db::Connection connection(db::Alias::IBInvest);
        invest::PostedTransaction posted;
        benchmark::DoNotOptimize(invest::writePosting(connection, request, posted));
    }
}

// The same writes by hand on an open connection: BEGIN, the account read, the update, the key, the
// insert, COMMIT.
void BM_BarePost(benchmark::State& state) {
    database(state.range(0) != 0);
    db::Connection connection(db::Alias::IBInvest);
    QSqlQuery read(connection.database()), update(connection.database()), key(connection.database()),
        insert(connection.database()), control(connection.database());
    read.prepare(QStringLiteral("SELECT * FROM INVESTSUMMARY WHERE ACTNO = 7"));
    update.prepare(QStringLiteral("UPDATE INVESTSUMMARY SET TOTSHARES = TOTSHARES + 1 WHERE ACTNO = 7"));
    key.prepare(QStringLiteral("UPDATE KEYGEN SET NUM = NUM + 1 WHERE NAME = 'GETRECNOGEN' RETURNING NUM"));
    insert.prepare(QStringLiteral(
        "INSERT INTO LINEITEM VALUES (?, 1, 7, 'Fund', '06/15/2004', 'B', 1, 10, 0, 0, 0, 10)"));
    for (auto _ : state) {
        control.exec(QStringLiteral("BEGIN IMMEDIATE"));
        read.exec();
        read.next();
        read.finish();
        update.exec();
        key.exec();
        key.next();
        insert.bindValue(0, key.value(0));
        key.finish();
        insert.exec();
        control.exec(QStringLiteral("COMMIT"));
    }
}

// The history window's query for the account and the rows a grid shows first, formatted.
void BM_OpenHistoryGrid(benchmark::State& state) {
    database(state.range(0) != 0);
    invest::HistoryWindow window({"Transaction Posting Results", "Transaction Posting Results",
                                  "Account Transaction History Detail ", "Account No"},
                                 nullptr);
    window.setAccount(7);
    QAbstractItemModel* grid = window.DBGrid1->model();
    for (auto _ : state) {
        window.openQuery();
        int rows = 0;
        for (int row = 0; row < 40 && row < grid->rowCount(); ++row, ++rows)
            for (int column = 0; column < grid->columnCount(); ++column)
                benchmark::DoNotOptimize(grid->index(row, column).data());
        if (rows < 40) state.SkipWithError("the grid shows too few rows");
        window.Button1Click();
    }
}

// The same query by hand on an open connection, reading the first 256 rows.
void BM_BareHistoryQuery(benchmark::State& state) {
    database(state.range(0) != 0);
    db::Connection connection(db::Alias::IBInvest);
    for (auto _ : state) {
        QSqlQuery q(connection.database());
        q.setForwardOnly(true);
        q.prepare(db::sql::accountLineItems.toString());
        q.bindValue(0, 7);
        q.exec();
        for (int i = 0; i < 256 && q.next(); ++i)
            benchmark::DoNotOptimize(q.value(11));
    }
}

// Argument: 1 with the LINEITEM_ACTNO index, 0 without it.
BENCHMARK(BM_Post)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BarePost)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenHistoryGrid)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareHistoryQuery)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
