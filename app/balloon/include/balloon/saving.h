#pragma once
// The balloon saving routine as the forms run it: the loan saving routine with the balloon form's
// count, the balloon term stored in the summary and the balloon saving rows.

#include "balloon/balloondata.h"
#include "loan/saving.h"

namespace balloon {

// Saves `data` as its last calculation left it. Returns the new loan number, or 0 when nothing was
// saved (the reason has been shown); a failed save leaves nothing of the loan in the database and
// UnsavedCount as it was.
qint64 saveBalloonData(BalloonData& data, QWidget* owner, loan::SaveSteps steps = loan::SaveSteps::Checked);

// Preview/Save of the balloon amortization window: a new loan on every call, written without the
// "previously saved" test or the closing message, its detail rows the balloon schedule itself.
qint64 saveBalloonSchedule(BalloonData& data, QWidget* owner);

} // namespace balloon
