#include "report/preview.h"

#include "ui/filedialog.h"
#include "ui/messages.h"
#include "ui/modal.h"

#include <QAction>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace report {

namespace {
// clang-format off
const char* const kNotSaved = "The report could not be saved as\n%1";
// clang-format on
} // namespace

void setUpPrinter(QPrinter& printer, const Definition& definition) {
    setUpDevice(printer, definition);
    printer.setDocName(definition.title);
}

QString pdfFileName(const Definition& definition) {
    QString name = definition.title.trimmed();
    for (QChar& c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    return (name.isEmpty() ? QStringLiteral("report") : name) + QStringLiteral(".pdf");
}

bool saveAsPdf(const Renderer& renderer, QWidget* parent) {
    QString path = ui::saveFileName(parent, QStringLiteral("Save as PDF"), pdfFileName(renderer.definition()),
                                    QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty()) return false;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    if (renderer.writePdf(path)) return true;
    ui::showError(QString::fromLatin1(kNotSaved).arg(QDir::toNativeSeparators(path)));
    return false;
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
    // "Save as PDF…" stands beside Print, the last action of the preview's tool bar.
    const QString name = QStringLiteral("SaveAsPdf");
    auto* save = new QAction(dialog.style()->standardIcon(QStyle::SP_DialogSaveButton),
                             QStringLiteral("Save as PDF\u2026"), &dialog);
    save->setObjectName(name);
    QObject::connect(save, &QAction::triggered, &dialog,
                     [&renderer, &dialog] { saveAsPdf(renderer, &dialog); });
    if (QToolBar* bar = dialog.findChild<QToolBar*>()) {
        bar->addAction(save);
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(save))) {
            button->setObjectName(name);
            button->setAccessibleDescription(name);
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        }
    } else {
        dialog.addAction(save);
    }
    ui::showModal(&dialog);
}

} // namespace report
