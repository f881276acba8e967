#pragma once
// The layout check of a report: its pages written as a PDF file and every word read back.

#include "report/report.h"

#include <QString>
#include <QStringList>

namespace reporttest {

// Writes the report to `pdf` and returns every fault of its pages: two words that overlap, a word
// outside the margins of its Letter page, a text standing elsewhere than the layout placed it, and
// a right-aligned column whose texts do not share one right edge (an amount whose mask dropped
// decimals ends left of it). Empty when the pages read cleanly.
QStringList layoutFaults(const report::Renderer& renderer, const QString& pdf);

} // namespace reporttest
