// Random balloon blocks of every flag, frequency and case against the results the engine gave when
// they were recorded (golden/vaulter_random_blocks.txt), bit for bit: the payment search, the
// passes and the rate searches may get quicker, never different.
#include "golden_lines.h"
#include "vaulter_test_support.h"

#include <random>

namespace talvero::vaulter::testing {
namespace {

Block random_block(std::mt19937& random) {
    auto below = [&](unsigned n) { return static_cast<int>(random() % n); };
    static const double frequencies[] = {12, 12, 12, 12, 12, 1, 2, 3, 4, 6, 24, 26, 52, 0.5};
    Block b = starting_block(below(8));
    b.FREQUENCY = frequencies[below(14)];
    b.FINANCEAMT = 100.0 + below(99990000) / 100.0;
    b.ORGAMT = below(4) == 0 ? b.FINANCEAMT - below(500000) / 100.0 : b.FINANCEAMT;
    b.APR = 0.25 + below(4975) / 100.0;
    if (below(3) == 0) {
        // The balloon form's usual shape: 360 payments, balloon after 60.
        b.NUMPAY = 360.0;
        b.BLPAY = 60.0;
    } else {
        const int most = below(40) == 0 ? 5000 : 480;
        b.NUMPAY = 1.0 + below(most);
        b.BLPAY = 1.0 + below(static_cast<unsigned>(b.NUMPAY));
    }
    b.TERMYEARS = below(2) ? 30.0 : b.BLPAY / b.FREQUENCY;
    b.ODDDAYS = below(3) == 0 ? below(700) : 0;
    b.SKPMONTH = below(4) == 0 ? below(30) : 0;
    set_first_due(b, golden::kFirstDues[below(10)]);
    golden::random_escrow_and_insurance(b, below);
    switch (below(8)) {
    case 0: // case 3: the balloon for a given payment
        b.PAYMENT = 1.0 + below(800000) / 100.0;
        break;
    case 1: // 2d: the APR and the finance charge
        b.PAYMENT = 1.0 + below(800000) / 100.0;
        b.APR = 0.0;
        break;
    case 2: // 2a and 2b: the balloon term, or the APR, from the finance charge
        b.PAYMENT = 1.0 + below(800000) / 100.0;
        b.APR = 0.0;
        b.TOTALINTEREST = below(300000);
        if (below(2)) b.BLPAY = 0.0;
        break;
    case 3: // 2c: something missing
        b.PAYMENT = below(2) ? 0.0 : 500.0;
        b.NUMPAY = below(2) ? 0.0 : b.NUMPAY;
        b.TOTALINTEREST = below(2) ? 1000.0 : 0.0;
        break;
    default: // case 1: the payment search
        break;
    }
    return b;
}

TEST_F(VaulterTest, RandomBlocksGiveTheRecordedResultsBitForBit) {
    std::mt19937 random(32);
    std::vector<Block> blocks;
    std::vector<std::string> lines;
    for (int call = 0; call < 3000; ++call) {
        Block b = random_block(random);
        blocks.push_back(b);
        const std::vector<std::string> texts = run(b);
        golden::GoldenLine line;
        for (const double value :
             {b.PAYMENT, b.NUMPAY, b.TERMYEARS, b.BLPAY, b.TOTALINTEREST, b.APR, b.LASTPAY, b.REGZAPR,
              b.TOTALPRINCIPAL, b.TOTALINSURANCE, b.TOTALTAXES, b.TOTALPAYOUT})
            line.real(value);
        for (const int value : {b.MATURITY[0], b.MATURITY[1], b.MATURITY[2], b.ERRFLAG, b.RESERVED[0]})
            line.integer(value);
        lines.push_back(line.texts(texts).text());
    }
    golden::compare_with_golden(VAULTER_GOLDEN_DIR "/vaulter_random_blocks.txt", lines, [&](std::size_t i) {
        const Block& b = blocks[i];
        return ::testing::PrintToString(b.INTMETHOD) + " f " + ::testing::PrintToString(b.FREQUENCY) + " N " +
               ::testing::PrintToString(b.NUMPAY) + " T " + ::testing::PrintToString(b.BLPAY) + " APR " +
               ::testing::PrintToString(b.APR) + " PAYMENT " + ::testing::PrintToString(b.PAYMENT);
    });
}

} // namespace
} // namespace talvero::vaulter::testing
