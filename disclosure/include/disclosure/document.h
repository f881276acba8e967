// The disclosure as band reports: the borrower's copy and, apart from it, the examiner's page
// (Qt Gui: the band renderer); and the creditor remembered in the data folder.
//
//   report::Renderer copy = borrowerCopy(d);        // copy.writePdf(path), report::preview(copy, parent)
//   if (d.examiner_page) examinerPage(d).writePdf(other);
#pragma once

#include "disclosure/disclosure.h"
#include "report/report.h"

#include <QDateTime>
#include <QString>

namespace talvero::disclosure {

inline constexpr const char* kTitle = "Truth in Lending Disclosure";

report::Renderer borrowerCopy(const Disclosure& d, const QDateTime& now = QDateTime::currentDateTime());
// The engine's REGZAPR against the Appendix J APR; for the examiner, never handed to the borrower.
report::Renderer examinerPage(const Disclosure& d, const QDateTime& now = QDateTime::currentDateTime());

// The creditor's name and address, kept in "disclosure.ini" of the data folder between sessions.
struct Creditor {
    QString name;
    QString address;
};
Creditor loadCreditor(const QString& dataFolder);
// False when the file cannot be written.
bool saveCreditor(const QString& dataFolder, const Creditor& creditor);

} // namespace talvero::disclosure
