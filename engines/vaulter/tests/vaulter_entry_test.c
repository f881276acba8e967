/* The exported entries as the balloon form calls them, from C: the copy-in and copy-back rules,
 * the cleared error flag and the message function. */
#include "vaulter/vaulter.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static int failures = 0;

#define CHECK(cond)                                                                                          \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);                         \
            ++failures;                                                                                      \
        }                                                                                                    \
    } while (0)

/* The balloon form's members. */
typedef struct {
    double FINANCEAMT, APR, NUMPAY, PAYMENT, DSRATE, DSFREQ, DSYEARS, LFRATE, LFFREQ, LFYEARS, TAXES;
    int SKPMONTH;
    char* FIRSTDUE;
    int INTMETHOD;
    double FREQUENCY;
    int P15, P16, P17, MATMONTH, MATDAY, MATYEAR;
    double DSPREM, LFPREM, DSNUMPAY, LFNUMPAY, HOINS, OTINS, TERMYEARS;
    int ODDDAYS, LOANMONTH, LOANDAY, LOANYEAR;
    double ORGAMT, FEEAMT, DOWNAMT, TOTALINTEREST, REGZAPR, LASTPAY, TOTALPRINCIPAL, TOTALINSURANCE,
        TOTALTAXES, TOTALPAYOUT, BLPAY;
    int ERRFLAG;
} Form;

static void starting_values(Form* m, char* first_due) {
    memset(m, 0, sizeof *m);
    m->FINANCEAMT = m->ORGAMT = 50000.0;
    m->APR = 10.0;
    m->NUMPAY = 360.0;
    m->BLPAY = 60.0;
    m->FREQUENCY = 12.0;
    m->TERMYEARS = 30.0;
    m->FIRSTDUE = first_due;
}

static int call(Form* m) {
    return Vaulter(&m->FINANCEAMT, &m->APR, &m->NUMPAY, &m->PAYMENT, &m->DSRATE, &m->DSFREQ, &m->DSYEARS,
                   &m->LFRATE, &m->LFFREQ, &m->LFYEARS, &m->TAXES, &m->SKPMONTH, m->FIRSTDUE, &m->INTMETHOD,
                   &m->FREQUENCY, &m->P15, &m->P16, &m->P17, &m->MATMONTH, &m->MATDAY, &m->MATYEAR,
                   &m->DSPREM, &m->LFPREM, &m->DSNUMPAY, &m->LFNUMPAY, &m->HOINS, &m->OTINS, &m->TERMYEARS,
                   &m->ODDDAYS, &m->LOANMONTH, &m->LOANDAY, &m->LOANYEAR, &m->ORGAMT, &m->FEEAMT, &m->DOWNAMT,
                   &m->TOTALINTEREST, &m->REGZAPR, &m->LASTPAY, &m->TOTALPRINCIPAL, &m->TOTALINSURANCE,
                   &m->TOTALTAXES, &m->TOTALPAYOUT, &m->BLPAY, &m->ERRFLAG);
}

static int shown = 0;
static int last_kind = -1;
static void* last_owner = (void*)1;
static char last_text[2048];

static void record(void* owner, int kind, const char* text) {
    ++shown;
    last_kind = kind;
    last_owner = owner;
    strncpy(last_text, text, sizeof last_text - 1);
}

static void payment_is_computed_and_copied_back(char* first_due) {
    Form m;
    starting_values(&m, first_due);
    /* Out positions are never read: rubbish in them changes nothing. */
    m.REGZAPR = m.LASTPAY = m.TOTALPRINCIPAL = m.TOTALINSURANCE = m.TOTALTAXES = m.TOTALPAYOUT = NAN;
    m.ERRFLAG = 7;
    m.LOANMONTH = 1, m.LOANDAY = 2, m.LOANYEAR = 2004;
    m.FEEAMT = 11.0, m.DOWNAMT = 22.0, m.DSYEARS = 3.0, m.LFYEARS = 4.0;
    CHECK(call(&m) == 0);
    CHECK(m.ERRFLAG == 0);
    CHECK(fabs(m.PAYMENT - 438.7857853) < 1e-6);
    CHECK(m.LASTPAY > 48000.0 && m.LASTPAY < 49000.0);
    CHECK(m.TERMYEARS == 5.0);
    CHECK(fabs(m.TOTALPRINCIPAL - 50000.0) < 1e-6);
    CHECK(m.TOTALTAXES == 0.0 && m.TOTALINSURANCE == 0.0);
    CHECK(fabs(m.REGZAPR - 10.0) < 0.02);
    CHECK(m.MATMONTH == 12 && m.MATDAY == 1 && m.MATYEAR == 2008);
    /* In positions come back as they went in, and so do the three carried integers. */
    CHECK(m.FINANCEAMT == 50000.0 && m.APR == 10.0 && m.NUMPAY == 360.0 && m.BLPAY == 60.0);
    CHECK(m.LOANMONTH == 1 && m.LOANDAY == 2 && m.LOANYEAR == 2004 && m.FEEAMT == 11.0 && m.DOWNAMT == 22.0);
    CHECK(m.P15 == 0 && m.P16 == 0 && m.P17 == 0);
    CHECK(shown == 0);
}

