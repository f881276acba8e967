#include "portfolio/reportpreview.h"

#include "portfolio/reports.h"
#include "report/preview.h"

namespace portfolio {

void previewLoan(db::Connection& connection, int loanNo, QWidget* parent) {
    withLoanReport(connection, loanNo,
                   [parent](const report::Renderer& renderer, bool) { report::preview(renderer, parent); });
}

} // namespace portfolio
