// The worked examples of Regulation Z, Appendix J (c), with their published APRs, the (b)(5) time
// rules for each unit-period and the verdict at its edges.
#include "aprcheck/aprcheck.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace talvero::aprcheck;

Date plus_days(Date d, int n) {
    namespace ch = std::chrono;
    const ch::sys_days s =
        ch::sys_days(ch::year_month_day{ch::year{d.year}, ch::month{static_cast<unsigned>(d.month)},
                                        ch::day{static_cast<unsigned>(d.day)}}) +
        ch::days{n};
    const ch::year_month_day r{s};
    return {static_cast<int>(static_cast<unsigned>(r.month())),
            static_cast<int>(static_cast<unsigned>(r.day())), static_cast<int>(r.year())};
}

Date plus_months(Date d, int n) {
    const int total = d.year * 12 + d.month - 1 + n;
    return {total % 12 + 1, d.day, total / 12};
}

void monthly(std::vector<Payment>& out, Date first, int count, double amount, int step = 1) {
    for (int k = 0; k < count; ++k)
        out.push_back({plus_months(first, k * step), amount});
}

void every_days(std::vector<Payment>& out, Date first, int count, double amount, int step) {
    for (int k = 0; k < count; ++k)
        out.push_back({plus_days(first, k * step), amount});
}

// The 1st and the 16th of each month, from the 1st of `first`'s month.
void semimonthly(std::vector<Payment>& out, Date first, int count, double amount) {
    for (int k = 0; k < count; ++k)
        out.push_back({plus_months({first.month, k % 2 ? 16 : 1, first.year}, k / 2), amount});
}

struct Example {
    const char* name;
    Stream stream;
    double apr; // published, to two decimals
    UnitPeriod unit;
};

std::vector<Example> examples() {
    std::vector<Example> all;
    {
        Example e{"(c)(1)(i) monthly, regular first period", {{1, 10, 1978}, 5000, {}}, 9.69, months(1)};
        monthly(e.stream.payments, {2, 10, 1978}, 24, 230);
        all.push_back(e);
    }
    {
        Example e{"(c)(1)(ii) monthly, long first period", {{2, 10, 1978}, 6000, {}}, 11.82, months(1)};
        monthly(e.stream.payments, {4, 1, 1978}, 36, 200);
        all.push_back(e);
    }
    {
        Example e{
            "(c)(1)(iii) semimonthly, short first period", {{2, 23, 1978}, 5000, {}}, 10.34, semimonth()};
        semimonthly(e.stream.payments, {3, 1, 1978}, 24, 219.17);
        all.push_back(e);
    }
    {
        Example e{"(c)(1)(iv) quarterly, long first period", {{5, 23, 1978}, 10000, {}}, 8.97, months(3)};
        monthly(e.stream.payments, {10, 1, 1978}, 40, 385, 3);
        all.push_back(e);
    }
    {
        Example e{"(c)(1)(v) weekly, long first period", {{3, 20, 1978}, 500, {}}, 14.96, weeks(1)};
        every_days(e.stream.payments, {4, 21, 1978}, 30, 17.60, 7);
        all.push_back(e);
    }
    {
        Example e{"(c)(2)(i) monthly, odd first payment",
                  {{1, 10, 1978}, 5000, {{{2, 10, 1978}, 250}}},
                  10.08,
                  months(1)};
        monthly(e.stream.payments, {3, 10, 1978}, 23, 230);
        all.push_back(e);
    }
    {
        Example e{"(c)(2)(ii) every 4 weeks, long first period, odd first payment",
                  {{3, 18, 1978}, 400, {{{4, 20, 1978}, 39.50}}},
                  28.50,
                  weeks(4)};
        every_days(e.stream.payments, {5, 18, 1978}, 11, 38.31, 28);
        all.push_back(e);
    }
    {
        Example e{"(c)(3)(i) monthly, odd final payment", {{1, 10, 1978}, 5000, {}}, 10.50, months(1)};
        monthly(e.stream.payments, {2, 10, 1978}, 23, 230);
        e.stream.payments.push_back({{1, 10, 1980}, 280});
        all.push_back(e);
    }
    {
        Example e{"(c)(3)(ii) every 2 weeks, short first period, odd final payment",
                  {{4, 3, 1978}, 200, {}},
                  12.22,
                  weeks(2)};
        every_days(e.stream.payments, {4, 11, 1978}, 19, 9.50, 14);
        e.stream.payments.push_back({plus_days({4, 11, 1978}, 14 * 19), 30});
        all.push_back(e);
    }
    {
        Example e{"(c)(4)(i) monthly, odd first and final payments",
                  {{1, 10, 1978}, 5000, {{{2, 10, 1978}, 250}}},
                  10.90,
                  months(1)};
        monthly(e.stream.payments, {3, 10, 1978}, 22, 230);
        e.stream.payments.push_back({{1, 10, 1980}, 280});
        all.push_back(e);
    }
    {
        Example e{"(c)(4)(ii) every 2 months, short first period, odd first and final payments",
                  {{1, 10, 1978}, 8000, {{{3, 1, 1978}, 449.36}}},
                  7.30,
                  months(2)};
        monthly(e.stream.payments, {5, 1, 1978}, 18, 465, 2);
        e.stream.payments.push_back({{5, 1, 1981}, 200});
        all.push_back(e);
    }
    all.push_back({"(c)(5)(i) single advance, single payment in 255 days",
                   {{1, 3, 1978}, 1000, {{{9, 15, 1978}, 1080}}},
                   11.45,
                   days(255)});
    return all;
}

