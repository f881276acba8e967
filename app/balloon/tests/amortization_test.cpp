// The balloon amortization window driven as a user does: the listing and the printers receive the
// balloon loan's values, a cancelled printer dialog prints nothing, Preview/Save writes a new
// balloon loan each time and previews it as the balloon report.
#include "balloon/amortization.h"
#include "balloon/forms.h"
#include "charts/chartwindow.h"
#include "chartstest/openchart.h"
#include "common/loan_amounts.h"
#include "db/connection.h"
#include "db/statements.h"
#include "db/testsupport/tempdatafolder.h"
#include "formtest/amortization.h"
#include "formtest/forms.h"
#include "reporttest/layout_check.h"
#include "schedule/schedule.h"
#include "testsupport/pdf_words.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/printing.h"
#include "ui/today.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using formtest::received;

// The loan due in full with payment 24, with what the balloon engine answered.
balloon::BalloonData balloon24() {
    auto d = formtest::amortizedLoan<balloon::BalloonData>();
    d.BLPAY = 24;
    d.TOTALINTEREST = 1683.21;
    d.MATURITY[0] = 12;
    d.MATURITY[1] = 15;
    d.MATURITY[2] = 2005;
    return d;
}

class BalloonAmortization : public formtest::AmortizationFixture<TForm14, balloon::BalloonData> {
protected:
    BalloonAmortization() : AmortizationFixture(balloon24()) {}
};

TEST_F(BalloonAmortization, WindowAsTheRegularOneWithItsOwnCaptionSizeAndScreenText) {
    EXPECT_EQ(form.objectName(), QStringLiteral("Form14"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Balloon Loan Display or Print Loan Amortization"));
    EXPECT_EQ(form.size(), QSize(544, 371));
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(64, 128, 128));
    EXPECT_EQ(form.Label1->text(),
              QStringLiteral("Click on the desired button below after completing loan calculations"));
    const struct {
        QPushButton* button;
        const char* caption;
    } buttons[] = {{form.Button1, "Screen"},
                   {form.Button5, "Preview/Save "},
                   {form.Button2, "Scribe1"},
                   {form.Button3, "Scribe2"},
                   {form.Button4, "Quit"}};
    for (const auto& b : buttons) {
        ASSERT_NE(b.button, nullptr);
        EXPECT_EQ(b.button->text(), QString::fromLatin1(b.caption));
        EXPECT_EQ(b.button->parentWidget(), form.Bevel1);
    }
    QStringList texts;
    for (QLabel* l : form.Bevel1->findChildren<QLabel*>())
        texts << l->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Displays a screen listing of an amortization table.")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Prints an amortization table by calendar year.")));
}

TEST_F(BalloonAmortization, ScreenListsTheBalloonLoanWithBLPAYAfterTheTerm) {
    form.Button1->click();
    EXPECT_EQ(received.calls, 1);
    EXPECT_EQ(received.library, "listing");
    EXPECT_EQ(received.FINANCEAMT, 10000);
    EXPECT_EQ(received.APR, 12);
    EXPECT_EQ(received.NUMPAY, 36);
    EXPECT_EQ(received.SCHEDPAY, 332.14);
    EXPECT_EQ(received.FIRSTDUE, std::string("01152004\0\0", 10));
    EXPECT_EQ(received.MATYEAR, 2005);
    EXPECT_EQ(received.TERMYEARS, 3);
    EXPECT_EQ(received.BLPAY, 24);
    EXPECT_EQ(received.LOANYEAR, 2003);
    EXPECT_EQ(received.TOTALINTEREST, 1683.21);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(BalloonAmortization, CancellingThePrinterDialogSaysSoAndPrintsNothing) {
    ui::PrinterDialogInterceptor cancel(false);
    for (QPushButton* b : {form.Button2, form.Button3}) {
        SCOPED_TRACE(b->text().toStdString());
        const auto before = messages_.messages().size();
        b->click();
        ASSERT_EQ(messages_.messages().size(), before + 1);
        EXPECT_EQ(messages_.lastText(), QStringLiteral("Print job terminated."));
        EXPECT_EQ(messages_.messages().last().caption, QStringLiteral("Info"));
    }
    EXPECT_EQ(cancel.dialogsShown(), 2);
    EXPECT_EQ(received.calls, 0);
}

TEST_F(BalloonAmortization, ConfirmedPrinterDialogCallsEachPrinter) {
    ui::PrinterDialogInterceptor confirm(true, folder_.path() + QStringLiteral("/print.pdf"));
    form.Button2->click();
    EXPECT_EQ(received.calls, 1);
    EXPECT_EQ(received.library, "byLoanYear");
    EXPECT_EQ(received.BLPAY, 24);
    EXPECT_EQ(received.TOTALINTEREST, 1683.21);
    form.Button3->click();
    EXPECT_EQ(received.calls, 2);
    EXPECT_EQ(received.library, "byCalendarYear");
    EXPECT_EQ(received.NUMPAY, 36);
    EXPECT_EQ(received.BLPAY, 24);
    EXPECT_EQ(received.ORGAMT, 10500);
    EXPECT_EQ(received.FEEAMT, 125.5);
    EXPECT_EQ(received.DOWNAMT, 500);
    EXPECT_EQ(received.TOTALINTEREST, 1683.21);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(BalloonAmortization, PreviewSaveWritesANewBalloonLoanEachTimeAndClearsTheCount) {
    form.Button5->click();
    EXPECT_EQ(data.UnsavedCount, 0);
    data.UnsavedCount = 3; // no "previously saved" test stops the second run
    form.Button5->click();
    EXPECT_EQ(data.UnsavedCount, 0);
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    EXPECT_EQ(formtest::loanRows("LOANSUMMARY"), 2);
    // Each: 24 payments, the 2004 total, the closing 2005 total and the grand total.
    EXPECT_EQ(formtest::loanRows("LOANDETAIL"), 2 * 27);
    db::Connection c(db::Alias::IBLoan);
    QSqlQuery q(c.database());
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT BLPAY, NUMPAY FROM LOANSUMMARY ORDER BY LOANNO")));
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toDouble(), 24);
        EXPECT_EQ(q.value(1).toDouble(), 36);
    }
    EXPECT_EQ(shownForms_,
              (QList<QString>{QStringLiteral("ReportPreview"), QStringLiteral("ReportPreview")}));
}

