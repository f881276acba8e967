// The portfolio and comparison forms driven as a user does, over loans saved the way the loan and
// balloon forms save them.
#include "portfolio/forms.h"
#include "portfolio/reports.h"

#include "charts/chartwindow.h"
#include "chartstest/openchart.h"
#include "db/connection.h"
#include "db/statements.h"
#include "db/testsupport/tempdatafolder.h"
#include "reporttest/layout_check.h"
#include "savedloans.h"
#include "testsupport/pdf_words.h"
#include "ui/filedialog.h"
#include "ui/grids.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/printing.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class Portfolio : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Form17 = new TForm17;
        Form18 = new TForm18;
    }
    void TearDown() override {
        delete Form17;
        delete Form18;
        Form17 = nullptr;
        Form18 = nullptr;
        QLocale::setDefault(QLocale::system());
    }

    // The grid's texts of one column, top to bottom.
    static QStringList column(const char* heading) {
        QAbstractItemModel* m = Form17->DBGrid1->model();
        for (int c = 0; c < m->columnCount(); ++c) {
            if (m->headerData(c, Qt::Horizontal).toString() != QLatin1String(heading)) continue;
            QStringList texts;
            for (int r = 0; r < m->rowCount(); ++r)
                texts << m->index(r, c).data().toString();
            return texts;
        }
        return {QStringLiteral("<no column>")};
    }
    static QString box(int number) { return Form18->box(number)->text(); }
    static void pick(ui::PickList* list, const char* loan) {
        ASSERT_TRUE(list->selectText(QString::fromLatin1(loan))) << loan;
    }

    db::testing::TempDataFolder folder_;
    ui::MessageRecorder messages_;
};

// 30,000, 10,000 and 20,000: listed as loans 2, 3, 1.
void saveThree() {
    ASSERT_EQ(portfoliotest::saveRegular({30000, 36, 300, 3000, 0, 0}), 1);
    ASSERT_EQ(portfoliotest::saveRegular({10000, 36, 100, 1000, 0, 0}), 2);
    ASSERT_EQ(portfoliotest::saveBalloon({20000, 60, 200, 2000, 0, 0}, 12), 3);
}

TEST_F(Portfolio, ComparisonFormRowsAndBoxes) {
    EXPECT_EQ(Form18->windowTitle(), QStringLiteral("LOAN COMPARISON ANALYSIS"));
    EXPECT_EQ(Form18->GroupBox1->title(), QStringLiteral("Loan Factors"));
    EXPECT_EQ(Form18->GroupBox2->title(), QStringLiteral("Loan Costs"));
    EXPECT_EQ(Form18->Button1->text(), QStringLiteral("Quit"));
    EXPECT_EQ(Form18->Button2->text(), QStringLiteral("Prt/Screen"));
    const struct {
        QGroupBox* group;
        const char* label;
        int first;
    } rows[] = {
        {Form18->GroupBox1, "Loan Amount", 1},
        {Form18->GroupBox1, "APR", 4},
        {Form18->GroupBox1, "Frequency", 7},
        {Form18->GroupBox1, "Number of Pays", 10},
        {Form18->GroupBox1, "Payment Amount", 13},
        {Form18->GroupBox1, "First Due Date", 16},
        {Form18->GroupBox1, "Loan Date", 19},
        {Form18->GroupBox1, "Points", 22},
        {Form18->GroupBox1, "Balloon Loan", 25},
        {Form18->GroupBox1, "Amortize Periods", 28},
        {Form18->GroupBox1, "Interest Method", 46},
        {Form18->GroupBox1, "Reg Z APR", 49},
        {Form18->GroupBox1, "Skip Periods", 52},
        {Form18->GroupBox1, "Down Payment", 55},
        {Form18->GroupBox2, "Fees", 31},
        {Form18->GroupBox2, "Interest", 34},
        {Form18->GroupBox2, "Taxes", 37},
        {Form18->GroupBox2, "Insurance", 40},
        {Form18->GroupBox2, "TOTAL COSTS", 43},
    };
    int boxes = 0;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.label);
        QLabel* label = nullptr;
        for (QLabel* l : r.group->findChildren<QLabel*>())
            if (l->text() == QLatin1String(r.label)) label = l;
        ASSERT_NE(label, nullptr);
        for (int k = 0; k < 3; ++k) {
            QLineEdit* edit = r.group->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(r.first + k));
            ASSERT_NE(edit, nullptr);
            EXPECT_TRUE(edit->text().isEmpty());
            EXPECT_EQ(edit->accessibleDescription(), edit->objectName());
            ++boxes;
        }
        EXPECT_EQ(label->buddy(), r.group->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(r.first)));
    }
    EXPECT_EQ(boxes, 57);
    for (const char* heading : {"Loan # 1", "Loan # 2", "Loan # 3"}) {
        int found = 0;
        for (QLabel* l : Form18->findChildren<QLabel*>())
            found += l->text() == QLatin1String(heading);
        EXPECT_EQ(found, 2) << heading;
    }
}

