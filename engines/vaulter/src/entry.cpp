// The exported entries: copy the caller's block in, solve it, copy the results back.
#include "vaulter/vaulter.h"

#include "block.h"
#include "engine.h"

#include <cstdio>
#include <cstring>

namespace {

using talvero::vaulter::Block;

// The library's own copy of the block; ERRFLAG here is 0 at the start of every call.
Block g_block;
VaulterMessageFn g_handler = nullptr;
void* g_owner = nullptr;

void show_error(void* /*context*/, const char* text) {
    if (g_handler != nullptr) {
        g_handler(g_owner, 1, text);
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

VAULTER_API void DoVaulter(void* owner, int /*a*/, int /*b*/, int /*c*/) {
    g_owner = owner;
    try {
        talvero::vaulter::solve(g_block, talvero::vaulter::Messages{show_error, nullptr});
    } catch (...) {
        // Only a message function that throws gets here; the call then counts as rejected.
        g_block.ERRFLAG = 1;
    }
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
    std::memcpy(b.FIRSTDUE, FIRSTDUE, sizeof b.FIRSTDUE);
    b.INTMETHOD = *INTMETHOD;
    b.FREQUENCY = *FREQUENCY;
    b.P15 = *P15;
    b.P16 = *P16;
    b.P17 = *P17;
    b.MATMONTH = *MATMONTH;
    b.MATDAY = *MATDAY;
    b.MATYEAR = *MATYEAR;
    b.DSPREM = *DSPREM;
    b.LFPREM = *LFPREM;
    b.DSNUMPAY = *DSNUMPAY;
    b.LFNUMPAY = *LFNUMPAY;
    b.HOINS = *HOINS;
    b.OTINS = *OTINS;
    b.TERMYEARS = *TERMYEARS;
    b.ODDDAYS = *ODDDAYS;
    b.LOANMONTH = *LOANMONTH;
    b.LOANDAY = *LOANDAY;
    b.LOANYEAR = *LOANYEAR;
    b.ORGAMT = *ORGAMT;
    b.FEEAMT = *FEEAMT;
    b.DOWNAMT = *DOWNAMT;
    b.TOTALINTEREST = *TOTALINTEREST;
    b.BLPAY = *BLPAY;

    DoVaulter(nullptr, 0, 0, 0);

    *P15 = b.P15;
    *P16 = b.P16;
    *P17 = b.P17;
    *MATMONTH = b.MATMONTH;
    *MATDAY = b.MATDAY;
    *MATYEAR = b.MATYEAR;
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
