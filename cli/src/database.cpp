#include "cli/database.h"

#include "cli/commands.h"
#include "cli/loan.h"

#include "db/connection.h"
#include "db/error.h"
#include "invest/reports.h"
#include "loan/save.h"
#include "portfolio/reports.h"
#include "report/report.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryFile>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <ostream>
#include <sys/stat.h>

namespace talvero::cli {

namespace {

// clang-format off
const char* const kSaveHelp =
    "usage: talvero-cli save [--balloon] --NAME=VALUE ...\n"
    "\n"
    "Computes the loan as compute does and saves it to the loan database (alias IBLoan) as the\n"
    "payout window's Save does (the balloon payout window's for a balloon loan): one LOANSUMMARY row\n"
    "and one LOANDETAIL row per schedule row, in one transaction, dated today. Prints \"LOANNO n\",\n"
    "the new loan's number.\n"
    "\n"
    "Exit code: 0 saved; 1 the loan database cannot be used (nothing is saved); 2 wrong usage, bad\n"
    "loan options or a loan the engine refused.\n"
    "\n";

const char* const kReportHelp =
    "usage: talvero-cli report LOANNO --output FILE.pdf\n"
    "\n"
    "Writes the amortization report of the saved loan LOANNO as a PDF file: the report the loan\n"
    "portfolio's Report button previews, the balloon report for a loan saved with a balloon term.\n"
    "\n"
    "Exit code: 0 written; 1 the loan database, the loan or the output file cannot be used (no file\n"
    "is written); 2 wrong usage.\n";

const char* const kInvestReportHelp =
    "usage: talvero-cli invest-report summary|history --output FILE.pdf\n"
    "\n"
    "Writes one of the two reports of \"Run Report Menu\" over the investment database (alias\n"
    "IBInvest) as a PDF file: summary, the Investment Summary Report of every account with its\n"
    "composite totals; history, the Investment Transaction History with its column totals.\n"
    "\n"
    "Exit code: 0 written; 1 the investment database cannot be used or holds nothing to report, or\n"
    "the output file cannot be written (no file is written); 2 wrong usage.\n";
// clang-format on

bool wants_help(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

std::string text(const QString& s) {
    return s.toStdString();
}

// One positional argument and --output FILE (or --output=FILE); false after writing the error.
bool read_arguments(const std::vector<std::string>& args, const char* what, std::string& positional,
                    std::string& output, std::ostream& err) {
    bool have_positional = false;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (a == "--output") {
            if (k + 1 >= args.size()) {
                err << "talvero-cli: --output needs a file name\n";
                return false;
            }
            output = args[++k];
        } else if (a.rfind("--output=", 0) == 0) {
            output = a.substr(9);
        } else if (!have_positional && a.rfind("-", 0) != 0) {
            positional = a;
            have_positional = true;
        } else {
            err << "talvero-cli: unexpected argument '" << a << "'\n";
            return false;
        }
    }
    if (!have_positional) {
        err << "talvero-cli: " << what << " is missing\n";
        return false;
    }
    if (output.empty()) {
        err << "talvero-cli: --output FILE.pdf is missing\n";
        return false;
    }
    return true;
}

// A loan number: a whole number above 0.
std::optional<int> loan_number(const std::string& s) {
    if (s.empty() || s.size() > 10 || s.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const long long n = std::stoll(s);
    if (n < 1 || n > INT_MAX) return std::nullopt;
    return static_cast<int>(n);
}

mode_t file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::string write_pdf(const report::Renderer& renderer, const QString& path) {
    const QFileInfo target(path);
    if (target.isDir()) return "cannot write '" + text(path) + "': it is a folder";
    const QString folder = target.absolutePath();
    if (!QFileInfo(folder).isDir()) return "cannot write '" + text(path) + "': no folder " + text(folder);
    QTemporaryFile temp(
        QDir(folder).filePath(QStringLiteral(".") + target.fileName() + QStringLiteral(".XXXXXX")));
    if (!temp.open()) return "cannot write '" + text(path) + "': " + text(temp.errorString());
    temp.close();
    const QByteArray written = QFile::encodeName(temp.fileName());
    if (!renderer.writePdf(temp.fileName())) return "cannot write '" + text(path) + "'";
    // The finished file gets the permissions a new file of the user's gets, not the temporary's.
    if (::chmod(written.constData(), file_mode()) != 0 ||
        std::rename(written.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return "cannot write '" + text(path) + "': " + std::strerror(errno);
    temp.setAutoRemove(false);
    return {};
}

int save_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wants_help(args)) {
        out << kSaveHelp << loan_options_help();
        return 0;
    }
    Loan loan;
    if (!computed(args, loan, err)) return 2;
    // The payout windows save the block as the calculation left it, its PAYMENT as SCHEDPAY.
    const ::loan::LoanToSave toSave{loan.block, loan.block.PAYMENT, loan.FEEPCT, loan.balloon, loan.BLPAY};
    ::loan::SavedLoan saved;
    try {
        saved = ::loan::writeLoan(toSave);
    } catch (const db::Error& e) {
        err << "talvero-cli: the loan was not saved: " << text(e.message()) << '\n';
        return 1;
    }
    out << "LOANNO " << saved.LOANNO << '\n';
    return 0;
}

int report_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wants_help(args)) {
        out << kReportHelp;
        return 0;
    }
    std::string number, output;
    if (!read_arguments(args, "LOANNO", number, output, err)) return 2;
    const std::optional<int> loanNo = loan_number(number);
    if (!loanNo) {
        err << "talvero-cli: '" << number << "' is not a loan number (a whole number above 0)\n";
        return 2;
    }
    std::string error;
    try {
        db::Connection connection(db::Alias::IBLoan);
        portfolio::withLoanReport(connection, *loanNo, [&](const report::Renderer& renderer, bool hasRows) {
            if (!hasRows)
                error = "loan " + std::to_string(*loanNo) + " is not in the loan database";
            else
                error = write_pdf(renderer, QString::fromStdString(output));
        });
    } catch (const db::Error& e) {
        error = "the loan database cannot be read: " + text(e.message());
    }
    if (!error.empty()) {
        err << "talvero-cli: " << error << '\n';
        return 1;
    }
    return 0;
}

int invest_report_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wants_help(args)) {
        out << kInvestReportHelp;
        return 0;
    }
    std::string which, output;
    if (!read_arguments(args, "the report (summary or history)", which, output, err)) return 2;
    if (which != "summary" && which != "history") {
        err << "talvero-cli: unknown report '" << which << "' (summary or history)\n";
        return 2;
    }
    const bool summary = which == "summary";
    invest::ReportData data;
    try {
        // The rows are read in full and the database closed before the pages are drawn.
        db::Connection connection(db::Alias::IBInvest);
        data = summary ? invest::readSummaryReport(connection) : invest::readHistoryReport(connection);
    } catch (const db::Error& e) {
        err << "talvero-cli: the investment database cannot be read: " << text(e.message()) << '\n';
        return 1;
    }
    if (data.rows.isEmpty()) {
        err << "talvero-cli: the investment database has no " << (summary ? "accounts" : "transactions")
            << " to report\n";
        return 1;
    }
    if (const std::string error = write_pdf(invest::rendererFor(data), QString::fromStdString(output));
        !error.empty()) {
        err << "talvero-cli: " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace talvero::cli