TEST(AppendixJ, WorkedExamplesGiveTheirPublishedRates) {
    for (const Example& e : examples()) {
        SCOPED_TRACE(e.name);
        const UnitPeriod unit = unit_period_of(e.stream);
        EXPECT_EQ(describe(unit), describe(e.unit));
        EXPECT_DOUBLE_EQ(unit.per_year, e.unit.per_year);
        const Solution s = actuarial_apr(e.stream);
        ASSERT_TRUE(s.solved) << s.error;
        EXPECT_NEAR(s.apr, e.apr, 0.005 + 1e-9);
        EXPECT_DOUBLE_EQ(std::round(s.apr * 100) / 100, e.apr);
    }
}

TEST(AppendixJ, TheSolutionSatisfiesTheGeneralEquationToTheTolerance) {
    for (const Example& e : examples()) {
        SCOPED_TRACE(e.name);
        const UnitPeriod unit = unit_period_of(e.stream);
        const Solution s = actuarial_apr(e.stream, unit);
        ASSERT_TRUE(s.solved);
        // The annual rate 1e-10 above and below brackets the root of the equation.
        auto residual = [&](double apr) {
            const double i = apr / 100 / unit.per_year;
            double sum = 0;
            for (const Payment& p : e.stream.payments) {
                const Time t = unit_periods_between(e.stream.advance_date, p.date, unit);
                sum += p.amount / ((1 + t.f * i) * std::pow(1 + i, static_cast<double>(t.t)));
            }
            return sum - e.stream.advance;
        };
        EXPECT_GT(residual(s.apr - 1e-10), 0);
        EXPECT_LT(residual(s.apr + 1e-10), 0);
    }
}

struct TimeCase {
    const char* name;
    Date from, to;
    UnitPeriod unit;
    long t;
    double f;
};

