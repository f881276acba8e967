// Shared pieces of the balloon engine's tests: a block with the balloon form's starting values,
// a message recorder and a fixture that pins today's date.
#pragma once

#include "common/today.h"
#include "vaulter/engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace talvero::vaulter::testing {

struct Recorder {
    std::vector<std::string> texts;

    static void record(void* context, const char* text) {
        static_cast<Recorder*>(context)->texts.emplace_back(text);
    }
    Messages messages() { return Messages{&Recorder::record, this}; }
};

inline void set_first_due(Block& b, const char* mmddccyy) {
    std::memset(b.FIRSTDUE, 0, sizeof b.FIRSTDUE);
    std::strncpy(b.FIRSTDUE, mmddccyy, sizeof b.FIRSTDUE - 1);
}

// The balloon form's starting values: 50,000.00 at 10 % over 360 monthly payments, balloon after 60.
inline Block starting_block(int flag = 0) {
    Block b;
    b.FINANCEAMT = 50000.0;
    b.ORGAMT = 50000.0;
    b.APR = 10.0;
    b.NUMPAY = 360.0;
    b.BLPAY = 60.0;
    b.FREQUENCY = 12.0;
    b.TERMYEARS = 30.0;
    b.INTMETHOD = flag;
    set_first_due(b, "01152004");
    return b;
}

class VaulterTest : public ::testing::Test {
protected:
    void SetUp() override { common::set_today(common::Date{6, 10, 2005}); }
    void TearDown() override { common::clear_today(); }

    // Solves the block and returns the messages shown.
    std::vector<std::string> run(Block& b) {
        Recorder recorder;
        solve(b, recorder.messages());
        return recorder.texts;
    }
};

// Daily rates as the engine defines them.
inline double d365(double apr) {
    return apr * 0.01 / 365.0;
}
inline double d360(double apr) {
    return apr * 0.01 / 360.0;
}

// The textbook level payment of a loan of `amount` over n periods at periodic rate i.
inline double annuity_payment(double amount, double i, double n) {
    return amount * i / (1.0 - std::pow(1.0 + i, -n));
}

} // namespace talvero::vaulter::testing
