// The loans the page tests and the end-to-end prints share.
#pragma once

#include "common/loanblock.h"
#include "scribe1/layout.h"
#include "vellum2/layout.h"

#include <cstring>
#include <memory>
#include <ostream>
#include <string>

namespace printers_test {

enum class Library { Scribe1, Vellum1, Vellum2 };

struct Case {
    const char* name;
    Library library;
    double FINANCEAMT, APR, NUMPAY, FREQUENCY;
    int INTMETHOD;
    const char* FIRSTDUE;
    double SCHEDPAY;
    double TAXES = 0, HOINS = 0, OTINS = 0, TERMYEARS = 0;
    double DSPREM = 0, DSRATE = 0, DSFREQ = 0, DSNUMPAY = 0;
    double BLPAY = 0;
    double TOTALINTEREST = 0;
};

inline talvero::common::LoanBlock blockOf(const Case& c) {
    talvero::common::LoanBlock b;
    b.FINANCEAMT = c.FINANCEAMT;
    b.ORGAMT = c.FINANCEAMT + 500;
    b.DOWNAMT = 500;
    b.FEEAMT = 125.5;
    b.APR = c.APR;
    b.NUMPAY = c.NUMPAY;
    b.FREQUENCY = c.FREQUENCY;
    b.INTMETHOD = c.INTMETHOD;
    std::strncpy(b.FIRSTDUE, c.FIRSTDUE, sizeof b.FIRSTDUE - 1);
    b.TAXES = c.TAXES;
    b.HOINS = c.HOINS;
    b.OTINS = c.OTINS;
    b.TERMYEARS = c.TERMYEARS;
    b.DSPREM = c.DSPREM;
    b.DSRATE = c.DSRATE;
    b.DSFREQ = c.DSFREQ;
    b.DSNUMPAY = c.DSNUMPAY;
    b.TOTALINTEREST = c.TOTALINTEREST;
    b.SKPMONTH = 0;
    b.LOANDATE[0] = 12;
    b.LOANDATE[1] = 15;
    b.LOANDATE[2] = 2003;
    b.MATURITY[0] = 12;
    b.MATURITY[1] = 1;
    b.MATURITY[2] = 2005;
    return b;
}

inline std::unique_ptr<talvero::printers::Layout> layoutOf(const Case& c) {
    switch (c.library) {
    case Library::Scribe1:
        return std::make_unique<talvero::scribe1::LoanYearLayout>(
            talvero::scribe1::Values{blockOf(c), c.SCHEDPAY});
    case Library::Vellum1:
        return std::make_unique<talvero::vellum1::CalendarLayout>(
            talvero::vellum1::Values{blockOf(c), c.SCHEDPAY});
    case Library::Vellum2: {
        talvero::vellum2::Values v;
        v.block = blockOf(c);
        v.SCHEDPAY = c.SCHEDPAY;
        v.BLPAY = c.BLPAY;
        return std::make_unique<talvero::vellum2::BalloonLayout>(v);
    }
    }
    return nullptr;
}

// Letter paper at 300 dpi with quarter-inch margins, 10-point type: 58-unit lines, P = 48.
inline constexpr int kDpi = 300;
inline constexpr int kPrintableHeight = 3150;

// clang-format off
inline const Case kCases[] = {
    // Loan-year grouping: 24 and 25 monthly payments, and 26 a year.
    {.name = "scribe1_24_monthly", .library = Library::Scribe1, .FINANCEAMT = 10000, .APR = 12, .NUMPAY = 24,
     .FREQUENCY = 12, .INTMETHOD = 0, .FIRSTDUE = "01152004", .SCHEDPAY = 470.73, .TAXES = 1200, .TERMYEARS = 2},
    {.name = "scribe1_25_monthly", .library = Library::Scribe1, .FINANCEAMT = 10000, .APR = 12, .NUMPAY = 25,
     .FREQUENCY = 12, .INTMETHOD = 1, .FIRSTDUE = "01152004", .SCHEDPAY = 454.07},
    {.name = "scribe1_26_a_year", .library = Library::Scribe1, .FINANCEAMT = 8000, .APR = 9, .NUMPAY = 60,
     .FREQUENCY = 26, .INTMETHOD = 2, .FIRSTDUE = "03012004", .SCHEDPAY = 150.40, .DSPREM = 80, .DSRATE = 0.01,
     .DSFREQ = 26, .DSNUMPAY = 26},
    // Calendar years: 36 payments from 01/15/2004; the second-to-last payment in December.
    {.name = "vellum1_36_from_2004", .library = Library::Vellum1, .FINANCEAMT = 10000, .APR = 12, .NUMPAY = 36,
     .FREQUENCY = 12, .INTMETHOD = 0, .FIRSTDUE = "01152004", .SCHEDPAY = 332.14},
    {.name = "vellum1_december_second_to_last", .library = Library::Vellum1, .FINANCEAMT = 10000, .APR = 12,
     .NUMPAY = 13, .FREQUENCY = 12, .INTMETHOD = 0, .FIRSTDUE = "01152004", .SCHEDPAY = 824.15},
    // Closing blocks that do not fit on the last page of rows.
    {.name = "vellum1_closing_on_new_page", .library = Library::Vellum1, .FINANCEAMT = 20000, .APR = 10,
     .NUMPAY = 27, .FREQUENCY = 12, .INTMETHOD = 4, .FIRSTDUE = "06302004", .SCHEDPAY = 0, .TAXES = 2400,
     .HOINS = 600, .OTINS = 120, .TERMYEARS = 2.25, .DSPREM = 200, .DSRATE = 0.01, .DSFREQ = 12, .DSNUMPAY = 27},
    {.name = "scribe1_closing_on_new_page", .library = Library::Scribe1, .FINANCEAMT = 20000, .APR = 10,
     .NUMPAY = 29, .FREQUENCY = 12, .INTMETHOD = 3, .FIRSTDUE = "06302004", .SCHEDPAY = 0},
    // Balloon: 360 amortized, balloon after 60; a balloon term equal to the amortization period.
    {.name = "vellum2_360_balloon_60", .library = Library::Vellum2, .FINANCEAMT = 100000, .APR = 8,
     .NUMPAY = 360, .FREQUENCY = 12, .INTMETHOD = 0, .FIRSTDUE = "01152004", .SCHEDPAY = 733.76, .BLPAY = 60},
    {.name = "vellum2_term_equals_period", .library = Library::Vellum2, .FINANCEAMT = 10000, .APR = 12,
     .NUMPAY = 36, .FREQUENCY = 12, .INTMETHOD = 0, .FIRSTDUE = "01152004", .SCHEDPAY = 332.14, .BLPAY = 36},
};
// clang-format on

// Test names show the case's name instead of its bytes.
inline void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

inline const Case& caseNamed(const std::string& name) {
    for (const Case& c : kCases)
        if (name == c.name) return c;
    return kCases[0];
}

} // namespace printers_test
