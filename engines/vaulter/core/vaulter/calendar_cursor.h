// The balloon engine's calendar: the cursor every pass starts from and the maturity date count.
//
//   maturity(...)          due date of payment number `count`: skip months added, then one step per
//                          payment by the frequency's rule; unlike the regular engine the monthly
//                          count sets the day to 1 for flag 0 only (flag 3 keeps the day); at most
//                          kMaxMaturitySteps steps are taken
#pragma once

#include "common/calendar.h"

namespace talvero::vaulter {

inline constexpr int kMaxMaturitySteps = 100000;

common::Date maturity(const char* first_due_text, int skip_months, double count, double f, int flag,
                      int odd_days) noexcept;

} // namespace talvero::vaulter
