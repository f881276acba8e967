#include "loan/pages.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace loan {

namespace {

using L = LoanData;
using C = CheckTexts;

constexpr Target number(double L::*member) {
    return {Target::Number, member};
}
constexpr Target integer(int L::*member) {
    return {Target::Integer, nullptr, member};
}
constexpr Target flag() {
    return {Target::Flag, nullptr, &L::INTMETHOD};
}
constexpr Target date(char (L::*text)[11], int (L::*parts)[3]) {
    return {Target::Date, nullptr, nullptr, text, parts};
}
constexpr Target loanDate = date(&L::LOANDATETXT, &L::LOANDATE);
constexpr Target firstDue = date(&L::FIRSTDUE, &L::FIRSTDUEDATE);
constexpr Target payoffDate = {Target::PayoffDate, nullptr, nullptr, &L::PAYOFFDATETXT, &L::PAYOFFDATE};

// clang-format off
// label, control, member, format at creation, read order, check text, payoff group, format after a calculation
const PageField kCalcPayment[] = {
    {"Loan Amount",         "Edit1",     number(&L::ORGAMT),    "%7.2f", 1, &C::loanAmount, false, nullptr},
    {"Payments (per year)", "Edit2",     number(&L::FREQUENCY), "%7.0f", 2, &C::frequency,  false, nullptr},
    {"Total Payments",      "Edit3",     number(&L::NUMPAY),    "%7.0f", 3, &C::numPay,     false, "%7.2f"},
    {"Loan Date",           "Edit4",     loanDate,              nullptr, 4, &C::loanDate,   false, nullptr},
    {"First Due Date",      "Edit5",     firstDue,              nullptr, 5, &C::firstDue,   false, nullptr},
    {"APR",                 "Edit6",     number(&L::APR),       "%7.3f", 6, &C::apr,        false, "%7.3f"},
    {"Skip Months",         "Edit7",     integer(&L::SKPMONTH), "%3d",   7, &C::skipMonths, false, nullptr},
    {"Interest Flag",       "ComboBox1", flag(),                nullptr, 8, nullptr,        false, nullptr},
};

const PageField kCalcApr[] = {
    {"Finance Charge",      "Edit8",     number(&L::TOTALINTEREST), "%7.2f", 1, &C::financeCharge, false, "%7.2f"},
    {"Loan Amount",         "Edit9",     number(&L::ORGAMT),        "%7.2f", 2, &C::loanAmount,    false, nullptr},
    {"Total Payments",      "Edit10",    number(&L::NUMPAY),        "%7.0f", 3, &C::numPay,        false, "%7.2f"},
    {"Payments (per year)", "Edit11",    number(&L::FREQUENCY),     "%7.0f", 4, &C::frequency,     false, nullptr},
    {"Scheduled Payment",   "Edit12",    number(&L::PAYMENT),       "%7.2f", 7, &C::payment,       false, "%7.2f"},
    {"Interest Flag",       "ComboBox2", flag(),                    nullptr, 9, nullptr,           false, nullptr},
    {"Loan Date",           "Edit22",    loanDate,                  nullptr, 5, &C::loanDate,      false, nullptr},
    {"First Due Date",      "Edit23",    firstDue,                  nullptr, 6, &C::firstDue,      false, nullptr},
    {"Skip Months",         "Edit24",    integer(&L::SKPMONTH),     "%3d",   8, &C::skipMonths,    false, nullptr},
};

const PageField kCalcNumPay[] = {
    {"Scheduled Payment",   "Edit13",    number(&L::PAYMENT),   "%7.2f", 7, &C::payment,    false, "%7.2f"},
    {"APR",                 "Edit14",    number(&L::APR),       "%7.3f", 5, &C::apr,        false, "%7.3f"},
    {"Loan Amount",         "Edit15",    number(&L::ORGAMT),    "%7.2f", 1, &C::loanAmount, false, nullptr},
    {"Payments (per year)", "Edit16",    number(&L::FREQUENCY), "%7.0f", 2, &C::frequency,  false, nullptr},
    {"Loan Date",           "Edit25",    loanDate,              nullptr, 3, &C::loanDate,   false, nullptr},
    {"First Due Date",      "Edit26",    firstDue,              nullptr, 4, &C::firstDue,   false, nullptr},
    {"Skip Months",         "Edit27",    integer(&L::SKPMONTH), "%3d",   6, &C::skipMonths, false, nullptr},
    {"Interest Flag",       "ComboBox3", flag(),                nullptr, 8, nullptr,        false, nullptr},
};

const PageField kCalcPayout[] = {
    {"Scheduled Payment",   "Edit17",    number(&L::PAYMENT),   "%7.2f", 8, &C::payment,    false, "%7.2f"},
    {"Total Payments",      "Edit18",    number(&L::NUMPAY),    "%7.0f", 3, &C::numPay,     false, "%7.2f"},
    {"APR",                 "Edit19",    number(&L::APR),       "%7.3f", 6, &C::apr,        false, "%7.3f"},
    {"Loan Amount",         "Edit20",    number(&L::ORGAMT),    "%7.2f", 1, &C::loanAmount, false, nullptr},
    {"Payments (per year)", "Edit21",    number(&L::FREQUENCY), "%7.0f", 2, &C::frequency,  false, nullptr},
    {"Skip Months",         "Edit28",    integer(&L::SKPMONTH), "%3d",   7, &C::skipMonths, false, nullptr},
    {"Loan Date",           "Edit29",    loanDate,              nullptr, 4, &C::loanDate,   false, nullptr},
    {"First Due Date",      "Edit30",    firstDue,              nullptr, 5, &C::firstDue,   false, nullptr},
    {"Interest Flag",       "ComboBox4", flag(),                nullptr, 9, nullptr,        false, nullptr},
};

const PageField kCalcPayoff[] = {
    {"Scheduled Payment",   "Edit31",    number(&L::PAYMENT),   "%7.2f", 11, &C::payment,    false, "%7.2f"},
    {"Total Payments",      "Edit32",    number(&L::NUMPAY),    "%7.0f", 3,  &C::numPay,     false, "%7.2f"},
    {"APR",                 "Edit33",    number(&L::APR),       "%7.3f", 9,  &C::apr,        false, "%7.3f"},
    {"Loan Amount",         "Edit34",    number(&L::ORGAMT),    "%7.2f", 1,  &C::loanAmount, false, nullptr},
    {"Payments (per year)", "Edit35",    number(&L::FREQUENCY), "%7.0f", 2,  &C::frequency,  false, nullptr},
    {"Skip Months",         "Edit36",    integer(&L::SKPMONTH), "%3d",   10, &C::skipMonths, false, nullptr},
    {"Loan Date",           "Edit37",    loanDate,              nullptr, 4,  &C::loanDate,   false, nullptr},
    {"First Due Date",      "Edit38",    firstDue,              nullptr, 5,  &C::firstDue,   false, nullptr},
    {"Interest Flag",       "ComboBox5", flag(),                nullptr, 12, nullptr,        false, nullptr},
    {"Payments Made",       "Edit41",    number(&L::PAYSMADE),  "%7.2f", 7,  nullptr,        true,  "%7.2f"},
    {"Payoff Date",         "Edit39",    payoffDate,            nullptr, 6,  nullptr,        true,  nullptr},
    {"Present Balance",     "Edit40",    number(&L::CURBAL),    "%7.2f", 8,  nullptr,        true,  "%7.2f"},
};

const char* const kRequiredField = "You failed to enter a required field.  Please correct!";
const char* const kOnlyOneBox = "Only one check box can be checked. Please correct!";
const char* const kOneBox = "One check box must be selected. Please correct!";
const char* const kNotProperlyTwoBlanks = "You failed to enter something properly.  Please correct!";
const char* const kNotProperly = "You failed to enter something properly. Please correct!";
const char* const kFixedPrincipalApr = "Cannot calculate the APR on Fixed Principal Loans without the finance charge. Please change your check mark and enter the finance charge when using interest flag 3 or 4.";
// clang-format on

// A required value counts as entered when it is not zero. Negative values go on to the numbered
// checks, which refuse them with their own messages.
bool entered(double value) {
    return value != 0;
}
bool allEntered(const L& d, std::initializer_list<double L::*> members) {
    return std::all_of(members.begin(), members.end(), [&d](double L::*m) { return entered(d.*m); });
}

void clearPaymentAndCharge(L& d) {
    d.PAYMENT = 0;
    d.TOTALINTEREST = 0;
}
void clearCharge(L& d) {
    d.TOTALINTEREST = 0;
}
void clearChargeAndCount(L& d) {
    d.TOTALINTEREST = 0;
    if (d.NUMPAY >= 1) d.NUMPAY = 0;
}
void markPayoff(L& d) {
    d.PAYOFFMODE = 1;
}
void nothingBefore(L&) {}

const char* aprRules(L& d, const bool* marks) {
    const int ticked = int(marks[0]) + int(marks[1]) + int(marks[2]);
    if (ticked >= 2) return kOnlyOneBox;
    if (ticked == 0) return kOneBox;
    if (marks[0]) {
        d.APR = 0;
        d.PAYMENT = 0;
        if (!allEntered(d, {&L::TOTALINTEREST, &L::ORGAMT, &L::NUMPAY, &L::FREQUENCY}))
            return kNotProperlyTwoBlanks;
    } else if (marks[1]) {
        d.APR = 0;
        d.TOTALINTEREST = 0;
        if (!allEntered(d, {&L::ORGAMT, &L::PAYMENT, &L::NUMPAY, &L::FREQUENCY})) return kNotProperly;
        if (d.INTMETHOD == 3 || d.INTMETHOD == 4) return kFixedPrincipalApr;
    } else {
        d.APR = 0;
        if (d.NUMPAY >= 1) d.NUMPAY = 0;
        if (!allEntered(d, {&L::TOTALINTEREST, &L::ORGAMT, &L::PAYMENT, &L::FREQUENCY})) return kNotProperly;
    }
    return nullptr;
}

const char* paymentRequired(L& d, const bool*) {
    return allEntered(d, {&L::NUMPAY, &L::APR, &L::ORGAMT, &L::FREQUENCY}) ? nullptr : kRequiredField;
}
const char* numPayRequired(L& d, const bool*) {
    return allEntered(d, {&L::PAYMENT, &L::APR, &L::ORGAMT, &L::FREQUENCY}) ? nullptr : kRequiredField;
}
const char* payoutRequired(L& d, const bool*) {
    const bool entered = allEntered(d, {&L::PAYMENT, &L::APR, &L::ORGAMT, &L::FREQUENCY}) && d.NUMPAY > 1;
    return entered ? nullptr : kRequiredField;
}
const char* payoffRequired(L& d, const bool*) {
    const bool entered = allEntered(
        d, {&L::PAYMENT, &L::APR, &L::ORGAMT, &L::FREQUENCY, &L::NUMPAY, &L::PAYSMADE, &L::CURBAL});
    return entered ? nullptr : kRequiredField;
}

const std::string& textOf(const PageInput& input, const char* name) {
    static const std::string empty;
    const auto it = input.texts.find(name);
    return it == input.texts.end() ? empty : it->second;
}

void readDate(const std::string& text, const PageInput& input, const Target& t, L& d) {
    storeDateText(text, d.*t.dateText);
    if (text.empty())
        std::copy(d.TODAYDATE, d.TODAYDATE + 3, d.*t.dateParts);
    else
        readDateParts(text, d.*t.dateParts);
    if (t.kind == Target::PayoffDate) std::copy(input.today, input.today + 3, d.TODAYDATE);
}

} // namespace

