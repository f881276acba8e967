#include "vellum1/layout.h"

#include "common/calendar.h"

namespace talvero::vellum1 {

using printers::format;
using printers::Lines;

namespace {
std::string tlsLine(const schedule::Amounts& a, bool wide) {
    return wide ? format("%s%s%11.2f%9.2f%7.2f%7.2f%7.2f", "TLS", "     ", a.INTAMT, a.PRINAMT, a.DSINS,
                         a.LFINS, a.TAXES)
                : format("%s%s%11.2f%9.2f%6.2f%6.2f%6.2f", "TLS", "     ", a.INTAMT, a.PRINAMT, a.DSINS,
                         a.LFINS, a.TAXES);
}
std::string yearLine(int year, const schedule::Amounts& a) {
    return format("%4d%s%s%9.2f%7.2f%11.2f", year, "   ", std::string(35, ' ').c_str(), a.HOINS, a.OTINS,
                  a.PAYMENT);
}
} // namespace

const char* CalendarLayout::columnHeading() {
    // clang-format off
    return "Pay Date  " " Int Amt" " Prin Amt" " DS Ins" " LF Ins" " Taxes" " HO Ins" " OT Ins" " Sch Pmt" " Balance  ";
    // clang-format on
}

const char* CalendarLayout::dashLine() {
    // clang-format off
    return "-----" "---------" "---------" "-------" "-------" "-------" "-------" "-------" "----------" "----------";
    // clang-format on
}

schedule::Pass CalendarLayout::pass() const {
    return schedule::Pass(v_.block, v_.SCHEDPAY, schedule::Variant::regular());
}

std::string CalendarLayout::frequencyLine() const {
    const common::LoanBlock& b = v_.block;
    return format("%s%s%2.2f%s%s%s%d%s%s%s%3d", "Payments per year", "   ", b.FREQUENCY, "      ",
                  "Interest Base (360=0,365=1):", "", b.INTMETHOD, "    ", "Skip Months", "  ", b.SKPMONTH);
}

std::string CalendarLayout::originationLine() const {
    const common::LoanBlock& b = v_.block;
    return format("%s%s%2d/%2d/%d%s%s%s%9.2f", "Loan Origination Date", "   ", b.LOANDATE[0], b.LOANDATE[1],
                  b.LOANDATE[2], "               ", "Amount Financed", "       ", b.FINANCEAMT);
}

Lines CalendarLayout::pageHeader(bool closingPage) const {
    const common::LoanBlock& b = v_.block;
    return {
        " ",
        std::string(27, ' ') + "LOAN AMORTIZATION SCHEDULE",
        " ",
        format("%s%s%9.2f%s%s%s%7.2f%s%s%s%7.2f", "Loan Amount", closingPage ? "   " : "     ", b.ORGAMT,
               "      ", "Annual Rate", "", b.APR, "       ", "Number of Periods", "", b.NUMPAY),
        frequencyLine(),
        originationLine(),
        format("%s%s%7.2f%s%7.2f%s%7.2f", "Annual Tax Amount", " ", b.TAXES, "       Down Amt ", b.DOWNAMT,
               "       Fee Amt ", b.FEEAMT),
        " ",
        " ",
        columnHeading(),
        dashLine(),
    };
}

std::string CalendarLayout::paymentRow(const schedule::Row& r) const {
    const schedule::Amounts& a = r.amounts;
    return format("%s%9.2f%9.2f%6.2f%6.2f%6.2f%6.2f%6.2f%10.2f%9.2f%s", common::date_text(r.date).c_str(),
                  a.INTAMT, a.PRINAMT, a.DSINS, a.LFINS, a.TAXES, a.HOINS, a.OTINS, a.PAYMENT, r.BALANCE,
                  " ");
}

Lines CalendarLayout::subtotalBlock(const schedule::Row& s) const {
    return {"", " ", tlsLine(s.amounts, false), yearLine(s.group, s.amounts), " "};
}

Lines CalendarLayout::closingBlock(const schedule::Row& subtotal, const schedule::Row& grand,
                                   bool onNewPage) const {
    const schedule::Amounts& g = grand.amounts;
    return {
        " ",
        tlsLine(subtotal.amounts, false),
        yearLine(subtotal.group, subtotal.amounts),
        " ",
        tlsLine(g, onNewPage),
        format("%s%s%9.2f%7.2f%11.2f", "GRAND ", std::string(36, ' ').c_str(), g.HOINS, g.OTINS, g.PAYMENT),
    };
}

} // namespace talvero::vellum1
