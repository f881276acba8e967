#pragma once
// The balloon loan form's data: the balloon block, what its dialogs keep, and the form's own working
// values. TForm10 holds one of these; the balloon engine is called with the addresses of its block
// members, and the payout window, the schedule and the saving routine read it afterwards.

#include "common/loanblock.h"
#include "loan/dialogdata.h"

namespace balloon {

struct BalloonData : talvero::common::BalloonBlock, loan::DialogData {
    // The balloon form's values at creation; everything else starts at zero.
    BalloonData() {
        APR = 10.0;
        TERMYEARS = 30.0;
        FINANCEAMT = 50000.0;
        FREQUENCY = 12.0;
        ORGAMT = 50000.0;
        NUMPAY = 360.0;
        BLPAY = 60.0;
    }

    char LOANDATETXT[11] = {}; // loan date as typed
    int FIRSTDUEDATE[3] = {};  // first due month, day, year: parsed, or today
    int TODAYDATE[3] = {};     // today's month, day, year, taken when the form is created

    double SCHEDPAY = 0.0; // PAYMENT of the last successful calculation
    int UnsavedCount = 0;  // calculations not yet saved
};

// Calls the balloon engine with the addresses of the members of `block`.
void runVaulter(talvero::common::BalloonBlock& block);
// How many times runVaulter has called the engine in this process.
long vaulterCalls();

} // namespace balloon
