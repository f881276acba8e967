#pragma once
// The report's print preview, through the modal seam. Beside Print it offers "Save as PDF…": the
// file dialog seam proposes the report's title as the file name; a file that cannot be written is
// an error message.

#include "report/report.h"

class QPrinter;
class QWidget;

namespace report {

// Sets Letter, portrait, the margins and the document name on the printer.
void setUpPrinter(QPrinter& printer, const Definition& definition);

// "Loan Amortization Table.pdf": the title, with no folder separators in it.
QString pdfFileName(const Definition& definition);

// Asks for a file (the file dialog seam) and writes the report there as PDF, ".pdf" added when the
// name has no such ending. False when cancelled or when the file cannot be written (an error
// message then).
bool saveAsPdf(const Renderer& renderer, QWidget* parent);

// Shows the report in the print preview; returns when it is closed.
void preview(const Renderer& renderer, QWidget* parent);
// The same on a printer the caller keeps (set up for the report first).
void preview(const Renderer& renderer, QPrinter& printer, QWidget* parent);

} // namespace report
