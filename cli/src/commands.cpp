#include "cli/commands.h"

#include "cli/alias.h"
#if TALVERO_CLI_DATABASE
#include "cli/chart.h"
#include "cli/database.h"
#endif
#include "cli/loan.h"

#include "common/calendar.h"
#include "schedule/csv.h"
#include "schedule/whatif.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace talvero::cli {

namespace {

// One "KEY value" line of a command's output, the key padded to `width`.
void key_line(std::ostream& out, int width, const char* name, const std::string& value) {
    char text[160];
    std::snprintf(text, sizeof text, "%-*s %s\n", width, name, value.c_str());
    out << text;
}

// clang-format off
const char* const kUsage =
    "usage: talvero-cli <command> [options]\n"
    "\n"
    "commands:\n"
    "  compute     compute a regular or balloon loan and print its results and the Appendix J check\n"
    "  schedule    print a computed loan's amortization schedule as CSV\n"
    "  whatif      pay extra principal on a computed loan: payments and interest saved\n"
    "  apr-check   check the disclosed APR of every loan in a CSV file against Appendix J\n"
    "  disclose    write a computed loan's Truth-in-Lending disclosure as a PDF file\n"
    "  alias       print where a database alias (IBLoan, IBInvest) points, without its password\n"
#if TALVERO_CLI_DATABASE
    "  save        compute a loan and save it to the loan database as the payout window's Save does\n"
    "  report      write the amortization report of a saved loan as a PDF file\n"
    "  invest-report\n"
    "              write the investment summary or transaction history report as a PDF file\n"
    "  invest-returns\n"
    "              print each investment account's value, money-weighted and time-weighted return,\n"
    "              or its realized gains by year\n"
    "  invest-import\n"
    "              import investment transactions from a CSV file, all rows or none\n"
    "  invest-export\n"
    "              write the investment transaction history or account list as CSV\n"
    "  chart       write a computed loan's amortization chart as an SVG or PNG file\n"
#endif
    "\n"
    "'talvero-cli <command> --help' describes each command.\n";

const char* const kLoanOptions =
    "Loan options are named after the loan block's fields, as --NAME=VALUE or --NAME VALUE:\n"
    "  FINANCEAMT APR NUMPAY PAYMENT DSRATE DSFREQ DSYEARS LFRATE LFFREQ LFYEARS TAXES SKPMONTH\n"
    "  FIRSTDUE INTMETHOD FREQUENCY HOINS OTINS TERMYEARS ODDDAYS LOANDATE ORGAMT FEEAMT FEEPCT\n"
    "  DOWNAMT TOTALINTEREST BLPAY\n"
    "Leave the one term to solve out or at 0 (PAYMENT, NUMPAY, APR, or APR with TOTALINTEREST).\n"
    "Dates are MMDDCCYY. FREQUENCY defaults to 12; FINANCEAMT = ORGAMT + FEEAMT - DOWNAMT when only\n"
    "ORGAMT is given; ODDDAYS is counted from LOANDATE to FIRSTDUE as the loan form counts it (day\n"
    "of year of FIRSTDUE - day of year of LOANDATE + 365 per year between them) when not given.\n"
    "FEEPCT (with ORGAMT) is the origination fee percent: FEEAMT becomes ORGAMT * FEEPCT / 100 + FEEAMT,\n"
    "as the fees dialog adds them.\n"
    "BLPAY (or --balloon) computes a balloon loan: BLPAY payments of a loan amortized over NUMPAY.\n";

const char* const kComputeHelp =
    "usage: talvero-cli compute [--balloon] --NAME=VALUE ...\n"
    "\n"
    "Computes the loan with the loan engine (the balloon engine for a balloon loan) and prints the\n"
    "results (PAYMENT NUMPAY [BLPAY] APR TERMYEARS TOTALINTEREST TOTALPRINCIPAL TOTALINSURANCE\n"
    "TOTALTAXES TOTALPAYOUT LASTPAY REGZAPR MATURITY), the derived inputs it passed to the engine\n"
    "(FINANCEAMT ODDDAYS DSPREM LFPREM), then the Appendix J check of the disclosed REGZAPR.\n"
    "\n";

const char* const kScheduleHelp =
    "usage: talvero-cli schedule [--balloon] --NAME=VALUE ...\n"
    "\n"
    "Computes the loan and prints its amortization schedule as CSV with the columns of the loan\n"
    "detail table: PAYDATE,INTAMT,PRINAMT,DSINS,LFINS,TAXES,HOINS,OTINS,PAYMENT,BALANCE, one row per\n"
    "payment, a \"TOTALS <year>\" row after each year and a \"GRAND TOTALS\" row (no BALANCE on totals).\n"
    "\n";

const char* const kWhatIfHelp =
    "usage: talvero-cli whatif [--balloon] --NAME=VALUE ... [--EXTRA=AMOUNT] [--EXTRAFROM=K]\n"
    "                          [--EXTRAEVERY=N] [--LUMP=MMDDCCYY:AMOUNT]... [--csv]\n"
    "\n"
    "Computes the loan, then pays extra principal with its payments: EXTRA with payment EXTRAFROM\n"
    "(default 1) and every EXTRAEVERY-th payment after it (default 1), and each LUMP with the payment\n"
    "due on its date or the first one due after it. The regular payment stays; the term shortens and\n"
    "the last payment is what is left. Interest follows the balance left (flags 0 and 6: the balance\n"
    "at the nominal rate, flag 7: the 365-day rule); the original figures are counted the same way.\n"
    "Prints PAYMENT NUMPAY NEWNUMPAY PAYMENTSSAVED TOTALINTEREST NEWTOTALINTEREST INTERESTSAVED\n"
    "MATURITY NEWMATURITY (the last payment dates), or with --csv the new schedule in the columns of\n"
    "the schedule command.\n"
    "\n";

const char* const kAprCheckHelp =
    "usage: talvero-cli apr-check [FILE] [--output FILE]\n"
    "\n"
    "Reads a CSV of loans (FILE, or standard input when FILE is missing or -). The first row names\n"
    "the columns: loan fields as for compute, REGZAPR for the disclosed APR (the engine's own figure\n"
    "when empty or absent) and an optional LOAN column that is echoed back. Each loan is computed and\n"
    "its disclosed APR checked against the actuarial APR of Regulation Z, Appendix J: within 1/8 of a\n"
    "percentage point for a regular transaction, 1/4 for an irregular one.\n"
    "\n"
    "Writes one CSV row per loan:\n"
    "  ROW,LOAN,TRANSACTION,TOLERANCE,DISCLOSED,ACTUARIAL,DIFFERENCE,VERDICT,FINANCECHARGE,DISCLOSEDFC,FCVERDICT\n"
    "Rows are numbered as in a spreadsheet, the header being row 1. A row that cannot be read or\n"
    "computed is reported on standard error with its number and skipped.\n"
    "\n"
    "Exit code: 0 every loan within tolerance; 1 at least one outside; 3 rows were skipped (and none\n"
    "outside); 2 wrong usage or an unreadable file.\n";
// clang-format on

bool wants_help(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

std::string format(const char* f, double v) {
    char text[64];
    std::snprintf(text, sizeof text, f, v);
    return text;
}

// A difference that rounds to nothing is shown as 0.000, never "-0.000".
double shown_difference(double v) {
    return std::fabs(v) < 0.0005 ? 0.0 : v;
}

std::string date_text(const int d[3]) {
    return common::date_text({d[0], d[1], d[2]});
}

// Splits one CSV line; fields may be quoted with "" for a quote inside. False on an open quote.
bool split_csv(const std::string& line, std::vector<std::string>& fields) {
    fields.clear();
    std::string field;
    bool quoted = false;
    for (std::size_t k = 0; k < line.size(); ++k) {
        const char c = line[k];
        if (quoted) {
            if (c == '"' && k + 1 < line.size() && line[k + 1] == '"') {
                field += '"';
                ++k;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.push_back(field);
            field.clear();
        } else if (c != '\r') {
            field += c;
        }
    }
    fields.push_back(field);
    return !quoted;
}

std::string csv_field(const std::string& s) {
    if (s.find_first_of(",\"\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + '"';
}

bool blank(const std::string& s) {
    return s.find_first_not_of(" \t\r") == std::string::npos;
}

// Reads the CSV row by row: `loan_fn(row, loan)` for each row that gives a computed loan,
// `error_fn(row, text)` for the others. Returns false when the header is unusable.
template <class LoanFn, class ErrorFn>
bool each_loan(std::istream& csv, std::string& header_error, LoanFn&& loan_fn, ErrorFn&& error_fn) {
    std::string line;
    std::vector<std::string> header, fields;
    long row = 0;
    while (std::getline(csv, line)) {
        ++row;
        if (!blank(line)) break;
    }
    if (blank(line)) {
        header_error = "the CSV has no header row";
        return false;
    }
    if (!split_csv(line, header)) {
        header_error = "the header row has an open quote";
        return false;
    }
    {
        Loan probe;
        for (const std::string& h : header)
            if (std::string e = set_field(probe, h, "0"); e.rfind("unknown", 0) == 0) {
                header_error = "the header names an " + e;
                return false;
            }
    }
    while (std::getline(csv, line)) {
        ++row;
        if (blank(line)) continue;
        if (!split_csv(line, fields)) {
            error_fn(row, "a field has an open quote");
            continue;
        }
        if (fields.size() != header.size()) {
            error_fn(row, std::to_string(fields.size()) + " fields where the header has " +
                              std::to_string(header.size()));
            continue;
        }
        Loan loan;
        std::string error;
        for (std::size_t k = 0; k < fields.size() && error.empty(); ++k) {
            if (blank(fields[k])) continue; // an empty field leaves the field at 0
            if (std::string e = set_field(loan, header[k], fields[k]); !e.empty())
                error = header[k] + ": " + e;
        }
        if (error.empty()) error = prepare(loan);
        if (error.empty()) error = compute(loan);
        if (!error.empty()) {
            error_fn(row, error);
            continue;
        }
        loan_fn(row, loan);
    }
    return true;
}

} // namespace

const char* loan_options_help() {
    return kLoanOptions;
}

bool computed_loan(const std::vector<std::string>& args, Loan& loan, std::ostream& err) {
    return computed(args, loan, err);
}

int compute_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wants_help(args)) {
        out << kComputeHelp << kLoanOptions;
        return 0;
    }
    Loan loan;
    if (!read_options(args, loan, err)) return 2;
    const common::RegularBlock passed = loan.block; // as the engine gets it
    if (const std::string e = compute(loan); !e.empty()) {
        err << "talvero-cli: " << e << '\n';
        return 2;
    }
    const common::RegularBlock& b = loan.block;
    auto line = [&](const char* name, const std::string& value) { key_line(out, 15, name, value); };
    line("PAYMENT", format("%.2f", b.PAYMENT));
    line("NUMPAY", format("%.2f", b.NUMPAY));
    if (loan.balloon) line("BLPAY", format("%.0f", loan.BLPAY));
    line("APR", format("%.3f", b.APR));
    line("TERMYEARS", format("%.2f", b.TERMYEARS));
    line("TOTALINTEREST", format("%.2f", b.TOTALINTEREST));
    line("TOTALPRINCIPAL", format("%.2f", b.TOTALPRINCIPAL));
    line("TOTALINSURANCE", format("%.2f", b.TOTALINSURANCE));
    line("TOTALTAXES", format("%.2f", b.TOTALTAXES));
    line("TOTALPAYOUT", format("%.2f", b.TOTALPAYOUT));
    line("LASTPAY", format("%.2f", b.LASTPAY));
    line("REGZAPR", format("%.3f", b.REGZAPR));
    line("MATURITY", date_text(b.MATURITY));
    out << "Derived inputs\n";
    line("FINANCEAMT", format("%.2f", passed.FINANCEAMT));
    line("ODDDAYS", std::to_string(passed.ODDDAYS));
    line("DSPREM", format("%.2f", passed.DSPREM));
    line("LFPREM", format("%.2f", passed.LFPREM));
    out << "Appendix J check\n";
    const aprcheck::LoanCheck c = check(loan);
    if (!c.usable) {
        line("VERDICT", "no verdict: " + c.error);
        return 0;
    }
    const aprcheck::Verdict& v = c.verdict;
    line("UNITPERIOD", aprcheck::describe(c.unit));
    line("ACTUARIAL", format("%.3f", v.actuarial));
    line("TRANSACTION", aprcheck::transaction_text(v));
    line("TOLERANCE", format("%.3f", v.tolerance));
    line("DIFFERENCE", format("%.3f", shown_difference(v.difference)));
    line("VERDICT", aprcheck::verdict_text(v));
    line("FINANCECHARGE", format("%.2f", v.finance_charge));
    line("DISCLOSEDFC", format("%.2f", v.disclosed_finance_charge));
    line("FCVERDICT", v.finance_charge_within ? "Within tolerance" : "Outside tolerance");
    return 0;
}

int schedule_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wants_help(args)) {
        out << kScheduleHelp << kLoanOptions;
        return 0;
    }
    Loan loan;
    if (!computed(args, loan, err)) return 2;
    schedule::Pass pass(loan.block, loan.block.PAYMENT, variant(loan));
    schedule::write_csv(pass, out);
    return 0;
}

