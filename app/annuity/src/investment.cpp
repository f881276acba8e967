#include "annuity/investment.h"

#include <cmath>

namespace annuity {

long double periodicRate(double rate, double perYear) {
    return static_cast<long double>(rate) / perYear * 0.01L;
}

namespace {
struct Terms {
    double i; // periodic rate
    double g; // (1 + i)^n
};

Terms terms(double rate, double perYear, double years) {
    const double n = perYear * years;
    const double i = static_cast<double>(periodicRate(rate, perYear));
    return {i, std::pow(1.0 + i, n)};
}
} // namespace

Answer fvSingleDeposit(double amount, double rate, double perYear, double years) {
    const Terms t = terms(rate, perYear, years);
    return checked(amount * t.g);
}

Answer fvRegularDeposits(double deposit, double rate, double perYear, double years) {
    const Terms t = terms(rate, perYear, years);
    return checked(deposit * (t.g - 1) / t.i);
}

Answer pvSingleDeposit(double amount, double rate, double perYear, double years) {
    const Terms t = terms(rate, perYear, years);
    return checked(amount * (1 / t.g));
}

Answer pvRegularDeposits(double deposit, double rate, double perYear, double years) {
    const Terms t = terms(rate, perYear, years);
    return checked(deposit * (1 - 1 / t.g) / t.i);
}

Answer growthRate(double startValue, double endValue, double years) {
    return checked((std::pow(endValue / startValue, 1 / years) - 1) * 100);
}

} // namespace annuity