static void carried_integers_come_back_as_passed(char* first_due) {
    Form m;
    starting_values(&m, first_due);
    m.P15 = 15, m.P16 = -16, m.P17 = 17;
    call(&m);
    CHECK(m.P15 == 15 && m.P16 == -16 && m.P17 == 17);
}

/* The copy-back order shows when two positions share one member: the later write stays. */
static int call_sharing(Form* m, double* payment_and_lastpay, int* p15_and_errflag) {
    return Vaulter(&m->FINANCEAMT, &m->APR, &m->NUMPAY, payment_and_lastpay, &m->DSRATE, &m->DSFREQ,
                   &m->DSYEARS, &m->LFRATE, &m->LFFREQ, &m->LFYEARS, &m->TAXES, &m->SKPMONTH, m->FIRSTDUE,
                   &m->INTMETHOD, &m->FREQUENCY, p15_and_errflag, &m->P16, &m->P17, &m->MATMONTH, &m->MATDAY,
                   &m->MATYEAR, &m->DSPREM, &m->LFPREM, &m->DSNUMPAY, &m->LFNUMPAY, &m->HOINS, &m->OTINS,
                   &m->TERMYEARS, &m->ODDDAYS, &m->LOANMONTH, &m->LOANDAY, &m->LOANYEAR, &m->ORGAMT,
                   &m->FEEAMT, &m->DOWNAMT, &m->TOTALINTEREST, &m->REGZAPR, payment_and_lastpay,
                   &m->TOTALPRINCIPAL, &m->TOTALINSURANCE, &m->TOTALTAXES, &m->TOTALPAYOUT, &m->BLPAY,
                   p15_and_errflag);
}

static void copy_back_follows_the_order(char* first_due) {
    Form m;
    double shared = 0.0;
    int p15 = 5;
    starting_values(&m, first_due);
    /* LASTPAY is written after PAYMENT: the balloon stays. */
    call_sharing(&m, &shared, &p15);
    CHECK(shared > 48000.0 && shared < 49000.0);
    CHECK(p15 == 0);

    /* ERRFLAG is written after position 15: a rejected call leaves 1. */
    starting_values(&m, first_due);
    m.BLPAY = 0.0;
    shared = 500.0;
    p15 = 5;
    VaulterSetMessageHandler(record);
    call_sharing(&m, &shared, &p15);
    VaulterSetMessageHandler(NULL);
    CHECK(p15 == 1);
}

static void rejected_call_shows_its_message_and_the_next_starts_clean(char* first_due) {
    Form m;
    starting_values(&m, first_due);
    m.PAYMENT = 500.0;
    m.BLPAY = 0.0;
    shown = 0;
    VaulterSetMessageHandler(record);
    call(&m);
    CHECK(m.ERRFLAG == 1);
    CHECK(shown == 1);
    CHECK(last_kind == 1);
    CHECK(last_owner == NULL);
    CHECK(strncmp(last_text, "Loan Input Error!\nNot enought data for processing.\n", 50) == 0);
    CHECK(m.BLPAY == 1.0 && m.NUMPAY == 1.0 && m.APR == 1.0 && m.PAYMENT == 1.0 && m.TERMYEARS == 1.0);

    starting_values(&m, first_due);
    shown = 0;
    call(&m);
    CHECK(m.ERRFLAG == 0);
    CHECK(shown == 0);

    /* DoVaulter hands its owner to the message function: the library's copy still holds the last
     * results, a payment with a finance charge and a rate, which is not enough data. */
    DoVaulter(&m, 0, 0, 0);
    CHECK(shown == 1);
    CHECK(last_owner == &m);
    VaulterSetMessageHandler(NULL);
}