int whatif_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wants_help(args)) {
        out << kWhatIfHelp << kLoanOptions;
        return 0;
    }
    schedule::ExtraPrincipal extra;
    bool csv = false;
    std::vector<std::string> loan_args;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (a == "--csv") {
            csv = true;
            continue;
        }
        std::string name = a.rfind("--", 0) == 0 ? a.substr(2) : std::string(), value;
        bool inline_value = false;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            inline_value = true;
        }
        const bool ours = name == "EXTRA" || name == "EXTRAFROM" || name == "EXTRAEVERY" || name == "LUMP";
        if (!ours) {
            loan_args.push_back(a);
            continue;
        }
        if (!inline_value) {
            if (k + 1 >= args.size()) {
                err << "talvero-cli: --" << name << " needs a value\n";
                return 2;
            }
            value = args[++k];
        }
        std::string e;
        if (name == "EXTRA") {
            e = read_number(value, extra.amount);
        } else if (name == "EXTRAFROM" || name == "EXTRAEVERY") {
            int n = 0;
            e = read_integer(value, n);
            (name == "EXTRAFROM" ? extra.from : extra.every) = n;
        } else {
            const auto colon = value.find(':');
            schedule::Lump lump;
            if (colon == std::string::npos)
                e = "'" + value + "' is not a date and an amount (MMDDCCYY:AMOUNT)";
            else if (e = read_date(value.substr(0, colon), lump.date); e.empty())
                e = read_number(value.substr(colon + 1), lump.amount);
            extra.lumps.push_back(lump);
        }
        if (!e.empty()) {
            err << "talvero-cli: --" << name << ": " << e << '\n';
            return 2;
        }
    }
    Loan loan;
    if (!computed(loan_args, loan, err)) return 2;
    const schedule::WhatIf w = schedule::what_if(loan.block, loan.block.PAYMENT, variant(loan), extra);
    if (!w.ok()) {
        err << "talvero-cli: " << w.error << '\n';
        return 2;
    }
    if (csv) {
        schedule::Pass pass(loan.block, loan.block.PAYMENT, w.variant);
        schedule::write_csv(pass, out);
        return 0;
    }
    auto line = [&](const char* name, const std::string& value) { key_line(out, 16, name, value); };
    line("PAYMENT", format("%.2f", w.PAYMENT));
    line("NUMPAY", format("%.0f", w.NUMPAY));
    line("NEWNUMPAY", format("%.0f", w.NEWNUMPAY));
    line("PAYMENTSSAVED", format("%.0f", w.PAYMENTSSAVED));
    line("TOTALINTEREST", format("%.2f", w.TOTALINTEREST));
    line("NEWTOTALINTEREST", format("%.2f", w.NEWTOTALINTEREST));
    line("INTERESTSAVED", format("%.2f", w.INTERESTSAVED));
    line("MATURITY", common::date_text(w.MATURITY));
    line("NEWMATURITY", common::date_text(w.NEWMATURITY));
    return 0;
}

