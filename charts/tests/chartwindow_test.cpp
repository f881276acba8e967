// The chart window offscreen: its Qt Charts views show the series (curves reduced to the plot's
// pixel columns), "Show Data" lists exactly the series, "Save as SVG" and "Save as PNG" write files
// read back here, "Print" prints on the program's printer (a PDF read back with pdftotext).
#include "charts/chartwindow.h"
#include "charts/loanchart.h"
#include "ui/convert.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/printing.h"

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QImage>
#include <QLineSeries>
#include <QProcess>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableView>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace talvero;

charts::Chart loanChart(double n, double blpay = 0) {
    common::LoanBlock b;
    b.FINANCEAMT = 250000;
    b.APR = 7.25;
    b.NUMPAY = n;
    b.FREQUENCY = n > 1000 ? 52 : 12;
    b.TERMYEARS = n / b.FREQUENCY;
    std::strcpy(b.FIRSTDUE, "02012025");
    const schedule::Variant v =
        blpay > 0 ? schedule::Variant::balloon_term(blpay) : schedule::Variant::regular();
    return charts::loanChart(b, schedule::Pass(b, 0, v).level_payment(), v);
}

QStringList svgTexts(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QStringLiteral("text"))
            texts << xml.readElementText().trimmed();
    EXPECT_FALSE(xml.hasError());
    return texts;
}

class ChartWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ui::MessageRecorder messages;

    void open(charts::ChartWindow& window) {
        window.show();
        QApplication::processEvents();
    }
};

TEST_F(ChartWindowTest, ViewsShowTheSeries) {
    charts::ChartWindow window(loanChart(360, 60));
    open(window);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Amortization Chart"));
    ASSERT_EQ(window.views().size(), 2);
    QChart* lines = window.views()[0]->chart();
    EXPECT_EQ(lines->title(), QStringLiteral("Balance and amounts paid"));
    const charts::Panel& panel = window.chart().panels[0];
    ASSERT_EQ(lines->series().size(), static_cast<qsizetype>(panel.series.size()));
    for (int i = 0; i < lines->series().size(); ++i) {
        auto* xy = qobject_cast<QXYSeries*>(lines->series()[i]);
        ASSERT_NE(xy, nullptr);
        const charts::Series& s = panel.series[static_cast<std::size_t>(i)];
        EXPECT_EQ(xy->name().toStdString(), s.name);
        ASSERT_EQ(xy->count(), static_cast<int>(s.y.size())); // 60 points: no reduction needed
        EXPECT_EQ(xy->at(xy->count() - 1).y(), s.y.back());
    }
    EXPECT_NE(qobject_cast<QScatterSeries*>(lines->series().back()), nullptr); // the balloon payment
    // The money axis reads with the user's separators.
    auto* money = qobject_cast<QCategoryAxis*>(lines->axes(Qt::Vertical).front());
    ASSERT_NE(money, nullptr);
    EXPECT_TRUE(money->categoriesLabels().contains(QStringLiteral("250000")));
    QChart* years = window.views()[1]->chart();
    auto* bars = qobject_cast<QBarSeries*>(years->series().front());
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->barSets().size(), 2);
    const charts::Series& interest = window.chart().panels[1].series[0];
    EXPECT_EQ(bars->barSets()[0]->label(), QStringLiteral("Interest"));
    ASSERT_EQ(bars->barSets()[0]->count(), static_cast<qsizetype>(interest.y.size()));
    EXPECT_EQ(bars->barSets()[0]->at(0), interest.y[0]);
    EXPECT_TRUE(window.views()[0]->accessibleDescription() == QStringLiteral("ChartView1"));
}

