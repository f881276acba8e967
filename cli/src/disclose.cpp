#include "cli/disclose.h"

#include "cli/commands.h"
#include "cli/loan.h"

#include "common/calendar.h"
#include "disclosure/document.h"

#include <QPdfWriter>
#include <QSaveFile>

#include <clocale>
#include <ostream>

namespace talvero::cli {

namespace {

// clang-format off
const char* const kDiscloseHelp =
    "usage: talvero-cli disclose [--balloon] --NAME=VALUE ... --output FILE.pdf\n"
    "                            [--creditor NAME] [--creditor-address TEXT] [--borrower NAME]\n"
    "                            [--date MMDDCCYY] [--examiner FILE.pdf]\n"
    "\n"
    "Computes the loan and writes its Truth-in-Lending disclosure (Regulation Z, section 1026.18, in\n"
    "the words of the model form H-2): the annual percentage rate, finance charge, amount financed\n"
    "and total of payments, the payment schedule, the insurance premiums, the security, late charge\n"
    "and prepayment statements and the itemization of the amount financed. The figures follow from\n"
    "the payments of the Appendix J check; the APR is its actuarial APR to two decimals. In the\n"
    "creditor's address a \\n starts a new line. --date is the disclosure's date (default today).\n"
    "When the engine's Reg Z effective APR is outside the Appendix J tolerance, --examiner writes\n"
    "the examiner's page, which is not part of the borrower's copy.\n"
    "\n"
    "Exit code: 0 written; 2 wrong usage, a loan the engine refused or a file that cannot be written.\n"
    "\n";
// clang-format on

// A PDF file written whole or not at all.
bool writeWhole(const report::Renderer& r, const std::string& path) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setTitle(r.definition().title);
        writer.setCreator(QStringLiteral("Talvero"));
        if (r.print(writer) == 0) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();
}

std::string unescape_lines(const std::string& s) {
    std::string out;
    for (std::size_t k = 0; k < s.size(); ++k) {
        if (s[k] == '\\' && k + 1 < s.size() && s[k + 1] == 'n') {
            out += '\n';
            ++k;
        } else {
            out += s[k];
        }
    }
    return out;
}

} // namespace

int disclose_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") {
            out << kDiscloseHelp;
            return 0;
        }
    disclosure::Inputs in;
    std::string output, examiner;
    std::vector<std::string> loan_args;
    const struct {
        const char* option;
        std::string* value;
    } own[] = {{"--output", &output},
               {"--examiner", &examiner},
               {"--creditor", &in.creditor},
               {"--creditor-address", &in.creditor_address},
               {"--borrower", &in.borrower}};
    std::string date;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        std::string* target = nullptr;
        std::string value;
        bool matched = false;
        for (const auto& o : own) {
            const std::string name = o.option;
            if (a == name || a.rfind(name + "=", 0) == 0) {
                target = o.value;
                matched = true;
                if (a == name) {
                    if (k + 1 >= args.size()) {
                        err << "talvero-cli: " << name << " needs a value\n";
                        return 2;
                    }
                    value = args[++k];
                } else {
                    value = a.substr(name.size() + 1);
                }
            }
        }
        if (!matched && (a == "--date" || a.rfind("--date=", 0) == 0)) {
            if (a == "--date" && k + 1 >= args.size()) {
                err << "talvero-cli: --date needs a value\n";
                return 2;
            }
            date = a == "--date" ? args[++k] : a.substr(7);
            continue;
        }
        if (!matched) {
            loan_args.push_back(a);
            continue;
        }
        *target = value;
    }
    in.creditor_address = unescape_lines(in.creditor_address);
    if (output.empty()) {
        err << "talvero-cli: disclose needs --output FILE.pdf\n";
        return 2;
    }
    if (!date.empty()) {
        const bool digits = date.size() == 8 && date.find_first_not_of("0123456789") == std::string::npos;
        const common::Date d = digits ? common::read_mmddccyy(date.c_str()) : common::Date{};
        if (!digits || d.month < 1 || d.month > 12 || d.day < 1 || d.year < 1900 ||
            d.day > common::month_length(d.month, d.year)) {
            err << "talvero-cli: --date: '" << date << "' is not a valid date (MMDDCCYY)\n";
            return 2;
        }
        in.date = d;
    }
    Loan loan;
    if (!computed_loan(loan_args, loan, err)) return 2;
    const disclosure::Disclosure d = disclosure::disclose(loan.block, loan.block.ERRFLAG, loan.block.PAYMENT,
                                                          variant(loan), std::nullopt, in);
    if (!d.usable) {
        err << "talvero-cli: " << d.error << '\n';
        return 2;
    }
    if (!writeWhole(disclosure::borrowerCopy(d), output)) {
        err << "talvero-cli: cannot write '" << output << "'\n";
        return 2;
    }
    const aprcheck::Verdict& v = d.check.verdict;
    const std::string text = "the Reg Z effective APR " + disclosure::fixed(v.disclosed, 3) +
                             " is outside the tolerance of the Appendix J APR " +
                             disclosure::fixed(v.actuarial, 3);
    if (d.examiner_page && examiner.empty()) {
        err << "talvero-cli: " << text << "; --examiner FILE.pdf writes the examiner's page\n";
    } else if (d.examiner_page) {
        if (!writeWhole(disclosure::examinerPage(d), examiner)) {
            err << "talvero-cli: cannot write '" << examiner << "'\n";
            return 2;
        }
    } else if (!examiner.empty()) {
        err << "talvero-cli: the Reg Z effective APR is within tolerance; no examiner's page is written\n";
    }
    out << "wrote " << output << '\n';
    return 0;
}

} // namespace talvero::cli
