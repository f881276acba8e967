#include "invest/reportpreview.h"

#include "report/preview.h"
#include "ui/printing.h"

#include <QPrinter>

namespace invest {

void previewReport(const report::Renderer& renderer, QWidget* parent) {
    report::preview(renderer, ui::printer(), parent);
}

} // namespace invest
