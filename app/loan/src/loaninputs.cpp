#include "loan/loaninputs.h"

#include <cstdio>

namespace loan {

std::string openingLoanDate(const std::string& firstDue) {
    if (firstDue.size() != 8 || !isValidDateText(firstDue)) return {};
    talvero::common::Date d = talvero::common::read_mmddccyy(firstDue.c_str());
    if (--d.month < 1) {
        d.month = 12;
        --d.year;
    }
    const int last = talvero::common::month_length(d.month, d.year);
    if (d.day > last) d.day = last;
    char text[40];
    std::snprintf(text, sizeof text, "%02d%02d%04d", d.month, d.day, d.year);
    return text;
}

} // namespace loan
