// The two rate searches, against payments and interest figured at known rates, and against the
// plain three-pass walk for rates far beyond the usual range.
#include "vaulter/rate_search.h"

#include <gtest/gtest.h>

#include <cmath>

namespace talvero::vaulter {
namespace {

double level_payment(double amount, double i, double n) {
    return amount * i / (1.0 - std::pow(1.0 + i, -n));
}

// The present-value search as a plain walk: whole steps, tenths, hundredths.
double walked_present_value_rate(double payment, double n, double target, double f, int flag, int o) {
    auto pv = [&](double rho) {
        const double i = present_value_period_rate(rho, f, flag, o);
        double sum = 0.0;
        for (double j = 1.0; j <= n; j += 1.0)
            sum = static_cast<double>(sum + static_cast<long double>(payment) / std::pow(1.0 + i, j));
        return sum;
    };
    auto same = [&](double v) { return std::trunc(v) == std::trunc(target); };
    double rho = 1.0, v = pv(rho);
    while (v > target) {
        rho += 1.0, v = pv(rho);
        if (same(v)) return rho;
        if (v < target) break;
    }
    rho -= 1.0, v = pv(rho);
    while (v > target) {
        rho += 0.1, v = pv(rho);
        if (same(v)) return rho;
        if (v < target) break;
    }
    rho -= 0.1, v = pv(rho);
    while (v > target) {
        rho += 0.01, v = pv(rho);
        if (v < target || same(v)) return rho;
    }
    return rho;
}

struct RateRow {
    double rate, f, n;
    int flag, odd_days;
};

TEST(PresentValueRate, FindsTheRateALevelPaymentWasFiguredAt) {
    const RateRow rows[] = {
        {10.0, 12, 360, 0, 0}, {6.5, 12, 180, 0, 0},  {0.5, 12, 60, 0, 0},   {0.25, 12, 360, 2, 0},
        {18.0, 24, 48, 0, 0},  {12.0, 52, 104, 6, 0}, {49.99, 12, 36, 0, 0}, {8.0, 4, 40, 0, 0},
        {10.0, 12, 360, 1, 0}, {7.0, 26, 130, 7, 0},  {9.0, 1, 10, 0, 0},    {9.0, 1, 10, 0, 45},
        {9.0, 1, 10, 1, 0},    {9.0, 1, 10, 1, 200},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.rate << "% f " << row.f << " n " << row.n << " flag "
                                          << row.flag << " odd " << row.odd_days);
        const double i = present_value_period_rate(row.rate, row.f, row.flag, row.odd_days);
        const double payment = level_payment(100000.0, i, row.n);
        const double found = present_value_rate(payment, row.n, 100000.0, row.f, row.flag, row.odd_days);
        EXPECT_NEAR(found, row.rate, 0.011);
    }
}

TEST(PresentValueRate, PeriodRatesFollowTheFlagAndFrequency) {
    EXPECT_DOUBLE_EQ(present_value_period_rate(10.0, 12, 0, 0), 0.1 / 12);
    EXPECT_DOUBLE_EQ(present_value_period_rate(10.0, 12, 1, 0), 0.1 / 365 * 30.4463);
    EXPECT_DOUBLE_EQ(present_value_period_rate(10.0, 24, 7, 0), 0.1 / 365 * 15);
    EXPECT_DOUBLE_EQ(present_value_period_rate(10.0, 4, 1, 0), 0.1 / 365 * (365.0 / 4));
    // A yearly period is a year, odd days or not.
    EXPECT_DOUBLE_EQ(present_value_period_rate(10.0, 1, 1, 0), 0.1 / 365 * 365);
    EXPECT_DOUBLE_EQ(present_value_period_rate(10.0, 1, 1, 90), 0.1 / 365 * 365);
    EXPECT_DOUBLE_EQ(present_value_period_rate(10.0, 1, 2, 0), 0.1);
    EXPECT_DOUBLE_EQ(present_value_period_rate(10.0, 1, 0, 90), 0.1);
    EXPECT_DOUBLE_EQ(fixed_principal_period_rate(10.0, 1, 4, 45), 0.1 / 365 * 365);
    EXPECT_DOUBLE_EQ(fixed_principal_period_rate(10.0, 1, 3, 45), 0.1);
    EXPECT_DOUBLE_EQ(fixed_principal_period_rate(10.0, 12, 4, 0), 0.1 / 365 * 30.4463);
    EXPECT_DOUBLE_EQ(fixed_principal_period_rate(10.0, 12, 3, 0), 0.1 / 12);
}

// Rates far above the usual range (a large payment against a small amount requested) are reached
// by doubling and halving; the result is the rate the plain walk stops at.
TEST(PresentValueRate, LongWalksEndWhereThePlainWalkEnds) {
    const struct {
        double payment, n, target, f;
        int flag, odd_days;
    } rows[] = {
        {500.0, 12, 1000.0, 12, 0, 0},  {25000.0, 1, 10000.0, 1, 0, 1}, {9000.0, 36, 10000.0, 12, 1, 0},
        {35000.0, 1, 10000.0, 1, 1, 3}, {2000.0, 2, 100.0, 52, 2, 0},   {1234.5, 24, 1500.0, 26, 7, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.payment << " x " << row.n << " against " << row.target);
        const double walked =
            walked_present_value_rate(row.payment, row.n, row.target, row.f, row.flag, row.odd_days);
        ASSERT_GT(walked, 100.0);
        EXPECT_EQ(present_value_rate(row.payment, row.n, row.target, row.f, row.flag, row.odd_days), walked);
    }
}

TEST(PresentValueRate, EndlessWalksStop) {
    // A present value that never falls below the target: no payment, or the target below zero.
    EXPECT_TRUE(std::isfinite(present_value_rate(-5.0, 360, -1e6, 12, 0, 0)));
    EXPECT_TRUE(std::isfinite(present_value_rate(0.0, 360, -10.0, 12, 1, 0)));
    EXPECT_TRUE(std::isfinite(present_value_rate(100.0, 360, -10.0, 12, 0, 0)));
    EXPECT_TRUE(std::isfinite(present_value_rate(100.0, 0.5, -10.0, 12, 0, 0)));
}

double fixed_interest(double principal, double n, double m, double i) {
    double balance = principal, sum = 0.0;
    for (int j = 1; j <= m; ++j) {
        sum += i * balance;
        balance -= principal / n;
    }
    return sum;
}

TEST(FixedPrincipalRate, FindsTheRateTheInterestWasFiguredAt) {
    const RateRow rows[] = {
        {8.0, 12, 360, 3, 0}, {8.0, 12, 360, 4, 0}, {0.75, 12, 120, 3, 0},
        {14.5, 26, 52, 3, 0}, {9.0, 1, 10, 3, 45},  {9.0, 1, 10, 4, 0},
    };
    for (const auto& row : rows)
        for (double m : {row.n, std::floor(row.n / 3)}) {
            SCOPED_TRACE(::testing::Message()
                         << row.rate << "% f " << row.f << " flag " << row.flag << " m " << m);
            const double i = fixed_principal_period_rate(row.rate, row.f, row.flag, row.odd_days);
            const double target = fixed_interest(50000.0, row.n, m, i);
            EXPECT_NEAR(fixed_principal_rate(row.n, 50000.0, row.f, row.flag, row.odd_days, target, m),
                        row.rate, 0.011);
        }
}

TEST(FixedPrincipalRate, PrincipalOnlyHasNoRate) {
    EXPECT_EQ(fixed_principal_rate(360, 50000.0, 12, 5, 0, 25000.0, 360), 0.0);
}

TEST(FixedPrincipalRate, HighRatesAndEndlessWalks) {
    const double i = fixed_principal_period_rate(850.0, 12, 3, 0);
    const double target = fixed_interest(1000.0, 12, 12, i);
    EXPECT_NEAR(fixed_principal_rate(12, 1000.0, 12, 3, 0, target, 12), 850.0, 0.011);
    // Interest that falls as the rate rises never meets a positive target.
    EXPECT_TRUE(std::isfinite(fixed_principal_rate(12, -1000.0, 12, 3, 0, 500.0, 12)));
    EXPECT_TRUE(std::isfinite(fixed_principal_rate(12, 1000.0, 12, 3, 0, 500.0, 0)));
}

} // namespace
} // namespace talvero::vaulter
