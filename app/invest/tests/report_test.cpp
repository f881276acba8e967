// The investment reports: their pages as text for a small fixed database, the composite totals,
// and "Run Report Menu" previewing them on the program's printer, read back from a PDF.
#include "formtest.h"

#include "invest/reportform.h"
#include "invest/reports.h"
#include "invest/store.h"
#include "reporttest/layout_check.h"
#include "testsupport/pdf_words.h"
#include "ui/help.h"
#include "ui/modal.h"
#include "ui/printing.h"

#include <QFile>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QSqlField>
#include <QTemporaryDir>

namespace {

const QDateTime kNow(QDate(2004, 6, 15), QTime(14, 5, 9));

class Reports : public investtest::Forms {
protected:
    void SetUp() override {
        Forms::SetUp();
        Form30 = new TForm30;
        // Account 7: 100 shares at 10, book value 1000, then 50 bought at 12 (record 3);
        // account 8 beside it.
        ASSERT_NO_FATAL_FAILURE(openAccounts());
        ASSERT_NO_FATAL_FAILURE(buyForSeven());
    }
    void TearDown() override {
        delete Form30;
        Form30 = nullptr;
        Forms::TearDown();
    }

    static QStringList pages(invest::ReportData (*read)(db::Connection&)) {
        db::Connection connection(db::Alias::IBInvest);
        const invest::ReportData data = read(connection);
        QStringList all;
        invest::rendererFor(data, kNow).layout([&](const report::PageLayout& p) {
            all << report::pageText(p);
        });
        return all;
    }

