// Band placement, page breaks, page numbers and the pulling of rows, on rows that count themselves;
// the layout of texts (columns, captions and values, the margins) read back from PDF files; saving
// a report as PDF from its preview.
#include "report/preview.h"
#include "report/report.h"
#include "reporttest/layout_check.h"
#include "testsupport/locale_text.h"
#include "testsupport/pdf_words.h"
#include "ui/filedialog.h"
#include "ui/messages.h"
#include "ui/modal.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
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

// Rows of amounts of every width a column meets, with decimals the mask may drop.
class AmountRows : public RowSource {
public:
    explicit AmountRows(std::vector<double> amounts) : amounts_(std::move(amounts)) {}
    bool next() override { return ++at_ < amounts_.size(); }
    QVariant value(const QString& field) const override {
        const double a = amounts_.at(at_);
        if (field == QLatin1String("NAME"))
            return at_ % 2 ? QStringLiteral("GRAND TOTALS") : QStringLiteral("01/15/2004");
        if (field == QLatin1String("SMALL")) return a / 1000;
        if (field == QLatin1String("WIDE")) return a * 1000; // too wide for its column
        return a;
    }

private:
    std::vector<double> amounts_;
    std::size_t at_ = std::size_t(-1);
};

// A page header whose captions and values crowd each other, amount columns, a footer whose date
// runs past the right edge at its anchor.
Definition crowded() {
    const Font caption{QStringLiteral("Arial"), 12, true, false};
    const Font value{QStringLiteral("Arial"), 10, false, true};
    const QString money = QStringLiteral("$###,###,##0.00");
    Definition d;
    d.title = QStringLiteral("Crowded");
    d.bands = {
        {BandKind::PageHeader,
         60,
         {label(3, 16, QStringLiteral("Loan Amount :"), caption),
          field(123, 16, QStringLiteral("AMOUNT"), money, value),
          label(187, 16, QStringLiteral("Financed Amount :"), caption),
          field(339, 16, QStringLiteral("AMOUNT"), money, value),
          label(427, 16, QStringLiteral("APR :"), caption),
          field(475, 16, QStringLiteral("SMALL"), QStringLiteral("0.00"), value),
          label(515, 16, QStringLiteral("No Payments :"), caption),
          field(632, 16, QStringLiteral("SMALL"), QStringLiteral("0"), value)}},
        {BandKind::ColumnHeader,
         30,
         {label(0, 0, QStringLiteral("Pay Date")), alignRight(label(112, 0, QStringLiteral("Interest"))),
          alignRight(label(176, 0, QStringLiteral("Balance")))}},
        {BandKind::Detail,
         30,
         {field(0, 0, QStringLiteral("NAME")),
          alignRight(field(112, 0, QStringLiteral("WIDE"), QStringLiteral("0.00"))),
          alignRight(field(176, 0, QStringLiteral("AMOUNT"), QStringLiteral("###,###.##")))}},
        {BandKind::Summary, 30, {alignRight(label(176, 0, QStringLiteral("123,456.78")))}},
        {BandKind::PageFooter,
         40,
         {special(ItemKind::Time, 8, 0), special(ItemKind::PageNumber, 312, 0, QStringLiteral("Page ")),
          alignRight(special(ItemKind::Date, 672, 0))}},
    };
    return d;
}

const std::vector<double> kAmounts = {50000, 1.5, 9767.8, 123456.78, 9767, 0.07, 250000.25, 12.3};

std::vector<PageLayout> pagesOf(const Definition& d, const std::vector<double>& amounts) {
    Renderer r(
        d, [&] { return std::make_unique<AmountRows>(amounts); }, kNow);
    std::vector<PageLayout> pages;
    r.layout([&](const PageLayout& p) { pages.push_back(p); });
    return pages;
}

std::vector<const PlacedText*> placed(const PageLayout& page, BandKind band, int anchor) {
    std::vector<const PlacedText*> out;
    for (const PlacedText& t : page.items)
        if (t.band == band && t.x == anchor) out.push_back(&t);
    return out;
}

