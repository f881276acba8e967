// The amortization window driven as a user does: the listing and the printers receive the loan's
// values, a cancelled printer dialog prints nothing, Preview/Save writes a new loan each time and
// previews it as the report.
#include "charts/chartwindow.h"
#include "chartstest/openchart.h"
#include "common/loan_amounts.h"
#include "db/connection.h"
#include "db/statements.h"
#include "db/testsupport/tempdatafolder.h"
#include "formtest/amortization.h"
#include "formtest/forms.h"
#include "loan/amortization.h"
#include "loan/forms.h"
#include "reporttest/layout_check.h"
#include "schedule/schedule.h"
#include "testsupport/pdf_words.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/printing.h"
#include "ui/today.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A report line with its numbers in the user's separators: "9,767.86" reads "9.767,86" in German.
QString separated(QString text) {
    const QLocale locale;
    text.replace(QRegularExpression(QStringLiteral("(?<=\\d),(?=\\d{3})")), QStringLiteral("\x01"));
    text.replace(QRegularExpression(QStringLiteral("(?<=\\d)\\.(?=\\d)")), locale.decimalPoint());
    text.replace(QChar(1), locale.groupSeparator());
    return text;
}

using formtest::received;

// The loan with what the loan engine answered: its maturity is the 36th monthly payment.
loan::LoanData loan36() {
    auto d = formtest::amortizedLoan<loan::LoanData>();
    d.TOTALINTEREST = 1957.15;
    d.MATURITY[0] = 12;
    d.MATURITY[1] = 1;
    d.MATURITY[2] = 2006;
    return d;
}

class Amortization : public formtest::AmortizationFixture<TForm5, loan::LoanData> {
protected:
    Amortization() : AmortizationFixture(loan36()) {}
};

