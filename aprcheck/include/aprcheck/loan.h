// The Appendix J check of a computed loan, on the payments its schedule shows.
//
// The stream's amounts are the schedule pass's payment rows (the Variant says regular or balloon
// term): each row's payment less its escrow parts (real-estate taxes, homeowner and other
// insurance), which pay no credit; the credit insurance premiums stay in. Payment k falls on the
// contract's k-th due date (due_date of FIRSTDUE, or today when it is empty, with FREQUENCY and
// SKPMONTH), not on the row's stepped date. The advance is the amount financed less the origination
// fees, which are prepaid finance charges: FINANCEAMT - FEEAMT. It is made on the loan date; without
// one, ODDDAYS before the first due date, or one unit-period before it when ODDDAYS is 0.
//
// The disclosed APR is REGZAPR; the disclosed finance charge is the engine's TOTALINTEREST plus the
// fees and the premiums the schedule charges.
#pragma once

#include "aprcheck/aprcheck.h"
#include "common/loanblock.h"
#include "schedule/schedule.h"

#include <optional>
#include <string>

namespace talvero::aprcheck {

struct LoanCheck {
    bool usable = false;
    std::string error; // why there is no verdict, when not usable
    Stream stream;
    UnitPeriod unit;
    Solution solution;
    Verdict verdict;
};

// The payments of the loan's schedule and the advance they repay.
Stream loan_stream(const common::LoanBlock& block, double schedpay, const schedule::Variant& variant,
                   std::optional<Date> today = std::nullopt, double* premiums = nullptr);

// The whole check; `disclosed_apr` replaces REGZAPR when given.
LoanCheck check_loan(const common::LoanBlock& block, double schedpay, const schedule::Variant& variant,
                     std::optional<Date> today = std::nullopt,
                     std::optional<double> disclosed_apr = std::nullopt);

// "Within tolerance" or "Outside tolerance", and "Regular" or "Irregular".
const char* verdict_text(const Verdict& v);
const char* transaction_text(const Verdict& v);

} // namespace talvero::aprcheck
