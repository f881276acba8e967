#pragma once
// The loan form's input checks and the payoff arithmetic, over values already read from the form.
// Each check function returns the message of the first failing check, or nullptr when all pass.

#include "loan/loandata.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace loan {

// Only digits, decimal points and blanks (an empty text passes). `decimalPoints` lists what the
// program's conversion takes as the decimal point: "." alone, or the user's separator.
bool isNumericText(std::string_view text, const std::vector<std::string>& decimalPoints = {"."});
// Empty, or MMDDCCYY: 8 digits, month 01-12, day 01-31, year not starting with 0 and below 9999.
// The month's length plays no part.
bool isValidDateText(std::string_view text);

// Month 1..12 of `year`, leap years by the usual rule.
int monthLength(int month, int year);
// The day plus the lengths of the earlier months of that year.
int dayOfYear(int month, int day, int year);

// Month, day and year cut from a typed date (characters 1-2, 3-4, 5-8); leniently read, so a bad
// text gives parts the date check refuses later.
void readDateParts(std::string_view text, int parts[3]);
// Copies at most 10 characters of `text` into an 11-character buffer.
void storeDateText(std::string_view text, char (&buffer)[11]);

// The texts the checks look at: the active page's (nullopt where the page has no edit for the value:
// its character check passes), the dialogs' current texts and the decimal points they may hold.
struct CheckTexts : DialogTexts {
    std::optional<std::string> loanAmount, apr, financeCharge, numPay, payment;
    std::optional<std::string> skipMonths, frequency, firstDue, loanDate;
    std::vector<std::string> decimalPoints{"."}; // as isNumericText takes them
};

// Checks 1-31, the insurance checks, the annual fee checks and checks 32-42, in that order. Sets
// DOWNAMT, FEEAMT and FINANCEAMT on the way, stores the first due text in FIRSTDUE, clears SKPMONTH
// or INTMETHOD when they are refused, and sets ODDDAYS when everything passes.
const char* checkLoanInputs(LoanData& data, const CheckTexts& texts);

// Checks 1-9 of a payoff, on the values the Calc Payoff page put into `data`.
const char* checkPayoffInputs(const LoanData& data, std::string_view payoffDateText);

// Days from today (TODAYDATE) to the payoff date.
int daysToPayoff(const LoanData& data);
// PAYOFFPER and PAYOFFDAYS from the days to the payoff date and the loan's frequency.
void setPayoffPeriod(LoanData& data, int days);
// NEXTDUEDATE: the first due date (`today` when FIRSTDUE is empty) moved by the skip months, stepped
// once per payment made, then one month on.
void setNextDueDate(LoanData& data, const int today[3]);

} // namespace loan
