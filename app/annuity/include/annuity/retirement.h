#pragma once
// Retirement planning: balances run period by period, and effective annual rates.

#include "annuity/answer.h"
#include "annuity/tabs.h"

namespace annuity {

// No balance loop runs more periods than this; beyond it the terms are refused.
inline constexpr long long kMaxPeriods = 10'000'000;

// clang-format off
inline const QString kFiftyYears = QStringLiteral("You have specified a withdrawal amount that\nwill not be greater than the interest\nreceived. Talvero cannot handle calculations\nthat go beyond 50 years, or that create an\ninfinite loop. Please change your terms.");
inline const QString kTooManyPeriods = QStringLiteral("Talvero cannot handle calculations of more than 10000000 periods.\nPlease change your terms.");
// clang-format on

// 0.01 * rate / perYear, in extended precision.
long double retirementPeriodicRate(double rate, double perYear);

// A starting balance plus a deposit at the start of each period; ceil(perYear * years) periods.
Answer futureValueWithStart(double start, double deposit, double rate, double perYear, double years);

// The part of a year one withdrawal period adds (the fixed table for the usual counts).
long double withdrawalPeriodLength(double perYear);

// Years until the balance turns negative, counting the period in which it does.
Answer yearsOfWithdrawals(double start, double withdrawal, double rate, double perYear);

Answer effectivePeriodicRate(double rate, double periods);
Answer effectiveContinuousRate(double rate);

// The retirement calculator's working values, zero at creation and kept between openings.
struct RetirementValues : TabState {
    double rate = 0;    // APR in percent
    double amount = 0;  // deposit or withdrawal
    double perYear = 0; // periods per year (compounding periods on the effective-rate tab)
    double periods = 0; // perYear * years
    double balance = 0; // the running result
    double startBalance = 0;
    double years = 0;
};

// "Retirement Annuities": its four tabs.
const Calculator<RetirementValues>& retirementCalculator();

} // namespace annuity
