// The commands of talvero-cli that use the program's databases through their aliases (IBLoan,
// IBInvest in the data folder): save a loan as the payout windows' Save does, and write the reports
// the portfolio's Report button and "Run Report Menu" preview, as PDF files.
//
// Exit code: 0 done; 1 the database, the loan or the output file cannot be used (the reason on
// `err`, no file written); 2 wrong usage, bad loan options, or a loan the engine refused.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

class QString;

namespace report {
class Renderer;
}

namespace talvero::cli {

// save [--balloon] [loan options]: computes the loan, writes it in one transaction and prints
// "LOANNO n".
int save_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// report LOANNO --output FILE.pdf: the regular or balloon report of the saved loan.
int report_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// invest-report summary|history --output FILE.pdf: the investment summary or transaction history.
int invest_report_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// invest-returns [--as-of MMDDCCYY] [--csv] [--gains]: each account's value, XIRR and TTWROR, or
// with --gains its realized gains by year (average cost and FIFO).
int invest_returns_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// invest-import FILE.csv [--dry-run]: the rows in one transaction, or every refused row on `err`
// (exit 3) and nothing written.
int invest_import_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// invest-export history|accounts [--account ACTNO] [--output FILE.csv]: CSV in the import's columns.
int invest_export_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Writes the report to `path` through a temporary file in the same folder, renamed over `path` once
// complete, so a failure leaves no file (and an existing one as it was). Returns an error text, empty
// on success.
std::string write_pdf(const report::Renderer& renderer, const QString& path);

} // namespace talvero::cli
