// Building a schedule row by row, beside a bare loop of the same length, and the what-if of extra
// payments (both its passes) beside the plain pass of the same loan. Run by hand:
// build/bin/schedule_bench
#include "schedule/schedule.h"
#include "schedule/whatif.h"

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

// The what-if of a loan: the pass as computed and the pass with extra principal. Arguments: the
// payments, the extra amount in cents each payment and the payment it starts with. Starting near
// the end keeps both passes full length; 50.00 a month with a lump sum from the start ends the new
// schedule far sooner (so long a loan repays almost nothing but interest until then).
void BM_WhatIf(benchmark::State& state) {
    const double n = static_cast<double>(state.range(0));
    const auto block = loan(n, 1);
    const double i = 7.25 / 1200;
    const double pay = 150000 * i / (1 - std::pow(1 + i, -n)) + 250;
    talvero::schedule::ExtraPrincipal extra;
    extra.amount = static_cast<double>(state.range(1)) / 100;
    extra.from = state.range(2);
    if (extra.from == 1) extra.lumps = {{{6, 15, 2010}, 5000}};
    double payments = 0;
    for (auto _ : state) {
        const auto w = talvero::schedule::what_if(block, pay, talvero::schedule::Variant::regular(), extra);
        if (!w.ok()) state.SkipWithError(w.error.c_str());
        payments = w.NEWNUMPAY;
        benchmark::DoNotOptimize(w.INTERESTSAVED);
    }
    state.counters["new_payments"] = payments;
}
BENCHMARK(BM_WhatIf)->Args({99999, 100, 99000})->Args({99999, 5000, 1})->Unit(benchmark::kMicrosecond);

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