CheckTotals apr_check(std::istream& csv, std::ostream& out, std::ostream& err) {
    CheckTotals totals;
    out << "ROW,LOAN,TRANSACTION,TOLERANCE,DISCLOSED,ACTUARIAL,DIFFERENCE,VERDICT,FINANCECHARGE,DISCLOSEDFC,"
           "FCVERDICT\n";
    std::string header_error;
    auto report = [&](long row, const std::string& text) {
        err << "row " << row << ": " << text << " (skipped)\n";
        ++totals.skipped;
    };
    const bool read = each_loan(
        csv, header_error,
        [&](long row, const Loan& loan) {
            const aprcheck::LoanCheck c = check(loan);
            if (!c.usable) {
                report(row, "no Appendix J rate: " + c.error);
                return;
            }
            const aprcheck::Verdict& v = c.verdict;
            ++totals.checked;
            if (!v.within) ++totals.outside;
            char text[400];
            std::snprintf(text, sizeof text, "%ld,%s,%s,%.3f,%.3f,%.3f,%.3f,%s,%.2f,%.2f,%s\n", row,
                          csv_field(loan.id).c_str(), aprcheck::transaction_text(v), v.tolerance, v.disclosed,
                          v.actuarial, shown_difference(v.difference), aprcheck::verdict_text(v),
                          v.finance_charge, v.disclosed_finance_charge,
                          v.finance_charge_within ? "Within tolerance" : "Outside tolerance");
            out << text;
        },
        report);
    if (!read) {
        err << "talvero-cli: " << header_error << '\n';
        totals.skipped = -1;
    }
    return totals;
}

