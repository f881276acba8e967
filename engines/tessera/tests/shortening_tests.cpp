// The payout's shortening (case 6 and the payment count) and the budgets of the regular engine: the
// quick ways reach exactly what the count-by-count runs reach, and no call runs past its budget.
#include "tessera/engine.h"

#include "common/today.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace {

using tessera::Block;
using tessera::Engine;

void quiet(void*, int, const char*) {}

class Shortening : public ::testing::Test {
protected:
    void SetUp() override { talvero::common::set_today(talvero::common::Date{6, 1, 2004}); }
    void TearDown() override { talvero::common::clear_today(); }
};

Block block(double f, int flag, double amount, double payment, double numpay, int odd,
            const char* first_due) {
    Block b;
    b.FINANCEAMT = b.ORGAMT = amount;
    b.PAYMENT = payment;
    b.NUMPAY = numpay;
    b.FREQUENCY = f;
    b.INTMETHOD = flag;
    b.ODDDAYS = odd;
    std::strncpy(b.FIRSTDUE, first_due, sizeof b.FIRSTDUE - 1);
    return b;
}

Engine solved(const Block& b, bool quick) {
    Engine e;
    e.on_message = quiet;
    e.block = b;
    e.skip_repeated_steps = quick;
    e.shorten_budget = 1e12; // the plain shortening runs to its end here
    e.run_bound = 100000000;
    e.run();
    return e;
}

// Rate from payment and term (case 6) and the payment count (case 2) over a few hundred loans whose
// payment is too large for their term, so the payout is shortened: bit for bit what the runs one
// count at a time give.
TEST_F(Shortening, QuickShorteningMatchesTheRunsOneByOne) {
    std::mt19937 random(1010);
    const double frequencies[] = {1, 2, 4, 12, 24, 26, 52, 6};
    const int flags[] = {0, 1, 2, 6, 7};
    const char* dates[] = {"01312004", "02292004", "06172031", "11152003"};
    int compared = 0, shortened = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const double f = frequencies[random() % 8];
        const int flag = flags[random() % 5];
        const double amount = 100.0 + static_cast<double>(random() % 200000);
        const double numpay = 2.0 + static_cast<double>(random() % 600);
        // Payments a little above the interest of a period at a rate of 2 to 40 % make a long loan
        // whose solved rate runs off on the shorter side; the others are several times the level payment.
        const double apr = 2.0 + static_cast<double>(random() % 3800) / 100.0;
        const double payment =
            random() % 3 != 0
                ? amount * apr / 100.0 / f * (1.0 + static_cast<double>(random() % 50) / 1000.0)
                : amount / (1.0 + static_cast<double>(random() % 60)) * (0.2 + (random() % 100) / 40.0);
        Block b = block(f, flag, amount, payment, numpay,
                        static_cast<int>(random() % 3 == 0 ? random() % 400 : 0), dates[random() % 4]);
        // The count takes a month's escrow every period, the runs their share of the term: with
        // weekly or half-monthly payments the runs pay off sooner and are shortened a long way.
        if (random() % 2 == 0) {
            b.TAXES = static_cast<double>(random() % 3000) + amount / 50.0;
            b.HOINS = static_cast<double>(random() % 900);
            b.OTINS = random() % 2 ? 125.5 : 0.0;
        }
        if (random() % 4 == 0) {
            b.DSRATE = 0.0009;
            b.DSFREQ = f;
            b.DSPREM = amount * b.DSRATE;
            b.DSNUMPAY = static_cast<double>(random() % 500);
            b.LFRATE = 0.0004;
            b.LFFREQ = 12;
            b.LFPREM = amount * b.LFRATE;
            b.LFNUMPAY = numpay;
        }
        if (random() % 2 != 0) {
            b.APR = 0.0; // case 6
            // A payment that nearly only covers interest: the solved rate's period count differs
            // most from the term where the schedule's days differ from the rate search's.
            if (random() % 2 == 0)
                b.PAYMENT = amount * (0.005 + static_cast<double>(random() % 200) / 1000.0);
        } else {
            b.APR = apr;
            b.NUMPAY = 0.0; // case 2
        }
        const Engine quick = solved(b, true);
        const Engine plain = solved(b, false);
        SCOPED_TRACE(::testing::Message() << "trial " << trial << " f " << f << " flag " << flag << " amount "
                                          << amount << " payment " << payment << " numpay " << numpay);
        ASSERT_FALSE(plain.last_budget_reached());
        EXPECT_EQ(std::memcmp(&quick.block, &plain.block, sizeof(Block)), 0);
        EXPECT_EQ(quick.block.NUMPAY, plain.block.NUMPAY);
        EXPECT_EQ(quick.block.LASTPAY, plain.block.LASTPAY);
        // One run per count tried: more than three runs' worth of periods is a long shortening.
        if (plain.last_shorten_periods() > 3.0 * plain.block.NUMPAY) ++shortened;
        ++compared;
    }
    EXPECT_EQ(compared, 400);
    EXPECT_GT(shortened, 15); // shortened by more than a payment or two
}

