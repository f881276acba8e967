#include "balloon/pages.h"

namespace balloon {

namespace {

using D = BalloonData;
using C = CheckTexts;
using T = loan::TargetFor<D>;

constexpr T number(double D::*member) {
    return {T::Number, member};
}
constexpr T integer(int D::*member) {
    return {T::Integer, nullptr, member};
}
constexpr T flag() {
    return {T::Flag, nullptr, &D::INTMETHOD};
}
constexpr T loanDate = {T::Date, nullptr, nullptr, &D::LOANDATETXT, &D::LOANDATE};
constexpr T firstDue = {T::Date, nullptr, nullptr, &D::FIRSTDUE, &D::FIRSTDUEDATE};

// clang-format off
// label, control, member, format at creation, read order, check text, payoff group, format after a calculation
const PageField kCalcPayment[] = {
    {"Loan Amount",                    "Edit1",     number(&D::ORGAMT),    "%7.2f", 1, &C::loanAmount,  false, nullptr},
    {"Payments (per year)",            "Edit2",     number(&D::FREQUENCY), "%7.0f", 2, &C::frequency,   false, nullptr},
    {"Amortize Period Total Payments", "Edit3",     number(&D::NUMPAY),    "%7.0f", 3, &C::numPay,      false, "%7.0f"},
    {"Loan Date",                      "Edit4",     loanDate,              nullptr, 4, &C::loanDate,    false, nullptr},
    {"First Due Date",                 "Edit5",     firstDue,              nullptr, 5, &C::firstDue,    false, nullptr},
    {"APR",                            "Edit6",     number(&D::APR),       "%7.2f", 6, &C::apr,         false, "%7.2f"},
    {"Skip Months",                    "Edit7",     integer(&D::SKPMONTH), "%3d",   7, &C::skipMonths,  false, nullptr},
    {"Interest Flag",                  "ComboBox1", flag(),                nullptr, 9, nullptr,         false, nullptr},
    {"Balloon Term Total Payments",    "Edit31",    number(&D::BLPAY),     "%7.0f", 8, &C::balloonTerm, false, "%7.0f"},
};

const PageField kCalcApr[] = {
    {"Loan Amount",                    "Edit9",     number(&D::ORGAMT),        "%7.2f", 2,  &C::loanAmount,    false, nullptr},
    {"Payments (per year)",            "Edit11",    number(&D::FREQUENCY),     "%7.0f", 4,  &C::frequency,     false, nullptr},
    {"Scheduled Payment",              "Edit12",    number(&D::PAYMENT),       "%7.2f", 8,  &C::payment,       false, "%7.2f"},
    {"Amortize Period Total Payments", "Edit10",    number(&D::NUMPAY),        "%7.0f", 3,  &C::numPay,        false, "%7.0f"},
    {"Loan Date",                      "Edit22",    loanDate,                  nullptr, 6,  &C::loanDate,      false, nullptr},
    {"First Due Date",                 "Edit23",    firstDue,                  nullptr, 7,  &C::firstDue,      false, nullptr},
    {"Skip Months",                    "Edit24",    integer(&D::SKPMONTH),     "%3d",   9,  &C::skipMonths,    false, nullptr},
    {"Balloon Term Total Payments",    "Edit13",    number(&D::BLPAY),         "%7.0f", 5,  &C::balloonTerm,   false, "%7.0f"},
    {"Finance Charge",                 "Edit8",     number(&D::TOTALINTEREST), "%7.2f", 1,  &C::financeCharge, false, "%7.2f"},
    {"Interest Flag",                  "ComboBox2", flag(),                    nullptr, 10, nullptr,           false, nullptr},
};

const PageField kCalcPayout[] = {
    {"Scheduled Payment",              "Edit17",    number(&D::PAYMENT),   "%7.2f", 4,  &C::payment,     false, "%7.2f"},
    {"Amortize Period Total Payments", "Edit18",    number(&D::NUMPAY),    "%7.0f", 3,  &C::numPay,      false, "%7.0f"},
    {"APR",                            "Edit19",    number(&D::APR),       "%7.2f", 8,  &C::apr,         false, "%7.2f"},
    {"Loan Amount",                    "Edit20",    number(&D::ORGAMT),    "%7.2f", 1,  &C::loanAmount,  false, nullptr},
    {"Payments (per year)",            "Edit21",    number(&D::FREQUENCY), "%7.0f", 2,  &C::frequency,   false, nullptr},
    {"Skip Months",                    "Edit28",    integer(&D::SKPMONTH), "%3d",   9,  &C::skipMonths,  false, nullptr},
    {"Loan Date",                      "Edit29",    loanDate,              nullptr, 6,  &C::loanDate,    false, nullptr},
    {"First Due Date",                 "Edit30",    firstDue,              nullptr, 7,  &C::firstDue,    false, nullptr},
    {"Interest Flag",                  "ComboBox4", flag(),                nullptr, 10, nullptr,         false, nullptr},
    {"Balloon Term Total Payments",    "Edit32",    number(&D::BLPAY),     "%7.0f", 5,  &C::balloonTerm, false, "%7.0f"},
};

const char* const kRequiredProperly = "You failed to enter a required field properly.  Please correct!";
const char* const kRequired = "You failed to enter a required field.  Please correct!";
const char* const kOnlyOneBox = "Only one check box can be checked. Please correct!";
const char* const kOneBox = "One check box must be selected. Please correct!";
const char* const kRequiredApr = "You failed to enter a required field. Please correct !";
const char* const kPrincipalOnly = "Cannot calculate the APR on principal only loans - interest flag 5. Please change your interest flag !";
const char* const kFixedNeedsTerm = "Balloon term total payments must be entered for interest flag 3 and 4. Please correct !";
const char* const kFixedNeedsCharge = "Cannot calculate the interest on fixed principal loans without the finance charge. Please correct !";
const char* const kFixedChargeOption = "Cannot calculate the APR on fixed principal loans using this option. Please select the option to compute APR only and enter the finance charge for interest flag 3 or 4 loans !";
const char* const kFixedTermOption = "Cannot calculate the APR on fixed principal loans using this option. Please select the option for compute APR only and enter the balloon term total payments for interest flag 3 or 4 loans !";
// clang-format on

bool allAboveZero(std::initializer_list<double> values) {
    for (double v : values)
        if (!(v > 0)) return false;
    return true;
}
bool fixedPrincipal(const D& d) {
    return d.INTMETHOD == 3 || d.INTMETHOD == 4;
}

void clearPaymentAndCharge(D& d) {
    d.PAYMENT = 0;
    d.TOTALINTEREST = 0;
}
void clearCharge(D& d) {
    d.TOTALINTEREST = 0;
}
void nothingBefore(D&) {}

const char* paymentRequired(D& d, const bool*) {
    return allAboveZero({d.NUMPAY, d.APR, d.ORGAMT, d.FREQUENCY, d.BLPAY}) ? nullptr : kRequiredProperly;
}

const char* payoutRequired(D& d, const bool*) {
    return allAboveZero({d.PAYMENT, d.APR, d.ORGAMT, d.FREQUENCY}) && d.NUMPAY > 1 ? nullptr : kRequired;
}

// A: the APR only; C: the finance charge and the APR; T: the balloon term and the APR.
const char* aprRules(D& d, const bool* marks) {
    const int ticked = int(marks[0]) + int(marks[1]) + int(marks[2]);
    if (ticked >= 2) return kOnlyOneBox;
    if (ticked == 0) return kOneBox;
    if (marks[0]) {
        d.APR = 0;
        if (d.INTMETHOD == 5) return kPrincipalOnly;
        if (fixedPrincipal(d) && d.BLPAY < 1) return kFixedNeedsTerm;
        if (fixedPrincipal(d) && d.TOTALINTEREST <= 0) return kFixedNeedsCharge;
        if (!allAboveZero({d.FINANCEAMT, d.PAYMENT, d.NUMPAY, d.FREQUENCY, d.BLPAY, d.TOTALINTEREST}))
            return kRequiredApr;
    } else if (marks[1]) {
        d.APR = 0;
        d.TOTALINTEREST = 0;
        if (d.INTMETHOD == 5) return kPrincipalOnly;
        if (fixedPrincipal(d)) return kFixedChargeOption;
        if (!allAboveZero({d.FINANCEAMT, d.PAYMENT, d.NUMPAY, d.FREQUENCY, d.BLPAY})) return kRequiredApr;
    } else {
        d.APR = 0;
        d.BLPAY = 0;
        if (d.INTMETHOD == 5) return kPrincipalOnly;
        if (fixedPrincipal(d)) return kFixedTermOption;
        if (!allAboveZero({d.TOTALINTEREST, d.ORGAMT, d.PAYMENT, d.FREQUENCY, d.NUMPAY})) return kRequiredApr;
    }
    return nullptr;
}

} // namespace

const PageTable kPages[3] = {
    {"Calc Payment", "CALCULATE SCHEDULED PAYMENT", "TabSheet1", kCalcPayment, clearPaymentAndCharge,
     paymentRequired},
    {"Calc APR", "CALCULATE APR", "TabSheet2", kCalcApr, nothingBefore, aprRules},
    {"Calc Payout", "CALCULATE LOAN PAYOUT ON FACTORS GIVEN", "TabSheet4", kCalcPayout, clearCharge,
     payoutRequired},
};

std::optional<std::string> readPage(Page page, const loan::PageInput& input,
                                    const loan::Conversion& conversion, BalloonData& d) {
    return loan::readFields(kPages[page], input, conversion, d);
}

CheckTexts checkTexts(Page page, const loan::PageInput& input, const loan::DialogTexts& dialogs) {
    return loan::textsFor(kPages[page], input, dialogs);
}

} // namespace balloon
