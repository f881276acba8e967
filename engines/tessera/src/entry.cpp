// The exported entries: copy the caller's block into the library's own copy, run, copy back.
// Nothing is read or written through a null position, and no exception leaves the library.
#include "tessera/tessera.h"

#include "tessera/engine.h"

#include "common/caller_block.h"
#include "common/today.h"

#include <cstdio>

namespace {

using talvero::common::kCallFailedText;
using talvero::common::kIncompleteBlockText;

tessera::Engine& engine() {
    static tessera::Engine instance;
    return instance;
}

template <typename T> void copy_in(T& mine, const T* theirs) {
    mine = *theirs;
}

template <typename T> void copy_out(T* theirs, const T& mine) {
    *theirs = mine;
}

// An error box through the engine's message path; a message function that throws is not followed.
void send_message(const char* text) noexcept {
    try {
        if (engine().on_message)
            engine().on_message(nullptr, 1, text);
        else
            std::fprintf(stderr, "%s\n", text);
    } catch (...) {
    }
}

// The call is refused: ERRFLAG 1 where the caller gave one, and the reason shown.
void refuse(int* ERRFLAG, const char* text) noexcept {
    if (ERRFLAG) *ERRFLAG = 1;
    send_message(text);
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
        talvero::common::CallerBlock caller{
            FINANCEAMT,    APR,        NUMPAY,    PAYMENT,        DSRATE,
            DSFREQ,        DSYEARS,    LFRATE,    LFFREQ,         LFYEARS,
            TAXES,         SKPMONTH,   FIRSTDUE,  INTMETHOD,      FREQUENCY,
            P15,           P16,        P17,       MATMONTH,       MATDAY,
            MATYEAR,       DSPREM,     LFPREM,    DSNUMPAY,       LFNUMPAY,
            HOINS,         OTINS,      TERMYEARS, ODDDAYS,        LOANMONTH,
            LOANDAY,       LOANYEAR,   ORGAMT,    FEEAMT,         DOWNAMT,
            TOTALINTEREST, REGZAPR,    LASTPAY,   TOTALPRINCIPAL, TOTALINSURANCE,
            TOTALTAXES,    TOTALPAYOUT};
        if (!all_present(caller) ||
            !talvero::common::all_present(ERRFLAG, PAYOFFMODE, PAYOFFPER, PAYOFFDAYS, PAYSMADE, CURBAL)) {
            refuse(ERRFLAG, kIncompleteBlockText);
            return 0;
        }
        tessera::Block& b = engine().block;
        copy_in(b, caller);
        copy_in(b.PAYOFFMODE, PAYOFFMODE);
        copy_in(b.PAYOFFPER, PAYOFFPER);
        copy_in(b.PAYOFFDAYS, PAYOFFDAYS);
        copy_in(b.PAYSMADE, PAYSMADE);
        copy_in(b.CURBAL, CURBAL);

        DoTessera(nullptr, 0, 0, 0);

        copy_out_terms(caller, b);
        copy_out_totals(caller, b);
        copy_out(ERRFLAG, b.ERRFLAG);
    } catch (...) {
        // Nothing of a call that failed half-way counts as solved.
        refuse(ERRFLAG, kCallFailedText);
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
