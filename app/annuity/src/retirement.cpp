#include "annuity/retirement.h"

#include <cmath>

namespace annuity {

long double retirementPeriodicRate(double rate, double perYear) {
    return 0.01L * static_cast<long double>(rate) / perYear;
}

Answer futureValueWithStart(double start, double deposit, double rate, double perYear, double years) {
    const double n = perYear * years;
    Answer a;
    // The counter is whole and compared with n, so a fractional n runs one more period.
    if (!(n <= static_cast<double>(kMaxPeriods))) {
        a.notice = kTooManyPeriods;
        return a;
    }
    const long double i = retirementPeriodicRate(rate, perYear);
    double balance = 0;
    for (long long counter = 0; counter < n; ++counter) {
        const long double base = static_cast<long double>(counter == 0 ? start : balance) + deposit;
        balance = static_cast<double>(base * i + base);
        if (!std::isfinite(balance)) return checked(balance);
    }
    a.value = balance;
    return a;
}

long double withdrawalPeriodLength(double perYear) {
    if (perYear == 1) return 1.0L;
    if (perYear == 2) return 0.5L;
    if (perYear == 3) return 0.334L;
    if (perYear == 4) return 0.25L;
    if (perYear == 6) return 0.167L;
    if (perYear == 12) return 0.0834L;
    if (perYear == 24) return 0.042L;
    if (perYear == 26) return 0.039L;
    if (perYear == 52) return 0.02L;
    return (365.0L / perYear) * (1.0L / 365.0L);
}

Answer yearsOfWithdrawals(double start, double withdrawal, double rate, double perYear) {
    const long double i = retirementPeriodicRate(rate, perYear);
    const long double length = withdrawalPeriodLength(perYear);
    Answer a;
    double years = 0;
    double balance = 0;
    long long periods = 0;
    while (balance >= 0) {
        const long double base = static_cast<long double>(years == 0 ? start : balance) - withdrawal;
        balance = static_cast<double>(base * i + base);
        years = static_cast<double>(years + length);
        if (!std::isfinite(balance)) return checked(balance);
        if (years > 50 && balance >= start) {
            a.notice = kFiftyYears;
            return a;
        }
        // A balance held still by rounding, or periods too short for 50 years ever to pass,
        // would otherwise keep this loop going for good.
        if (++periods >= kMaxPeriods && balance >= 0) {
            a.notice = kFiftyYears;
            return a;
        }
    }
    a.value = years;
    return a;
}

Answer effectivePeriodicRate(double rate, double periods) {
    return checked((std::pow(1 + rate / (100 * periods), periods) - 1) * 100);
}

Answer effectiveContinuousRate(double rate) {
    return checked((std::exp(rate * 0.01) - 1) * 100);
}

} // namespace annuity
