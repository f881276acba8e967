// The exported entries: copy the caller's block in, solve it, copy the results back.
// Nothing is read or written through a null position, and no exception leaves the library.
#include "vaulter/vaulter.h"

#include "vaulter/engine.h"

#include "common/caller_block.h"
#include "common/today.h"

#include <cstdio>

namespace {

using talvero::vaulter::Block;

using talvero::common::kCallFailedText;
using talvero::common::kIncompleteBlockText;

// The library's own copy of the block; ERRFLAG here is 0 at the start of every call.
Block g_block;
VaulterMessageFn g_handler = nullptr;
void* g_owner = nullptr;
// Set when the message function threw; the core cannot pass an exception on.
bool g_handler_threw = false;

template <typename T> void copy_in(T& mine, const T* theirs) {
    mine = *theirs;
}

template <typename T> void copy_out(T* theirs, const T& mine) {
    *theirs = mine;
}

// An error box through the engine's message path; a message function that throws is not followed.
void send_message(const char* text) noexcept {
    try {
        if (g_handler != nullptr)
            g_handler(g_owner, 1, text);
        else
            std::fprintf(stderr, "%s\n", text);
    } catch (...) {
        g_handler_threw = true;
    }
}

// The call is refused: ERRFLAG 1 where the caller gave one, and the reason shown.
void refuse(int* ERRFLAG, const char* text) noexcept {
    if (ERRFLAG) *ERRFLAG = 1;
    send_message(text);
}

// The core's message function.
void show_error(void* /*context*/, const char* text) noexcept {
    send_message(text);
}

} // namespace

extern "C" {

VAULTER_API void VaulterSetMessageHandler(VaulterMessageFn fn) {
    g_handler = fn;
}

VAULTER_API void VaulterSetToday(int month, int day, int year) {
    if (month >= 1 && month <= 12)
        talvero::common::set_today(talvero::common::Date{month, day, year});
    else
        talvero::common::clear_today();
}

VAULTER_API void DoVaulter(void* owner, int /*a*/, int /*b*/, int /*c*/) {
    g_owner = owner;
    g_handler_threw = false;
    talvero::vaulter::solve(g_block, talvero::vaulter::Messages{show_error, nullptr});
    // A message that could not be shown leaves the call rejected.
    if (g_handler_threw) g_block.ERRFLAG = 1;
    g_owner = nullptr;
}

VAULTER_API int Vaulter(double* FINANCEAMT, double* APR, double* NUMPAY, double* PAYMENT, double* DSRATE,
                        double* DSFREQ, double* DSYEARS, double* LFRATE, double* LFFREQ, double* LFYEARS,
                        double* TAXES, int* SKPMONTH, char* FIRSTDUE, int* INTMETHOD, double* FREQUENCY,
                        int* P15, int* P16, int* P17, int* MATMONTH, int* MATDAY, int* MATYEAR,
                        double* DSPREM, double* LFPREM, double* DSNUMPAY, double* LFNUMPAY, double* HOINS,
                        double* OTINS, double* TERMYEARS, int* ODDDAYS, int* LOANMONTH, int* LOANDAY,
                        int* LOANYEAR, double* ORGAMT, double* FEEAMT, double* DOWNAMT, double* TOTALINTEREST,
                        double* REGZAPR, double* LASTPAY, double* TOTALPRINCIPAL, double* TOTALINSURANCE,
                        double* TOTALTAXES, double* TOTALPAYOUT, double* BLPAY, int* ERRFLAG) {
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
        if (!all_present(caller) || !talvero::common::all_present(BLPAY, ERRFLAG)) {
            refuse(ERRFLAG, kIncompleteBlockText);
            return 0;
        }
        Block& b = g_block;
        // In and io positions only; the out positions are never read.
        copy_in(b, caller);
        copy_in(b.BLPAY, BLPAY);

        DoVaulter(nullptr, 0, 0, 0);

        copy_out_terms(caller, b);
        copy_out(BLPAY, b.BLPAY);
        copy_out_totals(caller, b);
        copy_out(ERRFLAG, b.ERRFLAG);
    } catch (...) {
        // Nothing of a call that failed half-way counts as solved.
        refuse(ERRFLAG, kCallFailedText);
    }
    g_block.ERRFLAG = 0;
    return 0;
}

} // extern "C"
