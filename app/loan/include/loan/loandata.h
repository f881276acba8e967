#pragma once
// The loan parameter block and the loan form's working values, as plain data. TForm1 holds one of
// these; the engine is called with the addresses of its block members, the payout and payoff
// windows, schedules, saving and printers read it afterwards.

namespace loan {

struct LoanData {
    // The 48 block positions, in the engine's order.
    double FINANCEAMT = 50000.0;
    double APR = 10.0;
    double NUMPAY = 360.0;
    double PAYMENT = 0.0;
    double DSRATE = 0.0;
    double DSFREQ = 0.0;
    double DSYEARS = 0.0;
    double LFRATE = 0.0;
    double LFFREQ = 0.0;
    double LFYEARS = 0.0;
    double TAXES = 0.0;
    int SKPMONTH = 0;
    char FIRSTDUE[11] = {};
    int INTMETHOD = 0;
    double FREQUENCY = 12.0;
    int RESERVED[3] = {}; // positions 15-17: zero before each call, returned unchanged
    int MATURITY[3] = {}; // month, day, year
    double DSPREM = 0.0;
    double LFPREM = 0.0;
    double DSNUMPAY = 0.0;
    double LFNUMPAY = 0.0;
    double HOINS = 0.0;
    double OTINS = 0.0;
    double TERMYEARS = 30.0;
    int ODDDAYS = 0;
    int LOANDATE[3] = {}; // month, day, year
    double ORGAMT = 50000.0;
    double FEEAMT = 0.0;
    double DOWNAMT = 0.0;
    double TOTALINTEREST = 0.0;
    double REGZAPR = 0.0;
    double LASTPAY = 0.0;
    double TOTALPRINCIPAL = 0.0;
    double TOTALINSURANCE = 0.0;
    double TOTALTAXES = 0.0;
    double TOTALPAYOUT = 0.0;
    int ERRFLAG = 0;
    int PAYOFFMODE = 0;
    double PAYOFFPER = 0.0;
    int PAYOFFDAYS = 0;
    double PAYSMADE = 0.0;
    double CURBAL = 0.0;

    // Values of the down payment and fees dialog.
    double DOWNPAYAMT = 0.0; // down payment, dollars
    double DOWNPAYPCT = 0.0; // down payment, percent of the loan amount
    double FEEPAYAMT = 0.0;  // origination fee, dollars
    double FEEPCT = 0.0;     // origination fee, percent of the loan amount

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

// Calls the loan engine with the addresses of the block members of `data`.
void runTessera(LoanData& data);
// How many times runTessera has called the engine in this process.
long tesseraCalls();

} // namespace loan
