// Speed of the balloon engine: one call per iteration through the core, as the entry makes it.
// The "allocations" counter is the number of heap allocations per call (operator new is counted).
#include "vaulter/engine.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

std::atomic<long> g_allocations{0};

} // namespace

// Kept out of line so the compiler pairs every new with its delete here, not malloc with free.
[[gnu::noinline]] void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using talvero::vaulter::Block;
using talvero::vaulter::Messages;

Block loan(int flag) {
    Block b;
    b.FINANCEAMT = b.ORGAMT = 150000.0;
    b.APR = 7.25;
    b.NUMPAY = 360.0;
    b.BLPAY = 60.0;
    b.FREQUENCY = 12.0;
    b.TERMYEARS = 30.0;
    b.INTMETHOD = flag;
    b.TAXES = 2400.0;
    b.HOINS = 900.0;
    b.ODDDAYS = 45;
    std::memcpy(b.FIRSTDUE, "03012004", 9);
    return b;
}

void solve_each(benchmark::State& state, const Block& input) {
    const long before = g_allocations.load();
    long calls = 0;
    for (auto _ : state) {
        Block b = input;
        talvero::vaulter::solve(b, Messages{});
        benchmark::DoNotOptimize(b);
        ++calls;
    }
    state.counters["allocations"] = calls == 0 ? 0.0 : double(g_allocations.load() - before) / double(calls);
    // The payment search's passes as counted, those told by known runs, and those made to know them.
    Block b = input;
    talvero::vaulter::Work work;
    talvero::vaulter::solve(b, Messages{}, talvero::vaulter::Tuning{}, &work);
    state.counters["passes"] = work.passes;
    state.counters["known"] = work.passes_known;
    state.counters["made"] = work.passes_made;
}

// Baselines. A bare call: a block the engine refuses before any pass (an interest flag of 9).
void BM_BareCall(benchmark::State& state) {
    Block b = loan(0);
    b.INTMETHOD = 9;
    solve_each(state, b);
}
BENCHMARK(BM_BareCall)->Unit(benchmark::kMicrosecond);

// A bare loop over 360 monthly periods with one pass's arithmetic: the month's rate in extended
// precision times the balance, the principal and the balance, the totals.
void BM_BareLoop360(benchmark::State& state) {
    using Wide = long double;
    const double daily = static_cast<double>(7.25L * 0.01L / 365.0L);
    const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (auto _ : state) {
        double level = 1082.89;
        benchmark::DoNotOptimize(level);
        double balance = 150000.0, sum_i = 0.0, sum_p = 0.0;
        for (int k = 0; k < 360; ++k) {
            const double interest = static_cast<double>(Wide(daily * days[k % 12]) * balance);
            const double principal = static_cast<double>(Wide(level) - 275.0 - interest);
            sum_i += interest;
            sum_p += principal;
            balance -= principal;
        }
        benchmark::DoNotOptimize(sum_i + sum_p + balance);
    }
}
BENCHMARK(BM_BareLoop360)->Unit(benchmark::kMicrosecond);

