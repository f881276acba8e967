// Input the balloon form never sends, and arithmetic that cannot finish: the engine refuses or
// reports the fault, and never hangs or hands back a value that is not a finite number.
#include "vaulter/texts.h"
#include "vaulter_test_support.h"

#include <cmath>
#include <limits>
#include <random>

namespace talvero::vaulter::testing {
namespace {

class Robustness : public VaulterTest {};

TEST_F(Robustness, RefusesWhatItCannotWorkWithAndNamesTheValue) {
    const struct {
        const char* name;
        void (*spoil)(Block&);
    } rows[] = {
        {"FINANCEAMT", [](Block& b) { b.FINANCEAMT = std::numeric_limits<double>::quiet_NaN(); }},
        {"APR", [](Block& b) { b.APR = std::numeric_limits<double>::infinity(); }},
        {"TOTALINTEREST", [](Block& b) { b.TOTALINTEREST = std::numeric_limits<double>::quiet_NaN(); }},
        {"INTMETHOD", [](Block& b) { b.INTMETHOD = 8; }},
        {"INTMETHOD", [](Block& b) { b.INTMETHOD = -1; }},
        {"NUMPAY", [](Block& b) { b.NUMPAY = 1e12; }},
        {"BLPAY", [](Block& b) { b.BLPAY = 100000.0; }},
        {"FREQUENCY", [](Block& b) { b.FREQUENCY = 53.0; }},
        {"FREQUENCY", [](Block& b) { b.FREQUENCY = 1e-9; }},
        {"SKPMONTH", [](Block& b) { b.SKPMONTH = -3; }},
        {"SKPMONTH", [](Block& b) { b.SKPMONTH = 1000; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Block b = starting_block(1);
        b.MATURITY[0] = 4, b.MATURITY[1] = 5, b.MATURITY[2] = 2006;
        row.spoil(b);
        const Block passed = b;
        const auto messages = run(b);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(row.name), std::string::npos) << messages[0];
        EXPECT_EQ(b.ERRFLAG, 1);
        EXPECT_EQ(b.PAYMENT, passed.PAYMENT);
        EXPECT_EQ(b.BLPAY, passed.BLPAY);
        EXPECT_EQ(b.TERMYEARS, passed.TERMYEARS);
        EXPECT_EQ(b.MATURITY[2], 2006);
        EXPECT_EQ(b.LASTPAY, 0.0);
        EXPECT_EQ(b.TOTALPAYOUT, 0.0);
    }
}

// A premium base without premiums per year divides by zero: the command ends with the framework's
// text and the block comes back as it went in.
TEST_F(Robustness, DivisionByZeroEndsTheCommandAndKeepsTheBlock) {
    for (double payment : {0.0, 600.0}) {
        SCOPED_TRACE(payment);
        Block b = starting_block(1);
        b.PAYMENT = payment;
        b.DSPREM = 50.0;
        b.DSRATE = 0.001;
        b.DSNUMPAY = 12.0;
        b.DSFREQ = 0.0;
        const Block passed = b;
        const auto messages = run(b);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], texts::kDivisionByZero);
        EXPECT_EQ(b.ERRFLAG, 1);
        EXPECT_EQ(b.PAYMENT, passed.PAYMENT);
        EXPECT_EQ(b.TERMYEARS, 30.0);
        EXPECT_EQ(b.MATURITY[2], 0);
        EXPECT_EQ(b.TOTALINTEREST, 0.0);
    }
}

// A cent off the level payment over 99,999 months sends the amortization's balance past what a
// double holds.
TEST_F(Robustness, OverflowEndsTheCommandAndKeepsTheBlock) {
    Block b = starting_block(1);
    b.FINANCEAMT = b.ORGAMT = 1000.0;
    b.NUMPAY = 99999.0;
    const auto messages = run(b);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], texts::kOverflow);
    EXPECT_EQ(b.ERRFLAG, 1);
    EXPECT_EQ(b.PAYMENT, 0.0);
    EXPECT_EQ(b.NUMPAY, 99999.0);
    EXPECT_EQ(b.LASTPAY, 0.0);
}

double pick(std::mt19937_64& random, std::initializer_list<double> values) {
    std::uniform_int_distribution<std::size_t> index(0, values.size() - 1);
    return *(values.begin() + index(random));
}

double between(std::mt19937_64& random, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
}

