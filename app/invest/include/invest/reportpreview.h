#pragma once
// "Run Report Menu"'s preview of an investment report (invest/reports.h).

class QWidget;

namespace report {
class Renderer;
}

namespace invest {

// Previews the report on the program's printer, so printing from the preview goes to the printer
// the user chose last (or to a PDF file where the system has none).
void previewReport(const report::Renderer& renderer, QWidget* parent);

} // namespace invest
