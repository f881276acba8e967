#include "ui/printing.h"

#include "ui/datafolder.h"
#include "ui/messages.h"

#include <QDateTime>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace ui {

namespace {
PrinterDialogInterceptor* activeInterceptor = nullptr;
}

PrinterDialogInterceptor::PrinterDialogInterceptor(bool confirm, const QString& pdfPath)
    : confirm_(confirm), pdfPath_(pdfPath), previous_(activeInterceptor) {
    activeInterceptor = this;
}
PrinterDialogInterceptor::~PrinterDialogInterceptor() {
    activeInterceptor = previous_;
}

QPrinter& printer() {
    static QPrinter instance(QPrinter::HighResolution);
    return instance;
}

bool choosePrinter(QWidget* parent) {
    QPrinter& p = printer();
    if (activeInterceptor) {
        ++activeInterceptor->shown_;
        if (activeInterceptor->confirm_) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(activeInterceptor->pdfPath_);
        }
        return activeInterceptor->confirm_;
    }
    if (QPrinterInfo::availablePrinters().isEmpty() && p.outputFileName().isEmpty()) {
        const QString folder = ensureDataFolder();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(folder + QStringLiteral("/talvero-print-") +
                            QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")) +
                            QStringLiteral(".pdf"));
    }
    QPrintDialog dialog(&p, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool printFormImage(QWidget* form) {
    if (!form || !choosePrinter(form)) return false;
    const QPixmap image = form->grab();
    QPrinter& p = printer();
    QPainter painter;
    if (!painter.begin(&p)) return false;
    const QRect page = painter.viewport();
    // The form prints at its size on screen, shrunk only when it is wider or taller than the page.
    const double dpr = image.devicePixelRatio() > 0 ? image.devicePixelRatio() : 1.0;
    const double scale = p.resolution() / (96.0 * dpr);
    QSize size(int(image.width() * scale), int(image.height() * scale));
    if (size.width() > page.width() || size.height() > page.height())
        size.scale(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(page.topLeft(), size), image);
    painter.end();
    if (!activeInterceptor && p.outputFormat() == QPrinter::PdfFormat && !p.outputFileName().isEmpty())
        showMessage(QStringLiteral("Printed to %1").arg(p.outputFileName()));
    return true;
}

} // namespace ui
