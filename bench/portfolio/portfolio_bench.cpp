// The loan portfolio over a loan database of 10,000 saved loans of 360 payments (3.7 million detail
// rows): opening the portfolio form until its first rows are shown, and laying out the report of one
// loan (all its pages, an upper bound of the first). Beside them, the bare list query and the bare
// report query in the same run. Run by hand: QT_QPA_PLATFORM=offscreen build/bin/portfolio_bench
#include "db/connection.h"
#include "db/statements.h"
#include "portfolio/forms.h"
#include "portfolio/reports.h"
#include "report/report.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// Fills the loan database in one statement per table; the rows are shaped like saved schedules.
void fillDatabase() {
    db::Connection c(db::Alias::IBLoan);
    QSqlQuery q(c.database());
    q.exec(QStringLiteral("BEGIN"));
    q.exec(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) "
        "INSERT INTO LOANSUMMARY (LOANNO, SUMNO, ORGAMT, ORIGDT, FIRSTDUEDT, APR, FREQUENCY, NUMPAY, "
        "REGZAPR, "
        "PAYMENT, SKPMONTH, INTMETHOD, DOWNAMT, FEEAMT, FEEPCT, FINANCEAMT, TOTALINTEREST, TOTALINSURANCE, "
        "TOTALTAXES, TOTALPAYOUT) SELECT i, i, 50000 + (i * 7919) % 200000, '06/01/2004', '07/01/2004', 7.5, "
        "12, 360, 7.6, 699.21, 0, 0, 0, 0, 0, 50000 + (i * 7919) % 200000, 151000, 0, 0, 251000 FROM n"));
    q.exec(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 10000 * 370 - 1) "
        "INSERT INTO LOANDETAIL (RECNO, LOANNO, PAYDATE, INTAMT, PRINAMT, DSINS, LFINS, TAXES, HOINS, OTINS, "
        "PAYMENT, BALANCE) SELECT i + 1, i / 370 + 1, printf('%02d/01/%d', i % 12 + 1, 2004 + (i % 370) / "
        "12), "
        "400.0, 299.21, 0, 0, 0, 0, 0, 699.21, 100000 - (i % 370) * 277.0 FROM n"));
    q.exec(QStringLiteral("COMMIT"));
}

// The form exists from start-up; opening it shows it, and its activation reads the list.
void BM_OpenPortfolio(benchmark::State& state) {
    TForm17 form;
    for (auto _ : state) {
        form.show();
        form.FormActivate(); // what its activation runs
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form.isVisible());
        state.PauseTiming();
        form.hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenPortfolio)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_BareListQuery(benchmark::State& state) {
    db::Connection c(db::Alias::IBLoan);
    for (auto _ : state) {
        QSqlQuery q(c.database());
        q.exec(db::sql::portfolioList.toString());
        int rows = 0;
        while (q.next())
            ++rows;
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_BareListQuery)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_ReportPages(benchmark::State& state) {
    db::Connection c(db::Alias::IBLoan);
    int pages = 0;
    for (auto _ : state) {
        QSqlQuery query = db::prepare(c, db::sql::portfolioReport);
        query.setForwardOnly(true);
        query.bindValue(QStringLiteral(":Param4"), 7777);
        const report::Renderer renderer(portfolio::reportFor(QVariant()), [&query] {
            db::exec(query);
            return std::make_unique<report::QueryRows>(query);
        });
        pages = renderer.layout([](const report::PageLayout&) {});
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_ReportPages)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_BareReportQuery(benchmark::State& state) {
    db::Connection c(db::Alias::IBLoan);
    for (auto _ : state) {
        QSqlQuery query = db::prepare(c, db::sql::portfolioReport);
        query.setForwardOnly(true);
        query.bindValue(QStringLiteral(":Param4"), 7777);
        db::exec(query);
        int rows = 0;
        while (query.next())
            ++rows;
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_BareReportQuery)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("TALVERO_HOME", dir.path().toUtf8());
    std::puts("filling 10,000 loans and 3,700,000 detail rows ...");
    fillDatabase();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
