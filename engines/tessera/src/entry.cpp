// The exported entries: copy the caller's block into the library's own copy, run, copy back.
// Nothing is read or written through a null position, and no exception leaves the library.
#include "tessera/tessera.h"

#include "tessera/engine.h"

#include "common/today.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const kIncompleteBlockText =
    "Loan Input Error!\nThe loan data handed to the engine\nis incomplete. Nothing was computed.";
const char* const kCallFailedText =
    "Loan Input Error!\nThe engine could not finish the\ncalculation. Nothing was computed.";

tessera::Engine& engine() {
    static tessera::Engine instance;
    return instance;
}

template <typename... P> bool all_present(const P*... positions) {
    return ((positions != nullptr) && ...);
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
        if (!all_present(FINANCEAMT, APR, NUMPAY, PAYMENT, DSRATE, DSFREQ, DSYEARS, LFRATE, LFFREQ, LFYEARS,
                         TAXES, SKPMONTH, FIRSTDUE, INTMETHOD, FREQUENCY, P15, P16, P17, MATMONTH, MATDAY,
                         MATYEAR, DSPREM, LFPREM, DSNUMPAY, LFNUMPAY, HOINS, OTINS, TERMYEARS, ODDDAYS,
                         LOANMONTH, LOANDAY, LOANYEAR, ORGAMT, FEEAMT, DOWNAMT, TOTALINTEREST, REGZAPR,
                         LASTPAY, TOTALPRINCIPAL, TOTALINSURANCE, TOTALTAXES, TOTALPAYOUT, ERRFLAG,
                         PAYOFFMODE, PAYOFFPER, PAYOFFDAYS, PAYSMADE, CURBAL)) {
            refuse(ERRFLAG, kIncompleteBlockText);
            return 0;
        }
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
        std::memcpy(b.FIRSTDUE, FIRSTDUE, talvero::common::kFirstDueBytes);
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
