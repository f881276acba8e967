#include "common/calendar.h"

#include <chrono>
#include <cstdio>

namespace talvero::common {

void normalize_month(Date& date) noexcept {
    if (date.month >= 1 && date.month <= 12) return;
    // Months outside the table only come from bad typed dates; wrap them like the roll past December.
    int zero_based = date.month - 1;
    int years = zero_based / 12;
    zero_based %= 12;
    if (zero_based < 0) {
        zero_based += 12;
        --years;
    }
    date.month = zero_based + 1;
    date.year += years;
}

int month_length(int month, int year) noexcept {
    Date date{month, 1, year};
    normalize_month(date);
    return kMonthDays[is_leap_year(date.year) ? 1 : 0][date.month];
}

void next_month(Date& date) noexcept {
    normalize_month(date);
    if (++date.month > 12) {
        date.month = 1;
        ++date.year;
    }
}

void advance_days(Date& date, int days) noexcept {
    normalize_month(date);
    date.day += days;
    // Whole years first, so long steps do not walk month by month. Twelve months from
    // (month, year) hold 366 days when they contain a February 29th.
    for (;;) {
        const bool leap_day_ahead = date.month <= 2 ? is_leap_year(date.year) : is_leap_year(date.year + 1);
        const int year_days = leap_day_ahead ? 366 : 365;
        if (date.day <= year_days) break;
        date.day -= year_days;
        ++date.year;
    }
    for (int length = month_length(date.month, date.year); date.day > length;
         length = month_length(date.month, date.year)) {
        date.day -= length;
        next_month(date);
    }
}

void next_month_keep_day(Date& date) noexcept {
    normalize_month(date);
    const int length = month_length(date.month, date.year);
    const bool leap_february = date.month == 2 && is_leap_year(date.year);
    next_month(date);
    date.day += length;
    if (date.day > length) {
        date.day -= length;
        if (leap_february) --date.day;
    }
}

Date years_on(const Date& anchor, int years) noexcept {
    Date date = anchor;
    normalize_month(date);
    date.year += years;
    if (date.month == 2 && date.day == 29 && !is_leap_year(date.year)) date.day = 28;
    return date;
}

int year_days_to(const Date& anchor, int years) noexcept {
    const Date to = years_on(anchor, years);
    const Date from = years_on(anchor, years - 1);
    auto key = [](int year, int month, int day) {
        return (static_cast<long>(year) * 100 + month) * 100 + day;
    };
    const long after = key(from.year, from.month, from.day), upto = key(to.year, to.month, to.day);
    for (int year = from.year; year <= to.year; ++year) {
        const long leap_day = key(year, 2, 29);
        if (is_leap_year(year) && leap_day > after && leap_day <= upto) return 366;
    }
    return 365;
}

int read_piece(const char* text, std::size_t width) noexcept {
    std::size_t at = 0;
    auto more = [&] { return at < width && text[at] != '\0'; };
    while (more() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r' ||
                      text[at] == '\v' || text[at] == '\f'))
        ++at;
    bool negative = false;
    if (more() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    int value = 0;
    while (more() && text[at] >= '0' && text[at] <= '9' && value < 100000000) {
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    return negative ? -value : value;
}

Date read_mmddccyy(const char* text) noexcept {
    // The pieces are cut from the text as typed: a piece that starts past its end is empty.
    std::size_t length = 0;
    while (length < 10 && text[length] != '\0')
        ++length;
    auto piece = [&](std::size_t from, std::size_t width) {
        return from < length ? read_piece(text + from, width < length - from ? width : length - from) : 0;
    };
    return Date{piece(0, 2), piece(2, 2), piece(4, 4)};
}

int day_of_year(const Date& date) noexcept {
    int days = date.day;
    for (int m = 1; m < date.month && m <= 12; ++m)
        days += month_length(m, date.year);
    return days;
}

long day_number(const Date& date) noexcept {
    namespace ch = std::chrono;
    const ch::year_month_day ymd{ch::year{date.year}, ch::month{static_cast<unsigned>(date.month)},
                                 ch::day{static_cast<unsigned>(date.day)}};
    return static_cast<long>(ch::sys_days(ymd).time_since_epoch().count());
}

void format_date(const Date& date, char* out, std::size_t size) noexcept {
    std::snprintf(out, size, "%02d/%02d/%d", date.month, date.day, date.year);
}

std::string date_text(const Date& date) {
    char text[kDateTextBytes];
    format_date(date, text, sizeof text);
    return text;
}

} // namespace talvero::common
