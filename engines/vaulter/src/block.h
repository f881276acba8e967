// The balloon parameter block as the engine holds it: one named field per position, in order.
#pragma once

namespace talvero::vaulter {

struct Block {
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
    char FIRSTDUE[10] = {};    // 12 "MMDDCCYY"; first byte 0 means today
    int INTMETHOD = 0;         // 13
    double FREQUENCY = 0;      // 14
    int P15 = 0;               // 15 io, carried
    int P16 = 0;               // 16 io, carried
    int P17 = 0;               // 17 io, carried
    int MATMONTH = 0;          // 18 io
    int MATDAY = 0;            // 19 io
    int MATYEAR = 0;           // 20 io
    double DSPREM = 0;         // 21
    double LFPREM = 0;         // 22
    double DSNUMPAY = 0;       // 23
    double LFNUMPAY = 0;       // 24
    double HOINS = 0;          // 25
    double OTINS = 0;          // 26
    double TERMYEARS = 0;      // 27 io
    int ODDDAYS = 0;           // 28
    int LOANMONTH = 0;         // 29 not read
    int LOANDAY = 0;           // 30 not read
    int LOANYEAR = 0;          // 31 not read
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
    double BLPAY = 0;          // 42 io
    int ERRFLAG = 0;           // 43 out
};

} // namespace talvero::vaulter
