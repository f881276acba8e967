// The quick schedule pass against the general per-period rules: on random blocks of every flag,
// frequency and case the two give the same block, messages and search work bit for bit, the
// search's passes made ahead included.
#include "vaulter_test_support.h"

#include <random>

namespace talvero::vaulter::testing {
namespace {

struct Outcome {
    Block block;
    std::vector<std::string> texts;
    Work work;
};

Outcome solved(const Block& in, bool plain) {
    Outcome out{in, {}, {}};
    Recorder recorder;
    Tuning tuning;
    tuning.plain_schedule_pass = plain;
    // Both sides stop at the same place; a short budget keeps the slow reference quick.
    tuning.period_budget = 400000.0;
    solve(out.block, recorder.messages(), tuning, &out.work);
    out.texts = recorder.texts;
    return out;
}

// The first due dates cover leap and common years, century years and the typed months outside 1..12
// that the calendar wraps.
void random_first_due(std::mt19937& random, Block& b) {
    static const int years[] = {1999, 2000, 2003, 2004, 2099, 2100, 2400, 1900};
    const int month =
        random() % 10 == 0 ? static_cast<int>(random() % 16) : 1 + static_cast<int>(random() % 12);
    const int day = 1 + static_cast<int>(random() % 31);
    const int year = years[random() % 8];
    const int digits[8] = {month / 10,  month % 10,      day / 10,       day % 10,
                           year / 1000, year / 100 % 10, year / 10 % 10, year % 10};
    char text[9] = {};
    for (int i = 0; i < 8; ++i)
        text[i] = static_cast<char>('0' + digits[i]);
    set_first_due(b, random() % 20 == 0 ? "" : text);
}

Block random_block(std::mt19937& random) {
    static const double frequencies[] = {1, 2, 3, 4, 6, 12, 12, 12, 24, 26, 52, 0.5};
    Block b = starting_block(static_cast<int>(random() % 8));
    b.FREQUENCY = frequencies[random() % 12];
    b.FINANCEAMT = b.ORGAMT = 100.0 + static_cast<double>(random() % 50000000) / 100.0;
    b.APR = 0.25 + static_cast<double>(random() % 3000) / 100.0;
    b.NUMPAY = random() % 15 == 0 ? 1.0 : 1.0 + static_cast<double>(random() % 480);
    b.BLPAY = 1.0 + static_cast<double>(random() % static_cast<int>(b.NUMPAY));
    b.TERMYEARS = b.BLPAY / b.FREQUENCY;
    b.ODDDAYS = random() % 3 == 0 ? static_cast<int>(random() % 700) : 0;
    b.SKPMONTH = random() % 4 == 0 ? static_cast<int>(random() % 13) : 0;
    random_first_due(random, b);
    if (random() % 2 == 0) {
        b.TAXES = static_cast<double>(random() % 5000);
        b.HOINS = static_cast<double>(random() % 1500);
        b.OTINS = random() % 2 ? static_cast<double>(random() % 900) : 0.0;
    }
    if (random() % 3 == 0) {
        b.DSPREM = static_cast<double>(random() % 400);
        b.DSRATE = static_cast<double>(random() % 100) / 10000.0;
        b.DSFREQ = random() % 2 ? 12.0 : b.FREQUENCY;
        b.DSNUMPAY = static_cast<double>(random() % 500);
    }
    if (random() % 3 == 0) {
        b.LFPREM = static_cast<double>(random() % 400);
        b.LFRATE = static_cast<double>(random() % 100) / 10000.0;
        b.LFFREQ = random() % 2 ? 12.0 : b.FREQUENCY;
        b.LFNUMPAY = static_cast<double>(random() % 500);
    }
    switch (random() % 5) {
    case 0: // case 3: the balloon for a given payment
        b.PAYMENT = 1.0 + static_cast<double>(random() % 800000) / 100.0;
        break;
    case 1: // case 2: the APR, or the balloon term from the finance charge
        b.PAYMENT = 1.0 + static_cast<double>(random() % 800000) / 100.0;
        b.APR = 0.0;
        b.TOTALINTEREST = random() % 2 ? static_cast<double>(random() % 200000) : 0.0;
        if (random() % 2) b.BLPAY = 0.0;
        break;
    default: // case 1: the payment search
        break;
    }
    return b;
}

TEST_F(VaulterTest, QuickPassGivesTheGeneralRulesResultsBitForBit) {
    std::mt19937 random(20261210);
    int flags_seen[8] = {};
    double ahead = 0.0;
    for (int trial = 0; trial < 400; ++trial) {
        const Block b = random_block(random);
        const Outcome quick = solved(b, false);
        const Outcome plain = solved(b, true);
        SCOPED_TRACE(::testing::Message() << "trial " << trial << " flag " << b.INTMETHOD << " f "
                                          << b.FREQUENCY << " n " << b.NUMPAY << " due " << b.FIRSTDUE);
        EXPECT_EQ(std::memcmp(&quick.block, &plain.block, sizeof(Block)), 0);
        EXPECT_EQ(quick.block.PAYMENT, plain.block.PAYMENT);
        EXPECT_EQ(quick.block.LASTPAY, plain.block.LASTPAY);
        EXPECT_EQ(quick.block.TOTALINTEREST, plain.block.TOTALINTEREST);
        EXPECT_EQ(quick.texts, plain.texts);
        EXPECT_EQ(quick.work.periods, plain.work.periods);
        EXPECT_EQ(quick.work.passes, plain.work.passes);
        EXPECT_EQ(quick.work.budget_reached, plain.work.budget_reached);
        EXPECT_EQ(quick.work.cycle_found, plain.work.cycle_found);
        EXPECT_EQ(plain.work.passes_ahead, 0.0);
        ++flags_seen[b.INTMETHOD];
        ahead += quick.work.passes_ahead;
    }
    for (int flag = 0; flag < 8; ++flag)
        EXPECT_GT(flags_seen[flag], 20) << "flag " << flag;
    // The searches took passes made ahead, so that path is compared too.
    EXPECT_GT(ahead, 100.0);
}

// The longest search the form can send, ending on its repeat check: most of its passes come from
// passes made ahead, and the block is the one the general rules give.
TEST_F(VaulterTest, LongestSearchTakesPassesMadeAheadWithTheSameResult) {
    Block b = starting_block(2);
    b.FINANCEAMT = b.ORGAMT = 150000.0;
    b.APR = 4.0;
    b.NUMPAY = 99999.0;
    b.BLPAY = 360.0;
    b.TAXES = 2400.0;
    b.HOINS = 900.0;
    b.ODDDAYS = 45;
    set_first_due(b, "03012004");
    Block quick = b, plain = b;
    Work quick_work, plain_work;
    Tuning reference;
    reference.plain_schedule_pass = true;
    solve(quick, Messages{}, Tuning{}, &quick_work);
    solve(plain, Messages{}, reference, &plain_work);
    EXPECT_EQ(std::memcmp(&quick, &plain, sizeof(Block)), 0);
    EXPECT_EQ(quick.ERRFLAG, 0);
    EXPECT_TRUE(quick_work.cycle_found);
    EXPECT_EQ(quick_work.passes, plain_work.passes);
    EXPECT_EQ(quick_work.periods, plain_work.periods);
    EXPECT_GT(quick_work.passes_ahead, 8.0);
}

} // namespace
} // namespace talvero::vaulter::testing
