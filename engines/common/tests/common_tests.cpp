#include "common/annuity.h"
#include "common/calendar.h"
#include "common/today.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using talvero::common::Date;
namespace tc = talvero::common;

TEST(Calendar, LeapRuleAndMonthLengths) {
    struct Case {
        int year;
        bool leap;
    } const cases[] = {{2003, false}, {2004, true}, {1900, false}, {2000, true}, {2100, false}, {2400, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(tc::is_leap_year(c.year), c.leap);
        EXPECT_EQ(tc::month_length(2, c.year), c.leap ? 29 : 28);
    }
    EXPECT_EQ(tc::month_length(1, 2003), 31);
    EXPECT_EQ(tc::month_length(4, 2003), 30);
    EXPECT_EQ(tc::month_length(12, 2003), 31);
    // Out-of-range months wrap instead of reading past the table.
    EXPECT_EQ(tc::month_length(14, 2003), 29); // February 2004
    EXPECT_EQ(tc::month_length(0, 2004), 31);  // December 2003
}

TEST(Calendar, ReadsTypedDatePieces) {
    struct Case {
        const char* text;
        Date expected;
    } const cases[] = {
        {"01152003", {1, 15, 2003}},
        {" 1 52003", {1, 5, 2003}},  // leading blanks skipped in each piece
        {"+1-52003", {1, -5, 2003}}, // optional sign
        {"1/152003", {1, 15, 2003}}, // digits stop at the first other character
        {"ab152003", {0, 15, 2003}}, // no digits give 0
        {"0115", {1, 15, 0}},        // pieces past the end are empty
        {"01", {1, 0, 0}},
        {"0115 3x9", {1, 15, 3}},
        {"12312004junk", {12, 31, 2004}}, // only the first eight characters form pieces
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(tc::read_mmddccyy(c.text), c.expected);
    }
    EXPECT_EQ(tc::read_piece("  -12", 5), -12);
    EXPECT_EQ(tc::read_piece("", 4), 0);
}

TEST(Calendar, StepsDays) {
    struct Case {
        Date from;
        int days;
        Date expected;
    } const cases[] = {
        {{12, 25, 2003}, 14, {1, 8, 2004}}, {{1, 15, 2003}, 91, {4, 16, 2003}},
        {{2, 20, 2004}, 15, {3, 6, 2004}},  {{2, 20, 2003}, 15, {3, 7, 2003}},
        {{1, 31, 2003}, 0, {1, 31, 2003}},  {{12, 31, 2003}, 1, {1, 1, 2004}},
        {{13, 1, 2003}, 31, {2, 1, 2004}}, // a month past December first rolls into the next year
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.from.month << "/" << c.from.day << "/" << c.from.year << " + " << c.days);
        Date d = c.from;
        tc::advance_days(d, c.days);
        EXPECT_EQ(d, c.expected);
    }
}

// Skipping whole years gives the date the plain month-by-month walk gives.
TEST(Calendar, LongStepsMatchTheMonthByMonthWalk) {
    const tc::Date starts[] = {{1, 15, 2003},  {2, 29, 2004}, {2, 31, 2003},
                               {12, 31, 1999}, {3, 1, 2100},  {11, 30, 2399}};
    for (const tc::Date& start : starts)
        for (int days : {0, 1, 28, 365, 366, 730, 1461, 3650, 36500}) {
            SCOPED_TRACE(::testing::Message()
                         << start.month << "/" << start.day << "/" << start.year << " + " << days);
            tc::Date walked = start;
            tc::normalize_month(walked);
            walked.day += days;
            while (walked.day > tc::month_length(walked.month, walked.year)) {
                walked.day -= tc::month_length(walked.month, walked.year);
                tc::next_month(walked);
            }
            tc::Date stepped = start;
            tc::advance_days(stepped, days);
            EXPECT_EQ(stepped, walked);
        }
}

TEST(Today, FirstDueIsTheTypedDateOrToday) {
    tc::set_today({6, 9, 2026});
    EXPECT_EQ(tc::first_due_or_today(""), (tc::Date{6, 9, 2026}));
    EXPECT_EQ(tc::first_due_or_today("01152004"), (tc::Date{1, 15, 2004}));
    tc::clear_today();
}

