#include "loan/loandata.h"

#include "tessera/tessera.h"
#include "ui/today.h"

namespace loan {

namespace {
long calls = 0;
}

void runTessera(talvero::common::RegularBlock& d) {
    // The engine counts an empty first due date from the program's today, also where start-up
    // has not run (the form tests).
    ui::followToday(&TesseraSetToday);
    ++calls;
    Tessera(&d.FINANCEAMT, &d.APR, &d.NUMPAY, &d.PAYMENT, &d.DSRATE, &d.DSFREQ, &d.DSYEARS, &d.LFRATE,
            &d.LFFREQ, &d.LFYEARS, &d.TAXES, &d.SKPMONTH, d.FIRSTDUE, &d.INTMETHOD, &d.FREQUENCY,
            &d.RESERVED[0], &d.RESERVED[1], &d.RESERVED[2], &d.MATURITY[0], &d.MATURITY[1], &d.MATURITY[2],
            &d.DSPREM, &d.LFPREM, &d.DSNUMPAY, &d.LFNUMPAY, &d.HOINS, &d.OTINS, &d.TERMYEARS, &d.ODDDAYS,
            &d.LOANDATE[0], &d.LOANDATE[1], &d.LOANDATE[2], &d.ORGAMT, &d.FEEAMT, &d.DOWNAMT,
            &d.TOTALINTEREST, &d.REGZAPR, &d.LASTPAY, &d.TOTALPRINCIPAL, &d.TOTALINSURANCE, &d.TOTALTAXES,
            &d.TOTALPAYOUT, &d.ERRFLAG, &d.PAYOFFMODE, &d.PAYOFFPER, &d.PAYOFFDAYS, &d.PAYSMADE, &d.CURBAL);
}

long tesseraCalls() {
    return calls;
}

} // namespace loan