TEST_F(Portfolio, ComparisonPrintsAnImageOnlyWhenThePrinterIsConfirmed) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("form18.pdf"));
    {
        ui::PrinterDialogInterceptor cancel(false);
        Form18->Button2->click();
        EXPECT_EQ(cancel.dialogsShown(), 1);
    }
    EXPECT_FALSE(QFileInfo::exists(pdf));
    ui::PrinterDialogInterceptor confirm(true, pdf);
    Form18->Button2->click();
    EXPECT_GT(QFileInfo(pdf).size(), 0);
}

TEST_F(Portfolio, ListIsOrderedByLoanAmountWithItsColumnsInOrder) {
    saveThree();
    Form17->FormActivate();
    EXPECT_EQ(column("LOANNO"), (QStringList{"2", "3", "1"}));
    EXPECT_EQ(column("ORGAMT"), (QStringList{"10000", "20000", "30000"}));
    EXPECT_EQ(column("BLPAY"), (QStringList{"", "12", ""}));
    const QStringList headings = {
        "LOANNO",    "ORGAMT",        "ORIGDT",         "FIRSTDUEDT", "APR",         "FREQUENCY", "NUMPAY",
        "DOWNAMT",   "FEEAMT",        "FEEPCT",         "FINANCEAMT", "REGZAPR",     "PAYMENT",   "SKPMONTH",
        "INTMETHOD", "TOTALINTEREST", "TOTALINSURANCE", "TOTALTAXES", "TOTALPAYOUT", "SUMNO",     "BLPAY"};
    QHeaderView* header = Form17->DBGrid1->horizontalHeader();
    ASSERT_EQ(header->count(), headings.size());
    QStringList shown;
    for (int v = 0; v < header->count(); ++v)
        shown << Form17->DBGrid1->model()->headerData(header->logicalIndex(v), Qt::Horizontal).toString();
    EXPECT_EQ(shown, headings);
    for (ui::PickList* list : {Form17->DBLookupListBox1, Form17->DBLookupListBox2, Form17->DBLookupListBox3,
                               Form17->DBLookupListBox4}) {
        QStringList entries;
        for (int r = 0; r < list->model()->rowCount(); ++r)
            entries << list->model()->index(r, list->modelColumn()).data().toString();
        EXPECT_EQ(entries, (QStringList{"2", "3", "1"})) << list->objectName().toStdString();
    }
}

TEST_F(Portfolio, NavigatorMovesThroughTheRows) {
    saveThree();
    Form17->FormActivate();
    auto row = [] { return Form17->DBGrid1->currentIndex().row(); };
    Form17->Last->click();
    EXPECT_EQ(row(), 2);
    Form17->Next->click();
    EXPECT_EQ(row(), 2);
    Form17->Prior->click();
    EXPECT_EQ(row(), 1);
    Form17->First->click();
    EXPECT_EQ(row(), 0);
    Form17->Prior->click();
    EXPECT_EQ(row(), 0);
    Form17->Next->click();
    EXPECT_EQ(row(), 1);
}

TEST_F(Portfolio, ALoanSavedAfterCreationIsListedOnActivation) {
    saveThree();
    Form17->FormActivate();
    pick(Form17->DBLookupListBox1, "1");
    ASSERT_EQ(portfoliotest::saveRegular({15000, 36, 150, 1500, 0, 0}), 4);
    EXPECT_EQ(column("LOANNO"), (QStringList{"2", "3", "1"}));
    Form17->show();
    Form17->activateWindow();
    QApplication::processEvents();
    ASSERT_TRUE(Form17->isActiveWindow());
    EXPECT_EQ(column("LOANNO"), (QStringList{"2", "4", "3", "1"}));
    EXPECT_EQ(Form17->DBLookupListBox1->selectedText(), QStringLiteral("1")) << "the pick keeps its loan";
    Form17->hide();
}

