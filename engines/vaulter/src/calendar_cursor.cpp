#include "vaulter/calendar_cursor.h"

#include "common/period_days.h"
#include "common/today.h"

#include <algorithm>
#include <cmath>

namespace talvero::vaulter {

using common::Date;

Date maturity(const char* first_due_text, int skip_months, double count, double f, int flag,
              int /*odd_days*/) noexcept {
    Date date = common::first_due_or_today(first_due_text);
    if (skip_months >= 13) {
        date.year += skip_months / 12;
        date.month += skip_months % 12;
    } else {
        date.month += skip_months;
    }
    if (date.month > 12) {
        date.month -= 12;
        ++date.year;
    }

    const common::PeriodLength& step = common::period_days(f).date_step;
    if (step.count == common::DayCount::CursorYear)
        return count >= 1
                   ? common::years_on(
                         date, static_cast<int>(std::ceil(std::min(count, double(kMaxMaturitySteps)))) - 1)
                   : date;
    for (int c = 0; c < count && c < kMaxMaturitySteps; ++c) {
        if (step.count == common::DayCount::Fixed) {
            if (c > 0) common::advance_days(date, static_cast<int>(step.days));
        } else if (f == 12.0) {
            if (c == 0) continue;
            if (flag == 0) {
                common::next_month(date);
                date.day = 1;
            } else {
                common::next_month_keep_day(date);
            }
        } else if (c > 0 && f > 0.0) {
            common::advance_days(date, static_cast<int>(step.of(f)));
        }
    }
    return date;
}

} // namespace talvero::vaulter
