#include "balloon/amortization.h"
#include "balloon/forms.h"
#include "balloon/saving.h"

#include "charts/loanchart.h"
#include "db/statements.h"

#include <QPushButton>

TForm14* Form14 = nullptr;

namespace balloon {

report::Definition quickRep1() {
    report::Definition d = loan::quickRep1();
    const QString title = QStringLiteral("Balloon Amortization Table");
    d.title = title;
    for (report::Band& band : d.bands) {
        if (band.kind == report::BandKind::Title) {
            band.items.at(0).text = title;
            band.items.at(0).x = 208;
        }
        if (band.kind != report::BandKind::PageHeader) continue;
        band.height = 93;
        report::Font caption, value;
        for (report::Item& item : band.items) {
            if (item.text == QStringLiteral("No Payments :")) {
                item.text = QStringLiteral("Amortize Periods :");
                caption = item.font;
            }
            if (item.field == QStringLiteral("NUMPAY")) {
                item.x = 664;
                value = item.font;
            }
        }
        band.items.push_back(report::label(0, 76, QStringLiteral("Number of Payments: "), caption));
        band.items.push_back(report::field(176, 76, QStringLiteral("BLPAY"), {}, value));
    }
    return d;
}

} // namespace balloon

TForm14::TForm14(QWidget* parent)
    : AmortizationWindow(parent, "Form14", "Balloon Loan Display or Print Loan Amortization", 371,
                         "Displays a screen listing of an amortization table.") {
    buildNowUnlessDeferred();
}

void TForm14::buildWidgets() {
    AmortizationWindow::buildWidgets();
    connect(Button1, &QPushButton::clicked, this, &TForm14::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm14::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm14::Button3Click);
    connect(Button5, &QPushButton::clicked, this, &TForm14::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm14::Button6Click);
}

void TForm14::Button1Click() {
    if (!loan_) return;
    balloon::BalloonData& d = *loan_;
    libraries.ListBall(&d.FINANCEAMT, &d.APR, &d.NUMPAY, &d.SCHEDPAY, &d.DSRATE, &d.DSFREQ, &d.DSYEARS,
                       &d.LFRATE, &d.LFFREQ, &d.LFYEARS, &d.TAXES, &d.SKPMONTH, d.FIRSTDUE, &d.INTMETHOD,
                       &d.FREQUENCY, &d.RESERVED[0], &d.RESERVED[1], &d.RESERVED[2], &d.MATURITY[0],
                       &d.MATURITY[1], &d.MATURITY[2], &d.DSPREM, &d.LFPREM, &d.DSNUMPAY, &d.LFNUMPAY,
                       &d.HOINS, &d.OTINS, &d.TERMYEARS, &d.BLPAY, &d.ODDDAYS, &d.LOANDATE[0], &d.LOANDATE[1],
                       &d.LOANDATE[2], &d.TOTALINTEREST);
}

void TForm14::Button2Click() {
    if (!loan_ || !printerChosen()) return;
    balloon::BalloonData& d = *loan_;
    libraries.PrntBall(&d.FINANCEAMT, &d.APR, &d.NUMPAY, &d.SCHEDPAY, &d.DSRATE, &d.DSFREQ, &d.DSYEARS,
                       &d.LFRATE, &d.LFFREQ, &d.LFYEARS, &d.TAXES, &d.SKPMONTH, d.FIRSTDUE, &d.INTMETHOD,
                       &d.FREQUENCY, &d.RESERVED[0], &d.RESERVED[1], &d.RESERVED[2], &d.MATURITY[0],
                       &d.MATURITY[1], &d.MATURITY[2], &d.DSPREM, &d.LFPREM, &d.DSNUMPAY, &d.LFNUMPAY,
                       &d.HOINS, &d.OTINS, &d.TERMYEARS, &d.BLPAY, &d.ODDDAYS, &d.LOANDATE[0], &d.LOANDATE[1],
                       &d.LOANDATE[2], &d.TOTALINTEREST);
}

void TForm14::Button3Click() {
    if (!loan_ || !printerChosen()) return;
    balloon::BalloonData& d = *loan_;
    libraries.PrntCal2YR(&d.FINANCEAMT, &d.APR, &d.NUMPAY, &d.SCHEDPAY, &d.DSRATE, &d.DSFREQ, &d.DSYEARS,
                         &d.LFRATE, &d.LFFREQ, &d.LFYEARS, &d.TAXES, &d.SKPMONTH, d.FIRSTDUE, &d.INTMETHOD,
                         &d.FREQUENCY, &d.RESERVED[0], &d.RESERVED[1], &d.RESERVED[2], &d.MATURITY[0],
                         &d.MATURITY[1], &d.MATURITY[2], &d.DSPREM, &d.LFPREM, &d.DSNUMPAY, &d.LFNUMPAY,
                         &d.HOINS, &d.OTINS, &d.TERMYEARS, &d.BLPAY, &d.ODDDAYS, &d.LOANDATE[0],
                         &d.LOANDATE[1], &d.LOANDATE[2], &d.ORGAMT, &d.FEEAMT, &d.DOWNAMT, &d.TOTALINTEREST);
}

void TForm14::Button5Click() {
    if (!loan_) return;
    const qint64 loanNo = balloon::saveBalloonSchedule(*loan_, this);
    if (loanNo == 0) return;
    if (!previewLoan(balloon::quickRep1(), db::sql::balloonPreview, loanNo)) return;
    loan_->UnsavedCount = 0;
}

void TForm14::Button6Click() {
    if (!loan_) return;
    showChart(talvero::charts::loanChart(*loan_, loan_->SCHEDPAY,
                                         talvero::schedule::Variant::balloon_term(loan_->BLPAY)));
}
