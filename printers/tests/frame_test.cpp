// The page geometry and the frame's line and page rules, on a small layout whose lines name
// themselves.
#include "printers/frame.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include <cstring>

namespace {

using talvero::printers::geometry;
using talvero::printers::Lines;
using talvero::printers::mulDiv;
using talvero::printers::PageText;
namespace schedule = talvero::schedule;

TEST(Geometry, MulDivRoundsHalfAwayFromZero) {
    struct {
        int a, b, c, expected;
    } cases[] = {
        {10, 300, 72, 42},   // 41.67
        {10, 1200, 72, 167}, // 166.67
        {9, 600, 72, 75},    // 75.0
        {3, 12, 8, 5},       // 4.5 rounds up
        {-3, 12, 8, -5},     // -4.5 rounds away from zero
        {12, 96, 72, 16},    // 16.0
        {1, 1, 0, 0},        // no divisor
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << "*" << c.b << "/" << c.c);
        EXPECT_EQ(mulDiv(c.a, c.b, c.c), c.expected);
    }
}

TEST(Geometry, LineHeightAndLinesPerPage) {
    struct {
        int font, dpi, height, line, P;
    } cases[] = {
        {10, 300, 3150, 58, 48},    // 42 × 1.4 = 58.8
        {10, 1200, 12600, 233, 48}, // 167 × 1.4 = 233.8
        {12, 600, 6300, 140, 39},   // 100 × 1.4
        {-10, 300, 3150, 58, 48},   // the absolute value
        {10, 72, 700, 14, 44},      // 10 × 1.4
    };
    for (const auto& c : cases) {
        const auto g = geometry(c.font, c.dpi, c.height);
        EXPECT_EQ(g.lineHeight, c.line);
        EXPECT_EQ(g.linesPerPage, c.P);
    }
}

// Header lines "H0".."H2" ("C0".. on a closing page), rows "R<k>", subtotal "S1","S2" and a closing
// block "E0".."E2"; fits while the raised counter is below P − 2.
class Probe : public talvero::printers::Layout {
public:
    Probe(double numpay, bool before) : before_(before) {
        block_.FINANCEAMT = 1200;
        block_.APR = 12;
        block_.NUMPAY = numpay;
        block_.FREQUENCY = 4;
        block_.INTMETHOD = 5;
        std::strcpy(block_.FIRSTDUE, "01012004");
    }
    const char* title() const override { return "Probe"; }
    int helpContext() const override { return 0; }
    schedule::Pass pass() const override { return schedule::Pass(block_, 0, schedule::Variant::loan_year()); }
    Lines pageHeader(bool closing) const override {
        const char* p = closing ? "C" : "H";
        return {std::string(p) + "0", std::string(p) + "1", std::string(p) + "2"};
    }
    std::string paymentRow(const schedule::Row& r) const override { return "R" + std::to_string(r.k); }
    Lines subtotalBlock(const schedule::Row& s) const override {
        return {"S1-" + std::to_string(s.group), "S2"};
    }
    Lines closingBlock(const schedule::Row&, const schedule::Row&, bool onNewPage) const override {
        return {"E0", "E1", onNewPage ? "E2 new" : "E2"};
    }
    int closingMargin() const override { return 2; }
    bool subtotalBeforeNextRow() const override { return before_; }

private:
    talvero::common::LoanBlock block_;
    bool before_;
};

std::vector<Lines> run(const Probe& probe, int P) {
    PageText pages;
    const int n = talvero::printers::runJob(probe, P, pages);
    EXPECT_EQ(static_cast<std::size_t>(n), pages.pages().size());
    return pages.pages();
}

TEST(Frame, RowsFillPagesAndTheClosingBlockFollows) {
    // P = 8: header on lines 0-2, rows from line 3; a row whose raised counter reaches 8 starts a page.
    const auto pages = run(Probe(6, true), 8);
    ASSERT_EQ(pages.size(), 2u);
    // Rows 1-4 on lines 3-6, the subtotal before row 5 on 7-8 and row 5 on line 9 of page 1.
    EXPECT_EQ(pages[0], (Lines{"H0", "H1", "H2", "R1", "R2", "R3", "R4", "S1-1", "S2", "R5"}));
    // Row 6 raises the counter to 10: a new page. The closing block needs counter + 1 < 6.
    EXPECT_EQ(pages[1], (Lines{"H0", "H1", "H2", "R6", "E0", "E1", "E2"}));
}

TEST(Frame, ClosingBlockThatDoesNotFitGetsTheClosingPageHeader) {
    // P = 9, four rows: the last on line 6, the counter raised to 7 is not below 9 − 2.
    const auto pages = run(Probe(4, true), 9);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0], (Lines{"H0", "H1", "H2", "R1", "R2", "R3", "R4"}));
    EXPECT_EQ(pages[1], (Lines{"C0", "C1", "C2", "E0", "E1", "E2 new"}));
    // One line more per page and it fits.
    const auto fits = run(Probe(4, true), 10);
    ASSERT_EQ(fits.size(), 1u);
    EXPECT_EQ(fits[0].back(), "E2");
}

TEST(Frame, SubtotalAfterTheRowStartsOnTheRowsOwnLine) {
    // Written right after its row, the block's first line falls on the row's line (covering it
    // here), and the line the next row's raise skips stays empty.
    const auto pages = run(Probe(6, false), 20);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0],
              (Lines{"H0", "H1", "H2", "R1", "R2", "R3", "S1-1", "S2", "", "R5", "R6", "E0", "E1", "E2"}));
}

TEST(Frame, EmptyLinesDrawNothingOverARow) {
    PageText pages;
    pages.line(0, "R1");
    pages.line(0, "");
    pages.line(2, "X");
    ASSERT_EQ(pages.pages().size(), 1u);
    EXPECT_EQ(pages.pages()[0], (Lines{"R1", "", "X"}));
    EXPECT_EQ(pages.pageText(0), "R1\n\nX\n");
}

TEST(Frame, UnusableScheduleStillPrintsTheClosingPageOnce) {
    const auto pages = run(Probe(0, true), 20);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], (Lines{"C0", "C1", "C2", "E0", "E1", "E2 new"}));
}

} // namespace

namespace {

// A program running under a comma locale prints its schedules with the formats' own '.'.
TEST(Frame, FormatsIgnoreTheProcessLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale here";
    const std::string text = talvero::printers::format("%s%9.2f", "Loan Amount", 1234.5);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(text, "Loan Amount  1234.50");
}

} // namespace
