// Timings of the loan engine's heavier calls. Run by hand: build-tessera/bin/tessera_bench
#include "tessera/engine.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

std::atomic<long> g_allocations{0};

tessera::Block loan(double amount, double apr, double numpay, double freq, int flag) {
    tessera::Block b;
    b.FINANCEAMT = b.ORGAMT = amount;
    b.APR = apr;
    b.NUMPAY = numpay;
    b.FREQUENCY = freq;
    b.INTMETHOD = flag;
    std::memcpy(b.FIRSTDUE, "01312004", 9);
    return b;
}

void quiet(void*, int, const char*) {}

void run_block(benchmark::State& state, const tessera::Block& block) {
    tessera::Engine engine;
    engine.on_message = quiet;
    long allocations = 0;
    for (auto _ : state) {
        engine.block = block;
        const long before = g_allocations.load(std::memory_order_relaxed);
        engine.run();
        allocations += g_allocations.load(std::memory_order_relaxed) - before;
        benchmark::DoNotOptimize(engine.block.PAYMENT);
    }
    state.counters["allocs/call"] =
        benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(state.iterations()));
    state.counters["passes"] = static_cast<double>(engine.last_passes());
    state.counters["runs"] = static_cast<double>(engine.last_runs());
}

// Baselines. A bare call: a block the engine refuses before any run (an interest flag of 9).
void BM_BareCall(benchmark::State& state) {
    tessera::Block b = loan(250000, 7.5, 360, 12, 9);
    run_block(state, b);
}
BENCHMARK(BM_BareCall)->Unit(benchmark::kMicrosecond);

// A bare loop over 360 monthly periods with one run's arithmetic: the month's days times the daily
// rate times the balance, the principal and the balance, the totals.
void BM_BareLoop360(benchmark::State& state) {
    const double daily = 0.075 / 365.0;
    const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (auto _ : state) {
        double level = 1758.0;
        benchmark::DoNotOptimize(level);
        double balance = 250000.0, ti = 0.0, tp = 0.0;
        for (int k = 0; k < 360; ++k) {
            const double interest = days[k % 12] * daily * balance;
            const double principal = level - 275.0 - interest;
            ti += interest;
            tp += principal;
            balance -= principal;
        }
        benchmark::DoNotOptimize(ti + tp + balance);
    }
}
BENCHMARK(BM_BareLoop360)->Unit(benchmark::kMicrosecond);

// Case 1 for every interest flag; args: flag, number of payments.
void BM_PaymentMonthly(benchmark::State& state) {
    tessera::Block b =
        loan(250000, 7.5, static_cast<double>(state.range(1)), 12, static_cast<int>(state.range(0)));
    b.TAXES = 2400;
    b.HOINS = 900;
    run_block(state, b);
}
BENCHMARK(BM_PaymentMonthly)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7}, {360, 99999}})
    ->Unit(benchmark::kMicrosecond);

// Case 1 with annual and quarterly payments, where the iteration needs the most passes; args: flag,
// payments per year, number of payments, amount in thousands, rate in hundredths of a percent.
void BM_PaymentLongIteration(benchmark::State& state) {
    run_block(state, loan(1000.0 * static_cast<double>(state.range(3)),
                          static_cast<double>(state.range(4)) / 100.0, static_cast<double>(state.range(2)),
                          static_cast<double>(state.range(1)), static_cast<int>(state.range(0))));
}
BENCHMARK(BM_PaymentLongIteration)
    ->Args({1, 1, 60, 100, 800})
    ->Args({2, 1, 60, 100, 800})
    ->Args({7, 1, 60, 100, 800})
    ->Args({1, 1, 360, 1000, 2499})
    ->Args({1, 4, 60, 100, 800})
    ->Args({2, 4, 120, 1000, 4999})
    ->Unit(benchmark::kMicrosecond);

// The slowest calls at 99,999 payments: loans that never settle and stop at the run bound; args as above.
void BM_PaymentNeverSettles(benchmark::State& state) {
    tessera::Block b = loan(1000.0 * static_cast<double>(state.range(3)),
                            static_cast<double>(state.range(4)) / 100.0, static_cast<double>(state.range(2)),
                            static_cast<double>(state.range(1)), static_cast<int>(state.range(0)));
    b.ODDDAYS = 45;
    run_block(state, b);
}
BENCHMARK(BM_PaymentNeverSettles)
    ->Args({7, 52, 99999, 1000, 2000})
    ->Args({7, 26, 99999, 1000, 2499})
    ->Args({1, 12, 99999, 1000, 800})
    ->Unit(benchmark::kMillisecond);

