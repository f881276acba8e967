#include "cli/database.h"

#include "cli/commands.h"
#include "cli/loan.h"

#include "db/connection.h"
#include "db/error.h"
#include "invest/reports.h"
#include "invest/returns.h"
#include "invest/transfer.h"
#include "loan/save.h"
#include "portfolio/reports.h"
#include "report/report.h"
#include "ui/today.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

const char* const kInvestReturnsHelp =
    "usage: talvero-cli invest-returns [--as-of MMDDCCYY] [--csv] [--gains]\n"
    "\n"
    "Prints one row per account of the investment database (alias IBInvest): ACTNO, NAME, VALUE (shares\n"
    "x price at the as-of date), XIRR (the money-weighted return per year) and TTWROR (the true\n"
    "time-weighted return over the whole time), rates as fractions with 6 decimals, or n/a where there\n"
    "is none (no money both in and out). Without --csv a last row gives all accounts together. The\n"
    "as-of date defaults to today; line items after it play no part.\n"
    "\n"
    "--gains prints the realized gains instead: one row per account and calendar year with sales,\n"
    "ACTNO, YEAR, AVERAGE (the proceeds less the average cost of the shares sold, as the tracker keeps\n"
    "it) and FIFO (less the cost of the oldest shares first), in dollars with 2 decimals.\n"
    "\n"
    "Exit code: 0 printed; 1 the investment database cannot be used; 2 wrong usage.\n";

const char* const kInvestImportHelp =
    "usage: talvero-cli invest-import FILE.csv [--dry-run]\n"
    "\n"
    "Imports transactions into the investment database (alias IBInvest). The header is\n"
    "ACTNO,NAME,DATE,TYPE,SHARES,PRICE,COMMISSION,FEE,DIVIDEND; DATE is MMDDCCYY; TYPE N opens an\n"
    "account as the add form does (NAME required, its balance SHARES x PRICE, blank when both are 0),\n"
    "B C D F S U post as the posting form does, R revalues to PRICE as the revaluation form's Post\n"
    "does. Each row passes its form's checks; an empty amount is 0. The file is one transaction: when\n"
    "any row is refused nothing is written and every refused row is listed as \"row N: message\" (the\n"
    "header is row 1). --dry-run checks every row and writes nothing.\n"
    "\n"
    "Exit code: 0 imported (or, with --dry-run, every row passed); 1 the investment database cannot be\n"
    "used; 2 wrong usage or an unreadable file; 3 rows refused (nothing written).\n";

const char* const kInvestExportHelp =
    "usage: talvero-cli invest-export history|accounts [--account ACTNO] [--output FILE.csv]\n"
    "\n"
    "Writes the investment database's transaction history (every line item, or one account's with\n"
    "--account) or its account list (one opening row per account: its shares at its current price) as\n"
    "CSV in the columns invest-import reads, to FILE.csv or the standard output. An exported history\n"
    "imports into an empty database as the same accounts and line items.\n"
    "\n"
    "Exit code: 0 written; 1 the investment database or the output file cannot be used; 2 wrong usage.\n";
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

namespace {

invest::Date todayDate() {
    const QDate d = ui::today();
    return {d.month(), d.day(), d.year()};
}

std::string padded(const QString& s, int width, bool right) {
    QString t = s;
    return (right ? t.rightJustified(width) : t.leftJustified(width)).toStdString();
}

} // namespace

int invest_returns_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wants_help(args)) {
        out << kInvestReturnsHelp;
        return 0;
    }
    bool csv = false, gains = false;
    invest::Date asOf = todayDate();
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        std::string date;
        if (a == "--csv") {
            csv = true;
            continue;
        }
        if (a == "--gains") {
            gains = true;
            continue;
        }
        if (a == "--as-of") {
            if (k + 1 >= args.size()) {
                err << "talvero-cli: --as-of needs a date (MMDDCCYY)\n";
                return 2;
            }
            date = args[++k];
        } else if (a.rfind("--as-of=", 0) == 0) {
            date = a.substr(8);
        } else {
            err << "talvero-cli: unexpected argument '" << a << "'\n";
            return 2;
        }
        const QString text = QString::fromStdString(date);
        if (text.isEmpty() || !invest::isValidDateText(text)) {
            err << "talvero-cli: '" << date << "' is not a date (MMDDCCYY)\n";
            return 2;
        }
        asOf = invest::readDate(text, asOf);
    }
    std::vector<invest::AccountHistory> histories;
    try {
        db::Connection connection(db::Alias::IBInvest);
        histories = invest::readHistories(connection);
    } catch (const db::Error& e) {
        err << "talvero-cli: the investment database cannot be read: " << text(e.message()) << '\n';
        return 1;
    }
    if (gains) {
        if (csv)
            out << "ACTNO,YEAR,AVERAGE,FIFO\n";
        else
            out << padded(QStringLiteral("ACTNO"), 8, true) << "  " << padded(QStringLiteral("YEAR"), 4, true)
                << "  " << padded(QStringLiteral("AVERAGE"), 16, true) << "  "
                << padded(QStringLiteral("FIFO"), 16, true) << '\n';
        for (const invest::AccountHistory& h : histories) {
            for (const auto& [year, g] : invest::returnsOf({h}, asOf).gains) {
                const QStringList cells{QString::number(h.account.ACTNO), QString::number(year),
                                        QString::asprintf("%.2f", g.averageCost),
                                        QString::asprintf("%.2f", g.fifo)};
                if (csv)
                    out << text(cells.join(QLatin1Char(','))) << '\n';
                else
                    out << padded(cells[0], 8, true) << "  " << padded(cells[1], 4, true) << "  "
                        << padded(cells[2], 16, true) << "  " << padded(cells[3], 16, true) << '\n';
            }
        }
        return 0;
    }
    if (csv)
        out << "ACTNO,NAME,VALUE,XIRR,TTWROR\n";
    else
        out << padded(QStringLiteral("ACTNO"), 8, true) << "  " << padded(QStringLiteral("NAME"), 20, false)
            << "  " << padded(QStringLiteral("VALUE"), 16, true) << "  "
            << padded(QStringLiteral("XIRR"), 12, true) << "  " << padded(QStringLiteral("TTWROR"), 12, true)
            << '\n';
    const auto row = [&](const QString& actno, const QString& name, const invest::Returns& r) {
        const QString value = QString::asprintf("%.2f", r.value);
        if (csv) {
            QString quotedName = name;
            if (name.contains(QLatin1Char(',')) || name.contains(QLatin1Char('"')))
                quotedName = QLatin1Char('"') +
                             QString(name).replace(QLatin1String("\""), QLatin1String("\"\"")) +
                             QLatin1Char('"');
            out << text(QStringList{actno, quotedName, value, invest::rateText(r.xirr),
                                    invest::rateText(r.ttwror)}
                            .join(QLatin1Char(',')))
                << '\n';
        } else {
            out << padded(actno, 8, true) << "  " << padded(name, 20, false) << "  "
                << padded(value, 16, true) << "  " << padded(invest::rateText(r.xirr), 12, true) << "  "
                << padded(invest::rateText(r.ttwror), 12, true) << '\n';
        }
    };
    for (const invest::AccountHistory& h : histories)
        row(QString::number(h.account.ACTNO), h.account.NAME.trimmed(), invest::returnsOf({h}, asOf));
    if (!csv && !histories.empty())
        row(QString(), QStringLiteral("All accounts"), invest::returnsOf(histories, asOf));
    return 0;
}