    testsupport::DefaultLocale english_{"en_US"};
};

TEST_F(Reports, InvestmentSummaryWithCompositeTotals) {
    // Account 7: 150 shares at 12, cost 1605, balance 1800, gain 195; account 8: 10 at 5, cost and
    // balance 50. Composite: balance 1850, gain 195, cost 1655, gain ratio 195 / 1850 = 0.105.
    // Returns as of today (06/15/2004): account 7 put in 1000 on 03/01 and 605 on 04/01 and is worth
    // 1800, XIRR 0.557538 (the rate where the three discount to 0); TTWROR 1200 / 1000 x
    // 1800 / 1805 - 1. Account 8 is worth what it cost: 0 both ways.
    const QString expected = QStringLiteral("   0    0 Title        Investment Summary Report\n"
                                            "  44    0 ColumnHeader Account \n"
                                            "  44   45 ColumnHeader Name\n"
                                            "  44  175 ColumnHeader Current Price\n"
                                            "  44  255 ColumnHeader Shares\n"
                                            "  44  315 ColumnHeader Total Cost\n"
                                            "  44  385 ColumnHeader Balance\n"
                                            "  44  455 ColumnHeader Gain Dollars\n"
                                            "  44  535 ColumnHeader Gain Percent\n"
                                            "  44  610 ColumnHeader XIRR\n"
                                            "  44  665 ColumnHeader TTWROR\n"
                                            "  64    0 Detail       7\n"
                                            "  64   45 Detail       Growth Fund         \n"
                                            "  64  175 Detail       12.00\n"
                                            "  64  255 Detail       150.000\n"
                                            "  64  315 Detail       1605.00\n"
                                            "  64  385 Detail       1800.00\n"
                                            "  64  455 Detail       195.00\n"
                                            "  64  535 Detail       0.11\n"
                                            "  64  610 Detail       0.557538\n"
                                            "  64  665 Detail       0.196676\n"
                                            "  80    0 Detail       8\n"
                                            "  80   45 Detail       O'Hara's Income     \n"
                                            "  80  175 Detail       5.00\n"
                                            "  80  255 Detail       10.000\n"
                                            "  80  315 Detail       50.00\n"
                                            "  80  385 Detail       50.00\n"
                                            "  80  455 Detail       0.00\n"
                                            "  80  535 Detail       0.00\n"
                                            "  80  610 Detail       0.000000\n"
                                            "  80  665 Detail       0.000000\n"
                                            " 104    0 Summary      Composite Total Balance\n"
                                            " 104  180 Summary      $1,850.00\n"
                                            " 104  360 Summary      Composite Gain Dollars\n"
                                            " 104  540 Summary      $195.00\n"
                                            " 122    0 Summary      Composite Total Cost\n"
                                            " 122  180 Summary      $1,655.00\n"
                                            " 122  360 Summary      Composite Gain Percent\n"
                                            " 122  540 Summary      0.11\n"
                                            " 940    0 PageFooter   2:05:09 PM\n"
                                            " 940  330 PageFooter   Page 1\n"
                                            " 940  640 PageFooter   06/15/2004\n");
    const QStringList all = pages(&invest::readSummaryReport);
    ASSERT_EQ(all.size(), 1);
    EXPECT_EQ(all[0].toStdString(), expected.toStdString());
}

TEST_F(Reports, TransactionHistoryWithColumnTotals) {
    // Account 7's rows in posting order, then account 8's. Sums: commission 5, fee 0, dividend 0,
    // cost 1000 + 605 + 50 = 1655.
    const QString expected = QStringLiteral("   0  195 Title        Investment Transaction History\n"
                                            "  44    0 ColumnHeader Account\n"
                                            "  44   50 ColumnHeader Name\n"
                                            "  44  170 ColumnHeader Date\n"
                                            "  44  240 ColumnHeader Type\n"
                                            "  44  275 ColumnHeader Shares\n"
                                            "  44  345 ColumnHeader Price\n"
                                            "  44  405 ColumnHeader Commission\n"
                                            "  44  480 ColumnHeader Fee\n"
                                            "  44  545 ColumnHeader Dividend\n"
                                            "  44  620 ColumnHeader Cost\n"
                                            "  64    0 Detail       7\n"
                                            "  64   50 Detail       Growth Fund         \n"
                                            "  64  170 Detail       03/01/2004\n"
                                            "  64  240 Detail       N\n"
                                            "  64  275 Detail       100.000\n"
                                            "  64  345 Detail       10.00\n"
                                            "  64  405 Detail       0.00\n"
                                            "  64  480 Detail       0.00\n"
                                            "  64  545 Detail       0.00\n"
                                            "  64  620 Detail       1000.00\n"
                                            "  80    0 Detail       7\n"
                                            "  80   50 Detail       Growth Fund         \n"
                                            "  80  170 Detail       04/01/2004\n"
                                            "  80  240 Detail       B\n"
                                            "  80  275 Detail       50.000\n"
                                            "  80  345 Detail       12.00\n"
                                            "  80  405 Detail       5.00\n"
                                            "  80  480 Detail       0.00\n"
                                            "  80  545 Detail       0.00\n"
                                            "  80  620 Detail       605.00\n"
                                            "  96    0 Detail       8\n"
                                            "  96   50 Detail       O'Hara's Income     \n"
                                            "  96  170 Detail       03/02/2004\n"
                                            "  96  240 Detail       N\n"
                                            "  96  275 Detail       10.000\n"
                                            "  96  345 Detail       5.00\n"
                                            "  96  405 Detail       0.00\n"
                                            "  96  480 Detail       0.00\n"
                                            "  96  545 Detail       0.00\n"
                                            "  96  620 Detail       50.00\n"
                                            " 120    0 Summary      TOTALS\n"
                                            " 120  480 Summary      $.00\n"
                                            " 120  620 Summary      $1,655.00\n"
                                            " 136  405 Summary      $5.00\n"
                                            " 136  545 Summary      $.00\n"
                                            " 940    0 PageFooter   2:05:09 PM\n"
                                            " 940  330 PageFooter   Page 1\n"
                                            " 940  640 PageFooter   06/15/2004\n");
    const QStringList all = pages(&invest::readHistoryReport);
    ASSERT_EQ(all.size(), 1);
    EXPECT_EQ(all[0].toStdString(), expected.toStdString());
}

TEST_F(Reports, ManyTransactionsRunOverPagesWithTheTotalsOnceAtTheEnd) {
    db::Connection connection(db::Alias::IBInvest);
    for (int i = 0; i < 60; ++i) {
        invest::PostedTransaction posted;
        invest::writePosting(connection, {8, invest::PostingType::FeeInCash, {0, 0, 0, 1, 0}, {5, 1, 2004}},
                             posted);
    }
    const QStringList all = pages(&invest::readHistoryReport);
    ASSERT_EQ(all.size(), 2); // 63 detail lines of 16 pixels
    EXPECT_TRUE(all[0].contains(QStringLiteral("Title        Investment Transaction History")));
    EXPECT_FALSE(all[1].contains(QStringLiteral("Title")));
    EXPECT_TRUE(all[1].contains(QStringLiteral("ColumnHeader Commission")));
    EXPECT_FALSE(all[0].contains(QStringLiteral("TOTALS")));
    EXPECT_TRUE(all[1].contains(QStringLiteral("Summary      $60.00\n"))) << "the fee sum";
    EXPECT_TRUE(all[1].contains(QStringLiteral("Summary      $1,715.00\n"))) << "the cost sum";
    EXPECT_TRUE(all[1].contains(QStringLiteral("PageFooter   Page 2\n")));
}

// Eight accounts with long names and large holdings, each with purchases, sales, dividends and
// fees through a year: the history over several pages.
void postAYearOfTrading() {
    db::Connection connection(db::Alias::IBInvest);
    const char* names[] = {"Global Equity Index", "Municipal Bond Fund", "Small Cap Value",
                           "Treasury Inflation",  "Emerging Markets",    "Real Estate Income"};
    for (int a = 0; a < 8; ++a) {
        const int actno = 100 + a * 37;
        invest::writeNewAccount(connection, {actno,
                                             QString::fromLatin1(names[a % 6]),
                                             12.5 + a * 31.25,
                                             1000.0 + a * 2531.5,
                                             (12.5 + a * 31.25) * (1000.0 + a * 2531.5),
                                             {1, 2, 2003},
                                             false});
        for (int m = 1; m <= 10; ++m) {
            using invest::PostingType;
            const PostingType type = m % 4 == 0   ? PostingType::Sold
                                     : m % 3 == 0 ? PostingType::CashDividend
                                     : m % 5 == 0 ? PostingType::FeeInCash
                                                  : PostingType::Bought;
            invest::Trade trade;
            if (type == PostingType::Bought || type == PostingType::Sold) {
                trade = {25.0 * m + a, 13.75 + a * 31.25 + m, 9.95, 0, 0};
            } else if (type == PostingType::CashDividend) {
                trade = {0, 13.75 + a * 31.25 + m, 0, 0, 112.35 * (a + 1)};
            } else {
                trade = {0, 0, 0, 25, 0};
            }
            invest::PostedTransaction posted;
            ASSERT_EQ(invest::writePosting(connection, {actno, type, trade, {m, 15, 2004}}, posted), nullptr)
                << actno << " " << m;
        }
    }
}

TEST_F(Reports, BothReportsOfManyAccountsReadCleanly) {
    ASSERT_NO_FATAL_FAILURE(postAYearOfTrading());
    QTemporaryDir dir;
    const struct {
        const char* name;
        invest::ReportData (*read)(db::Connection&);
        int pages;
        const char* last; // on the last page
    } cases[] = {
        {"summary", &invest::readSummaryReport, 1, "Composite Gain Percent"},
        {"history", &invest::readHistoryReport, 2, "TOTALS"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        db::Connection connection(db::Alias::IBInvest);
        const invest::ReportData data = c.read(connection);
        const QString pdf = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".pdf"));
        const QStringList faults = reporttest::layoutFaults(invest::rendererFor(data, kNow), pdf);
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
        const testsupport::PdfWords words = testsupport::readPdfWords(pdf);
        EXPECT_GE(words.pages.size(), c.pages);
        EXPECT_TRUE(words.text(words.pages.size()).contains(QString::fromLatin1(c.last)));
    }
}

