// The commands of talvero-cli: compute, schedule, whatif, apr-check, alias (in cli/alias.h) and
// save, report, invest-report (in cli/database.h). Each takes its arguments (without the program
// and command names) and its streams, and returns the exit code.
//
//   0  done; apr-check: every loan within tolerance
//   1  apr-check: at least one loan's disclosed APR is outside its tolerance; alias: the alias or
//      the data folder cannot be used; save, report, invest-report: the database, the loan or the
//      output file cannot be used
//   2  wrong usage, unreadable file, a loan the engine refused (compute, schedule, whatif), or extra
//      payments the loan cannot take (whatif)
//   3  apr-check: rows were skipped for bad input, and none was outside tolerance
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace talvero::cli {

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// The loan options' part of the help of compute, schedule and save.
const char* loan_options_help();

int compute_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int schedule_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int whatif_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Reads the loan options (as compute takes them) and computes the loan; false after writing why.
struct Loan;
bool computed_loan(const std::vector<std::string>& args, Loan& loan, std::ostream& err);

int apr_check_command(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err);

// apr-check on a stream of CSV: one verdict row per loan on `out`, bad rows on `err`.
struct CheckTotals {
    long checked = 0;
    long outside = 0;
    long skipped = 0;
};
CheckTotals apr_check(std::istream& csv, std::ostream& out, std::ostream& err);
// The same loans read and computed, without the check and without output: the baseline of the
// benchmark. Returns the number of loans computed.
long compute_only(std::istream& csv);

} // namespace talvero::cli
