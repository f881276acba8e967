// The chart data against the schedule it comes from, the axis ranges, the point reduction and the
// data table.
#include "charts/loanchart.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

using namespace talvero;

// 100,000 at 6 % over `n` monthly payments from 01/15/2024, interest flag 0.
common::LoanBlock loan(double n) {
    common::LoanBlock b;
    b.FINANCEAMT = 100000;
    b.APR = 6;
    b.NUMPAY = n;
    b.FREQUENCY = 12;
    b.TERMYEARS = n / 12;
    b.TAXES = 1200;
    std::strcpy(b.FIRSTDUE, "01152024");
    return b;
}

double levelPayment(const common::LoanBlock& b, const schedule::Variant& v = schedule::Variant::regular()) {
    return schedule::Pass(b, 0, v).level_payment() + b.TAXES * b.TERMYEARS / b.NUMPAY;
}

const charts::Series& named(const charts::Panel& panel, const std::string& name) {
    for (const charts::Series& s : panel.series)
        if (s.name == name) return s;
    throw std::runtime_error("no series " + name);
}

TEST(LoanChart, SeriesAreTheScheduleRows) {
    const schedule::Variant variants[] = {schedule::Variant::regular(), schedule::Variant::balloon_term(60)};
    for (const schedule::Variant& v : variants) {
        SCOPED_TRACE(v.balloon ? "balloon" : "regular");
        const common::LoanBlock b = loan(360);
        const double pay = levelPayment(b);
        const charts::Chart chart = charts::loanChart(b, pay, v);
        EXPECT_EQ(chart.title, "Amortization Chart");
        ASSERT_EQ(chart.panels.size(), 2u);
        const charts::Panel& lines = chart.panels[0];
        const charts::Series& balance = named(lines, "Balance");
        const charts::Series& interest = named(lines, "Cumulative Interest");
        const charts::Series& principal = named(lines, "Cumulative Principal");

        // Walk the same pass: every payment row is a point, every subtotal a pair of bars.
        schedule::Pass pass(b, pay, v);
        std::size_t i = 0, year = 0;
        double sumI = 0, sumP = 0;
        schedule::Row last;
        for (schedule::Row row; pass.next(row);) {
            if (row.kind == schedule::RowKind::Payment) {
                ASSERT_LT(i, balance.y.size());
                sumI += row.amounts.INTAMT;
                sumP += row.amounts.PRINAMT;
                EXPECT_EQ(balance.y[i], row.BALANCE);
                EXPECT_EQ(interest.y[i], sumI);
                EXPECT_EQ(principal.y[i], sumP);
                EXPECT_EQ(balance.labels[i], row.PAYDATE);
                EXPECT_EQ(balance.x[i], charts::axisDay(row.date));
                ++i;
                last = row;
            } else if (row.kind == schedule::RowKind::Subtotal) {
                const charts::Panel& bars = chart.panels[1];
                ASSERT_LT(year, bars.categories.size());
                EXPECT_EQ(bars.categories[year], std::to_string(row.group));
                EXPECT_EQ(named(bars, "Interest").y[year], row.amounts.INTAMT);
                EXPECT_EQ(named(bars, "Principal").y[year], row.amounts.PRINAMT);
                ++year;
            } else {
                // End totals: the curves end on the grand total row.
                EXPECT_NEAR(interest.y.back(), row.amounts.INTAMT, 1e-6);
                EXPECT_NEAR(principal.y.back(), row.amounts.PRINAMT, 1e-6);
            }
        }
        EXPECT_EQ(i, balance.y.size());
        EXPECT_EQ(year, chart.panels[1].categories.size());
        EXPECT_EQ(balance.y.back(), 0.0);
        EXPECT_NEAR(principal.y.back(), b.FINANCEAMT, 1e-6);
        EXPECT_EQ(balance.y.size(), v.balloon ? 60u : 360u);
        // The dates run forward, one point per payment.
        for (std::size_t k = 1; k < balance.x.size(); ++k)
            EXPECT_GT(balance.x[k], balance.x[k - 1]);

        const bool hasMarker = lines.series.back().name == "Balloon Payment";
        EXPECT_EQ(hasMarker, v.balloon);
        if (v.balloon) {
            const charts::Series& balloon = lines.series.back();
            EXPECT_EQ(balloon.style, charts::Style::Marker);
            ASSERT_EQ(balloon.y.size(), 1u);
            EXPECT_EQ(balloon.y[0], last.amounts.PAYMENT);
            EXPECT_EQ(balloon.labels[0], "12/01/2028");
            EXPECT_GT(balloon.y[0], 90000.0); // most of the loan is still owed after five years
        }
    }
}

TEST(LoanChart, UnusableLoanGivesEmptySeries) {
    common::LoanBlock b = loan(0);
    const charts::Chart chart = charts::loanChart(b, 0, schedule::Variant::regular());
    EXPECT_EQ(charts::tableRows(chart), 0u);
    EXPECT_EQ(charts::valueScale(chart.panels[0]).range, (charts::Range{0, 1}));
}

