// Case 2 of the balloon engine: the rate, the finance charge and the balloon term solved from the
// payment, and the two messages with the placeholders they leave.
#include "vaulter/texts.h"
#include "vaulter_test_support.h"

#include <cmath>

namespace talvero::vaulter::testing {
namespace {

// The "Calc APR" page: a payment and an amortize period, the APR blank.
Block apr_block(int flag, double charge, double blpay) {
    Block b = starting_block(flag);
    b.FINANCEAMT = b.ORGAMT = 10000.0;
    b.APR = 0.0;
    b.NUMPAY = 60.0;
    b.PAYMENT = 212.47; // 10 % over 60 months
    b.TOTALINTEREST = charge;
    b.BLPAY = blpay;
    return b;
}

class BalloonTerm : public VaulterTest {};

// Flag 0 steps the balance at the solved rate's twelfth; the term is the first period at which the
// interest reaches the finance charge in whole dollars.
TEST_F(BalloonTerm, TermEndsWhereTheInterestReachesTheFinanceCharge) {
    for (double charge : {1.0, 500.0, 1234.56, 2700.0}) {
        SCOPED_TRACE(charge);
        Block b = apr_block(0, charge, 0.0);
        ASSERT_TRUE(run(b).empty());
        EXPECT_NEAR(b.APR, 10.0, 0.02);
        const double i = b.APR / 1200.0;
        double balance = 10000.0, interest = 0.0;
        double periods = 0;
        while (std::trunc(interest) < std::trunc(charge)) {
            interest += i * balance;
            balance -= 212.47 - i * balance;
            ++periods;
        }
        EXPECT_EQ(b.BLPAY, periods);
        EXPECT_NEAR(b.LASTPAY, balance, 1e-8);
        EXPECT_EQ(b.TOTALINTEREST, charge);
        EXPECT_EQ(b.TOTALPRINCIPAL, 10000.0);
        EXPECT_EQ(b.TERMYEARS, 30.0); // kept as passed
        EXPECT_NEAR(b.TOTALPAYOUT, 10000.0 + charge, 1e-9);
    }
}

TEST_F(BalloonTerm, FinanceChargeBelowOneDollarRunsNoPeriod) {
    Block level = apr_block(1, 0.5, 0.0);
    ASSERT_TRUE(run(level).empty());
    EXPECT_EQ(level.BLPAY, 0.0);
    EXPECT_EQ(level.LASTPAY, 10000.0);
    EXPECT_EQ(level.TOTALINTEREST, 0.5);

    Block principal_only = apr_block(5, 0.5, 0.0);
    ASSERT_TRUE(run(principal_only).empty());
    EXPECT_DOUBLE_EQ(principal_only.BLPAY, 10000.0 / 212.47);
    EXPECT_EQ(principal_only.LASTPAY, 212.47);
    EXPECT_EQ(principal_only.APR, 0.0);
}

TEST_F(BalloonTerm, MonthlyEscrowAndPremiumsComeOutOfThePayment) {
    Block plain = apr_block(0, 2000.0, 0.0);
    Block escrowed = plain;
    escrowed.TAXES = 1200.0; // 100 a month, whatever the frequency
    escrowed.HOINS = 240.0;
    ASSERT_TRUE(run(plain).empty());
    ASSERT_TRUE(run(escrowed).empty());
    // Less principal each period: the interest reaches the charge sooner and more is owed then.
    EXPECT_LT(escrowed.BLPAY, plain.BLPAY);
    EXPECT_GT(escrowed.LASTPAY, plain.LASTPAY);
    EXPECT_DOUBLE_EQ(escrowed.TOTALTAXES, 1200.0 * 30.0);
}

class AprOnly : public VaulterTest {};

TEST_F(AprOnly, PrincipalOnlyStopsAfterTheBalloonTerm) {
    Block b = apr_block(5, 100.0, 24.0);
    ASSERT_TRUE(run(b).empty());
    EXPECT_EQ(b.ERRFLAG, 0);
    EXPECT_EQ(b.BLPAY, 24.0);
    EXPECT_EQ(b.LASTPAY, b.PAYMENT);
    EXPECT_EQ(b.APR, 0.0);
    EXPECT_EQ(b.TOTALINTEREST, 100.0);
}

TEST_F(AprOnly, InterestReachingTheChargeEarlyLeavesMoreOwed) {
    Block early = apr_block(0, 300.0, 48.0);
    Block full = apr_block(0, 9000.0, 48.0); // more than 48 periods can carry
    ASSERT_TRUE(run(early).empty());
    ASSERT_TRUE(run(full).empty());
    EXPECT_EQ(early.APR, full.APR);
    EXPECT_EQ(early.BLPAY, 48.0);
    EXPECT_GT(early.LASTPAY, full.LASTPAY);
    EXPECT_EQ(early.TOTALINTEREST, 300.0);
    EXPECT_EQ(full.TOTALINTEREST, 9000.0);

    // Over all 48 periods the balance is the level amortization's at the solved rate.
    const double i = full.APR / 1200.0;
    double balance = 10000.0;
    for (int k = 0; k < 48; ++k)
        balance -= 212.47 - i * balance;
    EXPECT_NEAR(full.LASTPAY, balance, 1e-8);
}

TEST_F(AprOnly, FixedPrincipalRateComesFromTheChargeOverTheBalloonTerm) {
    // Interest of 24 fixed-principal periods at 9 %, nominal monthly.
    double balance = 10000.0, interest = 0.0;
    for (int k = 0; k < 24; ++k) {
        interest += 0.09 / 12.0 * balance;
        balance -= 10000.0 / 60.0;
    }
    Block b = apr_block(3, std::floor(interest) + 0.5, 24.0);
    b.PAYMENT = 10000.0 / 60.0;
    ASSERT_TRUE(run(b).empty());
    EXPECT_NEAR(b.APR, 9.0, 0.01);
    EXPECT_NEAR(b.LASTPAY, balance, 1e-9);
}

class AprAndCharge : public VaulterTest {};

TEST_F(AprAndCharge, SolvedRateRunsTheGivenPaymentSchedule) {
    for (int flag : {0, 1, 2, 6, 7}) {
        SCOPED_TRACE(flag);
        Block solved = apr_block(flag, 0.0, 24.0);
        ASSERT_TRUE(run(solved).empty());
        EXPECT_GT(solved.APR, 9.0);
        EXPECT_LT(solved.APR, 11.0);

        Block payout = apr_block(flag, 0.0, 24.0);
        payout.APR = solved.APR;
        ASSERT_TRUE(run(payout).empty());
        EXPECT_EQ(solved.TOTALINTEREST, payout.TOTALINTEREST);
        EXPECT_EQ(solved.LASTPAY, payout.LASTPAY);
        EXPECT_EQ(solved.TERMYEARS, 2.0);
    }
}

class EngineMessages : public VaulterTest {};

TEST_F(EngineMessages, NotEnoughDataLeavesPlaceholders) {
    const struct { double frequency, termyears; } rows[] = {{12, 1.0}, {1, 1.0}, {52, 1.0}, {0.5, 2.0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.frequency);
        Block b = starting_block(1);
        b.PAYMENT = 500.0;
        b.BLPAY = 0.0; // "Calc Payout" without a balloon term
        b.FREQUENCY = row.frequency;
        const auto messages = run(b);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], texts::kNotEnoughData);
        EXPECT_EQ(b.ERRFLAG, 1);
        EXPECT_EQ(b.BLPAY, 1.0);
        EXPECT_EQ(b.NUMPAY, 1.0);
        EXPECT_EQ(b.APR, 1.0);
        EXPECT_EQ(b.PAYMENT, 1.0);
        EXPECT_EQ(b.TERMYEARS, row.termyears);
    }
}

