#include "common/caller_block.h"

#include <cstring>

namespace talvero::common {

bool all_present(const CallerBlock& c) noexcept {
    return all_present(c.FINANCEAMT, c.APR, c.NUMPAY, c.PAYMENT, c.DSRATE, c.DSFREQ, c.DSYEARS, c.LFRATE,
                       c.LFFREQ, c.LFYEARS, c.TAXES, c.SKPMONTH, c.FIRSTDUE, c.INTMETHOD, c.FREQUENCY, c.P15,
                       c.P16, c.P17, c.MATMONTH, c.MATDAY, c.MATYEAR, c.DSPREM, c.LFPREM, c.DSNUMPAY,
                       c.LFNUMPAY, c.HOINS, c.OTINS, c.TERMYEARS, c.ODDDAYS, c.LOANMONTH, c.LOANDAY,
                       c.LOANYEAR, c.ORGAMT, c.FEEAMT, c.DOWNAMT, c.TOTALINTEREST, c.REGZAPR, c.LASTPAY,
                       c.TOTALPRINCIPAL, c.TOTALINSURANCE, c.TOTALTAXES, c.TOTALPAYOUT);
}

void copy_in(LoanBlock& b, const CallerBlock& c) noexcept {
    b.FINANCEAMT = *c.FINANCEAMT;
    b.APR = *c.APR;
    b.NUMPAY = *c.NUMPAY;
    b.PAYMENT = *c.PAYMENT;
    b.DSRATE = *c.DSRATE;
    b.DSFREQ = *c.DSFREQ;
    b.DSYEARS = *c.DSYEARS;
    b.LFRATE = *c.LFRATE;
    b.LFFREQ = *c.LFFREQ;
    b.LFYEARS = *c.LFYEARS;
    b.TAXES = *c.TAXES;
    b.SKPMONTH = *c.SKPMONTH;
    std::memcpy(b.FIRSTDUE, c.FIRSTDUE, kFirstDueBytes);
    b.INTMETHOD = *c.INTMETHOD;
    b.FREQUENCY = *c.FREQUENCY;
    b.RESERVED[0] = *c.P15;
    b.RESERVED[1] = *c.P16;
    b.RESERVED[2] = *c.P17;
    b.MATURITY[0] = *c.MATMONTH;
    b.MATURITY[1] = *c.MATDAY;
    b.MATURITY[2] = *c.MATYEAR;
    b.DSPREM = *c.DSPREM;
    b.LFPREM = *c.LFPREM;
    b.DSNUMPAY = *c.DSNUMPAY;
    b.LFNUMPAY = *c.LFNUMPAY;
    b.HOINS = *c.HOINS;
    b.OTINS = *c.OTINS;
    b.TERMYEARS = *c.TERMYEARS;
    b.ODDDAYS = *c.ODDDAYS;
    b.LOANDATE[0] = *c.LOANMONTH;
    b.LOANDATE[1] = *c.LOANDAY;
    b.LOANDATE[2] = *c.LOANYEAR;
    b.ORGAMT = *c.ORGAMT;
    b.FEEAMT = *c.FEEAMT;
    b.DOWNAMT = *c.DOWNAMT;
    b.TOTALINTEREST = *c.TOTALINTEREST;
}

void copy_out_terms(CallerBlock& c, const LoanBlock& b) noexcept {
    *c.P15 = b.RESERVED[0];
    *c.P16 = b.RESERVED[1];
    *c.P17 = b.RESERVED[2];
    *c.MATMONTH = b.MATURITY[0];
    *c.MATDAY = b.MATURITY[1];
    *c.MATYEAR = b.MATURITY[2];
    *c.PAYMENT = b.PAYMENT;
    *c.NUMPAY = b.NUMPAY;
    *c.TERMYEARS = b.TERMYEARS;
}

void copy_out_totals(CallerBlock& c, const LoanBlock& b) noexcept {
    *c.TOTALINTEREST = b.TOTALINTEREST;
    *c.APR = b.APR;
    *c.LASTPAY = b.LASTPAY;
    *c.REGZAPR = b.REGZAPR;
    *c.TOTALPRINCIPAL = b.TOTALPRINCIPAL;
    *c.TOTALINSURANCE = b.TOTALINSURANCE;
    *c.TOTALTAXES = b.TOTALTAXES;
    *c.TOTALPAYOUT = b.TOTALPAYOUT;
}

} // namespace talvero::common
