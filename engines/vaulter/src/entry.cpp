// The exported entries: copy the caller's block in, solve it, copy the results back.
// Nothing is read or written through a null position, and no exception leaves the library.
#include "vaulter/vaulter.h"

#include "vaulter/engine.h"

#include "common/today.h"

#include <cstdio>
#include <cstring>

namespace {

using talvero::vaulter::Block;

const char* const kIncompleteBlockText =
    "Loan Input Error!\nThe loan data handed to the engine\nis incomplete. Nothing was computed.";
const char* const kCallFailedText =
    "Loan Input Error!\nThe engine could not finish the\ncalculation. Nothing was computed.";

// The library's own copy of the block; ERRFLAG here is 0 at the start of every call.
Block g_block;
VaulterMessageFn g_handler = nullptr;
void* g_owner = nullptr;
// Set when the message function threw; the core cannot pass an exception on.
bool g_handler_threw = false;

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
        if (!all_present(FINANCEAMT, APR, NUMPAY, PAYMENT, DSRATE, DSFREQ, DSYEARS, LFRATE, LFFREQ, LFYEARS,
                         TAXES, SKPMONTH, FIRSTDUE, INTMETHOD, FREQUENCY, P15, P16, P17, MATMONTH, MATDAY,
                         MATYEAR, DSPREM, LFPREM, DSNUMPAY, LFNUMPAY, HOINS, OTINS, TERMYEARS, ODDDAYS,
                         LOANMONTH, LOANDAY, LOANYEAR, ORGAMT, FEEAMT, DOWNAMT, TOTALINTEREST, REGZAPR,
                         LASTPAY, TOTALPRINCIPAL, TOTALINSURANCE, TOTALTAXES, TOTALPAYOUT, BLPAY, ERRFLAG)) {
            refuse(ERRFLAG, kIncompleteBlockText);
            return 0;
        }
        Block& b = g_block;
        // In and io positions only; the out positions are never read.
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
        copy_in(b.BLPAY, BLPAY);

        DoVaulter(nullptr, 0, 0, 0);

        copy_out(P15, b.RESERVED[0]);
        copy_out(P16, b.RESERVED[1]);
        copy_out(P17, b.RESERVED[2]);
        copy_out(MATMONTH, b.MATURITY[0]);
        copy_out(MATDAY, b.MATURITY[1]);
        copy_out(MATYEAR, b.MATURITY[2]);
        copy_out(PAYMENT, b.PAYMENT);
        copy_out(NUMPAY, b.NUMPAY);
        copy_out(TERMYEARS, b.TERMYEARS);
        copy_out(BLPAY, b.BLPAY);
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
    g_block.ERRFLAG = 0;
    return 0;
}

} // extern "C"
