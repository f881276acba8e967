/* The dialog procedure of the schedule printers (DoPrntAmortBL, DoPrntCalYR, DoPrntCal2YR).
 *
 * The procedure answers the messages of the dialog TVLOANPR; `dialog` is the dialog the library
 * opened (any other value acts on no dialog). It returns 1 when the message ended the dialog or
 * was handled as its end, else 0:
 *   TVLOANPR_INITDIALOG            focus to Start                          0
 *   TVLOANPR_COMMAND, id 115       the print job, then the dialog ends     1
 *   TVLOANPR_COMMAND, id 116       the dialog ends                         1
 *   TVLOANPR_COMMAND, id 135       help at the library's context; stays   0
 *   TVLOANPR_CLOSE                 the dialog ends                         1
 *   anything else                  nothing                                 0
 */
#ifndef PRINTERS_TVLOANPR_H
#define PRINTERS_TVLOANPR_H

#define TVLOANPR_CLOSE 0x0010u
#define TVLOANPR_INITDIALOG 0x0110u
#define TVLOANPR_COMMAND 0x0111u

#define TVLOANPR_START 115
#define TVLOANPR_CANCEL 116
#define TVLOANPR_HELP 135

#endif