TEST(Calendar, MonthSteps) {
    Date d{12, 15, 2003};
    tc::next_month(d);
    EXPECT_EQ(d, (Date{1, 15, 2004}));

    // The monthly 365-day step keeps the day, and loses one day for good after a leap-year February.
    Date m{1, 15, 2004};
    tc::next_month_keep_day(m);
    EXPECT_EQ(m, (Date{2, 15, 2004}));
    tc::next_month_keep_day(m);
    EXPECT_EQ(m, (Date{3, 14, 2004}));
    tc::next_month_keep_day(m);
    EXPECT_EQ(m, (Date{4, 14, 2004}));

    Date e{1, 31, 2003};
    tc::next_month_keep_day(e);
    EXPECT_EQ(e, (Date{2, 31, 2003}));
    tc::next_month_keep_day(e);
    EXPECT_EQ(e, (Date{3, 31, 2003}));
}

TEST(Annuity, FactorsMatchClosedForms) {
    // The present value of 1 per period, (1 - (1 + i)^-n) / i, with i written out for each count.
    const auto closed = [](double i, double n) { return (1 - std::pow(1 + i, -n)) / i; };
    struct Case {
        const char* what;
        double factor, i, n, worked; // worked: the closed form by hand, to four places
    } const cases[] = {
        {"nominal monthly", tc::factor_n(10.0, 12.0, 12.0), 0.10 / 12, 12, 11.3745},
        {"nominal quarterly", tc::factor_n(8.0, 4.0, 40.0), 0.08 / 4, 40, 27.3555},
        {"365-day monthly", tc::factor_d365(10.0, 12.0, 12.0), 0.10 / 365 * 30.4463, 12, 11.3739},
        {"365-day yearly counts a year", tc::factor_d365(10.0, 5.0, 1.0), 0.10 / 365 * 365, 5, 3.7908},
        {"365-day biweekly", tc::factor_d365(10.0, 26.0, 26.0), 0.10 / 365 * 14, 26, 24.7006},
        {"360-day yearly counts a year", tc::factor_d360(10.0, 5.0, 1.0), 0.10 / 360 * 360, 5, 3.7908},
        {"360-day monthly", tc::factor_d360(10.0, 12.0, 12.0), 0.10 / 12, 12, 11.3745},
        {"daily with a 45-day period", tc::factor_daily(12.0, 3.0, 360.0, 45.0), 0.12 / 360 * 45, 3, 2.9122},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(c.factor, closed(c.i, c.n), 1e-12);
        EXPECT_NEAR(c.factor, c.worked, 5e-5);
    }

    // The days per period behind each frequency, seen through the factors: rates chosen so that the
    // periodic rate comes out round where the period is a share of the year.
    struct Known {
        const char* what;
        double factor, worked; // worked: (1 - (1 + i)^-n) / i by hand
    } const known[] = {
        {"365-day quarterly: 91.25 days, i = 3 %", tc::factor_d365(12.0, 4.0, 4.0), 3.717098},
        {"360-day quarterly: 90 days, i = 3 %", tc::factor_d360(12.0, 4.0, 4.0), 3.717098},
        {"365-day semiannual: 182.5 days, i = 5 %", tc::factor_d365(10.0, 2.0, 2.0), 1.859410},
        {"365-day, 3 a year (no row of its own): i = 4 %", tc::factor_d365(12.0, 3.0, 3.0), 2.775091},
        {"360-day, 3 a year: i = 4 %", tc::factor_d360(12.0, 3.0, 3.0), 2.775091},
        {"360-day semimonthly: 15 days, i = 0.5 %", tc::factor_d360(12.0, 24.0, 24.0), 22.562866},
        {"365-day semimonthly: 15 days, not 365 / 24", tc::factor_d365(12.0, 24.0, 24.0), 22.581731},
        {"365-day weekly: 7 days, i = 0.7 %", tc::factor_d365(36.5, 52.0, 52.0), 43.461009},
        {"365-day yearly: one period of 365 days, i = 12 %", tc::factor_d365(12.0, 1.0, 1.0), 0.892857},
        {"360-day yearly: one period of 360 days, i = 12 %", tc::factor_d360(12.0, 1.0, 1.0), 0.892857},
    };
    for (const auto& c : known) {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(c.factor, c.worked, 5e-7);
    }
    // A zero rate gives the undiscounted count, never a division by zero.
    EXPECT_DOUBLE_EQ(tc::factor_n(0.0, 12.0, 36.0), 36.0);
    EXPECT_DOUBLE_EQ(tc::factor_d365(0.0, 36.0, 12.0), 36.0);
}

TEST(Today, CanBeSetAndCleared) {
    tc::set_today(Date{6, 1, 2004});
    EXPECT_EQ(tc::today(), (Date{6, 1, 2004}));
    tc::clear_today();
    const Date now = tc::today();
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GE(now.year, 2020);
}

} // namespace
