#pragma once
// Stand-ins for the amortization window's listing and printers, and a count of the rows the loan
// database holds. The loan and balloon print lists are one list: the balloon passes BLPAY where the
// regular loan passes RESERVED.

#include <QtGlobal>

#include <string>

namespace formtest {

// What the last call received, and how many calls there were.
struct PrintCall {
    int calls = 0;
    std::string library; // "listing", "byLoanYear" or "byCalendarYear"
    double FINANCEAMT = 0, APR = 0, NUMPAY = 0, SCHEDPAY = 0, TERMYEARS = 0, TOTALINTEREST = 0;
    double BLPAY = 0; // RESERVED of a regular loan
    double ORGAMT = 0, FEEAMT = 0, DOWNAMT = 0;
    std::string FIRSTDUE;
    int INTMETHOD = 0, MATYEAR = 0, LOANYEAR = 0;
};
extern PrintCall received;

#define FORMTEST_PRINT_LIST                                                                                  \
    const double *FINANCEAMT, const double *APR, const double *NUMPAY, const double *SCHEDPAY,               \
        const double *, const double *, const double *, const double *, const double *, const double *,      \
        const double *, const int *, const char *FIRSTDUE, const int *INTMETHOD, const double *,             \
        const int *, const int *, const int *, const int *, const int *, const int *MATYEAR, const double *, \
        const double *, const double *, const double *, const double *, const double *,                      \
        const double *TERMYEARS, const double *BLPAY, const int *, const int *, const int *,                 \
        const int *LOANYEAR

// The screen listing, the printer irrespective of the calendar year and the one by calendar year.
void listing(FORMTEST_PRINT_LIST, const double* TOTALINTEREST);
int byLoanYear(FORMTEST_PRINT_LIST, const double* TOTALINTEREST);
int byCalendarYear(FORMTEST_PRINT_LIST, const double* ORGAMT, const double* FEEAMT, const double* DOWNAMT,
                   const double* TOTALINTEREST);

// The rows of `table` in the loan database.
qint64 loanRows(const char* table);

} // namespace formtest