TEST_F(Amortization, WindowAsDesigned) {
    EXPECT_EQ(form.objectName(), QStringLiteral("Form5"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Display or Print Loan Amortization"));
    EXPECT_EQ(form.size(), QSize(544, 403));
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(64, 128, 128));
    EXPECT_EQ(form.Label1->text(),
              QStringLiteral("Click on the desired button below after completing loan calculations"));
    EXPECT_TRUE(form.Label1->font().bold());
    form.layout()->activate();
    form.Bevel1->layout()->activate();
    EXPECT_EQ(form.Label1->palette().color(QPalette::WindowText), QColor(Qt::yellow));
    const struct {
        QPushButton* button;
        const char* caption;
        const char* text;
    } buttons[] = {
        {form.Button1, "Screen", "Displays a short condensed screen listing of an amortization table."},
        {form.Button5, "Preview/Save ",
         "Displays an amortization table in report format, saves loan\nparameters, and allows a report to be "
         "stored and printed."},
        {form.Button2, "Scribe1", "Prints an amortization table irrespective of the calendar year."},
        {form.Button3, "Scribe2", "Prints an amortization table by calendar year."},
        {form.Button4, "Quit", nullptr},
    };
    for (const auto& b : buttons) {
        ASSERT_NE(b.button, nullptr);
        EXPECT_EQ(b.button->text(), QString::fromLatin1(b.caption));
        EXPECT_EQ(b.button->parentWidget(), form.Bevel1);
        if (!b.text) continue;
        bool found = false;
        for (QLabel* l : form.Bevel1->findChildren<QLabel*>())
            if (l->text() == QString::fromLatin1(b.text)) {
                found = true;
                EXPECT_EQ(l->palette().color(QPalette::WindowText), QColor(Qt::white));
                EXPECT_GT(l->geometry().x(), b.button->geometry().x());
            }
        EXPECT_TRUE(found) << b.text;
    }
}

TEST_F(Amortization, ScreenListsTheLoanWithThePrintList) {
    form.Button1->click();
    EXPECT_EQ(received.calls, 1);
    EXPECT_EQ(received.FINANCEAMT, 10000);
    EXPECT_EQ(received.SCHEDPAY, 332.14);
    EXPECT_EQ(received.FIRSTDUE, std::string("01152004\0\0", 10));
    EXPECT_EQ(received.MATYEAR, 2006);
    EXPECT_EQ(received.BLPAY, 60.0); // RESERVED
    EXPECT_EQ(received.LOANYEAR, 2003);
    EXPECT_EQ(received.TOTALINTEREST, 1957.15);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Amortization, CancellingThePrinterDialogPrintsNothing) {
    ui::PrinterDialogInterceptor cancel(false);
    form.Button2->click();
    form.Button3->click();
    EXPECT_EQ(cancel.dialogsShown(), 2);
    EXPECT_EQ(received.calls, 0);
    ASSERT_EQ(messages_.messages().size(), 2);
    EXPECT_EQ(messages_.messages()[0].text, QStringLiteral("Print job terminated."));
    EXPECT_EQ(messages_.messages()[1].text, QStringLiteral("Print job terminated."));
    EXPECT_EQ(messages_.messages()[0].caption, QStringLiteral("Info"));
    EXPECT_EQ(messages_.messages()[1].caption, QStringLiteral("Info"));
}

TEST_F(Amortization, ConfirmedPrinterDialogCallsTheLibrary) {
    ui::PrinterDialogInterceptor confirm(true, folder_.path() + QStringLiteral("/print.pdf"));
    form.Button2->click();
    EXPECT_EQ(received.calls, 1);
    EXPECT_EQ(received.NUMPAY, 36);
    form.Button3->click();
    EXPECT_EQ(received.calls, 2);
    EXPECT_EQ(received.ORGAMT, 10500);
    EXPECT_EQ(received.FEEAMT, 125.5);
    EXPECT_EQ(received.DOWNAMT, 500);
    EXPECT_EQ(received.TOTALINTEREST, 1957.15);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Amortization, PreviewSaveWritesANewLoanEachTimeAndClearsTheCount) {
    form.Button5->click();
    EXPECT_EQ(data.UnsavedCount, 0);
    form.Button5->click();
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    EXPECT_EQ(formtest::loanRows("LOANSUMMARY"), 2);
    EXPECT_EQ(formtest::loanRows("LOANDETAIL"), 2 * (36 + 2 + 2));
    EXPECT_EQ(shownForms_,
              (QList<QString>{QStringLiteral("ReportPreview"), QStringLiteral("ReportPreview")}));
}

TEST_F(Amortization, ReportPagesOfThe36PaymentLoan) {
    form.Button5->click();
    db::Connection c(db::Alias::IBLoan);
    QSqlQuery q = db::prepare(c, db::sql::loanPreview);
    q.bindValue(QStringLiteral(":Param1"), 1);
    const report::Renderer r(
        loan::quickRep1(),
        [&q] {
            db::exec(q);
            return std::make_unique<report::QueryRows>(q);
        },
        QDateTime(QDate(2004, 6, 1), QTime(9, 30, 0)));
    std::vector<QString> pages;
    EXPECT_EQ(r.layout([&](const report::PageLayout& p) { pages.push_back(report::pageText(p)); }), 3);
    ASSERT_EQ(pages.size(), 3u);
    // Page 1: header (75), title (40), columns (40), then 19 details of 40 above the footer at 920.
    EXPECT_TRUE(
        pages[0].startsWith(separated(QStringLiteral("  16    3 PageHeader   Loan Amount :\n"
                                                     "  16  123 PageHeader   $10,500.00\n"
                                                     "  16  187 PageHeader   Financed Amount :\n"
                                                     "  16  339 PageHeader   $10,000.00\n"
                                                     "  16  427 PageHeader   APR :\n"
                                                     "  16  475 PageHeader   12.00\n"
                                                     "  16  515 PageHeader   No Payments :\n"
                                                     "  16  632 PageHeader   36\n"
                                                     "  44    0 PageHeader   Total Down Amt.:\n"
                                                     "  44  136 PageHeader   $500.00\n"
                                                     "  44  208 PageHeader   Total Fee Amt.:\n"
                                                     "  44  328 PageHeader   $125.50\n"
                                                     "  44  384 PageHeader   Frequency:\n"
                                                     "  44  480 PageHeader   12\n"
                                                     "  44  536 PageHeader   Interest Method:\n"
                                                     "  44  664 PageHeader   0\n"
                                                     "  75  216 Title        Loan Amortization Table\n"
                                                     " 115    0 ColumnHeader Pay Date\n"))))
        << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains(separated(QStringLiteral(" 155    0 Detail       01/15/2004\n"
                                                           " 155  112 Detail       100.00\n"
                                                           " 155  176 Detail       232.14\n"))))
        << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains(separated(QStringLiteral(" 155  640 Detail       9,767.86\n"))));
    EXPECT_TRUE(pages[0].endsWith(QStringLiteral(" 920    8 PageFooter   9:30:00 AM\n"
                                                 " 920  312 PageFooter   Page 1\n"
                                                 " 920  672 PageFooter   06/01/2004\n")));
    // The 2004 subtotal follows December's row; page 2 starts with the row after the 19th.
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Detail       TOTALS 2004\n")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral(" 115    0 Detail       07/01/2005\n")));
    EXPECT_FALSE(pages[1].contains(QStringLiteral("Title")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Page 2\n")));
    // Page 3: the grand total, whose balance column is empty.
    EXPECT_TRUE(pages[2].contains(QStringLiteral(" 115    0 Detail       GRAND TOTALS\n")));
    EXPECT_TRUE(pages[2].contains(separated(QStringLiteral(" 115  176 Detail       10000.00\n"))));
    EXPECT_TRUE(pages[2].contains(QStringLiteral(" 115  640 Detail       \n")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Page 3\n")));
}

// A 15-year mortgage of 185,000 at 6.875 % with a 10 % down payment, 1 % of fees, credit
// disability and life insurance for five years, taxes and escrowed insurance, as the engine
// solves it: 180 schedule rows with their year subtotals over several report pages.
loan::LoanData mortgage() {
    loan::LoanData d;
    d.ORGAMT = 185000;
    d.DOWNAMT = 18500;
    d.FEEAMT = 1850;
    d.FINANCEAMT = talvero::common::amount_financed(d.ORGAMT, d.FEEAMT, d.DOWNAMT);
    d.APR = 6.875;
    d.NUMPAY = 180;
    d.PAYMENT = 0;
    d.FREQUENCY = 12;
    d.TERMYEARS = 15;
    d.INTMETHOD = 1;
    d.DSRATE = 0.0004;
    d.DSFREQ = 12;
    d.DSYEARS = 5;
    d.LFRATE = 0.0003;
    d.LFFREQ = 12;
    d.LFYEARS = 5;
    d.TAXES = 3150;
    d.HOINS = 1125;
    d.OTINS = 240;
    talvero::common::set_insurance_bases(d);
    std::strcpy(d.FIRSTDUE, "01152004");
    d.LOANDATE[0] = 12;
    d.LOANDATE[1] = 15;
    d.LOANDATE[2] = 2003;
    d.ODDDAYS = talvero::common::odd_days({12, 15, 2003}, {1, 15, 2004});
    loan::runTessera(d);
    d.SCHEDPAY = d.PAYMENT;
    d.UnsavedCount = 1;
    return d;
}

TEST_F(Amortization, ReportPagesOfAMortgageReadCleanly) {
    data = mortgage();
    ASSERT_EQ(data.ERRFLAG, 0);
    ASSERT_GT(data.PAYMENT, 1000);
    form.Button5->click();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    db::Connection c(db::Alias::IBLoan);
    QSqlQuery q = db::prepare(c, db::sql::loanPreview);
    q.bindValue(QStringLiteral(":Param1"), 1);
    const report::Renderer r(
        loan::quickRep1(),
        [&q] {
            db::exec(q);
            return std::make_unique<report::QueryRows>(q);
        },
        QDateTime(QDate(2004, 6, 1), QTime(9, 30, 0)));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("mortgage.pdf"));
    const QStringList faults = reporttest::layoutFaults(r, pdf);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    const testsupport::PdfWords words = testsupport::readPdfWords(pdf);
    EXPECT_GE(words.pages.size(), 9);
    EXPECT_TRUE(words.text(1).contains(separated(QStringLiteral("Loan Amount : $185,000.00 Financed Amount : "
                                                                "$168,350.00 APR : 6.88 No Payments : 180"))))
        << words.text(1).toStdString();
    EXPECT_TRUE(words.text(words.pages.size()).contains(QStringLiteral("GRAND TOTALS")));
}

TEST_F(Amortization, AmortizeTablesOnThePayoutWindowOpensThisWindow) {
    TForm9 payout;
    Form5 = &form;
    loan::LoanData other;
    form.setLoan(other); // replaced by the payout window's loan
    payout.fill(data);
    payout.Button3->click();
    Form5 = nullptr;
    EXPECT_EQ(shownForms_, (QList<QString>{QStringLiteral("Form5")}));
    form.Button1->click();
    EXPECT_EQ(received.FINANCEAMT, 10000);
}

TEST_F(Amortization, ChartShowsTheScheduleOfTheLoan) {
    EXPECT_EQ(form.Button6->text(), QStringLiteral("Chart"));
    EXPECT_EQ(form.Button6->parentWidget(), form.Bevel1);
    EXPECT_EQ(form.Button6->accessibleDescription(), QStringLiteral("Button6"));
    const chartstest::OpenedChart opened = chartstest::openChart(form.Button6);
    EXPECT_EQ(opened.shown, 1);
    EXPECT_EQ(opened.title, QStringLiteral("Amortization Chart"));
    EXPECT_EQ(opened.views, 2);
    ASSERT_EQ(opened.chart.panels.size(), 2u);
    // The rows of the schedule the other buttons list, print and save.
    talvero::schedule::Pass pass(data, data.SCHEDPAY, talvero::schedule::Variant::regular());
    std::vector<double> balances;
    for (talvero::schedule::Row row; pass.next(row);)
        if (row.kind == talvero::schedule::RowKind::Payment) balances.push_back(row.BALANCE);
    const auto& lines = opened.chart.panels[0].series;
    ASSERT_EQ(lines.size(), 3u); // no balloon payment on a regular loan
    EXPECT_EQ(lines[0].y, balances);
    EXPECT_EQ(lines[0].labels.front(), "01/15/2004");
    EXPECT_EQ(opened.chart.panels[1].categories, (std::vector<std::string>{"2004", "2005", "2006"}));
    EXPECT_EQ(received.calls, 0);
}

} // namespace
