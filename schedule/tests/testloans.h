#pragma once
// The loans the schedule tests start from, and the textbook level payment to check them against.

#include "common/loanblock.h"

#include <cmath>
#include <cstdio>

namespace schedtest {

inline talvero::common::LoanBlock loan(double amount, double apr, double numpay, double f, int flag,
                                       const char* firstdue, int odddays = 0) {
    talvero::common::LoanBlock b;
    b.FINANCEAMT = amount;
    b.ORGAMT = amount;
    b.APR = apr;
    b.NUMPAY = numpay;
    b.FREQUENCY = f;
    b.INTMETHOD = flag;
    std::snprintf(b.FIRSTDUE, sizeof b.FIRSTDUE, "%s", firstdue);
    b.ODDDAYS = odddays;
    b.TERMYEARS = numpay / f < 1 ? 1 : numpay / f;
    return b;
}

// The textbook level payment, written out here rather than taken from the library.
inline double textbook_payment(double amount, double apr, double f, double n) {
    const double i = apr / f / 100;
    return amount * i / (1 - std::pow(1 + i, -n));
}

} // namespace schedtest
