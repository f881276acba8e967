#include "scribe1/layout.h"

namespace talvero::scribe1 {

using printers::format;
using printers::Lines;

namespace {
// clang-format off
const char* const kHeading = "Pay #"    " Int Amt " " Prin Amt" " DS Ins" " LF Ins" "  Taxes" " HO Ins" " OT Ins" "   Sch Pmt" "   Balance  ";
const char* const kDashes  = "-----" "---------" "---------" "-------" "-------" "-------" "-------" "-------" "----------" "----------";
// clang-format on

std::string tlsLine(const schedule::Amounts& a) {
    return format("%s%11.2f%9.2f%7.2f%7.2f%7.2f", "TLS", a.INTAMT, a.PRINAMT, a.DSINS, a.LFINS, a.TAXES);
}
} // namespace

schedule::Pass LoanYearLayout::pass() const {
    return schedule::Pass(v_.block, v_.SCHEDPAY, schedule::Variant::loan_year());
}

std::string LoanYearLayout::titleLine() const {
    return std::string(27, ' ') + "LOAN AMORTIZATION SCHEDULE";
}

std::string LoanYearLayout::amountLine(bool closingPage) const {
    const common::LoanBlock& b = v_.block;
    return format("%s%s%9.2f%s%s%s%7.2f%s%s%s%7.2f", "Loan Amount", closingPage ? "   " : "     ",
                  b.FINANCEAMT, "      ", "Annual Rate", "", b.APR, "       ", "Number of Periods", "",
                  b.NUMPAY);
}

Lines LoanYearLayout::pageHeader(bool closingPage) const {
    const common::LoanBlock& b = v_.block;
    return {
        " ",
        titleLine(),
        " ",
        amountLine(closingPage),
        format("%s%s%2.2f%s%s%s%d%s%s%s%3d", "Payments per year", "   ", b.FREQUENCY, "      ",
               "Interest Base (360=0,365=1):", "", b.INTMETHOD, "    ", "Skip Months", "  ", b.SKPMONTH),
        format("%s%s%2d/%2d/%d%s%s%s%2d/%2d/%d", "Loan Origination Date", "   ", b.LOANDATE[0], b.LOANDATE[1],
               b.LOANDATE[2], "               ", "Loan Maturity Date", "   ", b.MATURITY[0], b.MATURITY[1],
               b.MATURITY[2]),
        format("%s%s%7.2f", "Annual Tax Amount", "  ", b.TAXES),
        " ",
        " ",
        kHeading,
        kDashes,
    };
}

std::string LoanYearLayout::paymentRow(const schedule::Row& r) const {
    const schedule::Amounts& a = r.amounts;
    return format("%05d%9.2f%9.2f%7.2f%7.2f%7.2f%7.2f%7.2f%10.2f%10.2f", static_cast<int>(r.k), a.INTAMT,
                  a.PRINAMT, a.DSINS, a.LFINS, a.TAXES, a.HOINS, a.OTINS, a.PAYMENT, r.BALANCE);
}

Lines LoanYearLayout::subtotalBlock(const schedule::Row& s) const {
    const schedule::Amounts& a = s.amounts;
    return {
        " ",
        tlsLine(a),
        format("%s%3d%s%9.2f%7.2f%11.2f", "Year", s.group, std::string(35, ' ').c_str(), a.HOINS, a.OTINS,
               a.PAYMENT),
        " ",
    };
}

Lines LoanYearLayout::closingBlock(const schedule::Row& subtotal, const schedule::Row& grand, bool) const {
    Lines lines = subtotalBlock(subtotal);
    const schedule::Amounts& g = grand.amounts;
    lines.push_back(tlsLine(g));
    lines.push_back(
        format("%s%s%9.2f%7.2f%11.2f", "GRAND ", std::string(36, ' ').c_str(), g.HOINS, g.OTINS, g.PAYMENT));
    return lines;
}

} // namespace talvero::scribe1
