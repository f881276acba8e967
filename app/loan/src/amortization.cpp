#include "loan/amortization.h"
#include "loan/forms.h"
#include "loan/saving.h"

#include "charts/chartmodule.h"
#include "charts/loanchart.h"
#include "db/connection.h"
#include "db/error.h"
#include "db/statements.h"
#include "report/preview.h"
#include "ui/fields.h"
#include "ui/messages.h"
#include "ui/printing.h"
#include "ui/window.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm5* Form5 = nullptr;

namespace loan {

namespace {
// clang-format off
const char* const kTerminated = "Print job terminated.";
// clang-format on
} // namespace

AmortizationWindow::AmortizationWindow(QWidget* parent, const char* name, const char* caption, int height,
                                       const char* screenText)
    : ui::Form(parent), height_(height), screenText_(screenText) {
    ui::nameWidget(this, QString::fromLatin1(name));
    setWindowTitle(QString::fromLatin1(caption));
}

void AmortizationWindow::buildWidgets() {
    const int height = height_;
    const char* const screenText = screenText_;
    setFixedSize(544, height);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(64, 128, 128));
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    Label1 =
        ui::makeLabel(QStringLiteral("Click on the desired button below after completing loan calculations"),
                      QStringLiteral("Label1"), this);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setWordWrap(true);
    QPalette yellow = Label1->palette();
    yellow.setColor(QPalette::WindowText, Qt::yellow);
    Label1->setPalette(yellow);
    layout->addWidget(Label1);

    Bevel1 = ui::named(new QFrame(this), QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Raised);
    auto* grid = new QGridLayout(Bevel1);
    const struct {
        QPushButton* AmortizationWindow::*member;
        const char* caption;
        const char* name;
        const char* text;
        const char* label;
    } buttons[] = {
        {&AmortizationWindow::Button1, "Screen", "Button1", screenText, "Label2"},
        {&AmortizationWindow::Button5, "Preview/Save ", "Button5",
         "Displays an amortization table in report format, saves loan\n"
         "parameters, and allows a report to be stored and printed.",
         "Label3"},
        {&AmortizationWindow::Button2, "Scribe1", "Button2",
         "Prints an amortization table irrespective of the calendar year.", "Label4"},
        {&AmortizationWindow::Button3, "Scribe2", "Button3", "Prints an amortization table by calendar year.",
         "Label5"},
        {&AmortizationWindow::Button4, "Quit", "Button4", nullptr, nullptr},
        {&AmortizationWindow::Button6, "Chart", "Button6",
         "Shows the balance and the interest and principal paid as a chart.", "Label6"},
    };
    int row = 0;
    for (const auto& b : buttons) {
        QPushButton* button =
            ui::makeButton(QString::fromLatin1(b.caption), QString::fromLatin1(b.name), Bevel1);
        this->*b.member = button;
        grid->addWidget(button, row, 0);
        if (b.text) {
            QLabel* text = ui::makeLabel(QString::fromLatin1(b.text), QString::fromLatin1(b.label), Bevel1);
            grid->addWidget(text, row, 1);
        }
        ++row;
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(Bevel1);
    connect(Button4, &QPushButton::clicked, this, &AmortizationWindow::Button4Click);
}

void AmortizationWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui::centreOnScreen(this);
}

void AmortizationWindow::Button4Click() {
    close();
}

bool AmortizationWindow::printerChosen() {
    if (ui::choosePrinter(this)) return true;
    ui::showMessage(QString::fromLatin1(kTerminated), QStringLiteral("Info"));
    return false;
}

bool AmortizationWindow::previewLoan(const report::Definition& definition, QStringView sql, qint64 loanNo) {
    try {
        db::Connection connection(db::Alias::IBLoan);
        QSqlQuery query = db::prepare(connection, sql);
        query.setForwardOnly(true);
        query.bindValue(QStringLiteral(":Param1"), loanNo);
        const report::Renderer renderer(definition, [&query] {
            db::exec(query);
            return std::make_unique<report::QueryRows>(query);
        });
        report::preview(renderer, this);
    } catch (const db::Error& e) {
        // The loan stays saved; the command ends with the standard error display.
        ui::showException(e.message());
        return false;
    }
    return true;
}

void AmortizationWindow::showChart(talvero::charts::Chart chart) {
    talvero::charts::showChartWindow(std::move(chart), this);
}

} // namespace loan