// Case 1: the scheduled payment, N = 360, balloon after 60.
void BM_Case1(benchmark::State& state) {
    solve_each(state, loan(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_Case1)->DenseRange(0, 7)->ArgName("flag")->Unit(benchmark::kMicrosecond);

// Case 3: the balloon for a given payment, N = 360.
void BM_Case3(benchmark::State& state) {
    Block b = loan(static_cast<int>(state.range(0)));
    b.PAYMENT = 1100.0;
    solve_each(state, b);
}
BENCHMARK(BM_Case3)->Arg(0)->Arg(1)->Arg(3)->ArgName("flag")->Unit(benchmark::kMicrosecond);

// Sub-case 2a running all 9,999 periods into the message: a finance charge the loan cannot carry.
void BM_Case2aPeriodCap(benchmark::State& state) {
    Block b = loan(static_cast<int>(state.range(0)));
    b.APR = 0.0;
    b.BLPAY = 0.0;
    b.PAYMENT = 1100.0;
    b.TOTALINTEREST = 900000.0;
    solve_each(state, b);
}
BENCHMARK(BM_Case2aPeriodCap)->Arg(0)->Arg(1)->Arg(5)->ArgName("flag")->Unit(benchmark::kMicrosecond);

// The payment search where no cent step fits and it would alternate for ever.
void BM_Case1AlternatingSearch(benchmark::State& state) {
    Block b = loan(1);
    b.FINANCEAMT = b.ORGAMT = 700.0;
    b.APR = 20.0;
    b.ODDDAYS = 0;
    b.TAXES = b.HOINS = 0.0;
    solve_each(state, b);
}
BENCHMARK(BM_Case1AlternatingSearch)->Unit(benchmark::kMicrosecond);

// A long search: large odd-day interest on a short loan moves the level payment a long way.
void BM_Case1LongSearch(benchmark::State& state) {
    Block b = loan(7);
    b.FINANCEAMT = b.ORGAMT = 674798.0;
    b.APR = 14.04;
    b.NUMPAY = 27.0;
    b.BLPAY = 12.0;
    b.ODDDAYS = 700;
    solve_each(state, b);
}
BENCHMARK(BM_Case1LongSearch)->Unit(benchmark::kMicrosecond);

// The largest amortize period the form takes.
void BM_Case1Longest(benchmark::State& state) {
    Block b = loan(static_cast<int>(state.range(0)));
    b.APR = 4.0;
    b.NUMPAY = 99999.0;
    b.BLPAY = 360.0;
    solve_each(state, b);
}
BENCHMARK(BM_Case1Longest)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->ArgName("flag")->Unit(benchmark::kMillisecond);

// Solving the APR and the finance charge from the payment (2d), N = 360.
void BM_Case2d(benchmark::State& state) {
    Block b = loan(static_cast<int>(state.range(0)));
    b.APR = 0.0;
    b.PAYMENT = 1100.0;
    solve_each(state, b);
}
BENCHMARK(BM_Case2d)->Arg(0)->Arg(1)->ArgName("flag")->Unit(benchmark::kMicrosecond);

// The blocks that froze the program (case 1, the payment search), each beside a bare pass of the
// same length (case 3 with the balloon term the whole amortize period: one pass of N periods); arg:
// block.
Block slow_block(long which) {
    Block b = loan(1);
    b.TAXES = b.HOINS = 0.0;
    b.ORGAMT = 0.0;
    if (which == 0) {
        b.FREQUENCY = 4;
        b.FINANCEAMT = 486940.52;
        b.APR = 11.5801;
        b.NUMPAY = 617;
        b.BLPAY = 222;
        b.ODDDAYS = 351;
        std::memcpy(b.FIRSTDUE, "05142012", 9);
    } else {
        b.INTMETHOD = 7;
        b.FREQUENCY = 24;
        b.FINANCEAMT = 35058.26;
        b.APR = 12.5;
        b.NUMPAY = 4000;
        b.BLPAY = 1;
        b.ODDDAYS = 400;
        b.SKPMONTH = 3;
        std::memcpy(b.FIRSTDUE, "01312004", 9);
    }
    return b;
}

void BM_SlowSearch(benchmark::State& state) {
    solve_each(state, slow_block(state.range(0)));
}
BENCHMARK(BM_SlowSearch)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

void BM_SlowSearchBarePass(benchmark::State& state) {
    Block b = slow_block(state.range(0));
    b.BLPAY = b.NUMPAY;
    b.PAYMENT = 1000.0;
    solve_each(state, b);
}
BENCHMARK(BM_SlowSearchBarePass)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// The slowest search found: 99,999 payments, flag 2, stopping at its budget or its cycle; beside a
// bare pass of 99,999 periods.
void BM_WorstSearch(benchmark::State& state) {
    Block b = loan(2);
    b.APR = 4.0;
    b.NUMPAY = 99999.0;
    b.BLPAY = 360.0;
    solve_each(state, b);
}
BENCHMARK(BM_WorstSearch)->Unit(benchmark::kMillisecond);

void BM_WorstSearchBarePass(benchmark::State& state) {
    Block b = loan(2);
    b.APR = 4.0;
    b.NUMPAY = b.BLPAY = 99999.0;
    b.PAYMENT = 1100.0;
    solve_each(state, b);
}
BENCHMARK(BM_WorstSearchBarePass)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
