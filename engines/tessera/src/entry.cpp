// The exported entries: copy the caller's block into the library's own copy, run, copy back.
#include "tessera/tessera.h"

#include "tessera/engine.h"

#include "common/today.h"

#include <cstring>

namespace {

tessera::Engine& engine() {
    static tessera::Engine instance;
    return instance;
}

template <typename T> void copy_in(T& mine, const T* theirs) {
    if (theirs) std::memcpy(&mine, theirs, sizeof(T));
}

template <typename T> void copy_out(T* theirs, const T& mine) {
    if (theirs) std::memcpy(theirs, &mine, sizeof(T));
}

} // namespace

extern "C" {

int Tessera(double* FINANCEAMT, double* APR, double* NUMPAY, double* PAYMENT, double* DSRATE, double* DSFREQ,
            double* DSYEARS, double* LFRATE, double* LFFREQ, double* LFYEARS, double* TAXES, int* SKPMONTH,
            char* FIRSTDUE, int* INTMETHOD, double* FREQUENCY, int* P15, int* P16, int* P17, int* MATMONTH,
            int* MATDAY, int* MATYEAR, double* DSPREM, double* LFPREM, double* DSNUMPAY, double* LFNUMPAY,
            double* HOINS, double* OTINS, double* TERMYEARS, int* ODDDAYS, int* LOANMONTH, int* LOANDAY,
            int* LOANYEAR, double* ORGAMT, double* FEEAMT, double* DOWNAMT, double* TOTALINTEREST,
            double* REGZAPR, double* LASTPAY, double* TOTALPRINCIPAL, double* TOTALINSURANCE,
            double* TOTALTAXES, double* TOTALPAYOUT, int* ERRFLAG, int* PAYOFFMODE, double* PAYOFFPER,
            int* PAYOFFDAYS, double* PAYSMADE, double* CURBAL) {
    try {
        tessera::Block& b = engine().block;
        copy_in(b.FINANCEAMT, FINANCEAMT);
        copy_in(b.APR, APR);
        copy_in(b.NUMPAY, NUMPAY);
        copy_in(b.PAYMENT, PAYMENT);
        copy_in(b.DSRATE, DSRATE);
        copy_in(b.DSFREQ, DSFREQ);
        copy_in(b.DSYEARS, DSYEARS);
        copy_in(b.LFRATE, LFRATE);
        copy_in(b.LFFREQ, LFFREQ);
        copy_in(b.LFYEARS, LFYEARS);
        copy_in(b.TAXES, TAXES);
        copy_in(b.SKPMONTH, SKPMONTH);
        if (FIRSTDUE) std::memcpy(b.FIRSTDUE, FIRSTDUE, talvero::common::kFirstDueBytes);
        copy_in(b.INTMETHOD, INTMETHOD);
        copy_in(b.FREQUENCY, FREQUENCY);
        copy_in(b.RESERVED[0], P15);
        copy_in(b.RESERVED[1], P16);
        copy_in(b.RESERVED[2], P17);
        copy_in(b.MATURITY[0], MATMONTH);
        copy_in(b.MATURITY[1], MATDAY);
        copy_in(b.MATURITY[2], MATYEAR);
        copy_in(b.DSPREM, DSPREM);
        copy_in(b.LFPREM, LFPREM);
        copy_in(b.DSNUMPAY, DSNUMPAY);
        copy_in(b.LFNUMPAY, LFNUMPAY);
        copy_in(b.HOINS, HOINS);
        copy_in(b.OTINS, OTINS);
        copy_in(b.TERMYEARS, TERMYEARS);
        copy_in(b.ODDDAYS, ODDDAYS);
        copy_in(b.LOANDATE[0], LOANMONTH);
        copy_in(b.LOANDATE[1], LOANDAY);
        copy_in(b.LOANDATE[2], LOANYEAR);
        copy_in(b.ORGAMT, ORGAMT);
        copy_in(b.FEEAMT, FEEAMT);
        copy_in(b.DOWNAMT, DOWNAMT);
        copy_in(b.TOTALINTEREST, TOTALINTEREST);
        copy_in(b.PAYOFFMODE, PAYOFFMODE);
        copy_in(b.PAYOFFPER, PAYOFFPER);
        copy_in(b.PAYOFFDAYS, PAYOFFDAYS);
        copy_in(b.PAYSMADE, PAYSMADE);
        copy_in(b.CURBAL, CURBAL);

        DoTessera(nullptr, 0, 0, 0);

        copy_out(P15, b.RESERVED[0]);
        copy_out(P16, b.RESERVED[1]);
        copy_out(P17, b.RESERVED[2]);
        copy_out(MATMONTH, b.MATURITY[0]);
        copy_out(MATDAY, b.MATURITY[1]);
        copy_out(MATYEAR, b.MATURITY[2]);
        copy_out(PAYMENT, b.PAYMENT);
        copy_out(NUMPAY, b.NUMPAY);
        copy_out(TERMYEARS, b.TERMYEARS);
        copy_out(TOTALINTEREST, b.TOTALINTEREST);
        copy_out(APR, b.APR);
        copy_out(LASTPAY, b.LASTPAY);
        copy_out(REGZAPR, b.REGZAPR);
        copy_out(TOTALPRINCIPAL, b.TOTALPRINCIPAL);
        copy_out(TOTALINSURANCE, b.TOTALINSURANCE);
        copy_out(TOTALTAXES, b.TOTALTAXES);
        copy_out(TOTALPAYOUT, b.TOTALPAYOUT);
        copy_out(ERRFLAG, b.ERRFLAG);
    } catch (...) {
        // Nothing of a call that failed half-way counts as solved.
        if (ERRFLAG) *ERRFLAG = 1;
    }
    engine().block.ERRFLAG = 0;
    return 0;
}

void DoTessera(void* owner, int, int, int) {
    try {
        engine().run(owner);
    } catch (...) {
        // A message function that throws ends the run; its results are not to be shown.
        engine().block.ERRFLAG = 1;
    }
}

void TesseraSetMessageHandler(TesseraMessageFn fn) {
    engine().on_message = fn;
}

void TesseraSetToday(int month, int day, int year) {
    if (month >= 1 && month <= 12)
        talvero::common::set_today(talvero::common::Date{month, day, year});
    else
        talvero::common::clear_today();
}

} // extern "C"
