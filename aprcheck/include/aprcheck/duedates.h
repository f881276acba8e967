// The contractual due dates of a loan: the first due date, then one payment period after another.
//
//   due_date(first, k, frequency, skip_months)   the due date of payment k (0 is the first payment)
//
// The first payment falls `skip_months` months after `first`. From there, by payments a year:
//   12, 6, 4, 3, 2, 1   every 12 / frequency months on the first due date's day of the month, the
//                       month's last day where the month is shorter (Jan 31, Feb 29, Mar 31)
//   24                  half months: a day d up to the 15th pairs with d + 15 of the same month, a
//                       later day with d - 15 of the next month (each clamped to the month's end)
//   52, 26, 13          every 52 / frequency whole weeks
//   any other           every 365 / frequency whole days (at least one)
// These are the dates the contract names, not the schedule's stepped dates, which move flags 0 and
// 3 to the 1st of the month and lose a day after a leap-year February for the 365-day flags.
#pragma once

#include "common/calendar.h"

namespace talvero::aprcheck {

common::Date due_date(const common::Date& first, long k, double frequency, int skip_months = 0);

} // namespace talvero::aprcheck
