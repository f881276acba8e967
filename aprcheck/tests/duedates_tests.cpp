// The contractual due dates, one payment period after another from the first due date.
#include "aprcheck/duedates.h"

#include <gtest/gtest.h>

namespace {

using talvero::aprcheck::due_date;
using talvero::common::Date;

TEST(DueDates, StepByThePaymentPeriodFromTheFirstDueDate) {
    struct Case {
        const char* name;
        Date first;
        long k;
        double frequency;
        int skip;
        Date due;
    };
    const Case cases[] = {
        {"monthly: the first payment itself", {1, 31, 2024}, 0, 12, 0, {1, 31, 2024}},
        {"monthly: the 31st falls on February 29 in a leap year", {1, 31, 2024}, 1, 12, 0, {2, 29, 2024}},
        {"monthly: and on the 31st again in March", {1, 31, 2024}, 2, 12, 0, {3, 31, 2024}},
        {"monthly: the 31st in April is the 30th", {1, 31, 2024}, 3, 12, 0, {4, 30, 2024}},
        {"monthly: February 28 in a common year", {1, 31, 2023}, 1, 12, 0, {2, 28, 2023}},
        {"monthly: the 30th after February", {1, 30, 2024}, 2, 12, 0, {3, 30, 2024}},
        {"monthly: the 15th keeps its day past a leap February", {2, 15, 2024}, 1, 12, 0, {3, 15, 2024}},
        {"monthly: the 36th payment", {2, 15, 2024}, 35, 12, 0, {1, 15, 2027}},
        {"monthly: across the year end", {11, 15, 2024}, 3, 12, 0, {2, 15, 2025}},
        {"skip months: 14 from June 1", {6, 1, 2004}, 0, 12, 14, {8, 1, 2005}},
        {"skip months: the day is clamped where the payment falls", {1, 31, 2024}, 0, 12, 1, {2, 29, 2024}},
        {"skip months: and kept after", {1, 31, 2024}, 1, 12, 1, {3, 31, 2024}},
        {"every two months", {1, 31, 2023}, 2, 6, 0, {5, 31, 2023}},
        {"quarterly: April 30", {1, 31, 2023}, 1, 4, 0, {4, 30, 2023}},
        {"quarterly: July 31", {1, 31, 2023}, 2, 4, 0, {7, 31, 2023}},
        {"every four months", {5, 15, 2023}, 2, 3, 0, {1, 15, 2024}},
        {"half-yearly: August 31 to February 29", {8, 31, 2023}, 1, 2, 0, {2, 29, 2024}},
        {"yearly: February 29 becomes February 28", {2, 29, 2024}, 1, 1, 0, {2, 28, 2025}},
        {"yearly: and February 29 again in a leap year", {2, 29, 2024}, 4, 1, 0, {2, 29, 2028}},
        {"yearly: the first due date's month and day", {3, 15, 2024}, 2, 1, 0, {3, 15, 2026}},
        {"yearly: skip months move the anniversary", {3, 15, 2024}, 1, 1, 2, {5, 15, 2025}},
        {"weekly: across the year end", {12, 28, 2023}, 1, 52, 0, {1, 4, 2024}},
        {"weekly: nine weeks on is February 29", {12, 28, 2023}, 9, 52, 0, {2, 29, 2024}},
        {"weekly: from the first due date moved by skip months", {1, 31, 2024}, 1, 52, 1, {3, 7, 2024}},
        {"biweekly: 14 days", {12, 25, 2003}, 1, 26, 0, {1, 8, 2004}},
        {"every four weeks", {1, 1, 2024}, 1, 13, 0, {1, 29, 2024}},
        {"semimonthly: the 1st and the 16th", {1, 1, 2024}, 1, 24, 0, {1, 16, 2024}},
        {"semimonthly: the 1st of the next month", {1, 1, 2024}, 2, 24, 0, {2, 1, 2024}},
        {"semimonthly: the 30th is February's last day", {1, 15, 2024}, 3, 24, 0, {2, 29, 2024}},
        {"semimonthly: and the 30th again in March", {1, 15, 2024}, 5, 24, 0, {3, 30, 2024}},
        {"semimonthly: a later day pairs with 15 days less next month",
         {1, 20, 2024},
         1,
         24,
         0,
         {2, 5, 2024}},
        {"semimonthly: the 31st and the 16th", {1, 31, 2023}, 1, 24, 0, {2, 16, 2023}},
        {"semimonthly: the 31st is February 28", {1, 31, 2023}, 2, 24, 0, {2, 28, 2023}},
        {"semimonthly: and March 31", {1, 31, 2023}, 4, 24, 0, {3, 31, 2023}},
        {"five a year: 73 days", {1, 1, 2023}, 1, 5, 0, {3, 15, 2023}},
        {"eight a year: 45 whole days", {1, 1, 2023}, 2, 8, 0, {4, 1, 2023}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(due_date(c.first, c.k, c.frequency, c.skip), c.due);
    }
}

} // namespace
