/* Calls the exported entries from C, as the loan form does, and checks the copying rules. */
#include "tessera/tessera.h"

#include <math.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

struct LoanBlock {
    double FINANCEAMT, APR, NUMPAY, PAYMENT, DSRATE, DSFREQ, DSYEARS, LFRATE, LFFREQ, LFYEARS, TAXES;
    int SKPMONTH;
    char FIRSTDUE[11];
    int INTMETHOD;
    double FREQUENCY;
    int P15, P16, P17, MATMONTH, MATDAY, MATYEAR;
    double DSPREM, LFPREM, DSNUMPAY, LFNUMPAY, HOINS, OTINS, TERMYEARS;
    int ODDDAYS, LOANMONTH, LOANDAY, LOANYEAR;
    double ORGAMT, FEEAMT, DOWNAMT, TOTALINTEREST, REGZAPR, LASTPAY, TOTALPRINCIPAL, TOTALINSURANCE,
        TOTALTAXES, TOTALPAYOUT;
    int ERRFLAG, PAYOFFMODE;
    double PAYOFFPER;
    int PAYOFFDAYS;
    double PAYSMADE, CURBAL;
};

static int failures = 0;
#define CHECK(cond)                                                                                          \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);                         \
            ++failures;                                                                                      \
        }                                                                                                    \
    } while (0)

static int last_kind = -1;
static char last_text[2048];
static int message_count = 0;
static void* last_owner = (void*)1;

static void record(void* owner, int kind, const char* text) {
    last_owner = owner;
    last_kind = kind;
    strncpy(last_text, text, sizeof last_text - 1);
    ++message_count;
}

static int call(struct LoanBlock* b) {
    return Tessera(&b->FINANCEAMT, &b->APR, &b->NUMPAY, &b->PAYMENT, &b->DSRATE, &b->DSFREQ, &b->DSYEARS,
                   &b->LFRATE, &b->LFFREQ, &b->LFYEARS, &b->TAXES, &b->SKPMONTH, b->FIRSTDUE, &b->INTMETHOD,
                   &b->FREQUENCY, &b->P15, &b->P16, &b->P17, &b->MATMONTH, &b->MATDAY, &b->MATYEAR,
                   &b->DSPREM, &b->LFPREM, &b->DSNUMPAY, &b->LFNUMPAY, &b->HOINS, &b->OTINS, &b->TERMYEARS,
                   &b->ODDDAYS, &b->LOANMONTH, &b->LOANDAY, &b->LOANYEAR, &b->ORGAMT, &b->FEEAMT, &b->DOWNAMT,
                   &b->TOTALINTEREST, &b->REGZAPR, &b->LASTPAY, &b->TOTALPRINCIPAL, &b->TOTALINSURANCE,
                   &b->TOTALTAXES, &b->TOTALPAYOUT, &b->ERRFLAG, &b->PAYOFFMODE, &b->PAYOFFPER,
                   &b->PAYOFFDAYS, &b->PAYSMADE, &b->CURBAL);
}

static struct LoanBlock monthly_loan(void) {
    struct LoanBlock b;
    memset(&b, 0, sizeof b);
    b.FINANCEAMT = b.ORGAMT = 10000;
    b.APR = 10;
    b.NUMPAY = 36;
    b.FREQUENCY = 12;
    b.INTMETHOD = 0;
    strcpy(b.FIRSTDUE, "01152003");
    return b;
}

/* Month and year of the 36th monthly payment when the first is due this month by the system clock. */
static void system_maturity(int* month, int* year) {
    const time_t now = time(NULL);
    const struct tm* local = localtime(&now);
    const int months = (local->tm_year + 1900) * 12 + local->tm_mon + 35;
    *month = months % 12 + 1;
    *year = months / 12;
}

