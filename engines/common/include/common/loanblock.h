// The loan parameter block as plain data: one named field per position, in the engines' order.
//
//   LoanBlock      positions 0 to 41, which the regular and the balloon engine share unchanged
//   RegularBlock   LoanBlock + positions 42 to 47 of the regular engine (ERRFLAG and the payoff tail)
//   BalloonBlock   LoanBlock + positions 42 and 43 of the balloon engine (BLPAY, ERRFLAG)
//
// The engines copy a caller's values into one of these, the forms own one, and the schedules and
// printers read it. Every field starts at zero; forms set their own initial values.
#pragma once

#include <cstddef>

namespace talvero::common {

// Bytes of FIRSTDUE a caller hands the engines; the 11th byte of the field stays 0.
inline constexpr std::size_t kFirstDueBytes = 10;

struct LoanBlock {
    double FINANCEAMT = 0;     // 0
    double APR = 0;            // 1  io
    double NUMPAY = 0;         // 2  io
    double PAYMENT = 0;        // 3  io
    double DSRATE = 0;         // 4
    double DSFREQ = 0;         // 5
    double DSYEARS = 0;        // 6  not read
    double LFRATE = 0;         // 7
    double LFFREQ = 0;         // 8
    double LFYEARS = 0;        // 9  not read
    double TAXES = 0;          // 10
    int SKPMONTH = 0;          // 11
    char FIRSTDUE[11] = {};    // 12 "MMDDCCYY"; first byte 0 means today; the engines read 10 bytes
    int INTMETHOD = 0;         // 13
    double FREQUENCY = 0;      // 14
    int RESERVED[3] = {};      // 15-17 zero before each call, copied back as they came
    int MATURITY[3] = {};      // 18-20 month, day, year
    double DSPREM = 0;         // 21
    double LFPREM = 0;         // 22
    double DSNUMPAY = 0;       // 23
    double LFNUMPAY = 0;       // 24
    double HOINS = 0;          // 25
    double OTINS = 0;          // 26
    double TERMYEARS = 0;      // 27 io
    int ODDDAYS = 0;           // 28
    int LOANDATE[3] = {};      // 29-31 month, day, year; not read
    double ORGAMT = 0;         // 32
    double FEEAMT = 0;         // 33 not read
    double DOWNAMT = 0;        // 34 not read
    double TOTALINTEREST = 0;  // 35 io
    double REGZAPR = 0;        // 36 out
    double LASTPAY = 0;        // 37 out
    double TOTALPRINCIPAL = 0; // 38 out
    double TOTALINSURANCE = 0; // 39 out
    double TOTALTAXES = 0;     // 40 out
    double TOTALPAYOUT = 0;    // 41 out
};

struct RegularBlock : LoanBlock {
    int ERRFLAG = 0;      // 42 out
    int PAYOFFMODE = 0;   // 43
    double PAYOFFPER = 0; // 44
    int PAYOFFDAYS = 0;   // 45
    double PAYSMADE = 0;  // 46
    double CURBAL = 0;    // 47
};

struct BalloonBlock : LoanBlock {
    double BLPAY = 0; // 42 io
    int ERRFLAG = 0;  // 43 out
};

} // namespace talvero::common