TEST_F(BalloonAmortization, SavedRowsAreTheBalloonScheduleNotTheSavingRows) {
    // Flag 3 steps the schedule's dates to the first of the month; the saving rows keep the day.
    data.INTMETHOD = 3;
    form.Button5->click();
    namespace sc = talvero::schedule;
    auto dates = [&](const sc::Variant& v) {
        QStringList d;
        sc::Pass pass(data, data.SCHEDPAY, v);
        sc::for_each_row(pass, [&](const sc::Row& r) { d << QString::fromLatin1(r.PAYDATE); });
        return d;
    };
    db::Connection c(db::Alias::IBLoan);
    QSqlQuery q(c.database());
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT PAYDATE FROM LOANDETAIL ORDER BY RECNO")));
    QStringList saved;
    while (q.next())
        saved << q.value(0).toString();
    EXPECT_EQ(saved, dates(sc::Variant::balloon_term(24)));
    EXPECT_NE(saved, dates(sc::Variant::balloon_saving(24)));
}

TEST_F(BalloonAmortization, ReportHeaderCarriesTheAmortizePeriodsAndTheNumberOfPayments) {
    form.Button5->click();
    db::Connection c(db::Alias::IBLoan);
    QSqlQuery q = db::prepare(c, db::sql::balloonPreview);
    q.bindValue(QStringLiteral(":Param1"), 1);
    const report::Renderer r(
        balloon::quickRep1(),
        [&q] {
            db::exec(q);
            return std::make_unique<report::QueryRows>(q);
        },
        QDateTime(QDate(2004, 6, 1), QTime(9, 30, 0)));
    EXPECT_EQ(r.definition().title, QStringLiteral("Balloon Amortization Table"));
    QString first;
    r.layout([&](const report::PageLayout& p) {
        if (p.number == 1) first = report::pageText(p);
    });
    const QString header = QStringLiteral("  16  427 PageHeader   APR :\n");
    EXPECT_TRUE(first.contains(QStringLiteral("  16  515 PageHeader   Amortize Periods :\n"
                                              "  16  664 PageHeader   36\n")))
        << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("  44  536 PageHeader   Interest Method:\n"
                                              "  44  664 PageHeader   0\n"
                                              "  76    0 PageHeader   Number of Payments: \n"
                                              "  76  176 PageHeader   24\n"
                                              "  93  208 Title        Balloon Amortization Table\n"
                                              " 133    0 ColumnHeader Pay Date\n")))
        << first.toStdString();
    EXPECT_TRUE(first.contains(header));
    EXPECT_FALSE(first.contains(QStringLiteral("No Payments :")));
    const auto boldSize = [&](const QString& text) {
        for (const auto& band : r.definition().bands)
            for (const auto& item : band.items)
                if (item.text == text) return item.font.bold ? item.font.pointSize : 0;
        return 0;
    };
    EXPECT_EQ(boldSize(QStringLiteral("Number of Payments: ")), 12);
    EXPECT_EQ(boldSize(QStringLiteral("Balloon Amortization Table")), 18);
}