/* The library's today drives an empty first due date; month 0 gives the system clock back. */
static void today_can_be_set(void) {
    struct LoanBlock b;
    int month_before, year_before, month_after, year_after;

    /* 36 payments from June 1, 2004 on the 360-day count: the last is due May 1, 2007. */
    TesseraSetToday(6, 1, 2004);
    b = monthly_loan();
    memset(b.FIRSTDUE, 0, sizeof b.FIRSTDUE);
    call(&b);
    CHECK(b.ERRFLAG == 0);
    CHECK(b.MATMONTH == 5 && b.MATDAY == 1 && b.MATYEAR == 2007);

    /* A typed first due date does not look at today. */
    b = monthly_loan();
    call(&b);
    CHECK(b.MATMONTH == 12 && b.MATDAY == 1 && b.MATYEAR == 2005);

    TesseraSetToday(3, 20, 1999);
    b = monthly_loan();
    memset(b.FIRSTDUE, 0, sizeof b.FIRSTDUE);
    call(&b);
    CHECK(b.MATMONTH == 2 && b.MATDAY == 1 && b.MATYEAR == 2002);

    TesseraSetToday(0, 0, 0);
    system_maturity(&month_before, &year_before);
    b = monthly_loan();
    memset(b.FIRSTDUE, 0, sizeof b.FIRSTDUE);
    call(&b);
    system_maturity(&month_after, &year_after);
    CHECK(b.MATDAY == 1);
    CHECK((b.MATMONTH == month_before && b.MATYEAR == year_before) ||
          (b.MATMONTH == month_after && b.MATYEAR == year_after));
}

