#include "common/period_days.h"

namespace talvero::common {

namespace {

constexpr PeriodLength fixed(double days) {
    return {DayCount::Fixed, days};
}
constexpr PeriodLength share(double year_days) {
    return {DayCount::YearShare, year_days};
}
constexpr PeriodLength month{DayCount::CursorMonth, 0.0};
constexpr PeriodLength year{DayCount::CursorYear, 0.0};

// clang-format off
constexpr PeriodDays kRows[] = {
    // f  annuity_365     annuity_360 balloon_365     interest_365 interest_360 thirty      payoff      date_step   78
    {12, fixed(30.4463), fixed(30),   fixed(30.4463), month,       month,       fixed(30),  fixed(30),  month,      12},
    {24, fixed(15),      fixed(15),   fixed(15),      fixed(15),   fixed(15),   fixed(15),  fixed(15),  fixed(15),  12},
    {26, fixed(14),      fixed(14),   fixed(14),      fixed(14),   fixed(14),   fixed(14),  fixed(14),  fixed(14),  12},
    {52, fixed(7),       fixed(7),    fixed(7),       fixed(7),    fixed(7),    fixed(7),   fixed(7),   fixed(7),   12},
    // The yearly loan: every period is a year.
    {1,  fixed(365),     fixed(360),  fixed(365),     fixed(365),  year,        fixed(360), fixed(365), year,       1},
    // Every other frequency.
    {0,  share(365),     share(360),  share(365),     share(365),  share(360),  share(360), month,      share(365), 12},
};
// clang-format on

} // namespace

const PeriodDays& period_days(double f) noexcept {
    constexpr int last = sizeof kRows / sizeof kRows[0] - 1;
    for (int row = 0; row < last; ++row)
        if (kRows[row].frequency == f) return kRows[row];
    return kRows[last];
}

double odd_days_beyond(double f, double odddays) noexcept {
    if (odddays < 1) return 0.0;
    return odddays - (f == 1.0 ? kCountedYearDays : 30.0);
}

double first_period_rate(double f, double q, double odddays, double daily) noexcept {
    if (odddays < 1) return q;
    if (f == 1.0) return q + odd_days_beyond(f, odddays) * daily;
    return odddays * daily;
}

} // namespace talvero::common
