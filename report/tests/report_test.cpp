// Band placement, page breaks, page numbers and the pulling of rows, on rows that count themselves.
#include "report/report.h"
#include "testsupport/locale_text.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace report;

class CountingRows : public RowSource {
public:
    CountingRows(int rows, int* pulled) : rows_(rows), pulled_(pulled) {}
    bool next() override {
        ++*pulled_;
        return ++current_ <= rows_;
    }
    QVariant value(const QString& field) const override {
        if (field == QLatin1String("N")) return current_;
        if (field == QLatin1String("AMOUNT")) return current_ * 1000.5;
        return QStringLiteral("row %1").arg(current_);
    }

private:
    int rows_;
    int current_ = 0;
    int* pulled_;
};

Definition sample() {
    Definition d;
    d.title = QStringLiteral("Sample");
    d.bands = {
        {BandKind::PageHeader,
         75,
         {label(3, 16, QStringLiteral("First :")), field(123, 16, QStringLiteral("N"), QStringLiteral("0"))}},
        {BandKind::Title, 40, {label(216, 0, QStringLiteral("Sample Table"))}},
        {BandKind::ColumnHeader, 40, {label(0, 0, QStringLiteral("Name"))}},
        {BandKind::Detail,
         40,
         {field(0, 0, QStringLiteral("NAME")),
          field(640, 0, QStringLiteral("AMOUNT"), QStringLiteral("###,###.##"))}},
        {BandKind::PageFooter,
         40,
         {special(ItemKind::Time, 8, 0), special(ItemKind::PageNumber, 312, 0, QStringLiteral("Page ")),
          special(ItemKind::Date, 672, 0)}},
    };
    return d;
}

const QDateTime kNow(QDate(2004, 1, 15), QTime(14, 5, 9));

TEST(Report, BandsAtTheirPositionsAndPagesNumbered) {
    int pulled = 0;
    Renderer r(
        sample(), [&] { return std::make_unique<CountingRows>(40, &pulled); }, kNow);
    std::vector<PageLayout> pages;
    const int n = r.layout([&](const PageLayout& p) { pages.push_back(p); });
    // Page 1: 75 + 40 + 40 = 155, details to 920: 19 rows. Later pages: 75 + 40 = 115: 20 rows.
    ASSERT_EQ(n, 3);
    ASSERT_EQ(pages.size(), 3u);
    const QString first = pageText(pages[0]);
    EXPECT_TRUE(first.startsWith(QStringLiteral("  16    3 PageHeader   First :\n"
                                                "  16  123 PageHeader   1\n"
                                                "  75  216 Title        Sample Table\n"
                                                " 115    0 ColumnHeader Name\n"
                                                " 155    0 Detail       row 1\n"
                                                " 155  640 Detail       ") +
                                 testsupport::grouped("1,000.5\n")))
        << first.toStdString();
    EXPECT_TRUE(first.endsWith(QStringLiteral(" 875    0 Detail       row 19\n"
                                              " 875  640 Detail       ") +
                               testsupport::grouped("19,009.5\n") +
                               QStringLiteral(" 920    8 PageFooter   2:05:09 PM\n"
                                              " 920  312 PageFooter   Page 1\n"
                                              " 920  672 PageFooter   01/15/2004\n")))
        << first.toStdString();
    const QString second = pageText(pages[1]);
    EXPECT_TRUE(second.startsWith(QStringLiteral("  16    3 PageHeader   First :\n"
                                                 "  16  123 PageHeader   20\n"
                                                 "  75    0 ColumnHeader Name\n"
                                                 " 115    0 Detail       row 20\n")))
        << second.toStdString();
    EXPECT_TRUE(second.contains(QStringLiteral(" 920  312 PageFooter   Page 2\n")));
    EXPECT_TRUE(pageText(pages[2]).contains(QStringLiteral("row 40\n")));
    EXPECT_TRUE(pageText(pages[2]).contains(QStringLiteral("Page 3\n")));
}

