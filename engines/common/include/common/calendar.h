// Calendar pieces the engines, schedules and printers share.
//
//   kMonthDays[leap][month]  month lengths, row 0 common years, row 1 leap years; entry 0 holds 0
//   is_leap_year(y)          divisible by 4 and not by 100, or divisible by 400
//   month_length(m, y)       days of month m in year y; a month outside 1..12 is first wrapped into
//                            range (13 is January of y + 1, 0 is December of y - 1), so it never
//                            reads outside the table
//   normalize_month(date)    wraps date.month into 1..12, carrying into the year
//   next_month(date)         month + 1; after December comes January of the next year; day unchanged
//   advance_days(date, n)    adds n days, then while the day exceeds its month's length subtracts
//                            that length and moves to the next month (the new year's leap status
//                            applies after December)
//   next_month_keep_day(date) the monthly 365-day step: m = length of the current month; move to the
//                            next month and add m to the day; when the day exceeds m subtract m, and
//                            1 more when the month left was February of a leap year
//   years_on(anchor, years)  the anchor's month and day `years` years later (or earlier); February 29
//                            becomes February 28 in common years
//   year_days_to(anchor, years) days of the year that ends on years_on(anchor, years): 366 when it
//                            holds a February 29th, else 365
//   read_piece(text, width)  decimal value of the first `width` characters of a C string (stops
//                            early at its end): leading blanks skipped, optional sign, digits up to
//                            the first other character; no digits give 0
//   read_mmddccyy(text)      month = piece 1-2, day = piece 3-4, year = piece 5-8 of a typed date;
//                            at most 10 bytes of `text` are read
//   day_of_year(date)        the day plus the lengths of the earlier months (1..12) of its year
//   day_number(date)         serial count of days (0 on 01/01/1970) of a valid date
//   format_date(date, out)   "%02d/%02d/%d": month/day/four-digit year, as dates are shown and stored
//   date_text(date)          the same as a string
#pragma once

#include <cstddef>
#include <string>

namespace talvero::common {

struct Date {
    int month = 0;
    int day = 0;
    int year = 0;

    friend bool operator==(const Date&, const Date&) = default;
};

inline constexpr int kMonthDays[2][13] = {
    {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

constexpr bool is_leap_year(int year) noexcept {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

void normalize_month(Date& date) noexcept;
int month_length(int month, int year) noexcept;
void next_month(Date& date) noexcept;
void advance_days(Date& date, int days) noexcept;
void next_month_keep_day(Date& date) noexcept;
Date years_on(const Date& anchor, int years) noexcept;
int year_days_to(const Date& anchor, int years) noexcept;

int read_piece(const char* text, std::size_t width) noexcept;
Date read_mmddccyy(const char* text) noexcept;

int day_of_year(const Date& date) noexcept;
long day_number(const Date& date) noexcept;

// Room for any date text, the terminating 0 included.
inline constexpr std::size_t kDateTextBytes = 40;
void format_date(const Date& date, char* out, std::size_t size) noexcept;
std::string date_text(const Date& date);

} // namespace talvero::common
