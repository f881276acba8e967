// Random loan blocks of every flag, frequency and case, payoffs included, through one engine in turn
// (what a call keeps for the next one counts too), against the results the engine gave when they
// were recorded (golden/tessera_random_blocks.txt), bit for bit.
#include "golden_lines.h"

#include "common/today.h"
#include "tessera/engine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using tessera::Block;

std::vector<std::string>& recorded() {
    static std::vector<std::string> texts;
    return texts;
}

void record(void*, int kind, const char* text) {
    recorded().push_back(std::to_string(kind) + text);
}

Block random_block(std::mt19937& random) {
    auto below = [&](unsigned n) { return static_cast<int>(random() % n); };
    static const double frequencies[] = {12, 12, 12, 12, 12, 1, 2, 3, 4, 6, 24, 26, 52, 0.5};
    Block b;
    b.INTMETHOD = below(8);
    b.FREQUENCY = frequencies[below(14)];
    b.FINANCEAMT = 100.0 + below(99990000) / 100.0;
    b.ORGAMT = below(4) == 0 ? b.FINANCEAMT - below(500000) / 100.0 : b.FINANCEAMT;
    b.APR = 0.25 + below(4975) / 100.0;
    b.NUMPAY = below(3) == 0 ? 360.0 : 1.0 + below(below(40) == 0 ? 5000 : 480);
    b.TERMYEARS = below(2) ? 30.0 : b.NUMPAY / b.FREQUENCY;
    b.ODDDAYS = below(3) == 0 ? below(700) : 0;
    b.SKPMONTH = below(4) == 0 ? below(30) : 0;
    std::strncpy(b.FIRSTDUE, talvero::golden::kFirstDues[below(10)], sizeof b.FIRSTDUE - 1);
    talvero::golden::random_escrow_and_insurance(b, below);
    switch (below(10)) {
    case 0: // case 2: the number of payments
        b.PAYMENT = 1.0 + below(800000) / 100.0;
        b.NUMPAY = 0.0;
        break;
    case 1: // case 3: the payout on the factors given
        b.PAYMENT = 1.0 + below(800000) / 100.0;
        break;
    case 2: // case 4: rate and number of payments from the finance charge
        b.PAYMENT = 1.0 + below(800000) / 100.0;
        b.APR = 0.0;
        b.NUMPAY = 0.0;
        b.TOTALINTEREST = 1.0 + below(300000);
        break;
    case 3: // case 5: rate and payment from the finance charge
        b.APR = 0.0;
        b.TOTALINTEREST = 1.0 + below(300000);
        break;
    case 4: // case 6: rate and finance charge from the payment
        b.PAYMENT = 1.0 + below(800000) / 100.0;
        b.APR = 0.0;
        break;
    case 5: { // case 7: the payoff
        b.PAYMENT = 1.0 + below(800000) / 100.0;
        b.PAYOFFMODE = 1;
        b.PAYSMADE = below(static_cast<unsigned>(b.NUMPAY) + 1);
        b.PAYOFFPER = b.PAYSMADE + below(4);
        b.PAYOFFDAYS = below(31);
        b.CURBAL = below(10000000) / 100.0;
        break;
    }
    case 6: // not enough data
        b.APR = 0.0;
        b.NUMPAY = 0.0;
        break;
    default: // case 1: the payment
        break;
    }
    return b;
}

TEST(TesseraGolden, RandomBlocksGiveTheRecordedResultsBitForBit) {
    talvero::common::set_today(talvero::common::Date{6, 1, 2004});
    tessera::Engine engine;
    engine.on_message = record;
    std::mt19937 random(32);
    std::vector<Block> blocks;
    std::vector<std::string> lines;
    for (int call = 0; call < 3000; ++call) {
        engine.block = random_block(random);
        blocks.push_back(engine.block);
        recorded().clear();
        engine.run();
        const Block& b = engine.block;
        talvero::golden::GoldenLine line;
        for (const double value :
             {b.PAYMENT, b.NUMPAY, b.TERMYEARS, b.TOTALINTEREST, b.APR, b.LASTPAY, b.REGZAPR,
              b.TOTALPRINCIPAL, b.TOTALINSURANCE, b.TOTALTAXES, b.TOTALPAYOUT})
            line.real(value);
        for (const int value : {b.MATURITY[0], b.MATURITY[1], b.MATURITY[2], b.ERRFLAG, b.RESERVED[0]})
            line.integer(value);
        lines.push_back(line.texts(recorded()).text());
    }
    talvero::common::clear_today();
    talvero::golden::compare_with_golden(
        TESSERA_GOLDEN_DIR "/tessera_random_blocks.txt", lines, [&](std::size_t i) {
            const Block& b = blocks[i];
            return ::testing::PrintToString(b.INTMETHOD) + " f " + ::testing::PrintToString(b.FREQUENCY) +
                   " n " + ::testing::PrintToString(b.NUMPAY) + " APR " + ::testing::PrintToString(b.APR) +
                   " PAYMENT " + ::testing::PrintToString(b.PAYMENT) + " payoff " +
                   ::testing::PrintToString(b.PAYOFFMODE);
        });
}

} // namespace
