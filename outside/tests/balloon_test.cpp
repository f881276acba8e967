// The balloon stand-ins: Roster2's listing through its export, and Scribe2's loan-year pages.
#include "outside/listing.h"
#include "printers/frame.h"
#include "roster2/roster2.h"
#include "scribe1/layout.h"
#include "scribe2/layout.h"
#include "testsupport/locale_text.h"

#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// 10,000 at 12 % amortized over 36 payments from 01/15/2004, due in full with payment 24.
talvero::scribe2::Values balloon24() {
    talvero::scribe2::Values v;
    v.block.FINANCEAMT = 10000;
    v.block.APR = 12;
    v.block.NUMPAY = 36;
    v.block.FREQUENCY = 12;
    std::strcpy(v.block.FIRSTDUE, "01152004");
    v.SCHEDPAY = 332.14;
    v.BLPAY = 24;
    return v;
}

TEST(Roster2, ListBallListsTheBalloonTermAndReturnsWhenClosed) {
    auto v = balloon24();
    auto& b = v.block;
    const int zero = 0;
    QString title, summary;
    std::vector<QStringList> rows;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            // The library holds its own copy of the listing code, so the window is found by name.
            auto* window = qobject_cast<QDialog*>(w);
            if (!window || !window->isVisible() || window->objectName() != QStringLiteral("ListingWindow"))
                continue;
            poll.stop();
            title = window->windowTitle();
            summary = window->findChild<QLabel*>(QStringLiteral("Summary"))->text();
            const QAbstractItemModel* m = window->findChild<QTableView*>(QStringLiteral("Table"))->model();
            for (int r = 0; r < m->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < m->columnCount(); ++c)
                    cells << m->data(m->index(r, c)).toString();
                rows.push_back(cells);
            }
            window->accept();
        }
    });
    poll.start(10);
    ListBall(&b.FINANCEAMT, &b.APR, &b.NUMPAY, &v.SCHEDPAY, &b.DSRATE, &b.DSFREQ, &b.DSYEARS, &b.LFRATE,
             &b.LFFREQ, &b.LFYEARS, &b.TAXES, &b.SKPMONTH, b.FIRSTDUE, &b.INTMETHOD, &b.FREQUENCY, &zero,
             &zero, &zero, &b.MATURITY[0], &b.MATURITY[1], &b.MATURITY[2], &b.DSPREM, &b.LFPREM, &b.DSNUMPAY,
             &b.LFNUMPAY, &b.HOINS, &b.OTINS, &b.TERMYEARS, &v.BLPAY, &b.ODDDAYS, &b.LOANDATE[0],
             &b.LOANDATE[1], &b.LOANDATE[2], &b.TOTALINTEREST);
    EXPECT_EQ(title, QStringLiteral("Balloon Amortization Schedule"));
    EXPECT_TRUE(summary.contains(QStringLiteral("Balloon Term 24 payments"))) << summary.toStdString();
    // 24 payments, the 2004 total, the closing 2005 total and the grand total.
    ASSERT_EQ(rows.size(), 27u);
    EXPECT_EQ(rows[0].mid(0, 4),
              (QStringList{"1", "01/15/2004", testsupport::num("100.00"), testsupport::num("232.14")}));
    EXPECT_EQ(rows[12][0], QStringLiteral("Total 2004"));
    EXPECT_EQ(rows[24][0], QStringLiteral("24"));
    EXPECT_EQ(rows[24][1], QStringLiteral("12/01/2005")); // flag 0 steps to the first of the month
    EXPECT_EQ(rows[24][10], testsupport::num("0.00"));    // the balloon clears the loan
    EXPECT_EQ(rows[25][0], QStringLiteral("Total 2005"));
    EXPECT_EQ(rows[26][0], QStringLiteral("Grand total"));
    EXPECT_EQ(rows[26][3], testsupport::num("10000.00"));
}

std::vector<std::string> linesOf(const talvero::printers::Layout& layout) {
    talvero::printers::PageText pages;
    const auto g = talvero::printers::geometry(10, 300, 6000); // one page
    EXPECT_EQ(talvero::printers::runJob(layout, g.linesPerPage, pages), 1);
    return pages.pages().at(0);
}

long paymentRows(const std::vector<std::string>& lines) {
    return std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.size() > 5 &&
               std::all_of(l.begin(), l.begin() + 5, [](char c) { return c >= '0' && c <= '9'; });
    });
}

TEST(Scribe2, PrintsTheBalloonTermByLoanYearUnderItsOwnHeader) {
    const auto v = balloon24();
    const talvero::scribe2::BalloonLoanYearLayout layout(v);
    EXPECT_STREQ(layout.title(), "Balloon Amortization");
    EXPECT_EQ(layout.helpContext(), 216);
    const auto lines = linesOf(layout);
    EXPECT_EQ(lines.at(1), std::string(25, ' ') + "BALLOON AMORTIZATION SCHEDULE");
    EXPECT_EQ(lines.at(6).substr(lines.at(6).size() - 17), "Balloon Term   24");
    EXPECT_EQ(lines.at(11), "00001   100.00   232.14   0.00   0.00   0.00   0.00   0.00    332.14   9767.86");
    EXPECT_EQ(paymentRows(lines), 24);
    const auto last = std::find_if(lines.begin(), lines.end(),
                                   [](const std::string& l) { return l.rfind("00024", 0) == 0; });
    ASSERT_NE(last, lines.end());
    EXPECT_EQ(last->substr(last->size() - 10), "      0.00");
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Year  1" + std::string(35, ' ') + "     0.00   0.00    3985.68"),
              lines.end());
}

TEST(Scribe2, TheSameValuesPrintTheWholeTermThroughScribe1) {
    const auto v = balloon24();
    const auto lines = linesOf(talvero::scribe1::LoanYearLayout(v));
    EXPECT_EQ(lines.at(1), std::string(27, ' ') + "LOAN AMORTIZATION SCHEDULE");
    EXPECT_EQ(paymentRows(lines), 36);
}

} // namespace
