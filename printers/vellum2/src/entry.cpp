#include "vellum2/vellum2.h"

#include "printers/job.h"
#include "printers/printlist.h"
#include "vellum2/layout.h"

namespace {
// The library's copy of the values of the last call.
talvero::vellum2::Values stored;
} // namespace

extern "C" int
PrntCal2YR(const double* FINANCEAMT, const double* APR, const double* NUMPAY, const double* SCHEDPAY,
           const double* DSRATE, const double* DSFREQ, const double* DSYEARS, const double* LFRATE,
           const double* LFFREQ, const double* LFYEARS, const double* TAXES, const int* SKPMONTH,
           const char* FIRSTDUE, const int* INTMETHOD, const double* FREQUENCY, const int* P16,
           const int* P17, const int* P18, const int* MATMONTH, const int* MATDAY, const int* MATYEAR,
           const double* DSPREM, const double* LFPREM, const double* DSNUMPAY, const double* LFNUMPAY,
           const double* HOINS, const double* OTINS, const double* TERMYEARS, const double* BLPAY,
           const int* ODDDAYS, const int* LOANMONTH, const int* LOANDAY, const int* LOANYEAR,
           const double* ORGAMT, const double* FEEAMT, const double* DOWNAMT, const double* TOTALINTEREST) {
    (void)P16;
    (void)P17;
    (void)P18;
    try {
        const talvero::printers::PrintList l = talvero::printers::copyPrintList(
            FINANCEAMT, APR, NUMPAY, SCHEDPAY, DSRATE, DSFREQ, DSYEARS, LFRATE, LFFREQ, LFYEARS, TAXES,
            SKPMONTH, FIRSTDUE, INTMETHOD, FREQUENCY, MATMONTH, MATDAY, MATYEAR, DSPREM, LFPREM, DSNUMPAY,
            LFNUMPAY, HOINS, OTINS, TERMYEARS, BLPAY, ODDDAYS, LOANMONTH, LOANDAY, LOANYEAR);
        talvero::printers::storePrintList(stored, l);
        talvero::printers::copyTotals(stored.block, ORGAMT, FEEAMT, DOWNAMT, TOTALINTEREST);
        return talvero::printers::runEntry(&DoPrntCal2YR);
    } catch (...) {
        return 0;
    }
}

extern "C" long DoPrntCal2YR(void* dialog, unsigned int message, unsigned long wparam, long lparam) {
    try {
        const talvero::vellum2::BalloonLayout layout(stored);
        return talvero::printers::dialogProcedure(layout, dialog, message, wparam, lparam);
    } catch (...) {
        return 0;
    }
}
