#pragma once
// Retail figures on two numbers each, in percent (the last one in dollars).

#include "annuity/answer.h"

namespace annuity {

Answer percentChange(double oldValue, double newValue);
Answer percentOfTotal(double total, double partial);
Answer markupOfCost(double price, double cost);
Answer markupOfPrice(double price, double cost);
// markup as a decimal fraction (25 % = .25)
Answer priceWithMarkup(double price, double markup);

} // namespace annuity
