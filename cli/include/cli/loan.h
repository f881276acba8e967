// A loan as the command line gives it: fields named after the loan block, read from options or from a
// CSV row, computed through the engines' C entries, then checked against Appendix J.
#pragma once

#include "aprcheck/loan.h"
#include "common/calendar.h"
#include "common/loanblock.h"
#include "schedule/schedule.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvero::cli {

struct Loan {
    common::RegularBlock block;
    double BLPAY = 0;
    double FEEPCT = 0;                   // origination fee percent of ORGAMT, added to FEEAMT
    bool balloon = false;                // computed by the balloon engine
    std::optional<double> disclosed_apr; // REGZAPR as given; the engine's when absent
    bool odddays_given = false;
    bool financeamt_given = false;
    bool orgamt_given = false;
    bool termyears_given = false;
    bool frequency_given = false;
    std::string id; // LOAN: the caller's name for the loan, echoed back
};

// The conversions of the loan fields, for the options beside them: an error text, empty on success.
std::string read_number(std::string_view text, double& value);
std::string read_integer(std::string_view text, int& value);
std::string read_date(std::string_view text, common::Date& date); // "MMDDCCYY"

// The field names a loan takes, in the block's order, for --help.
std::string_view field_list();

// Sets one field by its name (upper or lower case). Returns an error text, empty on success: the
// conversion texts "'%s' is not a valid floating point value" / "... integer value", or an unknown
// name. Dates (FIRSTDUE, LOANDATE) are typed "MMDDCCYY".
std::string set_field(Loan& loan, std::string_view name, std::string_view value);

// Fills what the loan form derives (FINANCEAMT or ORGAMT, TERMYEARS, ODDDAYS, the premium bases and
// counts) and checks what the engines take for granted. Returns an error text, empty when the loan
// can be computed.
std::string prepare(Loan& loan);

// Reads loan options (--NAME=VALUE, --NAME VALUE, --balloon) and prepares the loan; false after
// writing the error to `err`. `computed` goes on to compute it.
bool read_options(const std::vector<std::string>& args, Loan& loan, std::ostream& err);
bool computed(const std::vector<std::string>& args, Loan& loan, std::ostream& err);

// Calls Tessera or Vaulter with the addresses of the loan's fields. Returns the engine's message
// when it refused the loan, empty otherwise.
std::string compute(Loan& loan);

// The schedule the program shows for the computed loan.
schedule::Variant variant(const Loan& loan);

// The Appendix J check of the computed loan.
aprcheck::LoanCheck check(const Loan& loan);

} // namespace talvero::cli
