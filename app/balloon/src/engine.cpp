#include "balloon/balloondata.h"

#include "ui/today.h"
#include "vaulter/vaulter.h"

namespace balloon {

namespace {
long calls = 0;
}

void runVaulter(talvero::common::BalloonBlock& d) {
    // An empty first due date is the program's today, also where start-up has not run.
    ui::followToday(&VaulterSetToday);
    ++calls;
    Vaulter(&d.FINANCEAMT, &d.APR, &d.NUMPAY, &d.PAYMENT, &d.DSRATE, &d.DSFREQ, &d.DSYEARS, &d.LFRATE,
            &d.LFFREQ, &d.LFYEARS, &d.TAXES, &d.SKPMONTH, d.FIRSTDUE, &d.INTMETHOD, &d.FREQUENCY,
            &d.RESERVED[0], &d.RESERVED[1], &d.RESERVED[2], &d.MATURITY[0], &d.MATURITY[1], &d.MATURITY[2],
            &d.DSPREM, &d.LFPREM, &d.DSNUMPAY, &d.LFNUMPAY, &d.HOINS, &d.OTINS, &d.TERMYEARS, &d.ODDDAYS,
            &d.LOANDATE[0], &d.LOANDATE[1], &d.LOANDATE[2], &d.ORGAMT, &d.FEEAMT, &d.DOWNAMT,
            &d.TOTALINTEREST, &d.REGZAPR, &d.LASTPAY, &d.TOTALPRINCIPAL, &d.TOTALINSURANCE, &d.TOTALTAXES,
            &d.TOTALPAYOUT, &d.BLPAY, &d.ERRFLAG);
}

long vaulterCalls() {
    return calls;
}

} // namespace balloon