TForm5::TForm5(QWidget* parent)
    : AmortizationWindow(parent, "Form5", "Display or Print Loan Amortization", 403,
                         "Displays a short condensed screen listing of an amortization table.") {
    buildNowUnlessDeferred();
}

void TForm5::buildWidgets() {
    AmortizationWindow::buildWidgets();
    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm5::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm5::Button3Click);
    connect(Button5, &QPushButton::clicked, this, &TForm5::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm5::Button6Click);
}

void TForm5::Button1Click() {
    if (!loan_) return;
    loan::LoanData& d = *loan_;
    libraries.ListAmortBL(&d.FINANCEAMT, &d.APR, &d.NUMPAY, &d.SCHEDPAY, &d.DSRATE, &d.DSFREQ, &d.DSYEARS,
                          &d.LFRATE, &d.LFFREQ, &d.LFYEARS, &d.TAXES, &d.SKPMONTH, d.FIRSTDUE, &d.INTMETHOD,
                          &d.FREQUENCY, &d.RESERVED[0], &d.RESERVED[1], &d.RESERVED[2], &d.MATURITY[0],
                          &d.MATURITY[1], &d.MATURITY[2], &d.DSPREM, &d.LFPREM, &d.DSNUMPAY, &d.LFNUMPAY,
                          &d.HOINS, &d.OTINS, &d.TERMYEARS, &d.PRINTRESERVE, &d.ODDDAYS, &d.LOANDATE[0],
                          &d.LOANDATE[1], &d.LOANDATE[2], &d.TOTALINTEREST);
}

void TForm5::Button2Click() {
    if (!loan_) return;
    if (!printerChosen()) return;
    loan::LoanData& d = *loan_;
    libraries.PrntAmortBL(&d.FINANCEAMT, &d.APR, &d.NUMPAY, &d.SCHEDPAY, &d.DSRATE, &d.DSFREQ, &d.DSYEARS,
                          &d.LFRATE, &d.LFFREQ, &d.LFYEARS, &d.TAXES, &d.SKPMONTH, d.FIRSTDUE, &d.INTMETHOD,
                          &d.FREQUENCY, &d.RESERVED[0], &d.RESERVED[1], &d.RESERVED[2], &d.MATURITY[0],
                          &d.MATURITY[1], &d.MATURITY[2], &d.DSPREM, &d.LFPREM, &d.DSNUMPAY, &d.LFNUMPAY,
                          &d.HOINS, &d.OTINS, &d.TERMYEARS, &d.PRINTRESERVE, &d.ODDDAYS, &d.LOANDATE[0],
                          &d.LOANDATE[1], &d.LOANDATE[2], &d.TOTALINTEREST);
}

void TForm5::Button3Click() {
    if (!loan_) return;
    if (!printerChosen()) return;
    loan::LoanData& d = *loan_;
    libraries.PrntCalYR(&d.FINANCEAMT, &d.APR, &d.NUMPAY, &d.SCHEDPAY, &d.DSRATE, &d.DSFREQ, &d.DSYEARS,
                        &d.LFRATE, &d.LFFREQ, &d.LFYEARS, &d.TAXES, &d.SKPMONTH, d.FIRSTDUE, &d.INTMETHOD,
                        &d.FREQUENCY, &d.RESERVED[0], &d.RESERVED[1], &d.RESERVED[2], &d.MATURITY[0],
                        &d.MATURITY[1], &d.MATURITY[2], &d.DSPREM, &d.LFPREM, &d.DSNUMPAY, &d.LFNUMPAY,
                        &d.HOINS, &d.OTINS, &d.TERMYEARS, &d.PRINTRESERVE, &d.ODDDAYS, &d.LOANDATE[0],
                        &d.LOANDATE[1], &d.LOANDATE[2], &d.ORGAMT, &d.FEEAMT, &d.DOWNAMT, &d.TOTALINTEREST);
}

void TForm5::Button5Click() {
    if (!loan_) return;
    const qint64 loanNo = loan::saveLoanData(*loan_, this, loan::SaveSteps::WriteOnly);
    if (loanNo == 0) return;
    if (!previewLoan(loan::quickRep1(), db::sql::loanPreview, loanNo)) return;
    loan_->UnsavedCount = 0;
}

void TForm5::Button6Click() {
    if (!loan_) return;
    showChart(talvero::charts::loanChart(*loan_, loan_->SCHEDPAY, talvero::schedule::Variant::regular()));
}
