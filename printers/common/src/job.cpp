#include "printers/job.h"
#include "printers/tvloanpr.h"

#include "ui/datafolder.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/printing.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

namespace talvero::printers {

namespace {
QPointer<PrintDialog> current;
} // namespace

PainterSink::PainterSink(QPainter& painter, QPrinter& printer, int lineHeight)
    : painter_(painter), printer_(printer), lineHeight_(lineHeight),
      ascent_(QFontMetrics(painter.font()).ascent()) {}

void PainterSink::newPage() {
    printer_.newPage();
}

void PainterSink::line(int n, const std::string& text) {
    if (text.empty()) return;
    painter_.drawText(0, n * lineHeight_ + ascent_, QString::fromLatin1(text.data(), qsizetype(text.size())));
}

QFont printFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(10);
    return font;
}

Geometry geometryOf(QPrinter& printer) {
    return geometry(printFont().pointSize(), printer.logicalDpiY(), printer.height());
}

int printLayout(QPrinter& printer, const Layout& layout) {
    printer.setDocName(QString::fromLatin1(layout.title()));
    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    painter.setFont(QFont(printFont(), &printer));
    const Geometry g = geometryOf(printer);
    PainterSink sink(painter, printer, g.lineHeight);
    const int pages = runJob(layout, g.linesPerPage, sink);
    painter.end();
    return pages;
}

int printLayout(const Layout& layout) {
    QPrinter& printer = ui::printer();
    bool fallback = false;
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
        const QString folder = ui::ensureDataFolder();
        if (folder.isEmpty()) return 0;
        printer.setOutputFileName(folder + QStringLiteral("/talvero-print-") +
                                  QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")) +
                                  QStringLiteral(".pdf"));
        fallback = true;
    }
    const int pages = printLayout(printer, layout);
    if (fallback && pages > 0) ui::showMessage(QStringLiteral("Printed to %1").arg(printer.outputFileName()));
    return pages;
}

PrintDialog::PrintDialog(Procedure procedure, QWidget* parent) : QDialog(parent), procedure_(procedure) {
    setObjectName(QStringLiteral("TVLOANPR"));
    setAccessibleDescription(QStringLiteral("TVLOANPR"));
    setWindowTitle(QStringLiteral("Print Amortization Schedule"));
    setModal(true);
    // Dialog units: a quarter of the average character width across, an eighth of the height down.
    const QFontMetrics fm(font());
    const double ux = fm.averageCharWidth() / 4.0, uy = fm.height() / 8.0;
    auto at = [ux, uy](QWidget* w, int x, int y, int cx, int cy) {
        w->setGeometry(int(x * ux), int(y * uy), int(cx * ux), int(cy * uy));
    };
    setFixedSize(int(195 * ux), int(114 * uy));
    auto button = [&](const char* text, int id, int x) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        const QString name = QStringLiteral("Button%1").arg(id);
        b->setObjectName(name);
        b->setAccessibleDescription(name);
        b->setProperty("dialogId", id);
        at(b, x, 70, 36, 12);
        connect(b, &QPushButton::clicked, this, [this, id] { command(id); });
        return b;
    };
    Button116 = button("Cancel", TVLOANPR_CANCEL, 27);
    Button115 = button("Start", TVLOANPR_START, 80);
    Button135 = button("Help", TVLOANPR_HELP, 134);
    auto text = [&](const char* t, int id, int y) {
        auto* l = new QLabel(QString::fromLatin1(t), this);
        const QString name = QStringLiteral("Text%1").arg(id);
        l->setObjectName(name);
        l->setAccessibleDescription(name);
        at(l, 10, y, 177, 9);
        return l;
    };
    Text200 = text("Printing the amortization schedule for the current loan", 200, 24);
    Text201 = text("data. Click Start to begin printing, and click Cancel", 201, 32);
    Text202 = text("to change your mind.", 202, 40);
    Button115->setDefault(true);
}

void PrintDialog::command(int id) {
    if (procedure_) procedure_(this, TVLOANPR_COMMAND, static_cast<unsigned long>(id), 0);
}

void PrintDialog::end(int result) {
    ended_ = true;
    QDialog::done(result);
}

void PrintDialog::reject() {
    if (procedure_) procedure_(this, TVLOANPR_CLOSE, 0, 0);
}

void PrintDialog::closeEvent(QCloseEvent* event) {
    if (!ended_ && procedure_) procedure_(this, TVLOANPR_CLOSE, 0, 0);
    event->accept();
}

PrintDialog* openDialog() {
    return current.data();
}

long dialogProcedure(const Layout& layout, void* dialog, unsigned int message, unsigned long wparam, long) {
    // Only the dialog the library has open is acted on.
    PrintDialog* d = current && dialog == current.data() ? current.data() : nullptr;
    switch (message) {
    case TVLOANPR_INITDIALOG:
        if (d) d->Button115->setFocus(Qt::OtherFocusReason);
        return 0;
    case TVLOANPR_COMMAND:
        switch (static_cast<int>(wparam & 0xffffu)) {
        case TVLOANPR_START:
            printLayout(layout);
            if (d) d->end(QDialog::Accepted);
            return 1;
        case TVLOANPR_CANCEL:
            if (d) d->end(QDialog::Rejected);
            return 1;
        case TVLOANPR_HELP:
            ui::helpContext(QStringLiteral("talvero.hlp"), layout.helpContext());
            return 0;
        default:
            return 0;
        }
    case TVLOANPR_CLOSE:
        if (d) d->end(QDialog::Rejected);
        return 1;
    default:
        return 0;
    }
}

int runEntry(PrintDialog::Procedure procedure) {
    PrintDialog dialog(procedure);
    const QPointer<PrintDialog> previous = current;
    current = &dialog;
    procedure(&dialog, TVLOANPR_INITDIALOG, 0, 0);
    ui::showModal(&dialog);
    current = previous;
    return 0;
}

} // namespace talvero::printers
