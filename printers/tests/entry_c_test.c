/* The dialog procedure export answers from C; commands that need no dialog and no printer. */
#include <stdio.h>

#if defined(LIBRARY_scribe1)
#include "scribe1/scribe1.h"
#define PROCEDURE DoPrntAmortBL
#elif defined(LIBRARY_scribe2)
#include "scribe2/scribe2.h"
#define PROCEDURE DoPrntBall
#elif defined(LIBRARY_vellum1)
#include "vellum1/vellum1.h"
#define PROCEDURE DoPrntCalYR
#else
#include "vellum2/vellum2.h"
#define PROCEDURE DoPrntCal2YR
#endif

int main(void) {
    int failures = 0;
    struct {
        unsigned message;
        unsigned long wparam;
        long result;
    } cases[] = {
        {TVLOANPR_INITDIALOG, 0, 0},
        {TVLOANPR_COMMAND, TVLOANPR_CANCEL, 1},
        {TVLOANPR_COMMAND, 4242, 0},
        {TVLOANPR_CLOSE, 0, 1},
        {0x0200u, 0, 0},
    };
    for (unsigned i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const long got = PROCEDURE(NULL, cases[i].message, cases[i].wparam, 0);
        if (got != cases[i].result) {
            fprintf(stderr, "message %#x, %lu: %ld, expected %ld\n", cases[i].message, cases[i].wparam, got,
                    cases[i].result);
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
