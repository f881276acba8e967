#include "loan/checks.h"

#include "loan/checkmessages.h"

#include "common/calendar.h"
#include "common/loan_amounts.h"
#include "common/period_days.h"

#include <algorithm>
#include <cstring>

namespace loan {

using namespace checkmessages;

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A page without the edit passes its character check.
bool numeric(const std::optional<std::string>& text, const CheckTexts& t) {
    return !text || isNumericText(*text, t.decimalPoints);
}

// clang-format off

const char* checkInsurance(const LoanData& d, const CheckTexts& t) {
    if (!isNumericText(t.dsRate, t.decimalPoints))
        return kDsRateNonNumeric;
    if (d.DSRATE < 0)
        return "Invalid Disability Rate entered!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.DSRATE >= 1)
        return kDsRateTooLarge;
    if (!isNumericText(t.dsFreq, t.decimalPoints))
        return kDsFreqNonNumeric;
    if (d.DSFREQ < 0)
        return "Invalid Disability Insurance Frequency!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.DSFREQ > 52)
        return kDsFreqTooLarge;
    if (!isNumericText(t.dsYears, t.decimalPoints))
        return kDsYearsNonNumeric;
    if (d.DSYEARS < 0)
        return "Invalid Disability Insurance Years entered!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.DSYEARS > 0 && d.DSFREQ > d.FREQUENCY)
        return "Invalid Disablity Insurance factors entered!\nYear and frequency exceed allowable value.\nPlease enter a value for the years and\nfrequency, that will not exceed the number\nof payments or frequency setup for the loan \nterms.";
    if (d.DSFREQ > 0 && d.DSRATE == 0)
        return kDsFreqWithoutRate;
    if (d.DSYEARS > 0 && d.DSRATE == 0)
        return kDsYearsWithoutRate;
    if (d.DSRATE > 0 && d.DSYEARS == 0) return kDsRateWithoutYears;
    if (d.DSRATE > 0 && d.DSFREQ == 0) return kDsRateWithoutYears;
    if (d.NUMPAY == 0 && d.DSYEARS > 30)
        return "Disability Insurance Input Error!\nInsurance Years cannot exceed 30 \nwhen the system is computing the\nthe number of payments. Please\nenter a value not greater than 30\nfor the insurance years.";
    if (!isNumericText(t.lfRate, t.decimalPoints))
        return kLfRateNonNumeric;
    if (d.LFRATE < 0) return "Invalid Life Rate entered!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.LFRATE >= 1)
        return kLfRateTooLarge;
    if (!isNumericText(t.lfFreq, t.decimalPoints))
        return kLfFreqNonNumeric;
    if (d.LFFREQ < 0)
        return "Invalid Life Insurance Frequency!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.LFFREQ > 52)
        return kLfFreqTooLarge;
    if (!isNumericText(t.lfYears, t.decimalPoints))
        return kLfYearsNonNumeric;
    if (d.LFYEARS < 0)
        return "Invalid Life Insurance Years entered!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.LFYEARS > 0 && d.LFFREQ > d.FREQUENCY)
        return "Invalid Life Insurance factors entered!\nYear and frequency exceed allowable value.\nPlease enter a value for the years and\nfrequency, that will not exceed the number\nof payments or frequency setup for the loan \nterms.";
    if (d.LFFREQ > 0 && d.LFRATE == 0)
        return kLfFreqWithoutRate;
    if (d.LFYEARS > 0 && d.LFRATE == 0)
        return kLfYearsWithoutRate;
    if (d.LFRATE > 0 && d.LFYEARS == 0) return kLfRateWithoutYears;
    if (d.LFRATE > 0 && d.LFFREQ == 0) return kLfRateWithoutYears;
    if (d.NUMPAY == 0 && d.LFYEARS > 30)
        return "Life Insurance Input Error!\nInsurance Years cannot exceed 30 \nwhen the system is computing the\nthe number of payments. Please\nenter a value not greater than 30\nfor the insurance years.";
    return nullptr;
}

const char* checkAnnualFees(const LoanData& d, const CheckTexts& t) {
    if (!isNumericText(t.taxes, t.decimalPoints))
        return kTaxesNonNumeric;
    if (d.TAXES < 0) return "Invalid Tax Amount entered!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.TAXES > 99999.99)
        return kTaxesTooLarge;
    if (!isNumericText(t.hoIns, t.decimalPoints))
        return kHoInsNonNumeric;
    if (d.HOINS < 0)
        return "Invalid Home Owners Insurance\nentered! Negative Amount not\nallowed. Please re-enter.";
    if (d.HOINS > 9999.99)
        return kHoInsTooLarge;
    if (!isNumericText(t.otIns, t.decimalPoints))
        return kOtInsNonNumeric;
    if (d.OTINS < 0)
        return "Invalid Other Insurance\nentered! Negative Amount not\nallowed. Please re-enter.";
    if (d.OTINS > 9999.99)
        return kOtInsTooLarge;
    return nullptr;
}

// clang-format on

// True when date a (month, day, year) lies before date b, compared part by part.
bool before(const int a[3], const int b[3]) {
    if (a[2] < b[2]) return true;
    if (a[0] < b[0] && !(b[2] < a[2])) return true;
    return a[0] == b[0] && a[1] < b[1] && !(b[2] < a[2]);
}

} // namespace

