#pragma once
// The payout windows' "Disclosure" button, driven as a loan officer would: the window it opens,
// the names typed, Save as PDF and Preview, for the tests of both twins.

#include "ui/modal.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace formtest {

struct DisclosureRun {
    QStringList shown;                // objectNames of the modal forms shown, in order
    QString title;                    // the disclosure window's caption
    QString notice;                   // its examiner's notice
    bool examiner = false;            // "Examiner's Page" enabled
    QString pdfText;                  // the saved borrower's copy read back with pdftotext
    QString printedText;              // what Print put on the printer (a PDF file here), read back
    bool cancelledPrintWrote = false; // Print with the printer dialog cancelled wrote a file
    QString creditorNextTime;         // the creditor name a new disclosure window starts with
};

// Presses "Disclosure" on `payout`; in the window: creditor, address and borrower typed, "Save as
// PDF" to `pdf`, "Print" confirmed to a file beside it and once cancelled, then "Preview". `modal` is the
// fixture's interceptor; its handler comes back.
DisclosureRun discloseFrom(ui::ModalInterceptor& modal, QWidget* payout, const QString& pdf);

} // namespace formtest
