#pragma once
// The report's print preview, through the modal seam.

#include "report/report.h"

class QPrinter;
class QWidget;

namespace report {

// Sets Letter, portrait, the margins and the document name on the printer.
void setUpPrinter(QPrinter& printer, const Definition& definition);

// Shows the report in the print preview; returns when it is closed.
void preview(const Renderer& renderer, QWidget* parent);
// The same on a printer the caller keeps (set up for the report first).
void preview(const Renderer& renderer, QPrinter& printer, QWidget* parent);

} // namespace report
