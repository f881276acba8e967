// What the loan forms derive before an engine call, the day counts behind it, and the days per
// period seen through the date steps.
#include "common/calendar.h"
#include "common/loan_amounts.h"
#include "common/loanblock.h"
#include "common/period_days.h"

#include <gtest/gtest.h>

namespace {

using talvero::common::Date;
namespace tc = talvero::common;

// 100,000 with 10 % + 1,000 down, 1.5 % + 250 of fees, five years of disability and three of life
// insurance paid monthly; lent on 01/15/2004, first due 03/01/2004.
tc::LoanFactors workedLoan() {
    tc::LoanFactors f;
    f.ORGAMT = 100000;
    f.DOWNPAYPCT = 10, f.DOWNPAYAMT = 1000;
    f.FEEPCT = 1.5, f.FEEPAYAMT = 250;
    f.DSRATE = 0.002, f.DSFREQ = 12, f.DSYEARS = 5;
    f.LFRATE = 0.0035, f.LFFREQ = 12, f.LFYEARS = 3;
    f.LOANDATE = {1, 15, 2004};
    f.FIRSTDUE = {3, 1, 2004};
    return f;
}

TEST(LoanAmounts, WorkedLoan) {
    const tc::DerivedAmounts d = tc::derive_amounts(workedLoan());
    EXPECT_EQ(d.DOWNAMT, 11000.0);
    EXPECT_EQ(d.FEEAMT, 1750.0);
    EXPECT_EQ(d.FINANCEAMT, 90750.0);
    EXPECT_DOUBLE_EQ(d.insurance.DSPREM, 181.5);
    EXPECT_DOUBLE_EQ(d.insurance.LFPREM, 317.625);
    EXPECT_EQ(d.insurance.DSNUMPAY, 60.0);
    EXPECT_EQ(d.insurance.LFNUMPAY, 36.0);
    EXPECT_EQ(d.ODDDAYS, 46); // 16 days of January and the 29 days of February 2004, plus one
}

TEST(LoanAmounts, NothingDownNoFeesFinancesTheAmount) {
    tc::LoanFactors f;
    f.ORGAMT = 12345.67;
    f.LOANDATE = f.FIRSTDUE = {6, 1, 2004};
    const tc::DerivedAmounts d = tc::derive_amounts(f);
    EXPECT_EQ(d.FINANCEAMT, 12345.67);
    EXPECT_EQ(d.DOWNAMT, 0.0);
    EXPECT_EQ(d.FEEAMT, 0.0);
    EXPECT_EQ(d.insurance, tc::InsuranceBases{});
    EXPECT_EQ(d.ODDDAYS, 0);
}

TEST(LoanAmounts, BlockGetsTheSameInsuranceBases) {
    const tc::LoanFactors f = workedLoan();
    tc::LoanBlock b;
    b.FINANCEAMT = tc::derive_amounts(f).FINANCEAMT;
    b.DSRATE = f.DSRATE, b.DSFREQ = f.DSFREQ, b.DSYEARS = f.DSYEARS;
    b.LFRATE = f.LFRATE, b.LFFREQ = f.LFFREQ, b.LFYEARS = f.LFYEARS;
    tc::set_insurance_bases(b);
    const tc::InsuranceBases expected = tc::derive_amounts(f).insurance;
    EXPECT_EQ((tc::InsuranceBases{b.DSPREM, b.LFPREM, b.DSNUMPAY, b.LFNUMPAY}), expected);
}

TEST(LoanAmounts, OddDaysCountYearsAs365Days) {
    struct Case {
        const char* what;
        Date lent, due;
        int odd;
    } const cases[] = {
        {"same month", {1, 15, 2003}, {1, 31, 2003}, 16},
        {"across February 29", {2, 1, 2024}, {3, 1, 2024}, 29},
        {"across a common February", {2, 28, 2023}, {3, 1, 2023}, 1},
        {"across a year boundary", {12, 15, 2003}, {1, 15, 2004}, 31},
        // The leap year's extra day is not counted across years: one short of the calendar.
        {"a year boundary after a leap day", {12, 1, 2024}, {1, 1, 2025}, 30},
        {"a whole leap year", {2, 1, 2024}, {2, 1, 2025}, 365},
        {"two years", {1, 1, 2003}, {1, 1, 2005}, 730},
        {"same day", {6, 1, 2004}, {6, 1, 2004}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(tc::odd_days(c.lent, c.due), c.odd);
    }
}

TEST(Calendar, DayOfYearAndDayNumber) {
    EXPECT_EQ(tc::day_of_year({1, 1, 2003}), 1);
    EXPECT_EQ(tc::day_of_year({3, 1, 2004}), 61);
    EXPECT_EQ(tc::day_of_year({3, 1, 2003}), 60);
    EXPECT_EQ(tc::day_of_year({12, 31, 2000}), 366);
    EXPECT_EQ(tc::day_of_year({12, 31, 1900}), 365);
    EXPECT_EQ(tc::day_number({1, 1, 1970}), 0);
    EXPECT_EQ(tc::day_number({12, 31, 1969}), -1);
    EXPECT_EQ(tc::day_number({2, 1, 2025}) - tc::day_number({2, 1, 2024}), 366);
    EXPECT_EQ(tc::day_number({3, 1, 2024}) - tc::day_number({2, 28, 2024}), 2);
}

TEST(Calendar, DateTextIsMonthDayFullYear) {
    EXPECT_EQ(tc::date_text({3, 1, 2004}), "03/01/2004");
    EXPECT_EQ(tc::date_text({12, 31, 99}), "12/31/99");
    EXPECT_EQ(tc::date_text({0, 0, 0}), "00/00/0");
    char small[6];
    tc::format_date({3, 1, 2004}, small, sizeof small);
    EXPECT_STREQ(small, "03/01");
}

// The date steps of each frequency, walked with the calendar from a first due date.
Date walk(Date date, double f, int steps) {
    const tc::PeriodLength& step = tc::period_days(f).date_step;
    if (step.count == tc::DayCount::CursorYear) return tc::years_on(date, steps);
    for (int i = 0; i < steps; ++i) {
        if (step.count == tc::DayCount::CursorMonth)
            tc::next_month(date);
        else
            tc::advance_days(date, static_cast<int>(step.of(f)));
    }
    return date;
}

TEST(PeriodDays, DateStepsByFrequency) {
    struct Case {
        double f;
        Date from;
        int steps;
        Date to;
    } const cases[] = {
        {26, {1, 1, 2004}, 26, {12, 30, 2004}}, // 364 days
        {52, {12, 25, 2003}, 1, {1, 1, 2004}},  {24, {2, 20, 2004}, 1, {3, 6, 2004}},
        {4, {1, 15, 2003}, 1, {4, 16, 2003}},  // 91 whole days of 91.25
        {3, {1, 1, 2003}, 3, {12, 30, 2003}},  // 121 whole days of 121.67, three times
        {12, {1, 31, 2003}, 2, {3, 31, 2003}}, // months
        {1, {6, 1, 2004}, 1, {6, 1, 2005}},    // years on the first due date's month and day
        {1, {2, 29, 2004}, 1, {2, 28, 2005}},  // February 29 in a common year
        {1, {2, 29, 2004}, 4, {2, 29, 2008}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.f);
        EXPECT_EQ(walk(c.from, c.f, c.steps), c.to);
    }
}

// The days of a yearly period: 366 when the year up to the due date holds a February 29th.
TEST(PeriodDays, YearDaysFollowTheLeapDay) {
    struct Case {
        Date anchor;
        int years, days;
    } const cases[] = {
        {{2, 1, 2025}, 0, 366}, // 02/01/2024 to 02/01/2025 holds 02/29/2024
        {{2, 1, 2025}, 1, 365},  {{3, 1, 2024}, 0, 366},
        {{2, 28, 2024}, 0, 365}, {{2, 29, 2024}, 0, 366}, // from 02/28/2023
        {{2, 29, 2024}, 1, 365},                          // to 02/28/2025
        {{2, 29, 2024}, 4, 366},                          // 02/28/2027 to 02/29/2028
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(tc::date_text(c.anchor) + " + " + std::to_string(c.years));
        EXPECT_EQ(tc::year_days_to(c.anchor, c.years), c.days);
    }
}

} // namespace