TEST(Layout, AmountsAreFlushWithTheirColumnsRightEdgeWithTheirDecimalPointsInLine) {
    const auto pages = pagesOf(crowded(), kAmounts);
    ASSERT_EQ(pages.size(), 1u);
    // The balance column runs from 176 to the band's edge; the interest column to 176 less the gap.
    const double balanceEdge = kBandWidth, interestEdge = 176 - kColumnGap;
    const auto balances = placed(pages[0], BandKind::Detail, 176);
    ASSERT_EQ(balances.size(), kAmounts.size());
    double digit = 0; // the width of the one decimal "9,767.8" leaves out
    for (const PlacedText* t : balances) {
        SCOPED_TRACE(t->text.toStdString());
        const qsizetype point = t->text.lastIndexOf(QLocale().decimalPoint());
        const qsizetype decimals = point < 0 ? 0 : t->text.size() - point - 1;
        if (decimals == 2)
            EXPECT_NEAR(t->box.right(), balanceEdge, 0.01);
        else
            EXPECT_LT(t->box.right(), balanceEdge - 1);
        if (decimals == 1) digit = balanceEdge - t->box.right();
        EXPECT_DOUBLE_EQ(t->pointSize, 10) << "balances fit their column";
    }
    EXPECT_GT(digit, 3);
    EXPECT_LT(digit, 10);
    // The summary's figure at the column's anchor shares its edge; so does the caption.
    EXPECT_NEAR(placed(pages[0], BandKind::Summary, 176).at(0)->box.right(), balanceEdge, 0.01);
    EXPECT_NEAR(placed(pages[0], BandKind::ColumnHeader, 176).at(0)->box.right(), balanceEdge, 0.01);
    EXPECT_NEAR(placed(pages[0], BandKind::ColumnHeader, 112).at(0)->box.right(), interestEdge, 0.01);
    // An amount too wide for its column keeps the edge and is set smaller, never past the text
    // before it.
    bool shrunk = false;
    const auto interest = placed(pages[0], BandKind::Detail, 112);
    const auto dates = placed(pages[0], BandKind::Detail, 0);
    for (std::size_t i = 0; i < interest.size(); ++i) {
        SCOPED_TRACE(interest[i]->text.toStdString());
        EXPECT_NEAR(interest[i]->box.right(), interestEdge, 0.01);
        EXPECT_GE(interest[i]->box.left(), dates[i]->box.right() + kColumnGap - 0.01);
        shrunk = shrunk || interest[i]->pointSize < 10;
    }
    EXPECT_TRUE(shrunk) << "250000250.00 does not fit 64 pixels at 10 points";
}

TEST(Layout, ValuesFollowTheirCaptionsAndEveryLineStaysInsideTheBand) {
    const auto pages = pagesOf(crowded(), kAmounts);
    ASSERT_FALSE(pages.empty());
    for (const PageLayout& page : pages) {
        std::vector<const PlacedText*> texts;
        for (const PlacedText& t : page.items)
            if (!t.text.trimmed().isEmpty()) texts.push_back(&t);
        for (const PlacedText* t : texts) {
            SCOPED_TRACE(t->text.toStdString());
            EXPECT_GE(t->box.left(), 0);
            EXPECT_LE(t->box.right(), kBandWidth + 0.01);
            EXPECT_LE(t->box.bottom(), kPageHeight);
            EXPECT_GT(t->box.width(), 0);
            for (const PlacedText* u : texts)
                if (u != t) {
                    EXPECT_FALSE(t->box.intersects(u->box)) << "overlaps " << u->text.toStdString();
                }
        }
    }
    // Each header value starts after its caption; the header was set smaller as a whole to fit.
    const auto header = [&](int anchor) { return placed(pages[0], BandKind::PageHeader, anchor).at(0); };
    for (auto [captionAt, valueAt] : {std::pair{3, 123}, {187, 339}, {427, 475}, {515, 632}}) {
        EXPECT_GE(header(valueAt)->box.left(), header(captionAt)->box.right() + kColumnGap - 0.01);
        EXPECT_GE(header(valueAt)->box.left(), valueAt) << "a value never moves left of its anchor";
        EXPECT_DOUBLE_EQ(header(captionAt)->pointSize / 12, header(valueAt)->pointSize / 10);
    }
    EXPECT_LT(header(3)->pointSize, 12);
    // The date ends at the band's right edge.
    EXPECT_NEAR(placed(pages[0], BandKind::PageFooter, 672).at(0)->box.right(), kBandWidth, 0.01);
}

