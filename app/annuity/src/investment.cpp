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

namespace {
using V = InvestmentValues;

// Every tab starts from no periods and no result; n is perYear * years.
V& started(V& v) {
    v.periods = 0;
    v.result = 0;
    v.periods = v.perYear * v.years;
    return v;
}
} // namespace

const Calculator<InvestmentValues>& investmentCalculator() {
    // clang-format off
    static const Calculator<V> calculator{"Form6", "Investment Annuities", 4, {
        {"FV Single Deposit", "Future Value of a Single Deposit",
         {{"FV of what amount ?", "Edit1", kMoney, &V::amount},
          {"APR", "Edit2", kMoney, &V::rate},
          {"Interest Payments per Year", "Edit3", kCount, &V::perYear},
          {"Number of Years", "Edit4", kCount, &V::years},
          {"Future Value (answer)", "Edit5"}},
         {"Button2", "Button3", "Button4"}, "Calculating_the_Future_Value_of_a_Single_Deposit", 33,
         &kRequiredField,
         [](V& v) { started(v); return fvSingleDeposit(v.amount, v.rate, v.perYear, v.years); },
         &V::result},
        {"FV Regular Deposits", "Future Value of Regular Deposits",
         {{"FV of what amount ?", "Edit6", kMoney, &V::amount},
          {"APR", "Edit7", kMoney, &V::rate},
          {"Number of Payments per Year", "Edit8", kCount, &V::perYear},
          {"Number of Years", "Edit9", kCount, &V::years},
          {"Future Value (answer)", "Edit10"}},
         {"Button5", "Button6", "Button7"}, "Calculating_the_Future_Value_of_a_Regular_Deposit", 32,
         &kRequiredField,
         [](V& v) { started(v); return fvRegularDeposits(v.amount, v.rate, v.perYear, v.years); },
         &V::result},
        {"PV Single Deposit", "Present Value of a Single Deposit",
         {{"PV of what amount ?", "Edit11", kMoney, &V::amount},
          {"APR", "Edit12", kMoney, &V::rate},
          {"Interest Payments per Year", "Edit13", kCount, &V::perYear},
          {"Number of Years", "Edit14", kCount, &V::years},
          {"Present Value (answer)", "Edit15"}},
         {"Button8", "Button9", "Button10"}, "Calculating_the_Present_Value_of_a_Single_Deposit", 0,
         &kRequiredField,
         [](V& v) { started(v); return pvSingleDeposit(v.amount, v.rate, v.perYear, v.years); },
         &V::result},
        {"PV Regular Deposits", "Present Value of Regular Deposits",
         {{"Regular Deposit Amount", "Edit16", kMoney, &V::amount},
          {"APR", "Edit17", kMoney, &V::rate},
          {"Number of Payments per Year", "Edit18", kCount, &V::perYear},
          {"Number of Years", "Edit19", kCount, &V::years},
          {"Present Value of Deposits (answer)", "Edit20"}},
         {"Button11", "Button12", "Button13"}, "Calculating_the_Present_Value_of_a_Regular_Deposit", 30,
         &kRequiredField,
         [](V& v) { started(v); return pvRegularDeposits(v.amount, v.rate, v.perYear, v.years); },
         &V::result},
        {"IRR", "Internal Rate of Return",
         {{"Value at Start of Period", "Edit21", kMoney, &V::startValue},
          {"Value at End of Period", "Edit22", kMoney, &V::amount},
          {"Investment Period in Years", "Edit23", kCount, &V::years},
          {"Internal Rate of Return (answer)", "Edit24"}},
         {"Button14", "Button15", "Button16"}, "Calculating_the_Internal_Rate_of_Return", 29,
         &kRequiredField,
         [](V& v) { started(v); return growthRate(v.startValue, v.amount, v.years); },
         &V::result},
    }};
    // clang-format on
    return calculator;
}

} // namespace annuity
