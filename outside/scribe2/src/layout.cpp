#include "scribe2/layout.h"

namespace talvero::scribe2 {

schedule::Pass BalloonLoanYearLayout::pass() const {
    schedule::Variant v = schedule::Variant::balloon_term(BLPAY_);
    v.grouping = schedule::Variant::Grouping::LoanYear;
    v.dated = false;
    return schedule::Pass(values().block, values().SCHEDPAY, v);
}

std::string BalloonLoanYearLayout::titleLine() const {
    return std::string(25, ' ') + "BALLOON AMORTIZATION SCHEDULE";
}

printers::Lines BalloonLoanYearLayout::pageHeader(bool closingPage) const {
    printers::Lines lines = LoanYearLayout::pageHeader(closingPage);
    // The tax line also carries the balloon term, so the header keeps its height.
    lines.at(6) += printers::format("%s%s%5.0f", std::string(28, ' ').c_str(), "Balloon Term", BLPAY_);
    return lines;
}

} // namespace talvero::scribe2
