#include "printers/printlist.h"

#include <cstring>

namespace talvero::printers {

PrintList copyPrintList(const double* FINANCEAMT, const double* APR, const double* NUMPAY,
                        const double* SCHEDPAY, const double* DSRATE, const double* DSFREQ,
                        const double* DSYEARS, const double* LFRATE, const double* LFFREQ,
                        const double* LFYEARS, const double* TAXES, const int* SKPMONTH, const char* FIRSTDUE,
                        const int* INTMETHOD, const double* FREQUENCY, const int* MATMONTH, const int* MATDAY,
                        const int* MATYEAR, const double* DSPREM, const double* LFPREM,
                        const double* DSNUMPAY, const double* LFNUMPAY, const double* HOINS,
                        const double* OTINS, const double* TERMYEARS, const double* POSITION29,
                        const int* ODDDAYS, const int* LOANMONTH, const int* LOANDAY, const int* LOANYEAR) {
    PrintList l;
    common::LoanBlock& b = l.block;
    b.FINANCEAMT = *FINANCEAMT;
    b.APR = *APR;
    b.NUMPAY = *NUMPAY;
    l.SCHEDPAY = *SCHEDPAY;
    b.DSRATE = *DSRATE;
    b.DSFREQ = *DSFREQ;
    b.DSYEARS = *DSYEARS;
    b.LFRATE = *LFRATE;
    b.LFFREQ = *LFFREQ;
    b.LFYEARS = *LFYEARS;
    b.TAXES = *TAXES;
    b.SKPMONTH = *SKPMONTH;
    std::memcpy(b.FIRSTDUE, FIRSTDUE, common::kFirstDueBytes);
    b.INTMETHOD = *INTMETHOD;
    b.FREQUENCY = *FREQUENCY;
    b.MATURITY[0] = *MATMONTH;
    b.MATURITY[1] = *MATDAY;
    b.MATURITY[2] = *MATYEAR;
    b.DSPREM = *DSPREM;
    b.LFPREM = *LFPREM;
    b.DSNUMPAY = *DSNUMPAY;
    b.LFNUMPAY = *LFNUMPAY;
    b.HOINS = *HOINS;
    b.OTINS = *OTINS;
    b.TERMYEARS = *TERMYEARS;
    l.afterTermYears = *POSITION29;
    b.ODDDAYS = *ODDDAYS;
    b.LOANDATE[0] = *LOANMONTH;
    b.LOANDATE[1] = *LOANDAY;
    b.LOANDATE[2] = *LOANYEAR;
    return l;
}

void copyTotals(common::LoanBlock& block, const double* TOTALINTEREST) {
    block.TOTALINTEREST = *TOTALINTEREST;
}

void copyTotals(common::LoanBlock& block, const double* ORGAMT, const double* FEEAMT, const double* DOWNAMT,
                const double* TOTALINTEREST) {
    block.ORGAMT = *ORGAMT;
    block.FEEAMT = *FEEAMT;
    block.DOWNAMT = *DOWNAMT;
    copyTotals(block, TOTALINTEREST);
}

} // namespace talvero::printers
