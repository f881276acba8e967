#pragma once
// What start-up tells before any window opens: each alias's database opened once and closed, so
// an unreachable server or a damaged file is told at once, naming the database, and the program
// goes on with the other one. A SQLite file that does not exist yet is left for its first use
// (nothing is created at start-up); an existing one is only read.

#include "db/connection.h"

#include <QStringList>

namespace db {

// The message of each alias whose database cannot be opened, in the order IBLoan, IBInvest.
QStringList startupProblems();

} // namespace db