TEST(Layout, ColumnHeadingsTooWideForTheirColumnsKeepOneSize) {
    Definition d = crowded();
    for (Band& band : d.bands)
        if (band.kind == BandKind::ColumnHeader)
            band.items[1].text = QStringLiteral("Interest due this period");
    const auto pages = pagesOf(d, kAmounts);
    ASSERT_FALSE(pages.empty());
    const PlacedText& date = *placed(pages[0], BandKind::ColumnHeader, 0).at(0);
    const PlacedText& interest = *placed(pages[0], BandKind::ColumnHeader, 112).at(0);
    const PlacedText& balance = *placed(pages[0], BandKind::ColumnHeader, 176).at(0);
    EXPECT_LT(interest.pointSize, 10);
    EXPECT_DOUBLE_EQ(date.pointSize, interest.pointSize);
    EXPECT_DOUBLE_EQ(balance.pointSize, interest.pointSize);
    EXPECT_GE(interest.box.left(), date.box.right() + kColumnGap - 0.01);
    EXPECT_NEAR(interest.box.right(), 176 - kColumnGap, 0.01);
}

TEST(Layout, TextsStayInsideTheirBands) {
    const Font big{QStringLiteral("Arial"), 12, true, false};
    const struct {
        const char* what;
        int height, y;
        bool smaller;
    } cases[] = {
        {"a line fitting its band stays", 40, 4, false},
        {"a line reaching past its band is lifted", 30, 20, false},
        {"a line taller than its band is set smaller", 10, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Definition d;
        d.bands = {{BandKind::PageHeader, c.height, {label(0, c.y, QStringLiteral("Tall caption"), big)}},
                   {BandKind::ColumnHeader, 20, {label(0, 0, QStringLiteral("Next band"))}}};
        const auto pages = pagesOf(d, {});
        ASSERT_EQ(pages.size(), 1u);
        const PlacedText& tall = *placed(pages[0], BandKind::PageHeader, 0).at(0);
        EXPECT_GE(tall.box.top(), 0);
        EXPECT_LE(tall.box.bottom(), c.height - 0.5 + 1e-6);
        EXPECT_EQ(tall.pointSize < 12, c.smaller) << tall.pointSize;
        if (!c.smaller) {
            EXPECT_EQ(tall.box.top() < c.y, c.height == 30) << "lifted only when it reached past its band";
        }
    }
}

TEST(Layout, TheDrawnPagesAreTheLaidOutOnes) {
    QTemporaryDir dir;
    std::vector<double> amounts;
    for (int i = 0; i < 90; ++i)
        amounts.push_back(kAmounts[i % kAmounts.size()] * (1 + i));
    Renderer r(
        crowded(), [&] { return std::make_unique<AmountRows>(amounts); }, kNow);
    const QStringList faults = reporttest::layoutFaults(r, dir.filePath(QStringLiteral("crowded.pdf")));
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    const testsupport::PdfWords words =
        testsupport::readPdfWords(dir.filePath(QStringLiteral("crowded.pdf")));
    ASSERT_GE(words.pages.size(), 3);
    EXPECT_TRUE(words.text(1).startsWith(QStringLiteral("Loan Amount : ") +
                                         testsupport::grouped("$50,000.00 Financed Amount :")))
        << words.text(1).toStdString();
}

TEST(Layout, TheChecksFindOverlappingWordsAndWordsInTheMargin) {
    // Drawn by hand, past the renderer: two words on top of each other ("first" in a ligature), one
    // in the left margin.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("faulty.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setResolution(72);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        painter.setFont(QFont(QStringLiteral("Arial"), 12));
        painter.drawText(QPointF(100, 100), QStringLiteral("first"));
        painter.drawText(QPointF(110, 102), QStringLiteral("second"));
        painter.drawText(QPointF(300, 100), QStringLiteral("alone"));
        painter.drawText(QPointF(10, 200), QStringLiteral("margin"));
    }
    const testsupport::PdfWords words = testsupport::readPdfWords(pdf);
    ASSERT_TRUE(words.error.isEmpty()) << words.error.toStdString();
    const QStringList overlaps = testsupport::overlappingWords(words);
    ASSERT_EQ(overlaps.size(), 1) << overlaps.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(overlaps[0].contains(QStringLiteral("'first'")) &&
                overlaps[0].contains(QStringLiteral("'second'")))
        << overlaps[0].toStdString();
    const QStringList outside = testsupport::wordsOutsideMargins(words, 36);
    ASSERT_EQ(outside.size(), 1) << outside.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(outside[0].contains(QStringLiteral("'margin'"))) << outside[0].toStdString();
}

