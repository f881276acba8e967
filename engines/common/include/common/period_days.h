// The days of one payment period, one row per payment frequency, each use the programs make of it
// side by side. Every place that needs a period's days reads its column here.
//
//   period_days(f)      the row of frequency f; frequencies without a row of their own share the
//                       last row, whose lengths are a year's days shared out over the f payments
//   length.of(f, m, y)  a column's days for frequency f; m is the length of the cursor's month,
//                       used by the columns that count calendar months, y the days of the year that
//                       ends on the cursor's due date, used by the columns that count years; a
//                       date step of CursorYear moves by one year on the first due date's month
//                       and day
//
// The arithmetic stays with the callers: a year share is `year days / f`, then multiplied by the
// daily rate, in that order.
#pragma once

namespace talvero::common {

enum class DayCount {
    Fixed,       // `days` days
    YearShare,   // `days` (a year) divided by the payments per year
    CursorMonth, // the days of the date cursor's month (`days` unused)
    CursorYear,  // the days of the year ending on the cursor's due date (`days` unused)
};

struct PeriodLength {
    DayCount count = DayCount::Fixed;
    double days = 0.0;

    constexpr double of(double f, int month_days = 0, int year_days = 0) const noexcept {
        switch (count) {
        case DayCount::Fixed:
            return days;
        case DayCount::YearShare:
            return days / f;
        case DayCount::CursorMonth:
            break;
        case DayCount::CursorYear:
            return static_cast<double>(year_days);
        }
        return static_cast<double>(month_days);
    }
};

struct PeriodDays {
    double frequency;                 // payments per year of the row; 0 on the shared last row
    PeriodLength annuity_365;         // D365 factor, and the regular engine's 365-day rate searches
    PeriodLength annuity_360;         // D360 factor, and the yearly period of the 360-day searches
    PeriodLength balloon_annuity_365; // the balloon engine's D365 factor and 365-day searches
    PeriodLength interest_365;        // a schedule period's interest on the 365-day year
    PeriodLength interest_360;        // a schedule period's interest on the 360-day year, actual days
    PeriodLength interest_thirty;     // a schedule period's interest on 30-day months (flag 3)
    PeriodLength payoff_period;       // the period the days to a payoff are counted in
    PeriodLength date_step;           // days from one due date to the next; months: a month
    double rule78_digits;             // rule-of-78 digits per year, and the least digits a loan has
};

// The days the forms count for a year between the loan date and the first due date (ODDDAYS): a
// yearly loan's first period of this many days is a regular year.
inline constexpr int kCountedYearDays = 365;

// ODDDAYS beyond a regular first period (negative when short of it), for the odd-day corrections
// of period 1: a yearly loan's regular first period is the counted year, every other loan's a
// 30-day month. 0 when ODDDAYS is below 1.
double odd_days_beyond(double f, double odddays) noexcept;

// The rate of period 1 for the daily-interest rules, q being the period's regular rate: ODDDAYS
// (when 1 or more) days at the daily rate; a yearly loan's regular year with its odd days beyond.
double first_period_rate(double f, double q, double odddays, double daily) noexcept;

const PeriodDays& period_days(double f) noexcept;

} // namespace talvero::common
