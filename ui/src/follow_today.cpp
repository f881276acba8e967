// Compiled into every program and shared library that links the ui seams. Each of them carries
// its own copy of the engines' date (talvero::common::today(), linked in with the schedule pass,
// the saving and the printers), so each module's copy follows the program's today from the moment
// the module loads: a test that fixes today once sees it in every schedule, listing and printout.

#include "common/today.h"
#include "ui/today.h"

namespace {

void setCommonToday(int month, int day, int year) {
    if (month == 0)
        talvero::common::clear_today();
    else
        talvero::common::set_today({month, day, year});
}

[[maybe_unused]] const bool following = (ui::followToday(&setCommonToday), true);

} // namespace
