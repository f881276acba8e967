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

// clang-format off
constexpr PeriodDays kRows[] = {
    // f  annuity_365     annuity_360 balloon_365     interest_365 interest_360 thirty      odd    payoff     date_step
    {12, fixed(30.4463), fixed(30),   fixed(30.4463), month,       month,       fixed(30),  false, fixed(30),  month},
    {24, fixed(15),      fixed(15),   fixed(15),      fixed(15),   fixed(15),   fixed(15),  false, fixed(15),  fixed(15)},
    {26, fixed(14),      fixed(14),   fixed(14),      fixed(14),   fixed(14),   fixed(14),  false, fixed(14),  fixed(14)},
    {52, fixed(7),       fixed(7),    fixed(7),       fixed(7),    fixed(7),    fixed(7),   false, fixed(7),   fixed(7)},
    // The yearly loan: the factors count one month, its schedule the first due month.
    {1,  fixed(30.4463), fixed(30),   share(365),     month,       month,       fixed(30),  true,  month,      month},
    // Every other frequency.
    {0,  share(365),     share(360),  share(365),     share(365),  share(360),  share(360), false, month,      share(365)},
};
// clang-format on

} // namespace

const PeriodDays& period_days(double f) noexcept {
    constexpr int last = sizeof kRows / sizeof kRows[0] - 1;
    for (int row = 0; row < last; ++row)
        if (kRows[row].frequency == f) return kRows[row];
    return kRows[last];
}

} // namespace talvero::common
