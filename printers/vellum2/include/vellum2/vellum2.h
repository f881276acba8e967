/* Vellum2: the balloon amortization schedule printed by calendar year.
 *
 * PrntCal2YR copies every value at once (FIRSTDUE: exactly 10 characters), runs the dialog TVLOANPR with
 * DoPrntCal2YR as its procedure, and returns 0 when the dialog has ended. It never writes through its
 * pointers. P16 to P18 and the maturity date are received and not read. The procedure's messages are in
 * printers/tvloanpr.h; Start prints on the program's printer under the title "Calendar Amortization", Help
 * opens help context 225.
 */
#ifndef VELLUM2_VELLUM2_H
#define VELLUM2_VELLUM2_H

#include "printers/tvloanpr.h"

#if defined(VELLUM2_BUILDING)
#define VELLUM2_API __attribute__((visibility("default")))
#else
#define VELLUM2_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

VELLUM2_API int
PrntCal2YR(const double* FINANCEAMT, const double* APR, const double* NUMPAY, const double* SCHEDPAY,
           const double* DSRATE, const double* DSFREQ, const double* DSYEARS, const double* LFRATE,
           const double* LFFREQ, const double* LFYEARS, const double* TAXES, const int* SKPMONTH,
           const char* FIRSTDUE, const int* INTMETHOD, const double* FREQUENCY, const int* P16,
           const int* P17, const int* P18, const int* MATMONTH, const int* MATDAY, const int* MATYEAR,
           const double* DSPREM, const double* LFPREM, const double* DSNUMPAY, const double* LFNUMPAY,
           const double* HOINS, const double* OTINS, const double* TERMYEARS, const double* BLPAY,
           const int* ODDDAYS, const int* LOANMONTH, const int* LOANDAY, const int* LOANYEAR,
           const double* ORGAMT, const double* FEEAMT, const double* DOWNAMT, const double* TOTALINTEREST);

VELLUM2_API long DoPrntCal2YR(void* dialog, unsigned int message, unsigned long wparam, long lparam);

#ifdef __cplusplus
}
#endif

#endif
