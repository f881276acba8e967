// The check of a computed loan on its schedule's payments, regular and balloon.
#include "aprcheck/loan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

using namespace talvero;
using aprcheck::Date;

double level_payment(double amount, double apr, int n) {
    const double i = apr / 1200;
    return amount * i / (1 - std::pow(1 + i, -n));
}

// A monthly flag-0 loan due on the 1st, so every payment date is the 1st of a month.
common::LoanBlock monthly_loan(double amount, double apr, int n) {
    common::LoanBlock b;
    b.FINANCEAMT = b.ORGAMT = amount;
    b.APR = apr;
    b.NUMPAY = n;
    b.FREQUENCY = 12;
    b.TERMYEARS = n / 12.0;
    std::snprintf(b.FIRSTDUE, sizeof b.FIRSTDUE, "%s", "02012024");
    b.PAYMENT = level_payment(amount, apr, n);
    b.REGZAPR = apr;
    b.TOTALINTEREST = b.PAYMENT * n - amount;
    return b;
}

// The monthly rate of level payments P on A, first payment one month out, by plain bisection.
double level_apr(double a, double p, int n) {
    double lo = 1e-9, hi = 1;
    for (int k = 0; k < 200; ++k) {
        const double i = 0.5 * (lo + hi);
        (p * (1 - std::pow(1 + i, -n)) / i > a ? lo : hi) = i;
    }
    return 0.5 * (lo + hi) * 1200;
}

TEST(LoanCheck, LevelLoanAtTheNoteRate) {
    const common::LoanBlock b = monthly_loan(100000, 10, 360);
    const aprcheck::LoanCheck c = aprcheck::check_loan(b, b.PAYMENT, schedule::Variant::regular());
    ASSERT_TRUE(c.usable) << c.error;
    EXPECT_EQ(c.stream.payments.size(), 360u);
    EXPECT_EQ(c.stream.advance_date, (Date{1, 1, 2024}));
    EXPECT_EQ(aprcheck::describe(c.unit), "month");
    EXPECT_NEAR(c.solution.apr, 10.0, 1e-7);
    EXPECT_FALSE(c.verdict.irregular);
    EXPECT_TRUE(c.verdict.within);
    EXPECT_NEAR(c.verdict.finance_charge, b.TOTALINTEREST, 0.01);
    EXPECT_TRUE(c.verdict.finance_charge_within);
    EXPECT_STREQ(aprcheck::verdict_text(c.verdict), "Within tolerance");
    EXPECT_STREQ(aprcheck::transaction_text(c.verdict), "Regular");
}

TEST(LoanCheck, EscrowLeavesTheRateAloneAndFeesRaiseIt) {
    common::LoanBlock b = monthly_loan(102000, 10, 360);
    b.FEEAMT = 2000; // financed, a prepaid finance charge
    b.ORGAMT = 100000;
    b.TAXES = 1200;
    b.HOINS = 600;
    const double schedpay = b.PAYMENT + 150; // the escrow share of each payment
    const aprcheck::LoanCheck c = aprcheck::check_loan(b, schedpay, schedule::Variant::regular());
    ASSERT_TRUE(c.usable) << c.error;
    EXPECT_DOUBLE_EQ(c.stream.advance, 100000);
    EXPECT_NEAR(c.stream.payments[5].amount, b.PAYMENT, 1e-9);
    EXPECT_NEAR(c.solution.apr, level_apr(100000, b.PAYMENT, 360), 1e-7);
    EXPECT_GT(c.solution.apr, 10.2);
    // The engine's disclosed 10 % leaves out the fees: outside 1/8 point.
    EXPECT_FALSE(c.verdict.within);
    EXPECT_NEAR(c.verdict.disclosed_finance_charge, b.TOTALINTEREST + 2000, 1e-9);
}