TEST_F(Portfolio, AnalyzeNeedsASelectionInEveryList) {
    saveThree();
    Form17->FormActivate();
    ui::ModalInterceptor modal;
    Form17->Button1->click();
    pick(Form17->DBLookupListBox1, "2");
    pick(Form17->DBLookupListBox2, "3");
    Form17->Button1->click();
    ASSERT_EQ(messages_.messages().size(), 2);
    for (const auto& m : messages_.messages()) {
        EXPECT_EQ(m.kind, ui::MessageKind::Exception);
        EXPECT_EQ(m.text, QStringLiteral("'' is not a valid integer value"));
    }
    EXPECT_TRUE(modal.shown().isEmpty());
}

TEST_F(Portfolio, AnalyzeRefusesOneLoanThreeTimes) {
    saveThree();
    Form17->FormActivate();
    ui::ModalInterceptor modal;
    for (ui::PickList* list : {Form17->DBLookupListBox1, Form17->DBLookupListBox2, Form17->DBLookupListBox3})
        pick(list, "1");
    Form17->Button1->click();
    ASSERT_EQ(messages_.messages().size(), 1);
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Plain);
    EXPECT_EQ(messages_.lastText(),
              QStringLiteral("You failed to select at least two different loans from the "
                             "listboxes provided.  Please correct for the evaluation!"));
    EXPECT_TRUE(modal.shown().isEmpty());
    EXPECT_TRUE(Form18->box(1)->text().isEmpty());
}

TEST_F(Portfolio, AnalyzeComparesLoanFiveTwiceAndLoanSeven) {
    for (int i = 1; i <= 6; ++i)
        ASSERT_EQ(portfoliotest::saveRegular({10000.0 + 100 * i, 36, 100.0 * i, 1000.0 + i, 0, 0}), i);
    ASSERT_EQ(portfoliotest::saveBalloon({20000, 60, 500, 10234.56, 0, 812.40}, 12), 7);
    Form17->FormActivate();
    pick(Form17->DBLookupListBox1, "5");
    pick(Form17->DBLookupListBox2, "5");
    pick(Form17->DBLookupListBox3, "7");
    ui::ModalInterceptor modal;
    Form17->Button1->click();
    EXPECT_TRUE(messages_.empty());
    ASSERT_EQ(modal.shown().size(), 1);
    EXPECT_EQ(modal.shown().first(), Form18);
    const struct {
        int first;
        const char *one, *three;
    } expected[] = {
        {1, "10500.00", "20000.00"},
        {4, "  12.00", "  12.00"},
        {7, " 12", " 12"},
        {10, " 36", " 12"},
        {16, "01/15/2004", "01/15/2004"},
        {19, "03/09/2004", "03/09/2004"},
        {22, "   1.50", "   2.00"},
        {25, "NO", "YES"},
        {28, " 36", " 60"},
        {46, "  0", "  0"},
        {49, "  12.50", "  12.50"},
        {52, "  0", "  0"},
        {55, " 500.00", " 500.00"},
        {31, " 500.00", " 500.00"},
        {34, "1005.00", "10234.56"},
        {37, "   0.00", "   0.00"},
        {40, "   0.00", " 812.40"},
        {43, "1505.00", "11546.96"},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.first);
        EXPECT_EQ(box(e.first), QString::fromLatin1(e.one));
        EXPECT_EQ(box(e.first + 1), QString::fromLatin1(e.one));
        EXPECT_EQ(box(e.first + 2), QString::fromLatin1(e.three));
    }
    EXPECT_EQ(Form17->comparison()[2].balloon, QStringLiteral("YES"));
}

