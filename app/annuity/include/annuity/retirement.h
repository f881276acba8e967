#pragma once
// Retirement planning: balances run period by period, and effective annual rates.

#include "annuity/answer.h"

namespace annuity {

// No balance loop runs more periods than this; beyond it the terms are refused.
inline constexpr long long kMaxPeriods = 10'000'000;

inline const QString kFiftyYears = QStringLiteral(
    "You have specified a withdrawal amount that\nwill not be greater than the interest\nreceived. "
    "Talvero cannot handle calculations\nthat go beyond 50 years, or that create an\ninfinite "
    "loop. Please change your terms.");
inline const QString kTooManyPeriods = QStringLiteral(
    "Talvero cannot handle calculations of more than 10000000 periods.\nPlease change your terms.");

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

} // namespace annuity
