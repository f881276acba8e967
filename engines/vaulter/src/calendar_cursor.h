// The balloon engine's calendar: the cursor every pass starts from and the maturity date count.
//
//   first_due(text)        the first due date typed as "MMDDCCYY" (10 bytes read), or today's
//                          date when the text's first byte is 0
//   advance_days_far(d, n) adds n days by the month-length rule; whole years are skipped at once,
//                          which gives the same date as the month-by-month walk
//   maturity(...)          due date of payment number `count`: skip months added, then one step per
//                          payment by the frequency's rule; unlike the regular engine the monthly
//                          count sets the day to 1 for flag 0 only (flag 3 keeps the day); at most
//                          kMaxMaturitySteps steps are taken
#pragma once

#include "common/calendar.h"

namespace talvero::vaulter {

inline constexpr int kMaxMaturitySteps = 100000;

common::Date first_due(const char* text) noexcept;
void advance_days_far(common::Date& date, int days) noexcept;
common::Date maturity(const char* first_due_text, int skip_months, double count, double f, int flag,
                      int odd_days) noexcept;

} // namespace talvero::vaulter
