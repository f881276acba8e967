#pragma once
// The Report button's preview of one saved loan's report (portfolio/reports.h).

class QWidget;

namespace db {
class Connection;
}

namespace portfolio {

// Previews the report of loan `loanNo` over the connection; rows in the order they were saved.
// Throws db::Error.
void previewLoan(db::Connection& connection, int loanNo, QWidget* parent);

} // namespace portfolio