const PageTable kPages[5] = {
    {"Calc Payment", "CALCULATE SCHEDULED PAYMENT", "TabSheet1", kCalcPayment, clearPaymentAndCharge,
     paymentRequired},
    {"Calc APR", "CALCULATE  APR", "TabSheet2", kCalcApr, nothingBefore, aprRules},
    {"Calc No. Pmts.", "CALCULATE NUMBER OF PAYMENTS", "TabSheet3", kCalcNumPay, clearChargeAndCount,
     numPayRequired},
    {"Calc Payout", "CALCULATE LOAN PAYOUT ON FACTORS GIVEN", "TabSheet4", kCalcPayout, clearCharge,
     payoutRequired},
    {"Calc Payoff", "CALCULATE LOAN PAYOFF", "TabSheet5", kCalcPayoff, markPayoff, payoffRequired},
};

std::optional<std::string> readPage(Page page, const PageInput& input, const Conversion& conversion,
                                    LoanData& d) {
    const PageTable& table = kPages[page];
    std::vector<const PageField*> order;
    for (const PageField& f : table.fields)
        order.push_back(&f);
    std::sort(order.begin(), order.end(),
              [](const PageField* a, const PageField* b) { return a->readOrder < b->readOrder; });

    table.beforeReading(d);
    std::string message;
    for (const PageField* f : order) {
        const Target& t = f->target;
        const std::string& text = textOf(input, f->name);
        switch (t.kind) {
        case Target::Number:
            if (const auto v = conversion.toFloat(text, message))
                d.*t.number = *v;
            else
                return message;
            break;
        case Target::Integer:
            if (const auto v = conversion.toInt(text, message))
                d.*t.integer = *v;
            else
                return message;
            break;
        case Target::Flag:
            d.*t.integer = input.flag;
            break;
        case Target::Date:
        case Target::PayoffDate:
            readDate(text, input, t, d);
            break;
        }
    }
    if (const char* failed = table.afterReading(d, input.checkMarks)) return std::string(failed);
    return std::nullopt;
}

CheckTexts checkTexts(Page page, const PageInput& input, const DialogTexts& dialogs) {
    CheckTexts t;
    static_cast<DialogTexts&>(t) = dialogs;
    t.decimalPoints = input.decimalPoints;
    for (const PageField& f : kPages[page].fields)
        if (f.checkText) t.*f.checkText = textOf(input, f.name);
    return t;
}

} // namespace loan
