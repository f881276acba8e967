// The exported entries: copy the caller's block in, solve it, copy the results back.
#include "vaulter/vaulter.h"

#include "vaulter/engine.h"

#include "common/today.h"

#include <cstdio>
#include <cstring>

namespace {

using talvero::vaulter::Block;

// The library's own copy of the block; ERRFLAG here is 0 at the start of every call.
Block g_block;
VaulterMessageFn g_handler = nullptr;
void* g_owner = nullptr;
// Set when the message function threw; the core cannot pass an exception on.
bool g_handler_threw = false;

void show_error(void* /*context*/, const char* text) noexcept {
    if (g_handler != nullptr) {
        try {
            g_handler(g_owner, 1, text);
        } catch (...) {
            g_handler_threw = true;
        }
        return;
    }
    std::fputs(text, stderr);
    std::fputc('\n', stderr);
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
    Block& b = g_block;
    // In and io positions only; the out positions are never read.
    b.FINANCEAMT = *FINANCEAMT;
    b.APR = *APR;
    b.NUMPAY = *NUMPAY;
    b.PAYMENT = *PAYMENT;
    b.DSRATE = *DSRATE;
    b.DSFREQ = *DSFREQ;
    b.DSYEARS = *DSYEARS;
    b.LFRATE = *LFRATE;
    b.LFFREQ = *LFFREQ;
    b.LFYEARS = *LFYEARS;
    b.TAXES = *TAXES;
    b.SKPMONTH = *SKPMONTH;
    std::memcpy(b.FIRSTDUE, FIRSTDUE, talvero::common::kFirstDueBytes);
    b.INTMETHOD = *INTMETHOD;
    b.FREQUENCY = *FREQUENCY;
    b.RESERVED[0] = *P15;
    b.RESERVED[1] = *P16;
    b.RESERVED[2] = *P17;
    b.MATURITY[0] = *MATMONTH;
    b.MATURITY[1] = *MATDAY;
    b.MATURITY[2] = *MATYEAR;
    b.DSPREM = *DSPREM;
    b.LFPREM = *LFPREM;
    b.DSNUMPAY = *DSNUMPAY;
    b.LFNUMPAY = *LFNUMPAY;
    b.HOINS = *HOINS;
    b.OTINS = *OTINS;
    b.TERMYEARS = *TERMYEARS;
    b.ODDDAYS = *ODDDAYS;
    b.LOANDATE[0] = *LOANMONTH;
    b.LOANDATE[1] = *LOANDAY;
    b.LOANDATE[2] = *LOANYEAR;
    b.ORGAMT = *ORGAMT;
    b.FEEAMT = *FEEAMT;
    b.DOWNAMT = *DOWNAMT;
    b.TOTALINTEREST = *TOTALINTEREST;
    b.BLPAY = *BLPAY;

    DoVaulter(nullptr, 0, 0, 0);

    *P15 = b.RESERVED[0];
    *P16 = b.RESERVED[1];
    *P17 = b.RESERVED[2];
    *MATMONTH = b.MATURITY[0];
    *MATDAY = b.MATURITY[1];
    *MATYEAR = b.MATURITY[2];
    *PAYMENT = b.PAYMENT;
    *NUMPAY = b.NUMPAY;
    *TERMYEARS = b.TERMYEARS;
    *BLPAY = b.BLPAY;
    *TOTALINTEREST = b.TOTALINTEREST;
    *APR = b.APR;
    *LASTPAY = b.LASTPAY;
    *REGZAPR = b.REGZAPR;
    *TOTALPRINCIPAL = b.TOTALPRINCIPAL;
    *TOTALINSURANCE = b.TOTALINSURANCE;
    *TOTALTAXES = b.TOTALTAXES;
    *TOTALPAYOUT = b.TOTALPAYOUT;
    *ERRFLAG = b.ERRFLAG;

    b.ERRFLAG = 0;
    return 0;
}

} // extern "C"
