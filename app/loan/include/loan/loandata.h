#pragma once
// The loan form's data: the regular loan block, what its dialogs keep, and the form's own working
// values. TForm1 holds one of these; the engine is called with the addresses of its block members,
// the payout and payoff windows, schedules, saving and printers read it afterwards.

#include "common/loanblock.h"
#include "loan/dialogdata.h"

namespace loan {

struct LoanData : talvero::common::RegularBlock, DialogData {
    // The loan form's values at creation; everything else starts at zero.
    LoanData() {
        FINANCEAMT = 50000.0;
        APR = 10.0;
        NUMPAY = 360.0;
        FREQUENCY = 12.0;
        TERMYEARS = 30.0;
        ORGAMT = 50000.0;
    }

    char LOANDATETXT[11] = {};   // loan date as typed
    int FIRSTDUEDATE[3] = {};    // first due month, day, year: parsed, or today
    char PAYOFFDATETXT[11] = {}; // payoff date as typed
    int PAYOFFDATE[3] = {};      // payoff month, day, year: parsed, or today
    int NEXTDUEDATE[3] = {};     // next due date after the payments made
    int TODAYDATE[3] = {};       // today's month, day, year on this form

    double SCHEDPAY = 0.0;      // PAYMENT of the last successful regular calculation
    int UnsavedCount = 0;       // regular calculations not yet saved
    double PRINTRESERVE = 60.0; // passed to the print libraries, never changed
};

// Calls the loan engine with the addresses of the members of `block`.
void runTessera(talvero::common::RegularBlock& block);
// How many times runTessera has called the engine in this process.
long tesseraCalls();

} // namespace loan