int invest_import_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wants_help(args)) {
        out << kInvestImportHelp;
        return 0;
    }
    std::string file;
    bool dryRun = false;
    for (const std::string& a : args) {
        if (a == "--dry-run") {
            dryRun = true;
        } else if (file.empty() && a.rfind("-", 0) != 0) {
            file = a;
        } else {
            err << "talvero-cli: unexpected argument '" << a << "'\n";
            return 2;
        }
    }
    if (file.empty()) {
        err << "talvero-cli: FILE.csv is missing\n";
        return 2;
    }
    QFile input(QString::fromStdString(file));
    if (!input.open(QIODevice::ReadOnly)) {
        err << "talvero-cli: cannot read '" << file << "': " << text(input.errorString()) << '\n';
        return 2;
    }
    const QString csv = QString::fromUtf8(input.readAll());
    invest::ImportResult result;
    try {
        db::Connection connection(db::Alias::IBInvest);
        result = invest::importCsv(connection, csv, todayDate(), !dryRun);
    } catch (const db::Error& e) {
        err << "talvero-cli: the investment database cannot be used (nothing is written): "
            << text(e.message()) << '\n';
        return 1;
    }
    if (!result.refused.isEmpty()) {
        for (const QString& r : result.refused)
            err << text(r) << '\n';
        err << "talvero-cli: " << result.refused.size() << (result.refused.size() == 1 ? " row" : " rows")
            << " refused; nothing is written\n";
        return 3;
    }
    if (dryRun)
        out << "every row passes; nothing is written\n";
    else
        out << "imported " << result.written << (result.written == 1 ? " row" : " rows") << '\n';
    return 0;
}

int invest_export_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wants_help(args)) {
        out << kInvestExportHelp;
        return 0;
    }
    std::string which, output, account;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (a == "--output" || a == "--account") {
            if (k + 1 >= args.size()) {
                err << "talvero-cli: " << a << " needs a value\n";
                return 2;
            }
            (a == "--output" ? output : account) = args[++k];
        } else if (a.rfind("--output=", 0) == 0) {
            output = a.substr(9);
        } else if (a.rfind("--account=", 0) == 0) {
            account = a.substr(10);
        } else if (which.empty() && a.rfind("-", 0) != 0) {
            which = a;
        } else {
            err << "talvero-cli: unexpected argument '" << a << "'\n";
            return 2;
        }
    }
    if (which != "history" && which != "accounts") {
        err << "talvero-cli: "
            << (which.empty() ? std::string("history or accounts is missing")
                              : "unknown list '" + which + "' (history or accounts)")
            << '\n';
        return 2;
    }
    std::optional<int> actno;
    if (!account.empty()) {
        bool ok = false;
        const int n = QString::fromStdString(account).toInt(&ok);
        if (!ok || n < 1 || which != "history") {
            err << "talvero-cli: --account takes an account number, with history\n";
            return 2;
        }
        actno = n;
    }
    QString csv;
    try {
        db::Connection connection(db::Alias::IBInvest);
        csv = which == "history" ? invest::exportHistoryCsv(connection, actno)
                                 : invest::exportAccountsCsv(connection, todayDate());
    } catch (const db::Error& e) {
        err << "talvero-cli: the investment database cannot be read: " << text(e.message()) << '\n';
        return 1;
    }
    if (output.empty()) {
        out << text(csv);
        return 0;
    }
    QSaveFile file(QString::fromStdString(output));
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.toUtf8()) < 0 || !file.commit()) {
        err << "talvero-cli: cannot write '" << output << "': " << text(file.errorString()) << '\n';
        return 1;
    }
    return 0;
}

} // namespace talvero::cli
