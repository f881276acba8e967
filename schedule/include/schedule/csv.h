// A schedule as CSV in the loan detail table's columns:
// PAYDATE,INTAMT,PRINAMT,DSINS,LFINS,TAXES,HOINS,OTINS,PAYMENT,BALANCE, amounts to the cent, no
// BALANCE on the total rows, '.' the decimal point in every locale. The command line and the
// program's exports write the same text.
#pragma once

#include "schedule/schedule.h"

#include <iosfwd>
#include <string>

namespace talvero::schedule {

void write_csv(Pass& pass, std::ostream& out);

// An amount to the cent with '.' as the decimal point, whatever the C library's locale.
std::string cents(double value);

} // namespace talvero::schedule
