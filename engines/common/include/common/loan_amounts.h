// The amounts a loan form derives from what the user typed before it calls an engine. The forms
// check some of them as soon as they are known, so each comes as a piece of its own;
// derive_amounts runs them all in the forms' order.
//
//   down_payment_total   DOWNAMT = ORGAMT * percent / 100 + amount
//   fee_total            FEEAMT = ORGAMT * FEEPCT / 100 + fee amount
//   amount_financed      FINANCEAMT = ORGAMT + FEEAMT - DOWNAMT
//   insurance_bases      DSPREM = FINANCEAMT * DSRATE, DSNUMPAY = DSFREQ * DSYEARS, life alike
//   odd_days             ODDDAYS = day of year of the first due date - day of year of the loan date
//                        + 365 per year between them (leap days are not counted across years)
#pragma once

#include "common/calendar.h"
#include "common/loanblock.h"

namespace talvero::common {

struct LoanFactors {
    double ORGAMT = 0;
    double DOWNPAYAMT = 0, DOWNPAYPCT = 0; // down payment amount and percent
    double FEEPAYAMT = 0, FEEPCT = 0;      // origination fee amount and percent
    double DSRATE = 0, DSFREQ = 0, DSYEARS = 0;
    double LFRATE = 0, LFFREQ = 0, LFYEARS = 0;
    Date LOANDATE, FIRSTDUE;
};

struct InsuranceBases {
    double DSPREM = 0, LFPREM = 0, DSNUMPAY = 0, LFNUMPAY = 0;

    friend bool operator==(const InsuranceBases&, const InsuranceBases&) = default;
};

struct DerivedAmounts {
    double DOWNAMT = 0, FEEAMT = 0, FINANCEAMT = 0;
    InsuranceBases insurance;
    int ODDDAYS = 0;

    friend bool operator==(const DerivedAmounts&, const DerivedAmounts&) = default;
};

double down_payment_total(double ORGAMT, double DOWNPAYPCT, double DOWNPAYAMT) noexcept;
double fee_total(double ORGAMT, double FEEPCT, double FEEPAYAMT) noexcept;
double amount_financed(double ORGAMT, double FEEAMT, double DOWNAMT) noexcept;
InsuranceBases insurance_bases(double FINANCEAMT, double DSRATE, double DSFREQ, double DSYEARS, double LFRATE,
                               double LFFREQ, double LFYEARS) noexcept;
int odd_days(const Date& loan_date, const Date& first_due) noexcept;
// DSPREM, LFPREM, DSNUMPAY and LFNUMPAY of a block from its FINANCEAMT and insurance factors.
void set_insurance_bases(LoanBlock& block) noexcept;

DerivedAmounts derive_amounts(const LoanFactors& loan) noexcept;

} // namespace talvero::common
