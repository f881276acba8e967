#include "formtest/disclosure.h"
#include "testsupport/pdf_words.h"

#include "loan/disclosure.h"
#include "ui/filedialog.h"
#include "ui/printing.h"

#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace formtest {

DisclosureRun discloseFrom(ui::ModalInterceptor& modal, QWidget* payout, const QString& pdf) {
    DisclosureRun run;
    ui::FileDialogInterceptor files([pdf](const ui::FileRequest&) { return pdf; });
    bool first = true;
    modal.setHandler([&](QDialog* d) {
        run.shown << d->objectName();
        auto* form = qobject_cast<TForm31*>(d);
        if (!form) return 0; // the print preview
        if (!first) {
            run.creditorNextTime = form->Edit1->text();
            return 0;
        }
        first = false;
        run.title = form->windowTitle();
        run.notice = form->Label2->text();
        run.examiner = form->Button4->isEnabled();
        form->Edit1->setText(QStringLiteral("Harbor Savings Bank"));
        form->Memo1->setPlainText(QStringLiteral("12 Quay Street\nPortland, ME 04101"));
        form->Edit2->setText(QStringLiteral("Dana Whitfield"));
        form->Button3->click();
        run.pdfText = testsupport::readPdfText(pdf);
        const QString printed = pdf + QStringLiteral(".printed.pdf");
        {
            ui::PrinterDialogInterceptor cancel(false, printed);
            form->Button2->click();
            run.cancelledPrintWrote = QFile::exists(printed);
        }
        {
            ui::PrinterDialogInterceptor confirm(true, printed);
            form->Button2->click();
        }
        run.printedText = testsupport::readPdfText(printed);
        form->Button1->click();
        form->Button6->click();
        return 0;
    });
    payout->findChild<QPushButton*>(QStringLiteral("Button5"))->click();
    // A second window starts with the creditor the first one remembered.
    payout->findChild<QPushButton*>(QStringLiteral("Button5"))->click();
    modal.setHandler([](QDialog* d) { return d->result(); });
    return run;
}

} // namespace formtest