TEST_F(Portfolio, ChartOfTheComparedLoansOpensFromTheComparison) {
    saveThree();
    Form17->FormActivate();
    pick(Form17->DBLookupListBox1, "1");
    pick(Form17->DBLookupListBox2, "2");
    pick(Form17->DBLookupListBox3, "3");
    {
        ui::ModalInterceptor analyzed;
        Form17->Button1->click();
        ASSERT_EQ(analyzed.shown().size(), 1);
    }
    EXPECT_EQ(Form18->Button3->text(), QStringLiteral("Chart"));
    EXPECT_EQ(Form18->Button3->accessibleDescription(), QStringLiteral("Button3"));
    const chartstest::OpenedChart opened = chartstest::openChart(Form18->Button3);
    ASSERT_EQ(opened.shown, 1);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(opened.views, 2);
    const talvero::charts::Chart& chart = opened.chart;
    EXPECT_EQ(chart.title, "Loan Comparison Chart");
    ASSERT_EQ(chart.panels.size(), 2u);
    // Each loan's curve has one point per saved payment row, ending paid off.
    const std::size_t rows[] = {36, 36, 12};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto& curve = chart.panels[0].series.at(k);
        ASSERT_EQ(curve.y.size(), rows[k]) << k;
        EXPECT_NEAR(curve.y.back(), 0.0, 1e-6);
    }
    EXPECT_EQ(chart.panels[1].series.at(0).y, (std::vector<double>{3000, 1000, 2000}));
}

TEST_F(Portfolio, ReportNeedsASelection) {
    saveThree();
    Form17->FormActivate();
    ui::ModalInterceptor modal;
    Form17->Button4->click();
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Exception);
    EXPECT_EQ(messages_.lastText(), QStringLiteral("'' is not a valid integer value"));
    EXPECT_TRUE(modal.shown().isEmpty());
}

TEST_F(Portfolio, ReportOfARegularAndOfABalloonLoan) {
    saveThree();
    Form17->FormActivate();
    QStringList titles;
    ui::ModalInterceptor modal([&titles](QDialog* d) {
        titles << d->objectName() + QLatin1Char(' ') + d->windowTitle();
        return 0;
    });
    pick(Form17->DBLookupListBox4, "2");
    Form17->Button4->click();
    pick(Form17->DBLookupListBox4, "3");
    Form17->Button4->click();
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(titles, (QStringList{"ReportPreview Loan Amortization Table",
                                   "ReportPreview Balloon Amortization Table"}));
}

TEST_F(Portfolio, BalloonReportShowsAmortizePeriodsAndNumberOfPayments) {
    ASSERT_EQ(portfoliotest::saveBalloon({20000, 60, 200, 2000, 0, 0}, 12), 1);
    db::Connection c(db::Alias::IBLoan);
    QSqlQuery q = db::prepare(c, db::sql::portfolioReport);
    q.bindValue(QStringLiteral(":Param4"), 1);
    db::exec(q);
    ASSERT_TRUE(q.next());
    const report::Renderer r(portfolio::reportFor(q.value(QStringLiteral("BLPAY"))), [&q] {
        db::exec(q);
        return std::make_unique<report::QueryRows>(q);
    });
    QString first;
    int pages = 0;
    r.layout([&](const report::PageLayout& p) {
        if (pages++ == 0) first = report::pageText(p);
    });
    EXPECT_GE(pages, 1);
    for (const char* line :
         {"PageHeader   Amortize Periods :\n", "PageHeader   60\n", "PageHeader   Number of Payments: \n",
          "PageHeader   12\n", "Title        Balloon Amortization Table\n", "Detail       01/15/2004\n"})
        EXPECT_TRUE(first.contains(QString::fromLatin1(line))) << line << "\n" << first.toStdString();
    EXPECT_FALSE(first.contains(QStringLiteral("No Payments :")));
}