bool isNumericText(std::string_view text, const std::vector<std::string>& decimalPoints) {
    while (!text.empty()) {
        const auto point =
            std::find_if(decimalPoints.begin(), decimalPoints.end(),
                         [text](const std::string& p) { return !p.empty() && text.starts_with(p); });
        if (point != decimalPoints.end()) {
            text.remove_prefix(point->size());
        } else if (isDigit(text.front()) || isBlank(text.front())) {
            text.remove_prefix(1);
        } else {
            return false;
        }
    }
    return true;
}

bool isValidDateText(std::string_view text) {
    if (text.empty()) return true;
    if (text.size() != 8 || !std::all_of(text.begin(), text.end(), isDigit)) return false;
    const int month = (text[0] - '0') * 10 + (text[1] - '0');
    const int day = (text[2] - '0') * 10 + (text[3] - '0');
    const int year = std::stoi(std::string(text.substr(4, 4)));
    return month >= 1 && month < 13 && day >= 1 && day < 32 && text[4] != '0' && year < 9999;
}

int monthLength(int month, int year) {
    return talvero::common::month_length(month, year);
}

int dayOfYear(int month, int day, int year) {
    return talvero::common::day_of_year({month, day, year});
}

void readDateParts(std::string_view text, int parts[3]) {
    char buffer[11];
    storeDateText(text, buffer);
    const talvero::common::Date date = talvero::common::read_mmddccyy(buffer);
    parts[0] = date.month;
    parts[1] = date.day;
    parts[2] = date.year;
}

void storeDateText(std::string_view text, char (&buffer)[11]) {
    const std::size_t n = std::min<std::size_t>(text.size(), 10);
    std::memset(buffer, 0, sizeof buffer);
    std::memcpy(buffer, text.data(), n);
}

