// The balloon engine's maturity date count and its long day steps.
#include "common/today.h"
#include "vaulter/calendar_cursor.h"

#include <gtest/gtest.h>

namespace talvero::vaulter {
namespace {

using common::Date;

struct MaturityRow {
    const char* first_due;
    int skip_months;
    double count, f;
    int flag, odd_days;
    Date due;
};

TEST(Maturity, StepsByTheFrequencysRule) {
    const MaturityRow rows[] = {
        // Monthly 365-day count keeps the day, less one for each leap-year February passed.
        {"01152003", 0, 3, 12, 1, 0, {3, 15, 2003}},
        {"01152004", 0, 3, 12, 1, 0, {3, 14, 2004}},
        {"01152004", 0, 3, 12, 2, 0, {3, 14, 2004}},
        {"01152004", 0, 3, 12, 7, 0, {3, 14, 2004}},
        // Flag 3 keeps the day like the 365-day flags; only flag 0 moves to the first.
        {"01152004", 0, 3, 12, 3, 0, {3, 14, 2004}},
        {"01152004", 0, 3, 12, 0, 0, {3, 1, 2004}},
        {"01312003", 0, 2, 12, 1, 0, {2, 31, 2003}},
        // Day steps.
        {"12252003", 0, 2, 26, 1, 0, {1, 8, 2004}},
        {"12252003", 0, 2, 52, 0, 0, {1, 1, 2004}},
        {"02202004", 0, 2, 24, 1, 0, {3, 6, 2004}},
        {"01152003", 0, 2, 4, 1, 0, {4, 16, 2003}},
        {"01152003", 0, 3, 2, 1, 0, {1, 14, 2004}},
        {"01152003", 0, 2, 0.5, 1, 0, {1, 14, 2005}},
        // Yearly loans step a year per payment after the first, odd days or not, on the first due
        // date's month and day (February 29 is the 28th in common years).
        {"01152003", 0, 3, 1, 1, 0, {1, 15, 2005}},
        {"01152003", 0, 3, 1, 0, 0, {1, 15, 2005}},
        {"01152003", 0, 3, 1, 1, 30, {1, 15, 2005}},
        {"02292004", 0, 2, 1, 0, 0, {2, 28, 2005}},
        {"02292004", 0, 5, 1, 1, 0, {2, 29, 2008}},
        {"01152003", 3, 2, 1, 1, 0, {4, 15, 2004}},
        // Skip months.
        {"06012004", 14, 1, 12, 1, 0, {8, 1, 2005}},
        {"06012004", 7, 1, 12, 1, 0, {1, 1, 2005}},
        {"06012004", 12, 1, 12, 1, 0, {6, 1, 2005}},
        {"11302004", 25, 1, 12, 1, 0, {12, 30, 2006}},
        // No payments: the first due date itself.
        {"01152004", 0, 0, 12, 1, 0, {1, 15, 2004}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.first_due << " skip " << row.skip_months << " count "
                                          << row.count << " f " << row.f << " flag " << row.flag);
        char text[10] = {};
        std::copy(row.first_due, row.first_due + 8, text);
        EXPECT_EQ(maturity(text, row.skip_months, row.count, row.f, row.flag, row.odd_days), row.due);
    }
}

TEST(Maturity, EmptyFirstDueDateCountsFromToday) {
    common::set_today(Date{1, 15, 2004});
    const char empty[10] = {};
    EXPECT_EQ(maturity(empty, 0, 3, 12, 1, 0), (Date{3, 14, 2004}));
    common::clear_today();
}

TEST(Maturity, HugeCountsStop) {
    const char text[10] = "01152004";
    const Date due = maturity(text, 0, 1e300, 12, 1, 0);
    EXPECT_GT(due.year, 2004 + 8000);
    EXPECT_LT(due.year, 2004 + 8400);
}

} // namespace
} // namespace talvero::vaulter