// The preview's "Save as PDF…" button, pressed while the preview is open.
class SaveAsPdf : public ::testing::Test {
protected:
    void press(const std::function<QString(const ui::FileRequest&)>& answer) {
        ui::FileDialogInterceptor files(answer);
        ui::ModalInterceptor modal([&](QDialog* d) {
            auto* save = d->findChild<QAction*>(QStringLiteral("SaveAsPdf"));
            EXPECT_NE(save, nullptr);
            if (!save) return 0;
            EXPECT_EQ(save->text(), QStringLiteral("Save as PDF\u2026"));
            auto* button = d->findChild<QToolButton*>(QStringLiteral("SaveAsPdf"));
            EXPECT_NE(button, nullptr);
            if (button) {
                EXPECT_EQ(button->accessibleDescription(), QStringLiteral("SaveAsPdf"));
                const QList<QAction*> bar = d->findChild<QToolBar*>()->actions();
                EXPECT_GE(bar.size(), 2);
                EXPECT_EQ(bar.value(bar.size() - 1), save);
                EXPECT_EQ(bar.value(bar.size() - 2) ? bar.value(bar.size() - 2)->text() : QString(),
                          QStringLiteral("Print"))
                    << "beside Print";
                button->click();
            }
            return 0;
        });
        int pulled = 0;
        Renderer r(
            sample(), [&] { return std::make_unique<CountingRows>(25, &pulled); }, kNow);
        preview(r, nullptr);
        requests = files.requests();
    }
    QTemporaryDir dir;
    ui::MessageRecorder messages;
    QList<ui::FileRequest> requests;
};

TEST_F(SaveAsPdf, WritesTheReportToTheFileChosen) {
    const QString path = dir.filePath(QStringLiteral("saved")); // ".pdf" is added
    press([&](const ui::FileRequest&) { return path; });
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].kind, ui::FileRequest::Save);
    EXPECT_EQ(requests[0].proposed, QStringLiteral("Sample.pdf"));
    EXPECT_EQ(requests[0].filter, QStringLiteral("PDF files (*.pdf)"));
    EXPECT_TRUE(messages.empty()) << messages.lastText().toStdString();
    const testsupport::PdfWords words = testsupport::readPdfWords(path + QStringLiteral(".pdf"));
    ASSERT_TRUE(words.error.isEmpty()) << words.error.toStdString();
    ASSERT_EQ(words.pages.size(), 2);
    EXPECT_TRUE(words.text(1).contains(QStringLiteral("Sample Table")));
    EXPECT_TRUE(words.text(2).contains(QStringLiteral("row 25")));
    EXPECT_TRUE(words.text(2).contains(QStringLiteral("Page 2")));
}

TEST_F(SaveAsPdf, CancellingWritesNothing) {
    press([](const ui::FileRequest&) { return QString(); });
    EXPECT_EQ(requests.size(), 1);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(SaveAsPdf, AFileThatCannotBeWrittenIsAnErrorAndNothingElse) {
    const QString path = dir.filePath(QStringLiteral("no such folder/r.pdf"));
    press([&](const ui::FileRequest&) { return path; });
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.lastKind(), ui::MessageKind::Error);
    EXPECT_EQ(messages.lastText(), QStringLiteral("The report could not be saved as\n") + path);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(SaveAsPdfName, IsTheTitleWithoutFolderSeparators) {
    Definition d;
    d.title = QStringLiteral("Loan Amortization Table");
    EXPECT_EQ(pdfFileName(d), QStringLiteral("Loan Amortization Table.pdf"));
    d.title = QStringLiteral("Gains/Losses");
    EXPECT_EQ(pdfFileName(d), QStringLiteral("Gains_Losses.pdf"));
    d.title.clear();
    EXPECT_EQ(pdfFileName(d), QStringLiteral("report.pdf"));
}

} // namespace