/* Month and year of the 60th monthly payment when the first is due this month by the system clock. */
static void system_balloon_due(int* month, int* year) {
    const time_t now = time(NULL);
    const struct tm* local = localtime(&now);
    const int months = (local->tm_year + 1900) * 12 + local->tm_mon + 59;
    *month = months % 12 + 1;
    *year = months / 12;
}

/* The library's today drives an empty first due date; month 0 gives the system clock back. */
static void today_can_be_set(void) {
    char blank[10] = {0};
    Form m;
    int month_before, year_before, month_after, year_after;

    /* The balloon after 60 payments from January 15, 2004, as with the date typed. */
    VaulterSetToday(1, 15, 2004);
    starting_values(&m, blank);
    call(&m);
    CHECK(m.ERRFLAG == 0);
    CHECK(m.MATMONTH == 12 && m.MATDAY == 1 && m.MATYEAR == 2008);

    /* From June 10, 2005 the 60th payment is due May 1, 2010 (flag 0 counts from the first). */
    VaulterSetToday(6, 10, 2005);
    starting_values(&m, blank);
    call(&m);
    CHECK(m.MATMONTH == 5 && m.MATDAY == 1 && m.MATYEAR == 2010);

    VaulterSetToday(0, 0, 0);
    system_balloon_due(&month_before, &year_before);
    starting_values(&m, blank);
    call(&m);
    system_balloon_due(&month_after, &year_after);
    CHECK(m.MATDAY == 1);
    CHECK((m.MATMONTH == month_before && m.MATYEAR == year_before) ||
          (m.MATMONTH == month_after && m.MATYEAR == year_after));
}

/* A null position refuses the call: ERRFLAG 1, an error box, nothing solved or written back. */
static void null_position_is_refused(char* first_due) {
    Form m;
    starting_values(&m, first_due);
    m.ERRFLAG = 0;
    last_kind = -1;
    VaulterSetMessageHandler(record);
    Vaulter(&m.FINANCEAMT, &m.APR, &m.NUMPAY, &m.PAYMENT, &m.DSRATE, &m.DSFREQ, &m.DSYEARS, &m.LFRATE,
            &m.LFFREQ, &m.LFYEARS, &m.TAXES, &m.SKPMONTH, NULL, &m.INTMETHOD, &m.FREQUENCY, &m.P15, &m.P16,
            &m.P17, &m.MATMONTH, &m.MATDAY, &m.MATYEAR, &m.DSPREM, &m.LFPREM, &m.DSNUMPAY, &m.LFNUMPAY,
            &m.HOINS, &m.OTINS, &m.TERMYEARS, &m.ODDDAYS, &m.LOANMONTH, &m.LOANDAY, &m.LOANYEAR, &m.ORGAMT,
            &m.FEEAMT, &m.DOWNAMT, &m.TOTALINTEREST, &m.REGZAPR, &m.LASTPAY, &m.TOTALPRINCIPAL,
            &m.TOTALINSURANCE, &m.TOTALTAXES, &m.TOTALPAYOUT, &m.BLPAY, &m.ERRFLAG);
    VaulterSetMessageHandler(NULL);
    CHECK(m.ERRFLAG == 1);
    CHECK(last_kind == 1 && strstr(last_text, "incomplete") != NULL);
    CHECK(m.PAYMENT == 0.0 && m.LASTPAY == 0.0);
}

int main(void) {
    /* Exactly the ten bytes of the first due date are read. */
    char* first_due = malloc(10);
    memcpy(first_due, "01152004\0\0", 10);

    payment_is_computed_and_copied_back(first_due);
    carried_integers_come_back_as_passed(first_due);
    copy_back_follows_the_order(first_due);
    today_can_be_set();
    rejected_call_shows_its_message_and_the_next_starts_clean(first_due);
    null_position_is_refused(first_due);

    free(first_due);
    if (failures != 0) {
        fprintf(stderr, "%d checks failed\n", failures);
        return 1;
    }
    puts("vaulter entry: all checks passed");
    return 0;
}
