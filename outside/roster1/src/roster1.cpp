#include "roster1/roster1.h"

#include "outside/listing.h"
#include "printers/printlist.h"

extern "C" void
ListAmortBL(const double* FINANCEAMT, const double* APR, const double* NUMPAY, const double* SCHEDPAY,
            const double* DSRATE, const double* DSFREQ, const double* DSYEARS, const double* LFRATE,
            const double* LFFREQ, const double* LFYEARS, const double* TAXES, const int* SKPMONTH,
            const char* FIRSTDUE, const int* INTMETHOD, const double* FREQUENCY, const int*, const int*,
            const int*, const int* MATMONTH, const int* MATDAY, const int* MATYEAR, const double* DSPREM,
            const double* LFPREM, const double* DSNUMPAY, const double* LFNUMPAY, const double* HOINS,
            const double* OTINS, const double* TERMYEARS, const double* RESERVED, const int* ODDDAYS,
            const int* LOANMONTH, const int* LOANDAY, const int* LOANYEAR, const double* TOTALINTEREST) {
    try {
        talvero::printers::PrintList l = talvero::printers::copyPrintList(
            FINANCEAMT, APR, NUMPAY, SCHEDPAY, DSRATE, DSFREQ, DSYEARS, LFRATE, LFFREQ, LFYEARS, TAXES,
            SKPMONTH, FIRSTDUE, INTMETHOD, FREQUENCY, MATMONTH, MATDAY, MATYEAR, DSPREM, LFPREM, DSNUMPAY,
            LFNUMPAY, HOINS, OTINS, TERMYEARS, RESERVED, ODDDAYS, LOANMONTH, LOANDAY, LOANYEAR);
        talvero::printers::copyTotals(l.block, TOTALINTEREST);
        outside::showListing(
            QStringLiteral("Amortization Schedule"), outside::loanSummary(l.block, l.SCHEDPAY),
            talvero::schedule::Pass(l.block, l.SCHEDPAY, talvero::schedule::Variant::regular()));
    } catch (...) {
        // An outside library reports nothing to its caller.
    }
}
