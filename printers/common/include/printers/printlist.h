// Positions 1 to 33 of the print list every schedule printer (and the listing) receives: the loan
// block's fields from FINANCEAMT to the loan date, with SCHEDPAY in the place of PAYMENT and one
// double after TERMYEARS (reserved for the regular loan, BLPAY for a balloon loan).
#pragma once

#include "common/loanblock.h"

namespace talvero::printers {

struct PrintList {
    common::LoanBlock block; // FIRSTDUE: the 10 characters received
    double SCHEDPAY = 0;
    double afterTermYears = 0; // position 29
};

// Copies the values the pointers show; never writes through them. P16 to P18 are not read.
PrintList copyPrintList(const double* FINANCEAMT, const double* APR, const double* NUMPAY,
                        const double* SCHEDPAY, const double* DSRATE, const double* DSFREQ,
                        const double* DSYEARS, const double* LFRATE, const double* LFFREQ,
                        const double* LFYEARS, const double* TAXES, const int* SKPMONTH, const char* FIRSTDUE,
                        const int* INTMETHOD, const double* FREQUENCY, const int* MATMONTH, const int* MATDAY,
                        const int* MATYEAR, const double* DSPREM, const double* LFPREM,
                        const double* DSNUMPAY, const double* LFNUMPAY, const double* HOINS,
                        const double* OTINS, const double* TERMYEARS, const double* POSITION29,
                        const int* ODDDAYS, const int* LOANMONTH, const int* LOANDAY, const int* LOANYEAR);

// TOTALINTEREST, which every entry receives after the list, into `block`; the calendar printers
// receive the amounts ORGAMT, FEEAMT and DOWNAMT before it.
void copyTotals(common::LoanBlock& block, const double* TOTALINTEREST);
void copyTotals(common::LoanBlock& block, const double* ORGAMT, const double* FEEAMT, const double* DOWNAMT,
                const double* TOTALINTEREST);

// A printer's stored values from the list: the block, SCHEDPAY and, where the values hold one,
// BLPAY from position 29.
template <class Values> void storePrintList(Values& stored, const PrintList& l) {
    stored.block = l.block;
    stored.SCHEDPAY = l.SCHEDPAY;
    if constexpr (requires { stored.BLPAY; }) stored.BLPAY = l.afterTermYears;
}

} // namespace talvero::printers
