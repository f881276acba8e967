// The returns of an account with 100,000 line items beside bare SQL reading the same rows (through
// Qt SQL forward only, through db::RowReader, and every column sorted by the database), and the
// import of a 100,000-row CSV file beside bare SQL inserting as many line items. Run by hand, on a
// quiet machine or with repetitions:
//   build/bin/invest_returns_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "db/connection.h"
#include "db/rows.h"
#include "db/statements.h"
#include "invest/returns.h"
#include "invest/transfer.h"
#include "lineitems.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <chrono>
#include <benchmark/benchmark.h>

namespace {

constexpr int kItems = 100000;

// Account 9 beside them: 100,000 line items of every kind over 40 years of days, at prices that
// move, so no two purchases are alike (FIFO keeps each as a lot of its own).
void addMixedAccount() {
    db::Connection connection(db::Alias::IBInvest);
    QSqlQuery q(connection.database());
    q.exec(QStringLiteral("BEGIN"));
    q.exec(QStringLiteral("INSERT INTO INVESTSUMMARY VALUES (3, 9, 'Mixed Fund', 10, 1000, 10000, 10000, 0, "
                          "0, 10, 10)"));
    q.prepare(QStringLiteral("INSERT INTO LINEITEM VALUES (?, 3, 9, 'Mixed Fund', ?, ?, ?, ?, ?, ?, ?, 0)"));
    long day = talvero::common::day_number({1, 2, 1985});
    for (int i = 0; i < kItems; ++i) {
        day += i % 7 == 0 ? 1 : 0;
        const auto ymd = std::chrono::year_month_day{std::chrono::sys_days{std::chrono::days{day}}};
        const double price = 10 + (i % 997) / 100.0;
        const char* type = i % 10 == 9 ? "S" : i % 10 == 8 ? "C" : i % 10 == 7 ? "R" : "B";
        q.addBindValue(1000000 + i);
        q.addBindValue(QString::asprintf("%02u/%02u/%04d", static_cast<unsigned>(ymd.month()),
                                         static_cast<unsigned>(ymd.day()), static_cast<int>(ymd.year())));
        q.addBindValue(QString::fromLatin1(type));
        for (double v : {*type == 'S' ? 3.0 : 1.0 + (i % 5), price, 1.5, 0.0, *type == 'C' ? 4.25 : 0.0})
            q.addBindValue(v);
        q.exec();
    }
    QSqlQuery(connection.database()).exec(QStringLiteral("COMMIT"));
}

// One database for every read benchmark of the run: accounts 8 and 7, each with 100,000 purchases,
// and the mixed account 9.
void useDatabase() {
    static TwoAccounts database(kItems);
    static const bool mixed = (addMixedAccount(), true);
    (void)mixed;
    qputenv("TALVERO_HOME", database.dir.path().toUtf8());
}

// The whole of "Returns" for one account: its own connection, the account and its line items read,
// XIRR, TTWROR and the gains.
void BM_AccountReturns(benchmark::State& state) {
    useDatabase();
    for (auto _ : state) {
        db::Connection connection(db::Alias::IBInvest);
        const invest::Returns r = invest::accountReturns(connection, 7, {12, 31, 2004});
        benchmark::DoNotOptimize(r.xirr);
    }
}

// The same for the mixed account: every line item counts differently and FIFO keeps 100,000 lots.
void BM_MixedAccountReturns(benchmark::State& state) {
    useDatabase();
    for (auto _ : state) {
        db::Connection connection(db::Alias::IBInvest);
        const invest::Returns r = invest::accountReturns(connection, 9, {12, 31, 2030});
        benchmark::DoNotOptimize(r.xirr);
    }
}

// The same read done bare on an open connection: the statement returns run, forward only, every
// value taken by position and summed; nothing kept.
void BM_BareRead(benchmark::State& state) {
    useDatabase();
    db::Connection connection(db::Alias::IBInvest);
    QSqlQuery q(connection.database());
    q.setForwardOnly(true);
    q.prepare(db::sql::accountReturnItems.toString());
    for (auto _ : state) {
        q.bindValue(0, 7);
        q.exec();
        double sum = 0;
        qsizetype text = 0;
        while (q.next()) {
            sum += q.value(0).toInt() + q.value(1).toLongLong();
            text += q.value(2).toString().size() + q.value(3).toString().size();
            for (int c = 4; c < 9; ++c)
                sum += q.value(c).toDouble();
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(text);
    }
}

// The same read through db::RowReader, the way returns read (on SQLite its own statement), summed.
void BM_BareRowReader(benchmark::State& state) {
    useDatabase();
    db::Connection connection(db::Alias::IBInvest);
    db::RowReader rows(connection, db::sql::accountReturnItems);
    for (auto _ : state) {
        rows.bind(0, 7);
        rows.exec();
        double sum = 0;
        qsizetype text = 0;
        while (rows.next()) {
            sum += static_cast<double>(rows.integer(0) + rows.integer(1));
            text += rows.utf8(2).size() + rows.utf8(3).size();
            for (int c = 4; c < 9; ++c)
                sum += rows.real(c);
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(text);
    }
}

// Every column in RECNO order, as the history listings read them: what the database's sort and
// the columns returns leave out cost.
void BM_BareReadEveryColumnSorted(benchmark::State& state) {
    useDatabase();
    db::Connection connection(db::Alias::IBInvest);
    QSqlQuery q(connection.database());
    q.setForwardOnly(true);
    q.prepare(db::sql::accountLineItemsInOrder.toString());
    for (auto _ : state) {
        q.bindValue(0, 7);
        q.exec();
        double sum = 0;
        while (q.next())
            sum +=
                q.value(6).toDouble() * q.value(7).toDouble() + q.value(8).toDouble() + q.value(9).toDouble();
        benchmark::DoNotOptimize(sum);
    }
}

QString importFile() {
    QString csv = QLatin1String(invest::kTransferHeader) + QLatin1Char('\n');
    csv += QStringLiteral("7,Growth Fund,03012004,N,100,10,0,0,0\n");
    for (int i = 1; i < kItems; ++i)
        csv += QStringLiteral("7,,03012004,B,1,10,0,0,0\n");
    return csv;
}

// A fresh database file for each run, not timed.
struct FreshFile {
    explicit FreshFile(int n) {
        qputenv("TALVERO_HOME", dir.path().toUtf8());
        qputenv("TALVERO_IBINVEST_DATABASE", dir.filePath(QStringLiteral("run%1.db").arg(n)).toUtf8());
        db::Connection create(db::Alias::IBInvest);
    }
    ~FreshFile() { qunsetenv("TALVERO_IBINVEST_DATABASE"); }
    QTemporaryDir dir;
};

// invest-import of 100,000 rows: each through its form's checks and rules, one transaction.
void BM_Import(benchmark::State& state) {
    const QString csv = importFile();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FreshFile file(++n);
        state.ResumeTiming();
        db::Connection connection(db::Alias::IBInvest);
        const invest::ImportResult r = invest::importCsv(connection, csv, {6, 15, 2004}, true);
        if (r.written != kItems) state.SkipWithError("rows refused");
    }
}

// 100,000 line items inserted by hand in one transaction, the name padded as the import writes it.
void BM_BareInsert(benchmark::State& state) {
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FreshFile file(++n);
        state.ResumeTiming();
        db::Connection connection(db::Alias::IBInvest);
        QSqlQuery q(connection.database());
        q.exec(QStringLiteral("BEGIN IMMEDIATE"));
        q.prepare(QStringLiteral("INSERT INTO LINEITEM VALUES (?, 1, 7, 'Growth Fund         ', "
                                 "'03/01/2004', 'B', 1, 10, 0, 0, 0, 10)"));
        for (int i = 1; i <= kItems; ++i) {
            q.bindValue(0, i);
            q.exec();
        }
        QSqlQuery(connection.database()).exec(QStringLiteral("COMMIT"));
    }
}

BENCHMARK(BM_AccountReturns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MixedAccountReturns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareRowReader)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareReadEveryColumnSorted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_BareInsert)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