// Long shortenings (the first two froze the program): each answers with few runs, and its result is
// the one the runs one count at a time reach (the third is short enough to run them here).
TEST_F(Shortening, FormerlySlowPayoutsAnswerWithFewRuns) {
    const Block slow[] = {
        block(1, 0, 0.01, 100, 99999, 385, "03312000"),
        block(12, 7, 489.58, 3.20, 63169, 0, "06172031"),
        block(12, 1, 100000, 9000.1, 30000, 0, "02152004"),
    };
    for (const Block& b : slow) {
        Engine e;
        e.on_message = quiet;
        e.block = b;
        e.run();
        EXPECT_EQ(e.block.ERRFLAG, 0);
        EXPECT_FALSE(e.last_budget_reached());
        EXPECT_LT(e.last_shorten_periods(), 2.5e6);
        EXPECT_LT(e.block.NUMPAY, b.NUMPAY);
    }
    const Engine plain = solved(slow[2], false);
    const Engine quick = solved(slow[2], true);
    EXPECT_EQ(std::memcmp(&quick.block, &plain.block, sizeof(Block)), 0);
    EXPECT_EQ(quick.block.NUMPAY, 70.0);
}

// A shortening that spends its budget ends with the not-enough-data message and ERRFLAG 1.
TEST_F(Shortening, SpentBudgetEndsRejected) {
    Engine e;
    std::vector<int> kinds;
    static std::vector<int>* seen = nullptr;
    seen = &kinds;
    e.on_message = [](void*, int kind, const char*) { seen->push_back(kind); };
    e.block = block(12, 1, 100000, 9000.1, 3000, 0, "02152004");
    e.skip_repeated_steps = false;
    e.shorten_budget = 50000;
    e.run();
    EXPECT_TRUE(e.last_budget_reached());
    EXPECT_LE(e.last_shorten_periods(), 50000);
    EXPECT_EQ(e.block.ERRFLAG, 1);
    ASSERT_EQ(kinds.size(), 1u);
    EXPECT_EQ(kinds[0], 1);
}

// Random blocks of every shape the loan form sends, long ones included: no call runs more schedule
// periods than its budgets allow, and a call that reaches one ends rejected.
TEST_F(Shortening, NoCallRunsPastItsBudget) {
    std::mt19937 random(424242);
    const double frequencies[] = {1, 2, 4, 12, 24, 26, 52, 3};
    for (int trial = 0; trial < 60; ++trial) {
        Block b;
        const double f = frequencies[random() % 8];
        b.FREQUENCY = f;
        b.INTMETHOD = static_cast<int>(random() % 8);
        b.FINANCEAMT = b.ORGAMT = 0.01 + static_cast<double>(random() % 100000000) / 100.0;
        b.NUMPAY = 1.0 + static_cast<double>(random() % 99999);
        b.ODDDAYS = random() % 2 ? static_cast<int>(random() % 999) : 0;
        b.SKPMONTH = static_cast<int>(random() % 13);
        std::strncpy(b.FIRSTDUE, random() % 2 ? "03312000" : "06172031", sizeof b.FIRSTDUE - 1);
        if (random() % 3 == 0) {
            b.TAXES = static_cast<double>(random() % 5000);
            b.HOINS = static_cast<double>(random() % 2000);
        }
        switch (random() % 3) {
        case 0: // payment from the term
            b.APR = 0.01 + static_cast<double>(random() % 4999) / 100.0;
            break;
        case 1: // rate and finance charge from payment and term
            b.PAYMENT = 0.01 + static_cast<double>(random() % 10000000) / 100.0;
            break;
        default: // payment count
            b.APR = 0.01 + static_cast<double>(random() % 4999) / 100.0;
            b.PAYMENT = 0.01 + static_cast<double>(random() % 10000000) / 100.0;
            b.NUMPAY = 0.0;
            break;
        }
        Engine e;
        e.on_message = quiet;
        e.block = b;
        e.run();
        SCOPED_TRACE(::testing::Message() << "trial " << trial);
        EXPECT_LE(e.last_runs(), tessera::payment_run_bound(b.NUMPAY));
        EXPECT_LE(e.last_shorten_periods(), 6.0e6);
        if (e.last_budget_reached()) {
            EXPECT_EQ(e.block.ERRFLAG, 1);
        }
    }
}

} // namespace