long compute_only(std::istream& csv) {
    long n = 0;
    std::string header_error;
    each_loan(
        csv, header_error, [&](long, const Loan&) { ++n; }, [](long, const std::string&) {});
    return n;
}

int apr_check_command(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err) {
    if (wants_help(args)) {
        out << kAprCheckHelp;
        return 0;
    }
    std::string input = "-", output;
    bool have_input = false;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (a == "--output" || a.rfind("--output=", 0) == 0) {
            if (a == "--output") {
                if (k + 1 >= args.size()) {
                    err << "talvero-cli: --output needs a file name\n";
                    return 2;
                }
                output = args[++k];
            } else {
                output = a.substr(9);
            }
        } else if (!have_input && (a == "-" || a.rfind("-", 0) != 0)) {
            input = a;
            have_input = true;
        } else {
            err << "talvero-cli: unexpected argument '" << a << "'\n";
            return 2;
        }
    }
    std::ifstream file;
    if (input != "-") {
        file.open(input);
        if (!file) {
            err << "talvero-cli: cannot read '" << input << "'\n";
            return 2;
        }
    }
    std::ofstream outfile;
    if (!output.empty()) {
        outfile.open(output);
        if (!outfile) {
            err << "talvero-cli: cannot write '" << output << "'\n";
            return 2;
        }
    }
    const CheckTotals t = apr_check(input == "-" ? in : file, output.empty() ? out : outfile, err);
    if (t.skipped < 0) return 2;
    err << t.checked << " loans checked, " << t.outside << " outside tolerance, " << t.skipped
        << " rows skipped\n";
    if (t.outside > 0) return 1;
    return t.skipped > 0 ? 3 : 0;
}

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return 2;
    }
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return 0;
    }
    if (command == "compute") return compute_command(rest, out, err);
    if (command == "schedule") return schedule_command(rest, out, err);
    if (command == "whatif") return whatif_command(rest, out, err);
    if (command == "apr-check") return apr_check_command(rest, in, out, err);
    if (command == "alias") return alias_command(rest, out, err);
#if TALVERO_CLI_DATABASE
    if (command == "save") return save_command(rest, out, err);
    if (command == "report") return report_command(rest, out, err);
    if (command == "invest-report") return invest_report_command(rest, out, err);
    if (command == "invest-returns") return invest_returns_command(rest, out, err);
    if (command == "invest-import") return invest_import_command(rest, out, err);
    if (command == "invest-export") return invest_export_command(rest, out, err);
    if (command == "chart") return chart_command(rest, out, err);
#endif
    err << "talvero-cli: unknown command '" << command << "'\n" << kUsage;
    return 2;
}

} // namespace talvero::cli
