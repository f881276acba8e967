#pragma once
// Loans saved the way the loan and balloon forms save them, for the portfolio tests.

#include "loan/save.h"

#include <cmath>
#include <cstdio>

namespace portfoliotest {

struct LoanTerms {
    double ORGAMT;
    double NUMPAY;
    double FEEAMT;
    double TOTALINTEREST;
    double TOTALTAXES;
    double TOTALINSURANCE;
};

// A 12 % monthly loan of ORGAMT (500 down) first due 01/15/2004, saved on 03/09/2004.
inline talvero::common::LoanBlock blockFor(const LoanTerms& t) {
    talvero::common::LoanBlock b;
    b.ORGAMT = t.ORGAMT;
    b.DOWNAMT = 500;
    b.FEEAMT = t.FEEAMT;
    b.FINANCEAMT = t.ORGAMT - 500;
    b.APR = 12;
    b.NUMPAY = t.NUMPAY;
    b.FREQUENCY = 12;
    b.INTMETHOD = 0;
    b.SKPMONTH = 0;
    b.TERMYEARS = t.NUMPAY / 12;
    b.PAYMENT = b.FINANCEAMT * 0.01 / (1 - std::pow(1.01, -t.NUMPAY));
    b.REGZAPR = 12.5;
    b.TOTALINTEREST = t.TOTALINTEREST;
    b.TOTALINSURANCE = t.TOTALINSURANCE;
    b.TOTALTAXES = t.TOTALTAXES;
    b.TOTALPAYOUT = b.FINANCEAMT + t.TOTALINTEREST;
    std::snprintf(b.FIRSTDUE, sizeof b.FIRSTDUE, "%s", "01152004");
    return b;
}

inline qint64 saveRegular(const LoanTerms& t, double FEEPCT = 1.5) {
    const auto b = blockFor(t);
    return loan::writeLoan({b, b.PAYMENT, FEEPCT, false, 0, talvero::common::Date{3, 9, 2004}}).LOANNO;
}

// A balloon loan: NUMPAY is the amortization, BLPAY the payments due.
inline qint64 saveBalloon(const LoanTerms& t, double BLPAY) {
    const auto b = blockFor(t);
    return loan::writeLoan({b, b.PAYMENT, 2.0, true, BLPAY, talvero::common::Date{3, 9, 2004}}).LOANNO;
}

} // namespace portfoliotest
