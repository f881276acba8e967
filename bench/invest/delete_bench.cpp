// Deleting one line item from an account that has 100,000 of them, with the account's totals rolled
// back, beside a bare baseline doing the same SQL by hand on an open connection. Each iteration
// first puts a purchase back (not timed) so there is always one to delete. Run by hand:
// QT_QPA_PLATFORM=offscreen build/bin/invest_delete_bench
#include "db/connection.h"
#include "invest/deletion.h"
#include "lineitems.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int itemsPerAccount = 100000;
constexpr int spareRecno = 2 * itemsPerAccount + 1;

void putPurchaseBack(db::Connection& connection) {
    QSqlQuery q(connection.database());
    q.exec(QStringLiteral(
               "INSERT INTO LINEITEM VALUES (%1, 1, 7, 'Fund', '03/01/2004', 'B', 1, 10, 0, 0, 0, 10)")
               .arg(spareRecno));
    q.exec(
        QStringLiteral("UPDATE INVESTSUMMARY SET TOTSHARES = TOTSHARES + 1, TOTBOOKVALUE = TOTBOOKVALUE + 10 "
                       "WHERE FUNDNO = 1"));
}

// The whole command: its own connection, the transaction, reading the line item, deleting it,
// reading the account, the roll-back and the account row.
void BM_DeleteTransaction(benchmark::State& state) {
    static TwoAccounts database(itemsPerAccount);
    db::Connection setup(db::Alias::IBInvest);
    for (auto _ : state) {
        state.PauseTiming();
        putPurchaseBack(setup);
        state.ResumeTiming();
        db::Connection connection(db::Alias::IBInvest);
        benchmark::DoNotOptimize(invest::deleteTransaction(connection, spareRecno));
    }
}

// The same by hand on an open connection: BEGIN, the line item read, the delete, the account read,
// the update, COMMIT.
void BM_BareDelete(benchmark::State& state) {
    static TwoAccounts database(itemsPerAccount);
    db::Connection connection(db::Alias::IBInvest);
    QSqlQuery begin(connection.database()), item(connection.database()), remove(connection.database()),
        account(connection.database()), update(connection.database()), commit(connection.database());
    item.prepare(QStringLiteral("select * from LINEITEM where RECNO = ?"));
    remove.prepare(QStringLiteral("DELETE FROM LINEITEM WHERE RECNO = ?"));
    account.prepare(QStringLiteral("select * from INVESTSUMMARY where FUNDNO = ?"));
    update.prepare(
        QStringLiteral("UPDATE INVESTSUMMARY SET TOTSHARES = ?, TOTBOOKVALUE = ? WHERE FUNDNO = ?"));
    for (auto _ : state) {
        state.PauseTiming();
        putPurchaseBack(connection);
        state.ResumeTiming();
        begin.exec(QStringLiteral("BEGIN IMMEDIATE"));
        item.bindValue(0, spareRecno);
        item.exec();
        item.next();
        const double shares = item.value(6).toDouble(), cost = item.value(11).toDouble();
        const qint64 fundno = item.value(1).toLongLong();
        item.finish();
        remove.bindValue(0, spareRecno);
        remove.exec();
        account.bindValue(0, fundno);
        account.exec();
        account.next();
        const double totShares = account.value(4).toDouble(), book = account.value(5).toDouble();
        account.finish();
        update.bindValue(0, totShares - shares);
        update.bindValue(1, book - cost);
        update.bindValue(2, fundno);
        update.exec();
        commit.exec(QStringLiteral("COMMIT"));
    }
}

BENCHMARK(BM_DeleteTransaction)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareDelete)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