// Case 2 counting the payments of a monthly loan, 398 of them, and shortening it; arg: flag.
void BM_CountMonthly(benchmark::State& state) {
    tessera::Block b = loan(250000, 7.5, 0, 12, static_cast<int>(state.range(0)));
    b.PAYMENT = 2000;
    b.TAXES = 2400;
    b.HOINS = 900;
    run_block(state, b);
}
BENCHMARK(BM_CountMonthly)->DenseRange(0, 7)->ArgName("flag")->Unit(benchmark::kMicrosecond);

// Case 2 with a payment that never pays the loan down: the count runs to its 9,999-period cap.
void BM_CountToTheCap(benchmark::State& state) {
    tessera::Block b = loan(100000, 12, 0, 12, static_cast<int>(state.range(0)));
    b.PAYMENT = 900;
    run_block(state, b);
}
BENCHMARK(BM_CountToTheCap)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The present-value rate search on its own, 360 monthly payments.
void BM_Pvapr360(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(tessera::pvapr(1000, 360, 100000, 12, static_cast<int>(state.range(0)), 0));
}
BENCHMARK(BM_Pvapr360)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Case 6: the rate from payment and term, then the payout run.
void BM_RateFromPayment360(benchmark::State& state) {
    tessera::Block b = loan(100000, 0, 360, 12, 1);
    b.PAYMENT = 1000;
    run_block(state, b);
}
BENCHMARK(BM_RateFromPayment360)->Unit(benchmark::kMicrosecond);

// The payoff case on a 360-payment loan, paid off after 200 payments; arg: flag.
void BM_Payoff360(benchmark::State& state) {
    tessera::Block b = loan(250000, 7.5, 360, 12, static_cast<int>(state.range(0)));
    b.PAYMENT = 1748.04;
    b.PAYOFFMODE = 1;
    b.PAYSMADE = 200;
    b.PAYOFFPER = 202;
    b.PAYOFFDAYS = 12;
    b.CURBAL = 170000;
    run_block(state, b);
}
BENCHMARK(BM_Payoff360)->Arg(0)->Arg(1)->Arg(6)->Unit(benchmark::kMicrosecond);

// The blocks that froze the program (case 6, the payout shortened), each beside one bare schedule run
// of the same length; arg: block.
tessera::Block slow_block(long which) {
    tessera::Block b;
    switch (which) {
    case 0:
        b = loan(0.01, 0, 99999, 1, 0);
        b.PAYMENT = 100;
        b.ODDDAYS = 385;
        std::memcpy(b.FIRSTDUE, "03312000", 9);
        break;
    case 1:
        b = loan(489.58, 0, 63169, 12, 7);
        b.PAYMENT = 3.20;
        std::memcpy(b.FIRSTDUE, "06172031", 9);
        break;
    default:
        b = loan(100000, 0, 30000, 1, 1);
        b.PAYMENT = 6000;
        std::memcpy(b.FIRSTDUE, "02152004", 9);
        break;
    }
    b.ORGAMT = 0;
    return b;
}

void BM_SlowPayout(benchmark::State& state) {
    run_block(state, slow_block(state.range(0)));
}
BENCHMARK(BM_SlowPayout)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_SlowPayoutBarePass(benchmark::State& state) {
    tessera::Engine engine;
    engine.on_message = quiet;
    engine.block = slow_block(state.range(0));
    engine.block.APR = 10.0;
    engine.block.TERMYEARS = engine.block.NUMPAY / engine.block.FREQUENCY;
    for (auto _ : state) {
        engine.schedule_run(engine.block.PAYMENT);
        benchmark::DoNotOptimize(engine.block.LASTPAY);
    }
}
BENCHMARK(BM_SlowPayoutBarePass)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The slowest payment iteration found: 99,999 monthly payments of a flag 2 loan that stops at the
// run budget, beside one bare run of the same length.
void BM_WorstPaymentIteration(benchmark::State& state) {
    tessera::Block b = loan(1000000, 8, 99999, 12, 2);
    b.ODDDAYS = 45;
    run_block(state, b);
}
BENCHMARK(BM_WorstPaymentIteration)->Unit(benchmark::kMillisecond);

void BM_WorstPaymentIterationBarePass(benchmark::State& state) {
    tessera::Engine engine;
    engine.block = loan(1000000, 8, 99999, 12, 2);
    engine.block.TERMYEARS = engine.block.NUMPAY / 12;
    for (auto _ : state) {
        engine.schedule_run(8000);
        benchmark::DoNotOptimize(engine.block.LASTPAY);
    }
}
BENCHMARK(BM_WorstPaymentIterationBarePass)->Unit(benchmark::kMillisecond);

} // namespace

// Counting replacement of the global allocator, so each benchmark reports allocations per call.
// GCC cannot see that this operator new pairs with the frees below.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

BENCHMARK_MAIN();
