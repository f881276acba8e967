#pragma once
// Retail figures on two numbers each, in percent (the last one in dollars).

#include "annuity/answer.h"
#include "annuity/tabs.h"

namespace annuity {

Answer percentChange(double oldValue, double newValue);
Answer percentOfTotal(double total, double partial);
Answer markupOfCost(double price, double cost);
Answer markupOfPrice(double price, double cost);
// markup as a decimal fraction (25 % = .25)
Answer priceWithMarkup(double price, double markup);

// The business calculator's working values: the two inputs of the tab in use and the answer.
struct BusinessValues : TabState {
    double A = 0;
    double B = 0;
    double result = 0;
};

// "Business Retailing Calculations": its five tabs.
const Calculator<BusinessValues>& businessCalculator();

} // namespace annuity