TEST(AppendixJ, UnitPeriodsBetweenDatesFollowTheRuleOfEachUnit) {
    const TimeCase cases[] = {
        {"month: one month back, 22 days over 30", {1, 10, 2024}, {3, 1, 2024}, months(1), 1, 22.0 / 30},
        {"month: regular period", {1, 10, 1978}, {2, 10, 1978}, months(1), 1, 0},
        {"month: last day to last day", {1, 31, 2023}, {2, 28, 2023}, months(1), 1, 0},
        {"month: short first period", {1, 20, 2024}, {2, 1, 2024}, months(1), 0, 12.0 / 30},
        {"semimonth: 6 days", {2, 23, 1978}, {3, 1, 1978}, semimonth(), 0, 6.0 / 15},
        {"semimonth: a month and 6 days", {2, 23, 1978}, {4, 1, 1978}, semimonth(), 2, 6.0 / 15},
        {"quarter: 4 months and 9 days", {5, 23, 1978}, {10, 1, 1978}, months(3), 1, 39.0 / 90},
        {"two months: 1 month and 22 days", {1, 10, 1978}, {3, 1, 1978}, months(2), 0, 52.0 / 60},
        {"week: 32 days", {3, 20, 1978}, {4, 21, 1978}, weeks(1), 4, 4.0 / 7},
        {"two weeks: 8 days", {4, 3, 1978}, {4, 11, 1978}, weeks(2), 0, 8.0 / 14},
        {"four weeks: 33 days", {3, 18, 1978}, {4, 20, 1978}, weeks(4), 1, 5.0 / 28},
        {"year: whole months left", {1, 3, 2020}, {3, 3, 2021}, year(), 1, 2.0 / 12},
        {"year: days left", {1, 10, 2020}, {3, 3, 2021}, year(), 1, 53.0 / 365},
        {"day: 36-day unit", {1, 1, 2023}, {3, 1, 2023}, days(36), 1, 23.0 / 36},
        {"day 0: the last day of the month before", {1, 10, 2024}, {3, 0, 2024}, months(1), 1, 21.0 / 30},
        {"02/31: the last day of February", {1, 31, 2023}, {2, 31, 2023}, months(1), 1, 0},
    };
    for (const TimeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Time t = unit_periods_between(c.from, c.to, c.unit);
        EXPECT_EQ(t.t, c.t);
        EXPECT_NEAR(t.f, c.f, 1e-12);
    }
}

// Level payments after an odd first period: A = P / (1 + f i) * sum_{k<n} (1 + i)^-(t1 + k), solved
// here by plain bisection.
double level_rate(double a, double p, int n, long t1, double f, double per_year) {
    double lo = 1e-9, hi = 1;
    for (int k = 0; k < 200; ++k) {
        const double i = 0.5 * (lo + hi);
        const double v = 1 / (1 + i);
        const double annuity = std::pow(v, static_cast<double>(t1)) * (1 - std::pow(v, n)) / (1 - v);
        (p / (1 + f * i) * annuity > a ? lo : hi) = i;
    }
    return 0.5 * (lo + hi) * per_year * 100;
}

