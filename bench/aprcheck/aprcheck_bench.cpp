// apr-check on 10,000 loans of 360 monthly payments, beside the bare baseline: the same CSV read and
// the same loans computed by the engines, without the schedule pass and the Appendix J check. A third
// run times the check alone on loans computed beforehand. Run by hand, on one core:
// build/bin/aprcheck_bench
#include "cli/commands.h"
#include "cli/loan.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kLoans = 10000;

// Amounts, rates, flags and first due dates varied over the portfolio; every loan runs 360 payments
// and the payment is left for the engine to solve.
const std::string& portfolio() {
    static const std::string csv = [] {
        std::string s =
            "LOAN,FINANCEAMT,APR,NUMPAY,FREQUENCY,INTMETHOD,FIRSTDUE,LOANDATE,FEEAMT,TAXES,REGZAPR\n";
        const int flags[] = {0, 1, 2, 6, 7};
        char line[200];
        for (int k = 0; k < kLoans; ++k) {
            const int month = k % 12 + 1, day = k % 28 + 1;
            std::snprintf(line, sizeof line, "L%d,%.2f,%.3f,360,12,%d,%02d%02d2024,%02d012024,%.2f,%.2f,\n",
                          k, 50000 + 37.5 * (k % 4000), 3 + (k % 900) * 0.01, flags[k % 5], month, day, month,
                          (k % 3) * 750.0, (k % 2) * 1800.0);
            s += line;
        }
        return s;
    }();
    return csv;
}

void BM_AprCheck(benchmark::State& state) {
    long checked = 0;
    for (auto _ : state) {
        std::istringstream in(portfolio());
        std::ostringstream out, err;
        const talvero::cli::CheckTotals t = talvero::cli::apr_check(in, out, err);
        checked = t.checked;
        benchmark::DoNotOptimize(out);
    }
    if (checked != kLoans) state.SkipWithError("not every loan was checked");
    state.counters["loans_per_second"] =
        benchmark::Counter(static_cast<double>(kLoans) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AprCheck)->Unit(benchmark::kMillisecond)->MinTime(3);

// The bare baseline: read and compute the same loans, no check, no output.
void BM_ComputeOnly(benchmark::State& state) {
    long computed = 0;
    for (auto _ : state) {
        std::istringstream in(portfolio());
        computed = talvero::cli::compute_only(in);
    }
    if (computed != kLoans) state.SkipWithError("not every loan was computed");
    state.counters["loans_per_second"] =
        benchmark::Counter(static_cast<double>(kLoans) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ComputeOnly)->Unit(benchmark::kMillisecond)->MinTime(3);

// The schedule pass and the Appendix J check alone, on loans computed beforehand.
void BM_CheckOnly(benchmark::State& state) {
    std::vector<talvero::cli::Loan> loans;
    {
        std::istringstream in(portfolio());
        std::string line, header;
        std::getline(in, header);
        std::vector<std::string> names;
        std::stringstream hs(header);
        for (std::string n; std::getline(hs, n, ',');)
            names.push_back(n);
        while (std::getline(in, line)) {
            talvero::cli::Loan loan;
            std::stringstream ls(line);
            std::size_t k = 0;
            for (std::string v; std::getline(ls, v, ','); ++k)
                if (!v.empty()) talvero::cli::set_field(loan, names[k], v);
            if (talvero::cli::prepare(loan).empty() && talvero::cli::compute(loan).empty())
                loans.push_back(loan);
        }
    }
    for (auto _ : state)
        for (const talvero::cli::Loan& loan : loans)
            benchmark::DoNotOptimize(talvero::cli::check(loan).verdict.actuarial);
    state.counters["loans_per_second"] = benchmark::Counter(
        static_cast<double>(loans.size()) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CheckOnly)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace

BENCHMARK_MAIN();
