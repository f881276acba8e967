#include "ui/printing.h"

#include "ui/datafolder.h"
#include "ui/messages.h"

#include <QDateTime>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace ui {

namespace {
// clang-format off
const char* const kPrintedTo = "Printed to %1";
// clang-format on

PrinterDialogInterceptor* activeInterceptor = nullptr;
} // namespace

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

QString nextPdfPath() {
    const QString stem = ensureDataFolder() + QStringLiteral("/talvero-print-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString path = stem + QStringLiteral(".pdf");
    for (int count = 2; QFile::exists(path); ++count)
        path = stem + QStringLiteral("-%1.pdf").arg(count);
    return path;
}

bool choosePrinter(QWidget* parent) {
    QPrinter& p = printer();
    const bool noPrinter = activeInterceptor ? activeInterceptor->pdfPath_.isEmpty()
                                             : QPrinterInfo::availablePrinters().isEmpty();
    if (noPrinter) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(nextPdfPath());
    }
    if (activeInterceptor) {
        ++activeInterceptor->shown_;
        if (activeInterceptor->confirm_ && !noPrinter) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(activeInterceptor->pdfPath_);
        }
        return activeInterceptor->confirm_;
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
    // A file the test named itself needs no note; a file the program chose is named to the user.
    const bool namedByTest = activeInterceptor && !activeInterceptor->pdfPath_.isEmpty();
    if (!namedByTest && p.outputFormat() == QPrinter::PdfFormat && !p.outputFileName().isEmpty())
        showMessage(QString::fromLatin1(kPrintedTo).arg(p.outputFileName()));
    return true;
}

} // namespace ui
