#include "formtest/amortization.h"

namespace formtest {

PrintCall received;

namespace {

void note(const char* library, const double* FINANCEAMT, const double* APR, const double* NUMPAY,
          const double* SCHEDPAY, const char* FIRSTDUE, const int* INTMETHOD, const int* MATYEAR,
          const double* TERMYEARS, const double* BLPAY, const int* LOANYEAR, const double* TOTALINTEREST) {
    ++received.calls;
    received.library = library;
    received.FINANCEAMT = *FINANCEAMT;
    received.APR = *APR;
    received.NUMPAY = *NUMPAY;
    received.SCHEDPAY = *SCHEDPAY;
    received.FIRSTDUE.assign(FIRSTDUE, 10);
    received.INTMETHOD = *INTMETHOD;
    received.MATYEAR = *MATYEAR;
    received.TERMYEARS = *TERMYEARS;
    received.BLPAY = *BLPAY;
    received.LOANYEAR = *LOANYEAR;
    received.TOTALINTEREST = *TOTALINTEREST;
}

} // namespace

void listing(FORMTEST_PRINT_LIST, const double* TOTALINTEREST) {
    note("listing", FINANCEAMT, APR, NUMPAY, SCHEDPAY, FIRSTDUE, INTMETHOD, MATYEAR, TERMYEARS, BLPAY,
         LOANYEAR, TOTALINTEREST);
}

int byLoanYear(FORMTEST_PRINT_LIST, const double* TOTALINTEREST) {
    note("byLoanYear", FINANCEAMT, APR, NUMPAY, SCHEDPAY, FIRSTDUE, INTMETHOD, MATYEAR, TERMYEARS, BLPAY,
         LOANYEAR, TOTALINTEREST);
    return 0;
}

int byCalendarYear(FORMTEST_PRINT_LIST, const double* ORGAMT, const double* FEEAMT, const double* DOWNAMT,
                   const double* TOTALINTEREST) {
    note("byCalendarYear", FINANCEAMT, APR, NUMPAY, SCHEDPAY, FIRSTDUE, INTMETHOD, MATYEAR, TERMYEARS, BLPAY,
         LOANYEAR, TOTALINTEREST);
    received.ORGAMT = *ORGAMT;
    received.FEEAMT = *FEEAMT;
    received.DOWNAMT = *DOWNAMT;
    return 0;
}

} // namespace formtest
