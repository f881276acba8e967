// Saving a 99,999-payment loan (108,334 schedule rows) beside a bare prepared insert of the same
// number of rows in one SQLite transaction, measured in the same run. Peak RSS is reported as the
// growth of the process's high-water mark over the whole run. Run by hand: build/bin/save_bench
#include "loan/save.h"

#include "db/connection.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

long peakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

talvero::common::LoanBlock longLoan() {
    talvero::common::LoanBlock b;
    b.FINANCEAMT = b.ORGAMT = 250000;
    b.APR = 6.5;
    b.NUMPAY = 99999;
    b.FREQUENCY = 12;
    b.INTMETHOD = 1;
    b.TERMYEARS = 99999.0 / 12;
    b.TAXES = 2400;
    const double i = 6.5 / 1200;
    b.PAYMENT = 250000 * i / (1 - std::pow(1 + i, -99999.0)) + 200;
    std::snprintf(b.FIRSTDUE, sizeof b.FIRSTDUE, "%s", "01152004");
    return b;
}

struct Fresh {
    Fresh() { qputenv("TALVERO_HOME", dir.path().toUtf8()); }
    QTemporaryDir dir;
};

void BM_SaveLoan(benchmark::State& state) {
    const auto block = longLoan();
    long rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Fresh fresh;
        db::Connection(db::Alias::IBLoan); // the blank database, created outside the timing
        state.ResumeTiming();
        rows = loan::writeLoan({block, block.PAYMENT, 0}).detailRows;
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["peakRSS_MB"] = static_cast<double>(peakRssKb()) / 1024;
}
BENCHMARK(BM_SaveLoan)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_BareInsert(benchmark::State& state) {
    const int rows = 108334;
    for (auto _ : state) {
        state.PauseTiming();
        Fresh fresh;
        auto connection = std::make_unique<db::Connection>(db::Alias::IBLoan);
        state.ResumeTiming();
        QSqlQuery query(connection->database());
        query.exec(QStringLiteral("BEGIN"));
        query.prepare(QStringLiteral("INSERT INTO LOANDETAIL VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 0; i < rows; ++i) {
            query.bindValue(0, i + 1);
            query.bindValue(1, 1);
            query.bindValue(2, QStringLiteral("01/15/2004"));
            for (int column = 3; column < 12; ++column)
                query.bindValue(column, 100.0 + i * 0.01 + column);
            query.exec();
        }
        QSqlQuery(connection->database()).exec(QStringLiteral("COMMIT"));
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_BareInsert)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const long before = peakRssKb();
    benchmark::RunSpecifiedBenchmarks();
    std::printf("peak RSS: %.1f MB at start, %.1f MB at the end\n", before / 1024.0, peakRssKb() / 1024.0);
    benchmark::Shutdown();
}