QSqlRecord account(double value, double gain, double cost) {
    QSqlRecord r;
    for (const char* name : {"TOTVALUE", "GAINDOLLARS", "TOTBOOKVALUE"})
        r.append(QSqlField(QLatin1String(name), QMetaType(QMetaType::Double)));
    r.setValue(QStringLiteral("TOTVALUE"), value);
    r.setValue(QStringLiteral("GAINDOLLARS"), gain);
    r.setValue(QStringLiteral("TOTBOOKVALUE"), cost);
    return r;
}

TEST(ReportTotals, TheCompositeRatioIsTheRatioOfTheSums) {
    const struct {
        const char* what;
        QList<QSqlRecord> accounts;
        double value, gain, cost, ratio;
    } cases[] = {
        {"gains 100 on 1000 and 0 on 9000",
         {account(1000, 100, 900), account(9000, 0, 9000)},
         10000,
         100,
         9900,
         0.01},
        {"a loss and a gain", {account(500, -100, 600), account(1500, 300, 1200)}, 2000, 200, 1800, 0.1},
        {"no value at all gives 0", {account(0, 0, 0), account(0, 25, -25)}, 0, 25, -25, 0},
        {"no accounts", {}, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const invest::SummaryTotals t = invest::summaryTotals(c.accounts);
        EXPECT_DOUBLE_EQ(t.value, c.value);
        EXPECT_DOUBLE_EQ(t.gain, c.gain);
        EXPECT_DOUBLE_EQ(t.bookValue, c.cost);
        EXPECT_DOUBLE_EQ(t.gainRatio, c.ratio);
    }
}

TEST_F(Reports, TheMenuPreviewsBothReportsOnTheProgramsPrinter) {
    EXPECT_EQ(Form30->windowTitle(), QStringLiteral("Run Report Menu"));
    EXPECT_EQ(Form30->Label1->text(), QStringLiteral("Reports Menu"));
    EXPECT_EQ((QStringList{Form30->Button1->text(), Form30->Button2->text(), Form30->Button3->text(),
                           Form30->Button4->text()}),
              (QStringList{"Report1", "Report2", "Quit", "Help"}));
    QStringList texts;
    for (QLabel* label : Form30->findChildren<QLabel*>())
        texts << label->text();
    EXPECT_EQ(texts, (QStringList{"Reports Menu", "Run Investment Summary Report",
                                  "Run Transaction History Report"}));

    QTemporaryDir dir;
    const struct {
        QPushButton* button;
        const char* title;
        QStringList printed; // read back from the PDF
    } cases[] = {
        {Form30->Button1,
         "Investment Summary Report",
         {"Investment Summary Report", "Composite Total Balance", "$1,850.00", "Composite Gain Percent",
          "Page 1"}},
        {Form30->Button2,
         "Investment Transaction History",
         {"Investment Transaction History", "O'Hara's Income", "TOTALS", "$1,655.00", "605.00"}},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const QString pdf = dir.filePath(QStringLiteral("report%1.pdf").arg(++n));
        QStringList shown;
        ui::ModalInterceptor modal([&](QDialog* dialog) {
            shown << dialog->objectName() + QLatin1Char(' ') + dialog->windowTitle();
            auto* preview = qobject_cast<QPrintPreviewDialog*>(dialog);
            EXPECT_NE(preview, nullptr);
            if (!preview) return 0;
            EXPECT_EQ(preview->printer(), &ui::printer())
                << "printing from the preview uses the program's printer";
            QPrinter file(QPrinter::HighResolution);
            file.setOutputFormat(QPrinter::PdfFormat);
            file.setOutputFileName(pdf);
            emit preview->paintRequested(&file);
            return 0;
        });
        Form30->show();
        c.button->click();
        EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
        ASSERT_EQ(shown, QStringList{QStringLiteral("ReportPreview ") + QLatin1String(c.title)});
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        ASSERT_TRUE(text.waitForFinished(20000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        for (const QString& expected : c.printed)
            EXPECT_TRUE(printed.contains(expected)) << expected.toStdString() << "\n"
                                                    << printed.toStdString();
    }
}

TEST_F(Reports, ADatabaseErrorShowsNoReport) {
    {
        db::Connection connection(db::Alias::IBInvest);
        QSqlQuery query(connection.database());
        ASSERT_TRUE(query.exec(QStringLiteral("DROP TABLE LINEITEM")));
    }
    ui::ModalInterceptor modal;
    Form30->Button2->click();
    EXPECT_TRUE(modal.shown().isEmpty());
    ASSERT_EQ(messages_.messages().size(), 1);
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Exception);
    EXPECT_TRUE(messages_.lastText().contains(QStringLiteral("LINEITEM")))
        << messages_.lastText().toStdString();
}

TEST_F(Reports, QuitClosesAndHelpOpensItsTopic) {
    ui::HelpRecorder help;
    Form30->show();
    Form30->Button4->click();
    ASSERT_EQ(help.requests().size(), 1);
    EXPECT_EQ(help.requests()[0].topic, QStringLiteral("Running_Investment_Reports"));
    EXPECT_TRUE(QFile::exists(ui::helpFolder() + QStringLiteral("/Running_Investment_Reports.html")));
    Form30->Button3->click();
    EXPECT_FALSE(Form30->isVisible());
}

} // namespace