// 150,000 at 7.25 % amortized over 30 years and due in full after seven, with fees, a down
// payment, taxes and escrowed insurance, as the balloon engine solves it.
balloon::BalloonData sevenYearBalloon() {
    balloon::BalloonData d;
    d.ORGAMT = 150000;
    d.DOWNAMT = 15000;
    d.FEEAMT = 2250;
    d.FINANCEAMT = talvero::common::amount_financed(d.ORGAMT, d.FEEAMT, d.DOWNAMT);
    d.APR = 7.25;
    d.NUMPAY = 360;
    d.BLPAY = 84;
    d.PAYMENT = 0;
    d.FREQUENCY = 12;
    d.TERMYEARS = 30;
    d.TAXES = 2700;
    d.HOINS = 960;
    d.OTINS = 180;
    std::strcpy(d.FIRSTDUE, "03012004");
    d.LOANDATE[0] = 2;
    d.LOANDATE[1] = 1;
    d.LOANDATE[2] = 2004;
    d.ODDDAYS = talvero::common::odd_days({2, 1, 2004}, {3, 1, 2004});
    balloon::runVaulter(d);
    d.SCHEDPAY = d.PAYMENT;
    d.UnsavedCount = 1;
    return d;
}

TEST_F(BalloonAmortization, ReportPagesOfASevenYearBalloonReadCleanly) {
    data = sevenYearBalloon();
    ASSERT_EQ(data.ERRFLAG, 0);
    form.Button5->click();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    db::Connection c(db::Alias::IBLoan);
    QSqlQuery q = db::prepare(c, db::sql::balloonPreview);
    q.bindValue(QStringLiteral(":Param1"), 1);
    const report::Renderer r(
        balloon::quickRep1(),
        [&q] {
            db::exec(q);
            return std::make_unique<report::QueryRows>(q);
        },
        QDateTime(QDate(2004, 6, 1), QTime(9, 30, 0)));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("balloon.pdf"));
    const QStringList faults = reporttest::layoutFaults(r, pdf);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    const testsupport::PdfWords words = testsupport::readPdfWords(pdf);
    EXPECT_GE(words.pages.size(), 4);
    const QString first = words.text(1);
    EXPECT_TRUE(first.contains(QStringLiteral("Amortize Periods : 360"))) << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("Number of Payments: 84"))) << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("Balloon Amortization Table"))) << first.toStdString();
}

TEST_F(BalloonAmortization, AmortizeTablesOnTheBalloonPayoutWindowOpensThisWindow) {
    TForm15 payout;
    Form14 = &form;
    balloon::BalloonData other;
    form.setLoan(other); // replaced by the payout window's loan
    payout.fill(data);
    ASSERT_NE(payout.Button3, nullptr);
    EXPECT_EQ(payout.Button3->text(), QStringLiteral("Amortize Tables"));
    payout.Button3->click();
    Form14 = nullptr;
    EXPECT_EQ(shownForms_, (QList<QString>{QStringLiteral("Form14")}));
    form.Button1->click();
    EXPECT_EQ(received.FINANCEAMT, 10000);
    EXPECT_EQ(received.BLPAY, 24);
}

TEST_F(BalloonAmortization, ChartShowsTheBalloonPayment) {
    EXPECT_EQ(form.Button6->text(), QStringLiteral("Chart"));
    const chartstest::OpenedChart opened = chartstest::openChart(form.Button6);
    EXPECT_EQ(opened.views, 2);
    ASSERT_EQ(opened.shown, 1);
    const talvero::charts::Chart& chart = opened.chart;
    // The balloon schedule's rows: 24 payments of a loan amortized over 36, the last one the balloon.
    talvero::schedule::Pass pass(data, data.SCHEDPAY, talvero::schedule::Variant::balloon_term(24));
    talvero::schedule::Row last;
    long payments = 0;
    for (talvero::schedule::Row row; pass.next(row);)
        if (row.kind == talvero::schedule::RowKind::Payment) {
            last = row;
            ++payments;
        }
    ASSERT_EQ(chart.panels.size(), 2u);
    const auto& lines = chart.panels[0].series;
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(static_cast<long>(lines[0].y.size()), payments);
    EXPECT_EQ(lines[3].name, "Balloon Payment");
    EXPECT_EQ(lines[3].y, std::vector<double>{last.amounts.PAYMENT});
    EXPECT_EQ(lines[3].labels, std::vector<std::string>{last.PAYDATE});
    EXPECT_GT(last.amounts.PAYMENT, 3000.0); // about a third of the loan is due with it
}

} // namespace
