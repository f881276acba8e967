#pragma once
// The stored schedule of one saved loan as a report: the regular loan report, or for a balloon
// loan the same bands with the amortize periods and the balloon term in the page header. No
// widgets: the portfolio previews these reports, the command line writes them as PDF.

#include "report/report.h"

#include <QVariant>

#include <functional>

namespace db {
class Connection;
}

namespace portfolio {

report::Definition balloonReport();

// The report for a loan whose first report row carries this BLPAY: an empty or non-positive term
// (read as a rounded integer) is a regular loan.
report::Definition reportFor(const QVariant& BLPAY);

// Runs the report query of loan `loanNo` over the connection and hands `use` the renderer of the
// report its first row picks (rows in the order they were saved) and whether the loan has any
// rows; a loan without rows gets the regular report, empty. Throws db::Error.
void withLoanReport(db::Connection& connection, int loanNo,
                    const std::function<void(const report::Renderer& renderer, bool hasRows)>& use);

} // namespace portfolio