TEST(Report, RowsArePulledAsPagesFill) {
    int pulled = 0;
    Renderer r(
        sample(), [&] { return std::make_unique<CountingRows>(1000, &pulled); }, kNow);
    std::vector<int> pulledAtPage;
    r.layout([&](const PageLayout&) { pulledAtPage.push_back(pulled); });
    ASSERT_GT(pulledAtPage.size(), 40u);
    EXPECT_EQ(pulledAtPage[0], 20); // 19 rows on page 1 and the one that opens page 2
    EXPECT_EQ(pulledAtPage[1], 40);
}

TEST(Report, EmptyReportPrintsOnePageWithHeaderAndFooter) {
    int pulled = 0;
    Renderer r(
        sample(), [&] { return std::make_unique<CountingRows>(0, &pulled); }, kNow);
    std::vector<PageLayout> pages;
    EXPECT_EQ(r.layout([&](const PageLayout& p) { pages.push_back(p); }), 1);
    const QString text = pageText(pages.at(0));
    EXPECT_TRUE(text.contains(QStringLiteral("Sample Table")));
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1")));
    EXPECT_FALSE(text.contains(QStringLiteral("Detail")));
}

TEST(Report, SummaryFollowsTheLastRowOrOpensAPage) {
    Definition d = sample();
    d.bands.insert(d.bands.end() - 1, Band{BandKind::Summary, 40, {label(0, 0, QStringLiteral("END"))}});
    for (int rows : {5, 19}) {
        int pulled = 0;
        Renderer r(
            d, [&] { return std::make_unique<CountingRows>(rows, &pulled); }, kNow);
        std::vector<PageLayout> pages;
        r.layout([&](const PageLayout& p) { pages.push_back(p); });
        // 5 rows leave room on page 1; 19 fill it, so the summary opens page 2.
        ASSERT_EQ(pages.size(), rows == 5 ? 1u : 2u);
        EXPECT_TRUE(pageText(pages.back()).contains(QStringLiteral("Summary      END")));
    }
}

TEST(Report, QueryRowsReadAnExecutedQuery) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("report_test"));
    db.setDatabaseName(QStringLiteral(":memory:"));
    ASSERT_TRUE(db.open());
    {
        QSqlQuery q(db);
        ASSERT_TRUE(
            q.exec(QStringLiteral("create table T (N integer, NAME varchar(20), AMOUNT double precision)")));
        for (int i = 1; i <= 3; ++i)
            ASSERT_TRUE(q.exec(QStringLiteral("insert into T values (%1, 'n%1', %2)").arg(i).arg(i * 2.5)));
        QSqlQuery rows(db);
        rows.setForwardOnly(true);
        Renderer r(
            sample(),
            [&] {
                rows.exec(QStringLiteral("select N, NAME, AMOUNT from T order by N"));
                return std::make_unique<QueryRows>(rows);
            },
            kNow);
        std::vector<PageLayout> pages;
        r.layout([&](const PageLayout& p) { pages.push_back(p); });
        ASSERT_EQ(pages.size(), 1u);
        const QString text = pageText(pages[0]);
        EXPECT_TRUE(text.contains(QStringLiteral(" 155    0 Detail       n1\n 155  640 Detail       ") +
                                  testsupport::num("2.5\n")));
        EXPECT_TRUE(text.contains(QStringLiteral(" 235  640 Detail       ") + testsupport::num("7.5\n")));
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("report_test"));
}

TEST(Report, PrintsToPdf) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("r.pdf")));
    int pulled = 0;
    Renderer r(
        sample(), [&] { return std::make_unique<CountingRows>(25, &pulled); }, kNow);
    EXPECT_EQ(r.print(printer), 2);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::Letter);
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {dir.filePath(QStringLiteral("r.pdf")), QStringLiteral("-")});
    p.waitForFinished(30000);
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Sample Table")));
    EXPECT_TRUE(text.contains(QStringLiteral("row 25")));
    EXPECT_TRUE(text.contains(QStringLiteral("Page 2")));
}

} // namespace
