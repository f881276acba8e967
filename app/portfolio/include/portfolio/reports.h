#pragma once
// The stored schedule of one saved loan as a report: the regular loan report, or for a balloon
// loan the same bands with the amortize periods and the balloon term in the page header.

#include "report/report.h"

#include <QVariant>

namespace db {
class Connection;
}

namespace portfolio {

report::Definition balloonReport();

// The report for a loan whose first report row carries this BLPAY: an empty or non-positive term
// (read as a rounded integer) is a regular loan.
report::Definition reportFor(const QVariant& BLPAY);

// Previews the report of loan `loanNo` over the connection; rows in the order they were saved.
// Throws db::Error.
void previewLoan(db::Connection& connection, int loanNo, QWidget* parent);

} // namespace portfolio