TEST_F(ChartWindowTest, LongLoanCurvesKeepAtMostFourPointsPerPixelColumn) {
    charts::ChartWindow window(loanChart(99999));
    open(window);
    QChart* lines = window.views()[0]->chart();
    const int columns = static_cast<int>(lines->plotArea().width());
    ASSERT_GT(columns, 100);
    const charts::Series& balance = window.chart().panels[0].series[0];
    EXPECT_EQ(balance.y.size(), 99999u);
    auto* xy = qobject_cast<QXYSeries*>(lines->series()[0]);
    EXPECT_LE(xy->count(), 4 * columns);
    EXPECT_GE(xy->count(), columns);
    // The first and the last payment are always drawn.
    EXPECT_EQ(xy->at(0).y(), balance.y.front());
    EXPECT_EQ(xy->at(xy->count() - 1).y(), balance.y.back());
    // A wider window draws more of the points.
    window.resize(1600, 720);
    QApplication::processEvents();
    EXPECT_GT(xy->count() * 1.0, 1.5 * columns);
    EXPECT_LE(xy->count(), 4 * static_cast<int>(lines->plotArea().width()));
}

TEST_F(ChartWindowTest, ShowDataListsThePlottedValues) {
    charts::ChartWindow window(loanChart(36, 12));
    open(window);
    int rows = -1;
    ui::ModalInterceptor modal([&](QDialog* dialog) {
        auto* table = dialog->findChild<QTableView*>(QStringLiteral("DataGrid1"));
        EXPECT_NE(table, nullptr);
        if (!table) return 0;
        const QAbstractItemModel* m = table->model();
        rows = m->rowCount();
        const QStringList headers{"Chart", "Series", "Point", "Amount"};
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(m->headerData(c, Qt::Horizontal).toString(), headers[c]);
        for (int r = 0; r < rows; ++r) {
            const charts::TableRow t = charts::tableRow(window.chart(), static_cast<std::size_t>(r));
            EXPECT_EQ(m->index(r, 0).data().toString().toStdString(), *t.panel);
            EXPECT_EQ(m->index(r, 1).data().toString().toStdString(), *t.series);
            EXPECT_EQ(m->index(r, 2).data().toString().toStdString(), *t.label);
            EXPECT_EQ(m->index(r, 3).data().toString(), ui::format("%.2f", t.value));
        }
        return 0;
    });
    window.Button4->click();
    EXPECT_EQ(rows, static_cast<int>(charts::tableRows(window.chart())));
    EXPECT_EQ(modal.shown().size(), 1);
}

TEST_F(ChartWindowTest, SavesAsSvgAndPng) {
    charts::ChartWindow window(loanChart(120));
    open(window);
    const QString svg = dir.filePath(QStringLiteral("chart.svg")),
                  png = dir.filePath(QStringLiteral("chart.png"));
    {
        charts::SavePathAnswer answer(svg);
        window.Button2->click();
        EXPECT_EQ(answer.asked(), 1);
    }
    const QStringList texts = svgTexts(svg);
    for (const char* t :
         {"Balance and amounts paid", "Interest and principal per year", "Balance", "Cumulative Interest",
          "Cumulative Principal", "Interest", "Principal", "2025", "250000"})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(t))) << t;
    {
        charts::SavePathAnswer answer(png);
        window.Button1->click();
    }
    EXPECT_FALSE(QImage(png).isNull());
    EXPECT_TRUE(messages.empty());
    // A cancelled dialog saves nothing; an unwritable path is a message and no file.
    {
        charts::SavePathAnswer cancelled{QString()};
        window.Button2->click();
    }
    const QString unwritable = dir.filePath(QStringLiteral("missing/chart.svg"));
    {
        charts::SavePathAnswer answer(unwritable);
        window.Button2->click();
    }
    EXPECT_EQ(messages.lastText(), QStringLiteral("The chart could not be saved as %1.").arg(unwritable));
    EXPECT_FALSE(QFile::exists(unwritable));
}

TEST_F(ChartWindowTest, PrintsOnTheProgramsPrinter) {
    charts::ChartWindow window(loanChart(120));
    open(window);
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    {
        ui::PrinterDialogInterceptor cancel(false);
        window.Button3->click();
        EXPECT_EQ(cancel.dialogsShown(), 1);
    }
    EXPECT_FALSE(QFile::exists(pdf));
    {
        ui::PrinterDialogInterceptor confirm(true, pdf);
        window.Button3->click();
    }
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(20000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Cumulative Principal"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Interest and principal per year")));
}

} // namespace
