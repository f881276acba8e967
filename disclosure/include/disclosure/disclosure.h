// The Truth-in-Lending disclosure of a computed loan (Regulation Z, section 1026.18, in the words of
// the Appendix H model forms H-2, H-3 and H-4(J)), as plain figures and texts; no Qt.
//
//   Inputs in;                                   // names, statements, itemization, the date
//   Disclosure d = disclose(block, ERRFLAG, schedpay, variant, today, in);
//   if (!d.usable) show(d.error);
//
// Every figure follows from the payment stream of the Appendix J check (aprcheck/loan.h), each
// payment rounded to the cent as the borrower pays it:
//   Amount Financed     the advance: FINANCEAMT - FEEAMT
//   Total of Payments   the sum of the payments, escrow left out
//   FINANCE CHARGE      Total of Payments - Amount Financed: interest, the origination fees
//                       (prepaid finance charge) and the credit insurance premiums the schedule charges
//   ANNUAL PERCENTAGE RATE  the actuarial APR of Appendix J for those payments, to two decimals
#pragma once

#include "aprcheck/loan.h"
#include "common/calendar.h"
#include "common/loanblock.h"
#include "schedule/schedule.h"

#include <optional>
#include <string>
#include <vector>

namespace talvero::disclosure {

using common::Date;

// The statements the loan officer may edit; the defaults are the model form's clauses.
struct Statements {
    std::string security = "You are giving a security interest in the goods or property being purchased.";
    std::string late_charge =
        "If a payment is more than 10 days late, you will be charged 5% of the payment.";
    std::string prepayment; // empty: the default for the loan's interest method (prepayment_default)
};

struct OtherPayee {
    std::string name;
    double amount = 0;
};

struct Inputs {
    std::string creditor;         // name
    std::string creditor_address; // lines separated by '\n'
    std::string borrower;
    std::optional<Date> date; // the disclosure's date; today when absent
    Statements statements;
    // The itemization of the Amount Financed, or the statement of the right to receive one.
    bool itemize = true;
    double paid_on_account = 0;
    std::vector<OtherPayee> paid_to_others;
};

// "If you pay off early, ...": a simple-interest loan owes no penalty; under the rule of 78's
// (interest flags 6 and 7) part of the precomputed finance charge is refunded.
std::string prepayment_default(int intmethod);

// Payments of one amount due one payment period apart.
struct Run {
    long count = 0;
    double amount = 0;
    Date first;
    bool balloon = false; // the final balloon payment
    std::string when;     // "Monthly beginning 02/01/2024", or the date of a single payment
};

// "Monthly", "Semimonthly", "Weekly", "Every 2 weeks", "Quarterly", "Yearly", ..., for FREQUENCY.
std::string frequency_word(double frequency);

// The runs of equal payments (to the cent) of a stream whose payments fall one period apart; with
// `last_is_balloon` (a balloon term) the last payment is the balloon when it is more than twice the
// one before it.
std::vector<Run> payment_runs(const std::vector<aprcheck::Payment>& payments, double frequency,
                              bool last_is_balloon);

struct ItemLine {
    std::string text;
    double amount = 0;
};

struct Disclosure {
    bool usable = false;
    std::string error; // why there is no disclosure, when not usable

    std::string creditor, creditor_address, borrower;
    Date date;

    double apr = 0; // percent, rounded to two decimals
    double finance_charge = 0;
    double amount_financed = 0;
    double total_of_payments = 0;
    // Estimates: without a loan date or a first due date the days, and with them the interest and
    // the rate, rest on assumed dates.
    bool estimated = false;

    std::vector<Run> schedule;
    bool balloon = false;
    double escrow_per_payment = 0; // taxes, homeowner and other insurance with each payment (estimates)

    double prepaid_finance_charge = 0; // FEEAMT
    double amount_requested = 0;       // ORGAMT
    double down_payment = 0;           // DOWNAMT
    bool itemize = true;
    double given_directly = 0;
    double paid_on_account = 0;
    std::vector<OtherPayee> paid_to_others;

    double life_premium = 0; // credit life premiums the schedule charges
    double disability_premium = 0;

    Statements statements; // with the prepayment default filled in

    // The Appendix J check of the engine's REGZAPR; the examiner's page is due when it fails.
    aprcheck::LoanCheck check;
    bool examiner_page = false;
};

// The disclosure of the loan as its last calculation left it (`errflag` its ERRFLAG: 1 = refused), on
// the schedule `variant`.
Disclosure disclose(const common::LoanBlock& block, int errflag, double schedpay,
                    const schedule::Variant& variant, std::optional<Date> today, const Inputs& inputs);

// "$#,##0.00" and "0.00%", and `decimals` fixed decimals: a US document, whatever the user's locale.
std::string money(double amount);
std::string percent(double rate);
std::string fixed(double value, int decimals);

} // namespace talvero::disclosure
