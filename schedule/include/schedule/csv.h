// A schedule as CSV in the loan detail table's columns:
// PAYDATE,INTAMT,PRINAMT,DSINS,LFINS,TAXES,HOINS,OTINS,PAYMENT,BALANCE, amounts to the cent, no
// BALANCE on the total rows. The command line and the program's exports write the same text.
#pragma once

#include "schedule/schedule.h"

#include <iosfwd>

namespace talvero::schedule {

void write_csv(Pass& pass, std::ostream& out);

} // namespace talvero::schedule