TEST(LoanChart, DateBeyondMonthEndSitsOnItsLastDay) {
    EXPECT_EQ(charts::axisDay({2, 31, 2005}), charts::axisDay({2, 28, 2005}));
    EXPECT_EQ(charts::axisDay({1, 1, 1970}), 0.0);
    EXPECT_EQ(charts::monthText(charts::axisDay({2, 29, 2024})), "02/2024");
    EXPECT_EQ(charts::monthText(charts::axisDay({12, 31, 1969})), "12/1969");
}

TEST(AxisRanges, ValueScaleStartsAtZeroOnWholeSteps) {
    const struct {
        double lo, hi;
        charts::Range range;
        double step;
    } cases[] = {
        {0, 100000, {0, 100000}, 20000},
        {0, 99999.5, {0, 100000}, 20000},
        {1200, 215838.19, {0, 250000}, 50000},
        {0, 0.37, {0, 0.4}, 0.1},
        {-50, 120, {-50, 150}, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hi);
        charts::Panel p;
        p.series.push_back({"s", charts::Style::Line, {0, 1}, {c.lo, c.hi}, {"a", "b"}});
        const charts::Scale s = charts::valueScale(p);
        EXPECT_NEAR(s.range.min, c.range.min, 1e-9);
        EXPECT_NEAR(s.range.max, c.range.max, 1e-9);
        EXPECT_NEAR(s.step, c.step, 1e-12);
        EXPECT_LE(s.ticks(), 6);
        EXPECT_LE(s.range.min, c.lo);
        EXPECT_GE(s.range.max, c.hi);
    }
}

TEST(AxisRanges, XRangeSpansEverySeries) {
    const charts::Chart chart =
        charts::loanChart(loan(360), levelPayment(loan(360)), schedule::Variant::regular());
    const charts::Range r = charts::xRange(chart.panels[0]);
    EXPECT_EQ(r.min, charts::axisDay({1, 15, 2024}));
    EXPECT_EQ(r.max, charts::axisDay({12, 1, 2053}));
}

TEST(PointReduction, KeepsEachColumnsExtremes) {
    // A falling curve with spikes up and down scattered through it.
    std::vector<double> x, y;
    for (int i = 0; i < 99999; ++i) {
        x.push_back(i);
        double v = 100000.0 - i;
        if (i % 997 == 0) v += 50000;
        if (i % 1499 == 0) v -= 70000;
        y.push_back(v);
    }
    const int columns = 800;
    const charts::Range range{0, 99998};
    const std::vector<std::size_t> kept = charts::reduce(x, y, range, columns);
    EXPECT_LE(kept.size(), 4u * columns);
    EXPECT_EQ(kept.front(), 0u);
    EXPECT_EQ(kept.back(), x.size() - 1);
    for (std::size_t k = 1; k < kept.size(); ++k)
        ASSERT_LT(kept[k - 1], kept[k]);
    // Per column the kept points' extremes are the column's extremes.
    std::map<long, std::pair<double, double>> all, shown;
    auto add = [&](std::map<long, std::pair<double, double>>& m, std::size_t i) {
        const double perColumn = columns / (range.max - range.min);
        const long c = std::min<long>(columns - 1, static_cast<long>((x[i] - range.min) * perColumn));
        auto [it, fresh] = m.try_emplace(c, y[i], y[i]);
        if (!fresh) it->second = {std::min(it->second.first, y[i]), std::max(it->second.second, y[i])};
    };
    for (std::size_t i = 0; i < x.size(); ++i)
        add(all, i);
    for (std::size_t i : kept)
        add(shown, i);
    EXPECT_EQ(shown, all);
}

TEST(PointReduction, FewPointsStayAsTheyAre) {
    const std::vector<double> x{0, 1, 2, 3, 4, 5}, y{5, 1, 4, 2, 3, 0};
    EXPECT_EQ(charts::reduce(x, y, {0, 5}, 2), (std::vector<std::size_t>{0, 1, 2, 3, 4, 5}));
    // One column: its first point is its highest, its last its lowest.
    EXPECT_EQ(charts::reduce(x, y, {0, 5}, 1), (std::vector<std::size_t>{0, 5}));
}

TEST(DataTable, ListsEveryPointOfEverySeries) {
    const common::LoanBlock b = loan(24);
    const charts::Chart chart = charts::loanChart(b, levelPayment(b), schedule::Variant::balloon_term(12));
    std::size_t row = 0;
    for (const charts::Panel& p : chart.panels)
        for (const charts::Series& s : p.series)
            for (std::size_t i = 0; i < s.y.size(); ++i, ++row) {
                const charts::TableRow t = charts::tableRow(chart, row);
                EXPECT_EQ(*t.panel, p.title);
                EXPECT_EQ(*t.series, s.name);
                EXPECT_EQ(*t.label, s.labels[i]);
                EXPECT_EQ(t.value, s.y[i]);
            }
    EXPECT_EQ(row, charts::tableRows(chart));
    EXPECT_EQ(*charts::tableRow(chart, row).series, "");
}

} // namespace
