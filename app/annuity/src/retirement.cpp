#include "annuity/retirement.h"
#include "annuity/reading.h"

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

namespace {
using V = RetirementValues;

Answer withStart(V& v) {
    v.periods = v.perYear * v.years;
    v.balance = 0;
    return futureValueWithStart(v.startBalance, v.amount, v.rate, v.perYear, v.years);
}

Answer withdrawals(V& v) {
    v.years = 0;
    v.balance = 0;
    return yearsOfWithdrawals(v.startBalance, v.amount, v.rate, v.perYear);
}
} // namespace

const Calculator<RetirementValues>& retirementCalculator() {
    // clang-format off
    static const Calculator<V> calculator{"Form7", "Retirement Annuities", 5, {
        {"Future Value with Starting Balance", "Future Value of Regular Deposits with a Starting Balance",
         {{"Starting Balance", "Edit1", kMoney, &V::startBalance},
          {"Recurring Deposit Amount", "Edit2", kMoney, &V::amount},
          {"APR", "Edit3", kMoney, &V::rate},
          {"Number of Payments Per Year", "Edit4", kCount, &V::perYear},
          {"Number of Years", "Edit5", kCount, &V::years},
          {"Future Value (answer)", "Edit6"}},
         {"Button2", "Button3", "Button4"}, "Calculating_the_Future_Value_of_Regular_Deposits_with_a_Starting_Balance", 0,
         &kRequiredField, withStart, &V::balance},
        {"Time Value of Withdrawals", "Time Value of Withdrawals given a Starting Balance",
         {{"Starting Balance", "Edit7", kMoney, &V::startBalance},
          {"Recurring Withdrawal Amount", "Edit8", kMoney, &V::amount},
          {"APR", "Edit9", kMoney, &V::rate},
          {"Withdrawals Per Year", "Edit10", kCount, &V::perYear},
          {"Number of Years (answer)", "Edit11"}},
         {"Button5", "Button6", "Button7"}, "Calculating_the_Time_Value_of_Withdrawals", 0,
         &kRequiredField, withdrawals, &V::years},
        {"Effective Periodic Rate", "Effective Interest Rate Considering Periodic Compounding",
         {{"APR", "Edit12", kMoney, &V::rate},
          {"Number of Compounding Periods", "Edit13", kCount, &V::perYear},
          {"Effective Periodic Rate (answer)", "Edit14"}},
         {"Button8", "Button9", "Button10"}, "Calculating_the_Effective_Periodic_Rate", 0,
         &kRequiredField, [](V& v) { return effectivePeriodicRate(v.rate, v.perYear); }, &V::balance},
        {"Effective Continuous Rate", "Effective Interest Rate considering Continuous Compounding",
         {{"APR", "Edit15", kMoney, &V::rate},
          {"Effective Periodic Rate (answer)", "Edit16"}},
         {"Button11", "Button12", "Button13"}, "Calculating_the_Effective_Interest_Rate_Considering_Continuous_Compounding", 0,
         &kRequiredApr, [](V& v) { return effectiveContinuousRate(v.rate); }, &V::balance},
    }};
    // clang-format on
    return calculator;
}

} // namespace annuity
