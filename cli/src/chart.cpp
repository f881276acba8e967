#include "cli/chart.h"

#include "charts/drawing.h"
#include "charts/loanchart.h"
#include "cli/commands.h"
#include "cli/loan.h"

#include <QString>

#include <cstdio>
#include <ostream>

namespace talvero::cli {

namespace {

// clang-format off
const char* const kChartHelp =
    "usage: talvero-cli chart [--balloon] --NAME=VALUE ... --output FILE.svg|FILE.png\n"
    "                         [--width PIXELS] [--height PIXELS]\n"
    "\n"
    "Computes the loan and writes its amortization chart: the balance, the interest and principal\n"
    "paid so far over the payment dates, the interest and principal of each year as bars, and for a\n"
    "balloon loan its balloon payment. The image is 1000 x 750 pixels unless --width and --height\n"
    "say otherwise (100 to 10000).\n"
    "\n";
// clang-format on

bool wants_help(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

// The value of `--name VALUE` or `--name=VALUE` taken out of `args`; false when it has none.
bool take_option(std::vector<std::string>& args, const std::string& name, std::string& value, bool& missing) {
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--" + name) {
            if (k + 1 >= args.size()) {
                missing = true;
                return false;
            }
            value = args[k + 1];
            args.erase(args.begin() + static_cast<long>(k), args.begin() + static_cast<long>(k) + 2);
            return true;
        }
        if (args[k].rfind("--" + name + "=", 0) == 0) {
            value = args[k].substr(name.size() + 3);
            args.erase(args.begin() + static_cast<long>(k));
            return true;
        }
    }
    return false;
}

bool pixels(const std::string& text, int& value) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoi(text);
    return value >= 100 && value <= 10000;
}

// The command line's numbers keep the point, as its loan options are read.
QString money(double value, double step) {
    char text[64];
    std::snprintf(text, sizeof text, step >= 1 ? "%.0f" : "%.2f", value);
    return QString::fromLatin1(text);
}

} // namespace

int chart_command(const std::vector<std::string>& given, std::ostream& out, std::ostream& err) {
    if (wants_help(given)) {
        out << kChartHelp << loan_options_help();
        return 0;
    }
    std::vector<std::string> args = given;
    std::string output;
    int size[2] = {1000, 750};
    bool missing = false;
    const bool hasOutput = take_option(args, "output", output, missing);
    const char* const names[] = {"width", "height"};
    for (int i = 0; i < 2; ++i) {
        std::string text;
        if (take_option(args, names[i], text, missing) && !pixels(text, size[i])) {
            err << "talvero-cli: --" << names[i] << " must be a whole number of pixels from 100 to 10000\n";
            return 2;
        }
    }
    if (missing || !hasOutput || output.empty()) {
        err << "talvero-cli: --output FILE.svg or FILE.png is missing\n";
        return 2;
    }
    Loan loan;
    if (!computed(args, loan, err)) return 2;
    const charts::Chart chart = charts::loanChart(loan.block, loan.block.PAYMENT, variant(loan));
    if (const std::string e =
            charts::writeImage(chart, QString::fromStdString(output), {size[0], size[1]}, money);
        !e.empty()) {
        err << "talvero-cli: " << e << '\n';
        return 1;
    }
    return 0;
}

} // namespace talvero::cli
