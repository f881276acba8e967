#pragma once
// The amortization windows of the loan and the balloon loan with stand-ins for their listing and
// printers. The two print lists are one list: the balloon passes BLPAY where the regular loan passes
// RESERVED.

#include "db/testsupport/tempdatafolder.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/today.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <gtest/gtest.h>

#include <cstring>
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

// A computed loan of 10,000 at 12 % over 36 monthly payments from 01/15/2004, lent 12/15/2003 with
// 500 down and 125.50 of fees, not yet saved; the caller adds what its engine answered.
template <class Data> Data amortizedLoan() {
    Data d;
    d.FINANCEAMT = 10000;
    d.ORGAMT = 10500;
    d.DOWNAMT = 500;
    d.FEEAMT = 125.5;
    d.APR = 12;
    d.NUMPAY = 36;
    d.FREQUENCY = 12;
    d.TERMYEARS = 3;
    d.INTMETHOD = 0;
    std::strcpy(d.FIRSTDUE, "01152004");
    d.PAYMENT = d.SCHEDPAY = 332.14;
    d.LOANDATE[0] = 12;
    d.LOANDATE[1] = 15;
    d.LOANDATE[2] = 2003;
    d.UnsavedCount = 1;
    return d;
}

// The amortization window `Window` on the loan `data`, calling the stand-ins, in a private data
// folder, with today 06/01/2004, messages recorded and the names of the modal forms it opens kept.
template <class Window, class Data> class AmortizationFixture : public ::testing::Test {
protected:
    explicit AmortizationFixture(const Data& loan) : data(loan) {}
    void SetUp() override {
        received = PrintCall{};
        form.setLoan(data);
        form.libraries = {&listing, &byLoanYear, &byCalendarYear};
    }

    db::testing::TempDataFolder folder_;
    ui::TodayOverride today_{QDate(2004, 6, 1)};
    ui::MessageRecorder messages_;
    QList<QString> shownForms_;
    ui::ModalInterceptor modal_{[this](QDialog* d) {
        shownForms_.append(d->objectName());
        return 0;
    }};
    Data data;
    Window form;
};

} // namespace formtest
