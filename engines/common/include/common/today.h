// The one source of "today" for the engines, schedules and printers.
//
//   today()                    the local date from the system clock, or the date a test has set
//   set_today(date)            makes today() return `date` until clear_today() (tests)
//   clear_today()              back to the system clock
//   first_due_or_today(text)   a typed "MMDDCCYY" first due date, or today when its first byte is 0
//
// Process-wide and not thread-safe: the engines are called from one thread.
#pragma once

#include "common/calendar.h"

namespace talvero::common {

Date today() noexcept;
void set_today(const Date& date) noexcept;
void clear_today() noexcept;
Date first_due_or_today(const char* text) noexcept;

} // namespace talvero::common
