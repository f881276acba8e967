#pragma once
// The regular loan report over the saved rows of one loan; the amortization window previews it,
// the portfolio builds its balloon twin on it, and the command line writes it as PDF. No widgets.

#include "report/report.h"

namespace loan {

// The report QuickRep1 over the rows of db::sql::loanPreview.
report::Definition quickRep1();

} // namespace loan
