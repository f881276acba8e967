#include "report/preview.h"

#include "ui/modal.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace report {

void setUpPrinter(QPrinter& printer, const Definition& definition) {
    setUpDevice(printer, definition);
    printer.setDocName(definition.title);
}

void preview(const Renderer& renderer, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    preview(renderer, printer, parent);
}

void preview(const Renderer& renderer, QPrinter& printer, QWidget* parent) {
    setUpPrinter(printer, renderer.definition());
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("ReportPreview"));
    dialog.setWindowTitle(renderer.definition().title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&renderer](QPrinter* p) {
        setUpPrinter(*p, renderer.definition());
        renderer.print(*p);
    });
    ui::showModal(&dialog);
}

} // namespace report
