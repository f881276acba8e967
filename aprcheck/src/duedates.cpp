#include "aprcheck/duedates.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace talvero::aprcheck {

namespace {

using common::Date;

// `months` months after `from` on day `day`, the month's last day where the month is shorter.
Date months_after(const Date& from, long months, int day) {
    const long total = static_cast<long>(from.year) * 12 + (from.month - 1) + months;
    const long year = total >= 0 ? total / 12 : (total - 11) / 12;
    Date r{static_cast<int>(total - year * 12) + 1, 0, static_cast<int>(year)};
    r.day = std::clamp(day, 1, common::month_length(r.month, r.year));
    return r;
}

Date days_after(const Date& from, long days) {
    namespace ch = std::chrono;
    Date c = from;
    common::normalize_month(c);
    c.day = std::clamp(c.day, 1, common::month_length(c.month, c.year));
    const ch::sys_days at =
        ch::sys_days(ch::year_month_day{ch::year{c.year}, ch::month{static_cast<unsigned>(c.month)},
                                        ch::day{static_cast<unsigned>(c.day)}}) +
        ch::days{days};
    const ch::year_month_day r{at};
    return {static_cast<int>(static_cast<unsigned>(r.month())),
            static_cast<int>(static_cast<unsigned>(r.day())), static_cast<int>(r.year())};
}

bool whole(double x) {
    return std::isfinite(x) && x == std::floor(x);
}

} // namespace

Date due_date(const Date& first, long k, double frequency, int skip_months) {
    const int day = first.day;
    const double f = frequency;
    if (whole(f) && f >= 1 && f <= 12 && 12 % static_cast<int>(f) == 0)
        return months_after(first, skip_months + k * (12 / static_cast<long>(f)), day);
    if (f == 24) {
        // Half months: the pair of days in each month stays fixed, so a clamp in February does not
        // carry into March.
        if (day <= 15) return months_after(first, skip_months + k / 2, k % 2 ? day + 15 : day);
        return months_after(first, skip_months + (k + 1) / 2, k % 2 ? day - 15 : day);
    }
    const Date start = months_after(first, skip_months, day);
    if (whole(f) && f >= 1 && f <= 52 && 52 % static_cast<int>(f) == 0)
        return days_after(start, k * 7 * (52 / static_cast<long>(f)));
    const long step = f > 0 ? std::max(1L, static_cast<long>(365.0 / f)) : 1;
    return days_after(start, k * step);
}

} // namespace talvero::aprcheck
