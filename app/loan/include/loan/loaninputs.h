#pragma once
// A saved loan's inputs as the portfolio hands them to the loan form or its balloon twin, and what
// the form fills from them: the Calc Payment page's texts and the down payment and fee values. The
// forms exchange this struct, never each other's controls.

#include "common/calendar.h"
#include "loan/checks.h"
#include "loan/pages.h"

#include <functional>
#include <map>
#include <string>

namespace loan {

struct LoanInputs {
    double ORGAMT = 0;
    double APR = 0;
    double NUMPAY = 0;
    double FREQUENCY = 12;
    int SKPMONTH = 0;
    int INTMETHOD = 0;
    std::string FIRSTDUE; // "MMDDCCYY"
    double DOWNAMT = 0;   // the down payment total
    double FEEAMT = 0;    // the fee total, FEEPCT of the amount included
    double FEEPCT = 0;
    double BLPAY = 0; // 1 or more: a balloon loan of BLPAY payments
};

// The loan date a saved loan is opened with: its date is not saved, so one month before the first
// due date (day kept, or the month's last), a regular first period.
std::string openingLoanDate(const std::string& firstDue);

// Sets the Calc Payment members, the dates and the down payment and fee values of `d`.
template <class Data> void applyInputs(const LoanInputs& in, Data& d) {
    d.ORGAMT = in.ORGAMT;
    d.APR = in.APR;
    d.NUMPAY = in.NUMPAY;
    d.FREQUENCY = in.FREQUENCY;
    d.SKPMONTH = in.SKPMONTH;
    d.INTMETHOD = in.INTMETHOD;
    storeDateText(in.FIRSTDUE, d.FIRSTDUE);
    storeDateText(openingLoanDate(in.FIRSTDUE), d.LOANDATETXT);
    d.DOWNPAYPCT = 0;
    d.DOWNPAYAMT = in.DOWNAMT;
    d.FEEPCT = in.FEEPCT;
    d.FEEPAYAMT = in.FEEAMT - in.ORGAMT * in.FEEPCT / 100;
    if (d.FEEPAYAMT < 0.005) {
        // The percent alone gives the total (to the cent); else the total as an amount.
        if (d.FEEPAYAMT > -0.005) {
            d.FEEPAYAMT = 0;
        } else {
            d.FEEPCT = 0;
            d.FEEPAYAMT = in.FEEAMT;
        }
    }
    if constexpr (requires { d.BLPAY; }) d.BLPAY = in.BLPAY;
}

// The texts of `table`'s edits for `d` by control name: numbers through `number` with the field's
// creation format, dates as their texts. The flag list is set from INTMETHOD by the form.
template <class Data, class Texts>
std::map<std::string, std::string> pageTexts(const PageTableFor<Data, Texts>& table, const Data& d,
                                             const std::function<std::string(const char*, double)>& number,
                                             const std::function<std::string(const char*, int)>& integer) {
    using T = TargetFor<Data>;
    std::map<std::string, std::string> texts;
    for (const auto& f : table.fields) {
        const T& t = f.target;
        switch (t.kind) {
        case T::Number:
            texts[f.name] = number(f.format, d.*t.number);
            break;
        case T::Integer:
            texts[f.name] = integer(f.format, d.*t.integer);
            break;
        case T::Date:
        case T::PayoffDate:
            texts[f.name] = std::string(d.*t.dateText);
            break;
        case T::Flag:
            break;
        }
    }
    return texts;
}

} // namespace loan