TEST(LoanCheck, BalloonPaymentEndsTheStream) {
    common::LoanBlock b = monthly_loan(100000, 10, 360);
    const aprcheck::LoanCheck c = aprcheck::check_loan(b, b.PAYMENT, schedule::Variant::balloon_term(60));
    ASSERT_TRUE(c.usable) << c.error;
    ASSERT_EQ(c.stream.payments.size(), 60u);
    EXPECT_NEAR(c.stream.payments[58].amount, b.PAYMENT, 1e-9);
    // The balloon: the balance after 59 level payments plus a month's interest.
    const double i = 10.0 / 1200;
    const double after59 = 100000 * std::pow(1 + i, 59) - b.PAYMENT * (std::pow(1 + i, 59) - 1) / i;
    EXPECT_NEAR(c.stream.payments.back().amount, after59 * (1 + i), 0.01);
    EXPECT_NEAR(c.solution.apr, 10.0, 1e-7);
    EXPECT_FALSE(c.verdict.irregular); // an odd final payment
    EXPECT_TRUE(c.verdict.within);
}

TEST(LoanCheck, ShortFirstPeriodFromTheLoanDate) {
    common::LoanBlock b = monthly_loan(100000, 10, 360);
    b.LOANDATE[0] = 1;
    b.LOANDATE[1] = 20;
    b.LOANDATE[2] = 2024;
    b.ODDDAYS = 12;
    const aprcheck::LoanCheck c = aprcheck::check_loan(b, b.PAYMENT, schedule::Variant::regular());
    ASSERT_TRUE(c.usable) << c.error;
    EXPECT_EQ(c.stream.advance_date, (Date{1, 20, 2024}));
    const aprcheck::Time first = aprcheck::unit_periods_between(c.stream.advance_date, {2, 1, 2024}, c.unit);
    EXPECT_EQ(first.t, 0);
    EXPECT_NEAR(first.f, 12.0 / 30, 1e-12);
    // Independently: payment k at t = k - 1 with the fraction 0.4, solved by bisection.
    double lo = 1e-9, hi = 0.1;
    for (int n = 0; n < 200; ++n) {
        const double i = 0.5 * (lo + hi);
        double sum = 0;
        for (std::size_t k = 0; k < c.stream.payments.size(); ++k)
            sum += c.stream.payments[k].amount / ((1 + 0.4 * i) * std::pow(1 + i, static_cast<double>(k)));
        (sum > 100000 ? lo : hi) = i;
    }
    EXPECT_NEAR(c.solution.apr, 0.5 * (lo + hi) * 1200, 1e-7);
    EXPECT_FALSE(c.verdict.irregular);
    // The same dates counted from ODDDAYS alone, without a loan date.
    b.LOANDATE[0] = 0;
    const aprcheck::LoanCheck d = aprcheck::check_loan(b, b.PAYMENT, schedule::Variant::regular());
    EXPECT_EQ(d.stream.advance_date, (Date{1, 20, 2024}));
    EXPECT_DOUBLE_EQ(d.solution.apr, c.solution.apr);
}

TEST(LoanCheck, DisclosedRateFromTheCaller) {
    const common::LoanBlock b = monthly_loan(100000, 10, 360);
    const aprcheck::LoanCheck c =
        aprcheck::check_loan(b, b.PAYMENT, schedule::Variant::regular(), std::nullopt, 10.2);
    ASSERT_TRUE(c.usable);
    EXPECT_DOUBLE_EQ(c.verdict.disclosed, 10.2);
    EXPECT_FALSE(c.verdict.within);
}

TEST(LoanCheck, ALoanWithoutScheduleHasNoVerdict) {
    common::LoanBlock b = monthly_loan(100000, 10, 360);
    b.FREQUENCY = 0;
    const aprcheck::LoanCheck c = aprcheck::check_loan(b, b.PAYMENT, schedule::Variant::regular());
    EXPECT_FALSE(c.usable);
    EXPECT_FALSE(c.error.empty());
}

} // namespace