// clang-format off
const char* checkLoanInputs(LoanData& d, const CheckTexts& t) {
    if (!numeric(t.loanAmount, t))
        return kLoanAmountNonNumeric;
    if (d.ORGAMT <= 0)
        return kLoanAmountNotPositive;
    if (d.ORGAMT > 999999.99)
        return kLoanAmountTooLarge;
    if (!isNumericText(t.downAmount, t.decimalPoints))
        return kDownAmountNonNumeric;
    if (d.DOWNPAYAMT < 0)
        return "Invalid Down Payment Amount entered!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.DOWNPAYAMT > 99999.99)
        return kDownAmountTooLarge;
    if (!isNumericText(t.downPct, t.decimalPoints))
        return kDownPctNonNumeric;
    if (d.DOWNPAYPCT < 0)
        return "Invalid Down Payment Percentage Rate entered!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.DOWNPAYPCT > 49.99)
        return kDownPctTooLarge;
    d.DOWNAMT = talvero::common::down_payment_total(d.ORGAMT, d.DOWNPAYPCT, d.DOWNPAYAMT);
    if (d.DOWNAMT > d.ORGAMT * 0.5)
        return kDownTotalTooLarge;
    if (!isNumericText(t.feeAmount, t.decimalPoints))
        return kFeeAmountNonNumeric;
    if (d.FEEPAYAMT < 0) return "Invalid Fee Amount entered!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.FEEPAYAMT > 99999.99)
        return kFeeAmountTooLarge;
    if (!isNumericText(t.feePct, t.decimalPoints))
        return kFeePctNonNumeric;
    if (d.FEEPCT < 0)
        return "Invalid Orig. Fee Percentage Rate entered!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.FEEPCT > 49.99)
        return kFeePctTooLarge;
    d.FEEAMT = talvero::common::fee_total(d.ORGAMT, d.FEEPCT, d.FEEPAYAMT);
    if (d.FEEAMT > d.ORGAMT * 0.5)
        return kFeeTotalTooLarge;
    d.FINANCEAMT = talvero::common::amount_financed(d.ORGAMT, d.FEEAMT, d.DOWNAMT);
    if (d.FINANCEAMT > 1000000)
        return kFinancedTooLarge;
    if (!numeric(t.apr, t))
        return kAprNonNumeric;
    if (d.APR < 0)
        return "Invalid Annual Percentage Rate entered!\nNegative amount not allowed.\nPlease re-enter.";
    if (d.APR > 49.99)
        return kAprTooLarge;
    if (!numeric(t.financeCharge, t))
        return kFinanceChargeNonNumeric;
    if (d.TOTALINTEREST < 0)
        return "Invalid Finance Charge entered!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.TOTALINTEREST > 999999.99)
        return kFinanceChargeTooLarge;
    if (!numeric(t.numPay, t))
        return kNumPayNonNumeric;
    if (d.NUMPAY < 0)
        return "Invalid Number of Payments entered!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.NUMPAY > 99999)
        return kNumPayTooLarge;
    if (!numeric(t.payment, t))
        return kPaymentNonNumeric;
    if (d.PAYMENT < 0)
        return "Invalid Scheduled Payment entered!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.PAYMENT > 999999.99)
        return kPaymentTooLarge;
    if (d.PAYMENT >= d.FINANCEAMT && d.NUMPAY != 1)
        return kPaymentNotBelowFinanced;
    if (const char* m = checkInsurance(d, t)) return m;
    if (const char* m = checkAnnualFees(d, t)) return m;
    const std::string skip = t.skipMonths.value_or("");
    if (!skip.empty() && (skip.size() > 3 || !std::all_of(skip.begin(), skip.end(),
                                                          [](char c) { return isDigit(c) || isBlank(c); })))
        return kSkipMonthsNotDigits;
    if (d.SKPMONTH > d.NUMPAY) {
        d.SKPMONTH = 0;
        return kSkipMonthsTooLarge;
    }
    if (d.INTMETHOD > 7) {
        d.INTMETHOD = 0;
        return "Interest flag cannot exceed seven!\nYou entered a value greater than\nseven.  Please re-enter.\n\n";
    }
    if (!numeric(t.frequency, t))
        return kFrequencyNonNumeric;
    if (d.FREQUENCY <= 0)
        return "Invalid Loan Frequency entered!\nNegative or Zero Amount not allowed.\nPlease re-enter.";
    if (d.FREQUENCY > 52)
        return kFrequencyTooLarge;
    const std::string firstDue = t.firstDue.value_or("");
    storeDateText(firstDue, d.FIRSTDUE);
    if (!isValidDateText(firstDue))
        return kFirstDueBadForm;
    if (!isValidDateText(t.loanDate.value_or("")))
        return kLoanDateBadForm;
    const int* due = d.FIRSTDUEDATE;
    const int* lent = d.LOANDATE;
    if (before(due, lent))
        return kLoanDateAfterFirstDue;
    const int years = due[2] - lent[2];
    if (years >= 3)
        return kDatesMoreThanTwoYears;
    if (d.NUMPAY / d.FREQUENCY < years)
        return kDatesMoreThanTerm;
    d.ODDDAYS = talvero::common::odd_days({lent[0], lent[1], lent[2]}, {due[0], due[1], due[2]});
    return nullptr;
}

