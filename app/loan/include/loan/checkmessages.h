#pragma once
// The check messages the loan form and the balloon loan form share word for word.

namespace loan::checkmessages {

// clang-format off
inline constexpr const char* kLoanAmountNonNumeric = "Invalid Loan Amount entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kLoanAmountNotPositive = "Invalid Loan Amount entered!\nNegative or Zero Amount not allowed.\nPlease re-enter.";
inline constexpr const char* kLoanAmountTooLarge = "Invalid Loan Amount entered!\nAmount exceeds allowable value.\nPlease enter loan amount less than\n$1,000,000.00";
inline constexpr const char* kDownAmountNonNumeric = "Invalid Down Payment Amount entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kDownAmountTooLarge = "Invalid Down Payment Amount entered!\nAmount exceeds allowable value.\nPlease enter an amount less than\n$100,000.00";
inline constexpr const char* kDownPctNonNumeric = "Invalid Down Payment Percentage Rate entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kDownPctTooLarge = "Invalid Down Payment Percentage Rate entered!\nAmount exceeds allowable value.\nPlease enter a rate not greater than 49.99\n";
inline constexpr const char* kDownTotalTooLarge = "Invalid Down Payment factors entered!\nTotal down payment exceeds allowable value.\nPlease enter a percentage and an amount total\nthat will not exceed 50% of the loan value.\n";
inline constexpr const char* kFeeAmountNonNumeric = "Invalid Fee Amount entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kFeeAmountTooLarge = "Invalid fee Amount entered!\nAmount exceeds allowable value.\nPlease enter a fee amount less than\n$100,000.00";
inline constexpr const char* kFeePctNonNumeric = "Invalid Orig. Fee Percentage Rate entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kFeePctTooLarge = "Invalid Orig. Fee Percentage Rate entered!\nAmount exceeds allowable value.\nPlease enter a rate not greater than 49.99\n";
inline constexpr const char* kFeeTotalTooLarge = "Invalid Orig. fee factors entered!\nTotal Orig. fees exceed allowable value.\nPlease enter a percentage and an amount total\nthat will not exceed 50% of the loan value.\n";
inline constexpr const char* kFinancedTooLarge = "Invalid fee and down payment factors\nentered! Total Loan exceeds allowable\nvalue. Please enter factors that\nwhen added to the amount borrowed will\ntotal more than $1,000,000.00.\n";
inline constexpr const char* kAprNonNumeric = "Invalid Annual Percentage Rate entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kAprTooLarge = "Invalid Annual Percentage Rate entered!\nAmount exceeds allowable value.\nPlease enter a rate not greater than 49.99\n";
inline constexpr const char* kFinanceChargeNonNumeric = "Invalid Finance Charge entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kFinanceChargeTooLarge = "Invalid Finance Charge entered!\nAmount exceeds allowable value.\nPlease enter an amount less than\n$999,999.00";
inline constexpr const char* kNumPayNonNumeric = "Invalid Number of Payments entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kNumPayTooLarge = "Invalid Number of Payments entered!\nNumber exceeds allowable value.\nPlease enter a number less than\n100,000";
inline constexpr const char* kPaymentNonNumeric = "Invalid Scheduled Payment entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kPaymentTooLarge = "Invalid Scheduled Payment entered!\nAmount exceeds allowable value.\nPlease enter Payment less than\n$1,000,000.00";
inline constexpr const char* kPaymentNotBelowFinanced = "Invalid Scheduled Payment entered!\nPayment exceeds or equals loan amount.\nPlease enter a scheduled payment less\nthan the amount being borrowed.";
inline constexpr const char* kDsRateNonNumeric = "Invalid Disability Rate entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kDsRateTooLarge = "Invalid Disablity Rate entered!\nAmount exceeds allowable value.\nPlease enter a value less than 1.\n";
inline constexpr const char* kDsFreqNonNumeric = "Invalid Disability Insurance Frequency!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kDsFreqTooLarge = "Invalid Disablity Insurance Frequency!\nAmount exceeds allowable value.\nPlease enter a value not greater than 52.\n";
inline constexpr const char* kDsYearsNonNumeric = "Invalid Disability Insurance Years entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kDsFreqWithoutRate = "Disability Insurance Input Error!\nNo entry was made for one of the\nfollowing, or both:\n1. disability insurance rate\n2. disability insurance years\nPlease re-enter.";
inline constexpr const char* kDsYearsWithoutRate = "Disability Insurance Input Error!\nNo entry was made for one of the\nfollowing, or both:\n1. disability insurance rate\n2. disability insurance frequency\nPlease re-enter.";
inline constexpr const char* kDsRateWithoutYears = "Disability Insurance Input Error!\nNo entry was made for one of the\nfollowing or both:\n1. disability insurance years\n2. disability insurance frequency\nPlease re-enter.";
inline constexpr const char* kLfRateNonNumeric = "Invalid Life Rate entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kLfRateTooLarge = "Invalid Life Rate entered!\nAmount exceeds allowable value.\nPlease enter a value less than 1.\n";
inline constexpr const char* kLfFreqNonNumeric = "Invalid Life Insurance Frequency!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kLfFreqTooLarge = "Invalid Life Insurance Frequency!\nAmount exceeds allowable value.\nPlease enter a value not greater than 52.\n";
inline constexpr const char* kLfYearsNonNumeric = "Invalid Life Insurance Years entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kLfFreqWithoutRate = "Life Insurance Input Error!\nNo entry was made for one of the\nfollowing, or both:\n1. life insurance rate\n2. life insurance years\nPlease re-enter.";
inline constexpr const char* kLfYearsWithoutRate = "Life Insurance Input Error!\nNo entry was made for one of the\nfollowing, or both:\n1. life insurance rate\n2. life insurance frequency\nPlease re-enter.";
inline constexpr const char* kLfRateWithoutYears = "Life Insurance Input Error!\nNo entry was made for one of the\nfollowing or both:\n1. life insurance years\n2. life insurance frequency\nPlease re-enter.";
inline constexpr const char* kTaxesNonNumeric = "Invalid Tax Amount entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kTaxesTooLarge = "Invalid Tax Amount entered!\nAmount exceeds allowable value.\nPlease enter tax amount less than\n$100,000.00";
inline constexpr const char* kHoInsNonNumeric = "Invalid Home Owners Insurance\nentered! You entered a non numeric\nvalue. Please re-enter.";
inline constexpr const char* kHoInsTooLarge = "Invalid Home Owners Insurance\nentered. Amount exceeds allowable\nvalue. Please enter amount less\nthan $10,000.00";
inline constexpr const char* kOtInsNonNumeric = "Invalid Other Insurance\nentered! You entered a non numeric\nvalue. Please re-enter.";
inline constexpr const char* kOtInsTooLarge = "Invalid Other Insurance\nentered. Amount exceeds allowable\nvalue. Please enter amount less\nthan $10,000.00";
inline constexpr const char* kSkipMonthsNotDigits = "Input Error on skip months!\nYou entered a non numeric value, or\nmore than 3 digits.\nPlease re-enter.";
inline constexpr const char* kSkipMonthsTooLarge = "Skip months cannot exceed total\nnumber of payments on the loan!\nYou entered a value greater than\nthe total number of payments.\n\n";
inline constexpr const char* kFrequencyNonNumeric = "Invalid Loan Frequency entered!\nYou entered a non numeric value.\nPlease re-enter.";
inline constexpr const char* kFrequencyTooLarge = "Invalid Loan Frequency entered!\nAmount exceeds allowable value.\nPlease enter a loan frequency\nnot greater than 52.\n";
inline constexpr const char* kFirstDueBadForm = "Invalid First Due Date Entered!\nUse MMDDCCYY format--(8 digits total).\nDo not use spaces, slashes, etc.\nThe CENTURY must be included.\nBe sure month, day, and year are valid.\n\nPlease re-enter correctly.\n\nNOTE: A blank first due date is acceptable.\nThe maturity date is figured from today if\nleft blank.";
inline constexpr const char* kLoanDateBadForm = "Invalid Loan Date Entered!\nUse MMDDCCYY format--(8 digits total).\nDo not use spaces, slashes, etc.\nThe CENTURY must be included.\nBe sure month, day, and year are valid.\n\nPlease re-enter correctly.\n\nNOTE: A blank loan date is acceptable.\nTodays date will be used if this field\nis left blank.";
inline constexpr const char* kLoanDateAfterFirstDue = "Loan Date cannot be later than the\nfirst due date!\nPlease re-enter both dates correctly.\n\n";
inline constexpr const char* kDatesMoreThanTwoYears = "The difference between the loan date and\nthe first due date cannot be more than 2\nyears.  Please re-enter correctly.\n\n";
inline constexpr const char* kDatesMoreThanTerm = "The difference between the loan date and the\nfirst due date cannot be more than the loan\nterm.  Please re-enter both correctly.\n\n";
// clang-format on

} // namespace loan::checkmessages