Block random_block(std::mt19937_64& random) {
    auto chance = [&](double p) { return std::bernoulli_distribution(p)(random); };
    Block b;
    b.FINANCEAMT = chance(0.1) ? pick(random, {0.0, -100.0, 0.01, 1e6, 3e6}) : between(random, 1.0, 1e6);
    b.ORGAMT = chance(0.1) ? pick(random, {0.0, -5.0, 1.0}) : b.FINANCEAMT * between(random, 0.6, 1.0);
    b.APR = chance(0.25) ? pick(random, {0.0, -1.0, 0.001, 49.99, 80.0}) : between(random, 0.01, 49.99);
    b.NUMPAY = chance(0.05) ? pick(random, {0.0, -3.0, 1.0, 2.0, 0.5, 2000.0, 99999.0})
                            : std::floor(between(random, 1, 480));
    b.BLPAY = chance(0.2) ? pick(random, {0.0, 1.0, 0.5, -2.0, 1.5, b.NUMPAY})
                          : std::floor(between(random, 1, b.NUMPAY + 1));
    b.FREQUENCY = chance(0.15) ? pick(random, {0.0, -12.0, 0.01, 0.5, 3.0, 7.5, 52.0})
                               : pick(random, {12.0, 12.0, 12.0, 1.0, 4.0, 24.0, 26.0, 52.0, 2.0, 6.0});
    b.PAYMENT = chance(0.4)   ? 0.0
                : chance(0.2) ? pick(random, {-10.0, 0.01, 1e6})
                              : between(random, 1.0, b.FINANCEAMT / 4 + 10);
    b.TOTALINTEREST = chance(0.6)   ? 0.0
                      : chance(0.2) ? pick(random, {0.5, -4.0, 999999.0})
                                    : between(random, 1.0, 5e5);
    b.INTMETHOD = static_cast<int>(between(random, 0, 8));
    b.ODDDAYS = chance(0.6) ? 0 : static_cast<int>(between(random, -30, 760));
    b.SKPMONTH = chance(0.7) ? 0 : static_cast<int>(between(random, 0, 1000));
    if (chance(0.3)) {
        b.TAXES = between(random, 0, 99999.99);
        b.HOINS = between(random, 0, 9999.99);
        b.OTINS = chance(0.5) ? 0.0 : between(random, 0, 9999.99);
    }
    if (chance(0.3)) {
        b.DSRATE = between(random, 0, 0.99);
        b.DSFREQ = chance(0.05) ? 0.0 : between(random, 1, 52);
        b.DSPREM = b.FINANCEAMT * b.DSRATE;
        b.DSNUMPAY = std::floor(between(random, 0, 120));
    }
    if (chance(0.3)) {
        b.LFRATE = between(random, 0, 0.99);
        b.LFFREQ = between(random, 1, 52);
        b.LFPREM = b.FINANCEAMT * b.LFRATE;
        b.LFNUMPAY = std::floor(between(random, 0, 120));
    }
    b.TERMYEARS = chance(0.5) ? 30.0 : between(random, -1, 100);
    const char* dates[] = {"01152004", "02292004", "12312003", "06011999",
                           "01312003", "",         "13402004", "  1 5200"};
    set_first_due(b, dates[static_cast<int>(between(random, 0, 8))]);
    return b;
}

// Every call either rejects the block or returns finite numbers; none hangs (the test would time out).
TEST_F(Robustness, RandomBlocksEndWithAnErrorOrFiniteResults) {
    std::mt19937_64 random(20040115);
    for (int round = 0; round < 3000; ++round) {
        Block b = random_block(random);
        const Block passed = b;
        const auto messages = run(b);
        SCOPED_TRACE(::testing::Message()
                     << "round " << round << ": F " << passed.FINANCEAMT << " APR " << passed.APR << " N "
                     << passed.NUMPAY << " T " << passed.BLPAY << " f " << passed.FREQUENCY << " pay "
                     << passed.PAYMENT << " TI " << passed.TOTALINTEREST << " flag " << passed.INTMETHOD);
        if (b.ERRFLAG == 1) {
            EXPECT_FALSE(messages.empty());
            continue;
        }
        EXPECT_TRUE(messages.empty());
        for (double value : {b.PAYMENT, b.NUMPAY, b.TERMYEARS, b.BLPAY, b.TOTALINTEREST, b.APR, b.LASTPAY,
                             b.REGZAPR, b.TOTALPRINCIPAL, b.TOTALINSURANCE, b.TOTALTAXES, b.TOTALPAYOUT})
            ASSERT_TRUE(std::isfinite(value));
    }
}

} // namespace
} // namespace talvero::vaulter::testing
