#pragma once
// Time value of money with discrete compounding: the annual percentage rate is split evenly
// over the periods of a year. Rates are percentages (6 means 6 %); n = perYear * years need not
// be whole.

#include "annuity/answer.h"
#include "annuity/tabs.h"

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

// The investment calculator's working values, zero at creation and kept between openings.
struct InvestmentValues : TabState {
    double rate = 0;       // APR in percent
    double amount = 0;     // deposit, regular deposit, or the end value on the growth tab
    double perYear = 0;    // periods per year
    double periods = 0;    // perYear * years, unrounded
    double result = 0;     // the last answer
    double startValue = 0; // growth tab
    double years = 0;
};

// "Investment Annuities": its five tabs.
const Calculator<InvestmentValues>& investmentCalculator();

} // namespace annuity
