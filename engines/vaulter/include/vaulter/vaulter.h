/* Balloon loan engine: the entries the balloon loan form calls.
 *
 * Vaulter takes the balloon parameter block as 44 pointers, copies the values in, solves the loan,
 * copies the results back and returns 0. ERRFLAG comes back 1 when the engine rejected the input
 * and has shown its message; the io positions then hold placeholders the caller must not show.
 * The block lives in library-wide storage: calls must not overlap.
 */
#ifndef VAULTER_VAULTER_H
#define VAULTER_VAULTER_H

#if defined(__GNUC__) || defined(__clang__)
#define VAULTER_API __attribute__((visibility("default")))
#else
#define VAULTER_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Receives every message of the engine; kind 0 is a plain box, 1 an error box. */
typedef void (*VaulterMessageFn)(void* owner, int kind, const char* text);

/* Installs the message function (NULL: messages go to standard error). A message function that
 * throws leaves the call with ERRFLAG 1. */
VAULTER_API void VaulterSetMessageHandler(VaulterMessageFn fn);

/* Sets the date the library takes for today when FIRSTDUE is empty (month 1 to 12); a month outside
 * 1 to 12, for instance 0, goes back to the system clock. */
VAULTER_API void VaulterSetToday(int month, int day, int year);

VAULTER_API int Vaulter(double* FINANCEAMT, double* APR, double* NUMPAY, double* PAYMENT, double* DSRATE,
                        double* DSFREQ, double* DSYEARS, double* LFRATE, double* LFFREQ, double* LFYEARS,
                        double* TAXES, int* SKPMONTH, char* FIRSTDUE, int* INTMETHOD, double* FREQUENCY,
                        int* P15, int* P16, int* P17, int* MATMONTH, int* MATDAY, int* MATYEAR,
                        double* DSPREM, double* LFPREM, double* DSNUMPAY, double* LFNUMPAY, double* HOINS,
                        double* OTINS, double* TERMYEARS, int* ODDDAYS, int* LOANMONTH, int* LOANDAY,
                        int* LOANYEAR, double* ORGAMT, double* FEEAMT, double* DOWNAMT, double* TOTALINTEREST,
                        double* REGZAPR, double* LASTPAY, double* TOTALPRINCIPAL, double* TOTALINSURANCE,
                        double* TOTALTAXES, double* TOTALPAYOUT, double* BLPAY, int* ERRFLAG);

/* Works on the library's copy of the block; owner is handed to the message function. The three
 * integers are not used. */
VAULTER_API void DoVaulter(void* owner, int a, int b, int c);

#ifdef __cplusplus
}
#endif

#endif /* VAULTER_VAULTER_H */
