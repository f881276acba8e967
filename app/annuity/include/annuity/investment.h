#pragma once
// Time value of money with discrete compounding: the annual percentage rate is split evenly
// over the periods of a year. Rates are percentages (6 means 6 %); n = perYear * years need not
// be whole.

#include "annuity/answer.h"

namespace annuity {

// rate / perYear * 0.01, in extended precision.
long double periodicRate(double rate, double perYear);

Answer fvSingleDeposit(double amount, double rate, double perYear, double years);
// Deposits at the end of each period.
Answer fvRegularDeposits(double deposit, double rate, double perYear, double years);
Answer pvSingleDeposit(double amount, double rate, double perYear, double years);
// Deposits at the end of each period.
Answer pvRegularDeposits(double deposit, double rate, double perYear, double years);
// Compound annual growth between two values, in percent.
Answer growthRate(double startValue, double endValue, double years);

} // namespace annuity