const char* checkPayoffInputs(const LoanData& d, std::string_view payoffDateText) {
    if (d.PAYMENT <= 0 || d.APR <= 0)
        return "Invalid scheduled payment entered!\nNegative or Zero Amount not allowed.\nPlease re-enter.";
    if (d.CURBAL <= 0)
        return "Invalid current balance entered!\nNegative or Zero Amount not allowed.\nPlease re-enter.";
    if (d.CURBAL > d.FINANCEAMT)
        return "Invalid current balance entered!\nAmount exceeds allowable value.\nPlease enter a balance less than\nthe original loan amount";
    if (d.PAYSMADE < 0)
        return "Invalid Number of Payments Made!\nNegative Amount not allowed.\nPlease re-enter.";
    if (d.PAYSMADE > d.NUMPAY)
        return "Invalid Number of Payments Made!\nNumber exceeds allowable value.\nPlease enter a number less than\nthe Loan total payments";
    if (!isValidDateText(payoffDateText))
        return "Invalid Payoff Date Entered!\nUse MMDDCCYY format--(8 digits total).\nDo not use spaces, slashes, etc.\nThe CENTURY must be included.\nBe sure month, day, and year are valid.\n\nPlease re-enter correctly.\n\nNOTE: A blank Payoff date is not acceptable.\nThe Payoff date is figured from today if\nleft blank.";
    if (before(d.PAYOFFDATE, d.FIRSTDUEDATE))
        return "Payoff Date cannot be earlier than the\nfirst due date!\nPlease re-enter both dates correctly.\n\n";
    if (d.PAYOFFDATE[2] - d.FIRSTDUEDATE[2] > d.NUMPAY / d.FREQUENCY)
        return "The difference between the loan date and the\nPayoff date cannot be more than the loan\nterm.  Please re-enter both correctly.\n\n";
    if (d.PAYOFFDATE[2] < d.TODAYDATE[2])
        return "The payoff date cannot be less than the\ncurrent date.  Please re-enter both\ncorrectly.\n\n";
    return nullptr;
}

// clang-format on

int daysToPayoff(const LoanData& d) {
    const int* p = d.PAYOFFDATE;
    const int* t = d.TODAYDATE;
    return 365 * (p[2] - t[2]) + dayOfYear(p[0], p[1], p[2]) - dayOfYear(t[0], t[1], t[2]);
}

void setPayoffPeriod(LoanData& d, int days) {
    const talvero::common::PeriodLength& period = talvero::common::period_days(d.FREQUENCY).payoff_period;
    int whole = 0;
    if (period.count != talvero::common::DayCount::CursorMonth) {
        const int length = static_cast<int>(period.of(d.FREQUENCY));
        whole = days / length;
        d.PAYOFFDAYS = days % length;
    } else {
        const int length = monthLength(d.PAYOFFDATE[0], d.PAYOFFDATE[2]);
        whole = days / length;
        d.PAYOFFDAYS = days % length;
        if (whole < 1) whole = 0;
    }
    d.PAYOFFPER = d.PAYSMADE + whole;
}

void setNextDueDate(LoanData& d, const int today[3]) {
    using talvero::common::Date;
    Date date{today[0], today[1], today[2]};
    if (d.FIRSTDUE[0] != '\0') date = talvero::common::read_mmddccyy(d.FIRSTDUE);
    if (d.SKPMONTH <= 12) {
        date.month += d.SKPMONTH;
    } else {
        date.year += d.SKPMONTH / 12;
        date.month += d.SKPMONTH % 12;
    }
    talvero::common::normalize_month(date);
    const double f = d.FREQUENCY;
    const bool firstOfMonth = d.INTMETHOD == 0 || d.INTMETHOD == 3 || d.INTMETHOD == 6;
    const talvero::common::PeriodLength& step = talvero::common::period_days(f).date_step;
    if (step.count == talvero::common::DayCount::CursorYear) {
        // A yearly loan's next due date is the first due date's month and day a year per payment on.
        date = talvero::common::years_on(date, d.PAYSMADE > 0 ? static_cast<int>(d.PAYSMADE) : 0);
        d.NEXTDUEDATE[0] = date.month;
        d.NEXTDUEDATE[1] = date.day;
        d.NEXTDUEDATE[2] = date.year;
        return;
    }
    for (int c = 0; c < d.PAYSMADE; ++c) {
        if (step.count != talvero::common::DayCount::CursorMonth) {
            if (c > 0) talvero::common::advance_days(date, static_cast<int>(step.of(f)));
        } else if (c > 0) {
            if (firstOfMonth) {
                talvero::common::next_month(date);
                date.day = 1;
            } else {
                talvero::common::next_month_keep_day(date);
            }
        }
    }
    talvero::common::next_month(date);
    d.NEXTDUEDATE[0] = date.month;
    d.NEXTDUEDATE[1] = date.day;
    d.NEXTDUEDATE[2] = date.year;
}

} // namespace loan
