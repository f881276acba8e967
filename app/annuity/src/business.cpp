#include "annuity/business.h"

namespace annuity {

Answer percentChange(double oldValue, double newValue) {
    return checked((newValue - oldValue) / oldValue * 100);
}

Answer percentOfTotal(double total, double partial) {
    return checked(partial / total * 100);
}

Answer markupOfCost(double price, double cost) {
    return checked((price - cost) / cost * 100);
}

Answer markupOfPrice(double price, double cost) {
    return checked((price - cost) / price * 100);
}

Answer priceWithMarkup(double price, double markup) {
    return checked(markup * price + price);
}

} // namespace annuity