TEST(AppendixJ, OddFirstPeriodsForEachUnitPeriod) {
    struct Case {
        const char* name;
        Date advance, first;
        int step_months, step_days; // one of the two
        UnitPeriod unit;
        long t1;
        double f1;
    };
    const Case cases[] = {
        {"month, long", {1, 10, 2024}, {3, 1, 2024}, 1, 0, months(1), 1, 22.0 / 30},
        {"month, short", {1, 20, 2024}, {2, 1, 2024}, 1, 0, months(1), 0, 12.0 / 30},
        {"quarter, long", {5, 23, 2023}, {10, 1, 2023}, 3, 0, months(3), 1, 39.0 / 90},
        {"six months, short", {2, 1, 2023}, {6, 1, 2023}, 6, 0, months(6), 0, 120.0 / 180},
        {"year, long", {10, 26, 2023}, {11, 30, 2024}, 12, 0, year(), 1, 35.0 / 365},
        {"week, long", {3, 20, 2023}, {4, 5, 2023}, 0, 7, weeks(1), 2, 2.0 / 7},
        {"two weeks, short", {4, 3, 2023}, {4, 11, 2023}, 0, 14, weeks(2), 0, 8.0 / 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stream s{c.advance, 10000, {}};
        const int n = 24;
        if (c.step_months)
            monthly(s.payments, c.first, n, 480, c.step_months);
        else
            every_days(s.payments, c.first, n, 480, c.step_days);
        const UnitPeriod unit = unit_period_of(s);
        EXPECT_EQ(describe(unit), describe(c.unit));
        const Time first = unit_periods_between(c.advance, c.first, unit);
        EXPECT_EQ(first.t, c.t1);
        EXPECT_NEAR(first.f, c.f1, 1e-12);
        const Solution sol = actuarial_apr(s, unit);
        ASSERT_TRUE(sol.solved);
        EXPECT_NEAR(sol.apr, level_rate(10000, 480, n, c.t1, c.f1, unit.per_year), 1e-8);
        EXPECT_FALSE(irregular(s, unit));
    }
}

TEST(AppendixJ, SemimonthlyDatesFifteenDaysApartAreSemimonths) {
    Stream s{{1, 1, 2024}, 3000, {}};
    every_days(s.payments, {1, 16, 2024}, 24, 130, 15);
    const UnitPeriod unit = unit_period_of(s);
    EXPECT_EQ(describe(unit), "semimonth");
    EXPECT_FALSE(irregular(s, unit));
}

TEST(AppendixJ, PaymentsBelowTheAdvanceGiveANegativeRate) {
    Stream s{{1, 10, 2024}, 1000, {}};
    monthly(s.payments, {2, 10, 2024}, 10, 95);
    const Solution sol = actuarial_apr(s);
    ASSERT_TRUE(sol.solved);
    EXPECT_LT(sol.apr, 0);
    const double i = sol.periodic;
    double sum = 0;
    for (int k = 1; k <= 10; ++k)
        sum += 95 / std::pow(1 + i, k);
    EXPECT_NEAR(sum, 1000, 1e-6);
}

TEST(AppendixJ, StreamsWithoutARateAreRefused) {
    struct Case {
        const char* name;
        Stream s;
    };
    const Case cases[] = {
        {"no payments", {{1, 1, 2024}, 1000, {}}},
        {"no advance", {{1, 1, 2024}, 0, {{{2, 1, 2024}, 100}}}},
        {"payment before the advance", {{3, 1, 2024}, 1000, {{{2, 1, 2024}, 1100}}}},
        {"payment on the advance date only", {{3, 1, 2024}, 1000, {{{3, 1, 2024}, 1100}}}},
        {"payment not a number", {{1, 1, 2024}, 1000, {{{2, 1, 2024}, std::nan("")}, {{3, 1, 2024}, 1100}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Solution sol = actuarial_apr(c.s);
        EXPECT_FALSE(sol.solved);
        EXPECT_FALSE(sol.error.empty());
    }
}

TEST(AppendixJ, ARefundInTheLastRowStaysInTheEquation) {
    Stream s{{1, 10, 2024}, 1000, {}};
    monthly(s.payments, {2, 10, 2024}, 11, 95);
    s.payments.push_back({{1, 10, 2025}, -5});
    const Solution sol = actuarial_apr(s);
    ASSERT_TRUE(sol.solved) << sol.error;
    double sum = 0;
    for (int k = 1; k <= 12; ++k)
        sum += (k < 12 ? 95 : -5) / std::pow(1 + sol.periodic, k);
    EXPECT_NEAR(sum, 1000, 1e-6);
}

Stream example_one() {
    Stream s{{1, 10, 1978}, 5000, {}};
    monthly(s.payments, {2, 10, 1978}, 24, 230);
    return s;
}

TEST(Verdict, RegularTransactionAtTheEighthPointEdges) {
    const Stream s = example_one();
    const UnitPeriod unit = unit_period_of(s);
    const Solution sol = actuarial_apr(s, unit);
    ASSERT_TRUE(sol.solved);
    const double a = sol.apr;
    struct Case {
        const char* name;
        double disclosed;
        bool within;
    };
    const Case cases[] = {
        {"exact", a, true},
        {"exactly 1/8 above", a + 0.125, true},
        {"exactly 1/8 below", a - 0.125, true},
        {"just inside", a + 0.1249, true},
        {"just outside above", a + 0.1251, false},
        {"just outside below", a - 0.1251, false},
        {"the engine's coarse step", 9.6, true},
        {"a quarter point off", a + 0.25, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Verdict v = verdict(s, unit, sol, c.disclosed, 520);
        EXPECT_FALSE(v.irregular);
        EXPECT_DOUBLE_EQ(v.tolerance, 0.125);
        EXPECT_EQ(v.within, c.within);
        EXPECT_NEAR(v.difference, c.disclosed - a, 1e-12);
        EXPECT_DOUBLE_EQ(v.actuarial, a);
    }
}

TEST(Verdict, IrregularTransactionAtTheQuarterPoint) {
    Stream s = example_one();
    s.payments[10].amount = 330; // a payment amid the others differs
    s.payments[11].amount = 130;
    const UnitPeriod unit = unit_period_of(s);
    const Solution sol = actuarial_apr(s, unit);
    ASSERT_TRUE(sol.solved);
    const double a = sol.apr;
    const std::pair<double, bool> cases[] = {
        {a + 0.25, true}, {a - 0.25, true}, {a + 0.2499, true}, {a + 0.2501, false}, {a + 0.2, true}};
    for (const auto& [disclosed, within] : cases) {
        SCOPED_TRACE(disclosed - a);
        const Verdict v = verdict(s, unit, sol, disclosed, 520);
        EXPECT_TRUE(v.irregular);
        EXPECT_DOUBLE_EQ(v.tolerance, 0.25);
        EXPECT_EQ(v.within, within);
    }
}

// Section 1026.22(a)(3): irregular payment periods or amounts make a transaction irregular, "other
// than an irregular first period or an irregular first or final payment".
TEST(Verdict, OddFirstAndFinalPaymentsAndAnOddFirstPeriodStayRegular) {
    for (const Example& e : examples()) {
        SCOPED_TRACE(e.name);
        EXPECT_FALSE(irregular(e.stream, unit_period_of(e.stream)));
    }
    // A level loan whose last payment is a quarter of the others, and one whose first is larger too.
    Stream level = example_one();
    level.payments.back().amount = 57.5;
    EXPECT_FALSE(irregular(level, unit_period_of(level)));
    level.payments.front().amount = 400;
    EXPECT_FALSE(irregular(level, unit_period_of(level)));
    level.payments[1].amount = 231; // the second payment differs from the level ones
    EXPECT_TRUE(irregular(level, unit_period_of(level)));
    Stream s = example_one();
    s.payments[5].date = {7, 20, 1978}; // a period other than the unit-period
    EXPECT_TRUE(irregular(s, unit_period_of(s)));
}

TEST(Verdict, FinanceChargeWithinTenDollarsOrFiveOnSmallAdvances) {
    const Stream s = example_one(); // 24 x 230 - 5000 = 520
    const UnitPeriod unit = unit_period_of(s);
    const Solution sol = actuarial_apr(s, unit);
    struct Case {
        double disclosed;
        bool within;
    };
    for (const Case& c :
         {Case{520, true}, Case{530, true}, Case{510, true}, Case{530.01, false}, Case{509.9, false}}) {
        SCOPED_TRACE(c.disclosed);
        const Verdict v = verdict(s, unit, sol, sol.apr, c.disclosed);
        EXPECT_NEAR(v.finance_charge, 520, 1e-9);
        EXPECT_DOUBLE_EQ(v.finance_charge_tolerance, 10);
        EXPECT_EQ(v.finance_charge_within, c.within);
    }
    const Stream small{{1, 3, 1978}, 1000, {{{9, 15, 1978}, 1080}}};
    const Verdict v = verdict(small, unit_period_of(small), actuarial_apr(small), 11.45, 86);
    EXPECT_DOUBLE_EQ(v.finance_charge_tolerance, 5);
    EXPECT_FALSE(v.finance_charge_within);
}

} // namespace