TEST_F(Portfolio, ReportsOfARegularAndABalloonLoanReadCleanly) {
    // A 48-payment loan of 125,000 over four pages; a balloon of 240,000 amortized over 30 years
    // and due after five.
    ASSERT_EQ(portfoliotest::saveRegular({125000, 48, 1875, 33120.5, 1200, 2400}), 1);
    ASSERT_EQ(portfoliotest::saveBalloon({240000, 360, 4800, 71234.4, 9000, 4500}, 60), 2);
    QTemporaryDir dir;
    for (int loanNo : {1, 2}) {
        SCOPED_TRACE(loanNo);
        db::Connection c(db::Alias::IBLoan);
        QSqlQuery q = db::prepare(c, db::sql::portfolioReport);
        q.bindValue(QStringLiteral(":Param4"), loanNo);
        db::exec(q);
        ASSERT_TRUE(q.next());
        const report::Renderer r(
            portfolio::reportFor(q.value(QStringLiteral("BLPAY"))),
            [&q] {
                db::exec(q);
                return std::make_unique<report::QueryRows>(q);
            },
            QDateTime(QDate(2004, 12, 31), QTime(23, 59, 59)));
        const QString pdf = dir.filePath(QStringLiteral("loan%1.pdf").arg(loanNo));
        const QStringList faults = reporttest::layoutFaults(r, pdf);
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
        const testsupport::PdfWords words = testsupport::readPdfWords(pdf);
        EXPECT_GE(words.pages.size(), 3);
        EXPECT_TRUE(words.text(1).contains(loanNo == 1 ? QStringLiteral("No Payments : 48")
                                                       : QStringLiteral("Amortize Periods : 360")))
            << words.text(1).toStdString();
    }
}

TEST_F(Portfolio, TheReportPreviewSavesTheReportAsPdf) {
    saveThree();
    Form17->FormActivate();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("loan 3.pdf"));
    ui::FileDialogInterceptor files([&](const ui::FileRequest&) { return pdf; });
    ui::ModalInterceptor modal([](QDialog* d) {
        auto* save = d->findChild<QAction*>(QStringLiteral("SaveAsPdf"));
        EXPECT_NE(save, nullptr);
        if (save) save->trigger();
        return 0;
    });
    pick(Form17->DBLookupListBox4, "3");
    Form17->Button4->click();
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    ASSERT_EQ(files.requests().size(), 1);
    EXPECT_EQ(files.requests()[0].proposed, QStringLiteral("Balloon Amortization Table.pdf"));
    const testsupport::PdfWords words = testsupport::readPdfWords(pdf);
    ASSERT_TRUE(words.error.isEmpty()) << words.error.toStdString();
    for (const char* text : {"Balloon Amortization Table", "Amortize Periods : 60",
                             "Number of Payments:", "01/15/2004 195.00 238.77", "Page 1"})
        EXPECT_TRUE(words.text(1).contains(QString::fromLatin1(text))) << text << "\n"
                                                                       << words.text(1).toStdString();
}

TEST_F(Portfolio, RegularLoanWithEmptyBlpayTakesTheRegularReport) {
    for (const QVariant& blpay : {QVariant(), QVariant(0.0), QVariant(-1.0)})
        EXPECT_EQ(portfolio::reportFor(blpay).title, QStringLiteral("Loan Amortization Table"));
    EXPECT_EQ(portfolio::reportFor(QVariant(12.0)).title, QStringLiteral("Balloon Amortization Table"));
}

TEST_F(Portfolio, TextsButtonsAndHelp) {
    EXPECT_EQ(Form17->windowTitle(), QStringLiteral("Loan Portfolio Analysis"));
    EXPECT_EQ(Form17->Label1->text(), QStringLiteral("Loan Portfolio Analysis Data"));
    const QStringList captions = {Form17->Button1->text(), Form17->Button2->text(), Form17->Button3->text(),
                                  Form17->Button4->text()};
    EXPECT_EQ(captions, (QStringList{"Analyze", "Help", "Quit", "Report"}));
    QStringList texts;
    for (QLabel* l : Form17->findChildren<QLabel*>())
        texts << l->text();
    for (const char* t :
         {"Enter up to three values from the \"LOANNO\" column above for loan cost comparisons.  Click on "
          "the "
          "analyze button after selecting loans from the listboxes.",
          "NOTE:  Select loans using listboxes that have equal  \"ORGAMT\" or (Original Amounts).", "# 1",
          "# 2", "# 3", "Loan No",
          "--------------------------------LOAN REPORT SECTION------------------------------------",
          "Select a \"LOANNO\" from the table above and click on the report button for an amortization "
          "report."})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(t))) << t;
    EXPECT_EQ(texts.count(QStringLiteral("Loan No")), 4);
    ui::HelpRecorder help;
    Form17->Button2->click();
    ASSERT_EQ(help.requests().size(), 1);
    EXPECT_EQ(help.requests().first().topic, QStringLiteral("Comparing_Loan_Portfolios"));
    EXPECT_EQ(ui::topicForContext(15), QStringLiteral("Comparing_Loan_Portfolios"));
}

} // namespace
