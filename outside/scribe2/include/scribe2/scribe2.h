/* Scribe2: the balloon amortization schedule printed by loan year.
 *
 * PrntBall takes the print list of PrntAmortBL with BLPAY after TERMYEARS, copies every value at once
 * (FIRSTDUE: exactly 10 characters), runs the dialog TVLOANPR with DoPrntBall as its procedure, and
 * returns 0 when the dialog has ended. It never writes through its pointers. P16 to P18 are received
 * and not read. The procedure's messages are in printers/tvloanpr.h; Start prints the BLPAY rows of
 * the balloon schedule on the program's printer under the title "Balloon Amortization", Help opens
 * help context 216.
 */
#ifndef SCRIBE2_SCRIBE2_H
#define SCRIBE2_SCRIBE2_H

#include "printers/tvloanpr.h"

#if defined(SCRIBE2_BUILDING)
#define SCRIBE2_API __attribute__((visibility("default")))
#else
#define SCRIBE2_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

SCRIBE2_API int
PrntBall(const double* FINANCEAMT, const double* APR, const double* NUMPAY, const double* SCHEDPAY,
         const double* DSRATE, const double* DSFREQ, const double* DSYEARS, const double* LFRATE,
         const double* LFFREQ, const double* LFYEARS, const double* TAXES, const int* SKPMONTH,
         const char* FIRSTDUE, const int* INTMETHOD, const double* FREQUENCY, const int* P16, const int* P17,
         const int* P18, const int* MATMONTH, const int* MATDAY, const int* MATYEAR, const double* DSPREM,
         const double* LFPREM, const double* DSNUMPAY, const double* LFNUMPAY, const double* HOINS,
         const double* OTINS, const double* TERMYEARS, const double* BLPAY, const int* ODDDAYS,
         const int* LOANMONTH, const int* LOANDAY, const int* LOANYEAR, const double* TOTALINTEREST);

SCRIBE2_API long DoPrntBall(void* dialog, unsigned int message, unsigned long wparam, long lparam);

#ifdef __cplusplus
}
#endif

#endif
