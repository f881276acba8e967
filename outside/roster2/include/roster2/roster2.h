/* Roster2: the on-screen listing of a balloon schedule.
 *
 * ListBall takes the print list of PrntBall (BLPAY after TERMYEARS), copies the values, shows the
 * BLPAY rows of the balloon schedule (dated rows, each year's subtotal, the grand total) in a listing
 * window and returns when it is closed. It never writes through its pointers.
 */
#ifndef ROSTER2_ROSTER2_H
#define ROSTER2_ROSTER2_H

#if defined(ROSTER2_BUILDING)
#define ROSTER2_API __attribute__((visibility("default")))
#else
#define ROSTER2_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

ROSTER2_API void
ListBall(const double* FINANCEAMT, const double* APR, const double* NUMPAY, const double* SCHEDPAY,
         const double* DSRATE, const double* DSFREQ, const double* DSYEARS, const double* LFRATE,
         const double* LFFREQ, const double* LFYEARS, const double* TAXES, const int* SKPMONTH,
         const char* FIRSTDUE, const int* INTMETHOD, const double* FREQUENCY, const int* P16, const int* P17,
         const int* P18, const int* MATMONTH, const int* MATDAY, const int* MATYEAR, const double* DSPREM,
         const double* LFPREM, const double* DSNUMPAY, const double* LFNUMPAY, const double* HOINS,
         const double* OTINS, const double* TERMYEARS, const double* BLPAY, const int* ODDDAYS,
         const int* LOANMONTH, const int* LOANDAY, const int* LOANYEAR, const double* TOTALINTEREST);

#ifdef __cplusplus
}
#endif

#endif
