/* Regular loan engine: the entries the loan form calls.
 *
 * Tessera takes the loan parameter block as 48 pointers in the block's order, solves the one term
 * left blank (or the payoff when PAYOFFMODE is 1), writes the results back and returns 0. ERRFLAG
 * comes back 1 when the engine refused the input and has shown its message.
 * DoTessera is the worker Tessera calls with a null owner; the owner is handed to the message
 * function. TesseraSetMessageHandler installs the function that shows the engine's messages
 * (kind 0: plain information box, 1: error box); with none installed the text goes to standard error.
 * An exception thrown by the message function ends the run; the call then comes back with ERRFLAG 1.
 * TesseraSetToday gives the library the date it takes for today when FIRSTDUE is empty (month 1 to
 * 12); a month outside 1 to 12, for instance 0, goes back to the system clock.
 */
#ifndef TESSERA_TESSERA_H
#define TESSERA_TESSERA_H

#if defined(TESSERA_BUILDING)
#define TESSERA_API __attribute__((visibility("default")))
#else
#define TESSERA_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*TesseraMessageFn)(void* owner, int kind, const char* text);

TESSERA_API int Tessera(double* FINANCEAMT, double* APR, double* NUMPAY, double* PAYMENT, double* DSRATE,
                        double* DSFREQ, double* DSYEARS, double* LFRATE, double* LFFREQ, double* LFYEARS,
                        double* TAXES, int* SKPMONTH, char* FIRSTDUE, int* INTMETHOD, double* FREQUENCY,
                        int* P15, int* P16, int* P17, int* MATMONTH, int* MATDAY, int* MATYEAR,
                        double* DSPREM, double* LFPREM, double* DSNUMPAY, double* LFNUMPAY, double* HOINS,
                        double* OTINS, double* TERMYEARS, int* ODDDAYS, int* LOANMONTH, int* LOANDAY,
                        int* LOANYEAR, double* ORGAMT, double* FEEAMT, double* DOWNAMT, double* TOTALINTEREST,
                        double* REGZAPR, double* LASTPAY, double* TOTALPRINCIPAL, double* TOTALINSURANCE,
                        double* TOTALTAXES, double* TOTALPAYOUT, int* ERRFLAG, int* PAYOFFMODE,
                        double* PAYOFFPER, int* PAYOFFDAYS, double* PAYSMADE, double* CURBAL);

TESSERA_API void DoTessera(void* owner, int a, int b, int c);

TESSERA_API void TesseraSetMessageHandler(TesseraMessageFn fn);

TESSERA_API void TesseraSetToday(int month, int day, int year);

#ifdef __cplusplus
}
#endif

#endif