TEST_F(EngineMessages, NotEnoughDataWithoutAFrequencyRunsNothingMore) {
    Block b = starting_block(1);
    b.PAYMENT = 500.0;
    b.FREQUENCY = 0.0;
    b.APR = 0.0;
    const auto messages = run(b);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], texts::kNotEnoughData);
    EXPECT_EQ(b.ERRFLAG, 1);
    EXPECT_EQ(b.PAYMENT, 1.0);
    EXPECT_EQ(b.TERMYEARS, 30.0);
    EXPECT_EQ(b.LASTPAY, 0.0);
    EXPECT_EQ(b.MATURITY[2], 0);
}

TEST_F(EngineMessages, PrincipalOnlyBalloonTermRunsIntoThePeriodCap) {
    Block b = apr_block(5, 100.0, 0.0);
    const auto messages = run(b);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], texts::kPeriodCap);
    EXPECT_EQ(b.ERRFLAG, 1);
    EXPECT_EQ(b.BLPAY, 1.0);
    EXPECT_EQ(b.APR, 1.0);
    EXPECT_EQ(b.TERMYEARS, 1.0);
    EXPECT_EQ(b.NUMPAY, 60.0);
    EXPECT_DOUBLE_EQ(b.PAYMENT, 10000.0 / 60.0); // the placeholder run's fixed principal
    EXPECT_EQ(b.TOTALINTEREST, 100.0);
}

TEST_F(EngineMessages, FinanceChargeBeyondWhatTheLoanCanCarryRunsIntoThePeriodCap) {
    for (int flag : {0, 1, 2}) {
        SCOPED_TRACE(flag);
        Block b = apr_block(flag, 900000.0, 0.0);
        const auto messages = run(b);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], texts::kPeriodCap);
        EXPECT_EQ(b.ERRFLAG, 1);
        EXPECT_EQ(b.BLPAY, 1.0);
        EXPECT_EQ(b.APR, 1.0);
        EXPECT_EQ(b.TERMYEARS, 1.0);
        EXPECT_EQ(b.PAYMENT, 212.47);
        EXPECT_EQ(b.NUMPAY, 60.0);
    }
}

TEST_F(EngineMessages, AprOnlyMeetsThePeriodCapBeforeALongBalloonTerm) {
    Block b = apr_block(5, 100.0, 20000.0);
    b.NUMPAY = 30000.0;
    const auto messages = run(b);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], texts::kPeriodCap);
    EXPECT_EQ(b.BLPAY, 1.0);
}

} // namespace
} // namespace talvero::vaulter::testing
