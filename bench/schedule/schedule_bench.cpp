// Building a schedule row by row, beside a bare loop of the same length. Run by hand:
// build/bin/schedule_bench
#include "schedule/schedule.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

namespace {

talvero::common::LoanBlock loan(double numpay, int flag) {
    talvero::common::LoanBlock b;
    b.FINANCEAMT = b.ORGAMT = 150000;
    b.APR = 7.25;
    b.NUMPAY = numpay;
    b.FREQUENCY = 12;
    b.INTMETHOD = flag;
    b.TERMYEARS = numpay / 12;
    b.TAXES = 2400;
    b.HOINS = 600;
    std::snprintf(b.FIRSTDUE, sizeof b.FIRSTDUE, "%s", "01312004");
    return b;
}

void BM_Schedule(benchmark::State& state) {
    const double n = static_cast<double>(state.range(0));
    const auto block = loan(n, static_cast<int>(state.range(1)));
    const double i = 7.25 / 1200;
    const double pay = 150000 * i / (1 - std::pow(1 + i, -n)) + 250;
    long rows = 0;
    for (auto _ : state) {
        talvero::schedule::Pass pass(block, pay);
        rows = talvero::schedule::for_each_row(
            pass, [](const talvero::schedule::Row& r) { benchmark::DoNotOptimize(r.amounts.PAYMENT); });
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_Schedule)
    ->Args({360, 0})
    ->Args({360, 1})
    ->Args({99999, 0})
    ->Args({99999, 1})
    ->Unit(benchmark::kMicrosecond);

// The bare baseline: a loop of the same length doing one multiply-add and a date text per row.
void BM_BareLoop(benchmark::State& state) {
    const long n = state.range(0);
    for (auto _ : state) {
        double balance = 150000;
        char text[24];
        for (long k = 1; k <= n; ++k) {
            balance = balance * 1.006 - 1000;
            std::snprintf(text, sizeof text, "%02d/%02d/%d", static_cast<int>(k % 12 + 1), 15,
                          static_cast<int>(2004 + k / 12));
            benchmark::DoNotOptimize(text);
            benchmark::DoNotOptimize(balance);
        }
    }
}
BENCHMARK(BM_BareLoop)->Arg(360)->Arg(99999)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
