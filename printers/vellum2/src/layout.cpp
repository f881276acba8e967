#include "vellum2/layout.h"

namespace talvero::vellum2 {

using printers::format;

schedule::Pass BalloonLayout::pass() const {
    return schedule::Pass(values().block, values().SCHEDPAY, schedule::Variant::balloon_term(BLPAY_));
}

printers::Lines BalloonLayout::pageHeader(bool closingPage) const {
    const common::LoanBlock& b = values().block;
    const std::string amount =
        closingPage ? format("%s%s%9.2f%s%s%s%7.2f%s%s%s%7.2f", "Loan Amount", "   ", b.FINANCEAMT, "      ",
                             "Annual Rate", "", b.APR, "       ", "Number of Periods", "", b.NUMPAY)
                    : format("%s%s%9.2f%s%s%s%7.2f%s%s%s%7.2f", "Loan Amount", "     ", b.ORGAMT, "      ",
                             "Annual Rate", "", b.APR, "       ", "Balloon Term", "", BLPAY_);
    return {
        " ",
        std::string(25, ' ') + "BALLOON AMORTIZATION SCHEDULE",
        " ",
        amount,
        frequencyLine(),
        originationLine(),
        format("%s%s%5.0f%s%7.2f%s%7.2f", "Amortization Period", " ", b.NUMPAY, "       Down Amt ", b.DOWNAMT,
               "       Fee Amt ", b.FEEAMT),
        format("%s%s%7.2f", "Annual Tax Amount", " ", b.TAXES),
        " ",
        " ",
        columnHeading(),
        dashLine(),
    };
}

} // namespace talvero::vellum2
