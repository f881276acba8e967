#include "annuity/business.h"
#include "annuity/reading.h"

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

namespace {
using V = BusinessValues;
}

const Calculator<BusinessValues>& businessCalculator() {
    // The partial amount stands above the total and is read first.
    // clang-format off
    static const Calculator<V> calculator{"Form8", "Business Retailing Calculations", 6, {
        {"Percent Change", "Calculate Percentage Change",
         {{"Old Value", "Edit1", kMoney, &V::A},
          {"New Value", "Edit2", kMoney, &V::B},
          {"Percentage Change (answer)", "Edit3"}},
         {"Button2", "Button3", "Button4", "Print"}, "Calculating_the_Percent_Change", 0,
         &kRequiredField, [](V& v) { return percentChange(v.A, v.B); }, &V::result},
        {"Percent of Total", "Calculate Percent of Total Amount",
         {{"Partial Amount", "Edit4", kMoney, &V::B},
          {"Total Amount", "Edit5", kMoney, &V::A},
          {"Percent of Total (answer)", "Edit6"}},
         {"Button5", "Button6", "Button7", "Print"}, "Calculating_the_Percent_of_Total", 0,
         &kRequiredField, [](V& v) { return percentOfTotal(v.A, v.B); }, &V::result},
        {"Markup Over Cost", "Markup Percentage of Cost",
         {{"Price of Item", "Edit7", kMoney, &V::A},
          {"Cost of Item", "Edit8", kMoney, &V::B},
          {"Markup Percent of Cost (answer)", "Edit9"}},
         {"Button8", "Button9", "Button10"}, "Calculating_the_Markup_Percentage_of_Cost", 0,
         &kRequiredField, [](V& v) { return markupOfCost(v.A, v.B); }, &V::result},
        {"Markup Over Price", "Markup Percentage of Price",
         {{"Price of Item", "Edit10", kMoney, &V::A},
          {"Cost of Item", "Edit11", kMoney, &V::B},
          {"Markup Percent of Price (answer)", "Edit12"}},
         {"Button11", "Button12", "Button13"}, "Calculating_the_Markup_Percentage_of_Price", 0,
         &kRequiredField, [](V& v) { return markupOfPrice(v.A, v.B); }, &V::result},
        {"Markup Percent", "Price Considering Percentage Markup",
         {{"Price of Item", "Edit13", kMoney, &V::A},
          {"Markup Percentage", "Edit14", kMoney, &V::B, "Use decimal value (25% = .25)"},
          {"Price with Markup (answer)", "Edit15"}},
         {"Button14", "Button15", "Button16"}, "Calculating_the_Price_Considering_Percentage_Markup", 0,
         &kRequiredField, [](V& v) { return priceWithMarkup(v.A, v.B); }, &V::result},
    }};
    // clang-format on
    return calculator;
}

} // namespace annuity