int main(void) {
    static const char not_enough[] =
        "Loan Input Error!\nNot enought data for processing.\nLoan Terms could be missing one\nof the "
        "following:\n1. scheduled payment\n2. number of payments\n3. APR\nPlease re-enter correctly from "
        "the\ninput loan data menu.\n\nNOTE: A blank number of payments must\nhave the scheduled payment. A "
        "blank\nscheduled payment must have the number\nof payments entered.  A blank APR must\nhave the "
        "payment, or the finance\ncharge entered for the system to\ncalculate properly.";
    static const char fixed_apr[] = "Cannot calculate an APR on Fixed Prinicpal Loans without the finance "
                                    "charge. Please change your check mark and enter the finance charge "
                                    "when using interest flag 3 or 4.";
    struct LoanBlock b, again, empty;
    double shared = 0;
    double i;

    TesseraSetMessageHandler(record);

    /* A payment loan: solved, 15 to 17 back as they came, maturity written. */
    b = monthly_loan();
    b.P15 = 7;
    b.P16 = -8;
    b.P17 = 9;
    b.ERRFLAG = 5; /* out positions are not read */
    b.REGZAPR = NAN;
    CHECK(call(&b) == 0);
    i = 0.10 / 12;
    CHECK(fabs(b.PAYMENT - 10000 * i / (1 - pow(1 + i, -36))) < 0.005);
    CHECK(b.P15 == 7 && b.P16 == -8 && b.P17 == 9);
    CHECK(b.MATMONTH == 12 && b.MATDAY == 1 && b.MATYEAR == 2005);
    CHECK(b.ERRFLAG == 0);
    CHECK(isfinite(b.REGZAPR) && fabs(b.REGZAPR - 10.0) < 0.1);
    CHECK(fabs(b.TOTALPRINCIPAL - 10000) < 1e-6);
    CHECK(message_count == 0);

    /* Positions the engine does not read change nothing. */
    again = monthly_loan();
    again.LOANMONTH = 4;
    again.LOANDAY = 2;
    again.LOANYEAR = 2002;
    again.FEEAMT = 250;
    again.DOWNAMT = 900;
    again.DSYEARS = 3;
    again.LFYEARS = 4;
    again.P15 = 7;
    again.P16 = -8;
    again.P17 = 9;
    call(&again);
    CHECK(again.PAYMENT == b.PAYMENT && again.TOTALINTEREST == b.TOTALINTEREST &&
          again.REGZAPR == b.REGZAPR && again.LASTPAY == b.LASTPAY && again.TOTALPAYOUT == b.TOTALPAYOUT &&
          again.MATYEAR == b.MATYEAR);

    /* Nothing given: error box, ERRFLAG 1, no owner; the next call starts with ERRFLAG 0 again. */
    memset(&empty, 0, sizeof empty);
    call(&empty);
    CHECK(empty.ERRFLAG == 1);
    CHECK(message_count == 1 && last_kind == 1 && strcmp(last_text, not_enough) == 0 && last_owner == NULL);
    b = monthly_loan();
    call(&b);
    CHECK(b.ERRFLAG == 0);

    /* The fixed-principal APR notice is a plain box and leaves ERRFLAG 0. */
    b = monthly_loan();
    b.APR = 0;
    b.PAYMENT = 300;
    b.INTMETHOD = 3;
    call(&b);
    CHECK(b.ERRFLAG == 0);
    CHECK(message_count == 2 && last_kind == 0 && strcmp(last_text, fixed_apr) == 0);

    /* Results are copied back in a fixed order: TOTALPAYOUT after LASTPAY, NUMPAY after PAYMENT. */
    b = monthly_loan();
    Tessera(&b.FINANCEAMT, &b.APR, &b.NUMPAY, &b.PAYMENT, &b.DSRATE, &b.DSFREQ, &b.DSYEARS, &b.LFRATE,
            &b.LFFREQ, &b.LFYEARS, &b.TAXES, &b.SKPMONTH, b.FIRSTDUE, &b.INTMETHOD, &b.FREQUENCY, &b.P15,
            &b.P16, &b.P17, &b.MATMONTH, &b.MATDAY, &b.MATYEAR, &b.DSPREM, &b.LFPREM, &b.DSNUMPAY,
            &b.LFNUMPAY, &b.HOINS, &b.OTINS, &b.TERMYEARS, &b.ODDDAYS, &b.LOANMONTH, &b.LOANDAY, &b.LOANYEAR,
            &b.ORGAMT, &b.FEEAMT, &b.DOWNAMT, &b.TOTALINTEREST, &b.REGZAPR, &shared, &b.TOTALPRINCIPAL,
            &b.TOTALINSURANCE, &b.TOTALTAXES, &shared, &b.ERRFLAG, &b.PAYOFFMODE, &b.PAYOFFPER, &b.PAYOFFDAYS,
            &b.PAYSMADE, &b.CURBAL);
    again = monthly_loan();
    call(&again);
    CHECK(shared == again.TOTALPAYOUT);

    /* The worker hands its owner to the message function. The library's copy now holds the solved
       loan with its finance charge, which fits no case. */
    DoTessera((void*)&empty, 0, 0, 0);
    CHECK(message_count == 3 && last_kind == 1 && last_owner == (void*)&empty);

    /* A null position refuses the call: ERRFLAG 1, an error box, nothing solved or written back. */
    b = monthly_loan();
    Tessera(&b.FINANCEAMT, &b.APR, &b.NUMPAY, &b.PAYMENT, &b.DSRATE, &b.DSFREQ, &b.DSYEARS, &b.LFRATE,
            &b.LFFREQ, &b.LFYEARS, &b.TAXES, &b.SKPMONTH, NULL, &b.INTMETHOD, &b.FREQUENCY, &b.P15, &b.P16,
            &b.P17, &b.MATMONTH, &b.MATDAY, &b.MATYEAR, &b.DSPREM, &b.LFPREM, &b.DSNUMPAY, &b.LFNUMPAY,
            &b.HOINS, &b.OTINS, &b.TERMYEARS, &b.ODDDAYS, &b.LOANMONTH, &b.LOANDAY, &b.LOANYEAR, &b.ORGAMT,
            &b.FEEAMT, &b.DOWNAMT, &b.TOTALINTEREST, &b.REGZAPR, &b.LASTPAY, &b.TOTALPRINCIPAL,
            &b.TOTALINSURANCE, &b.TOTALTAXES, &b.TOTALPAYOUT, &b.ERRFLAG, &b.PAYOFFMODE, &b.PAYOFFPER,
            &b.PAYOFFDAYS, &b.PAYSMADE, &b.CURBAL);
    CHECK(b.ERRFLAG == 1 && b.PAYMENT == 0 && b.MATYEAR == 0);
    CHECK(message_count == 4 && last_kind == 1 && strstr(last_text, "incomplete") != NULL);

    /* Without a handler the text goes to standard error and the call still returns. */
    TesseraSetMessageHandler(NULL);
    memset(&empty, 0, sizeof empty);
    CHECK(call(&empty) == 0);
    CHECK(empty.ERRFLAG == 1);

    today_can_be_set();

    if (failures) fprintf(stderr, "%d checks failed\n", failures);
    return failures ? 1 : 0;
}
