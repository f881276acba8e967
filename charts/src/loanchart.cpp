#include "charts/loanchart.h"

#include <algorithm>
#include <cstdio>

namespace talvero::charts {

double axisDay(const common::Date& date) {
    common::Date d = date;
    common::normalize_month(d);
    d.day = std::clamp(d.day, 1, common::month_length(d.month, d.year));
    return static_cast<double>(common::day_number(d));
}

Chart loanChart(const common::LoanBlock& block, double schedpay, const schedule::Variant& variant,
                std::optional<common::Date> today) {
    Chart chart;
    chart.title = "Amortization Chart";
    Panel lines{"Balance and amounts paid", Axis::Dates, {}, {}};
    Series balance{"Balance", Style::Line, {}, {}, {}};
    Series interest{"Cumulative Interest", Style::Line, {}, {}, {}};
    Series principal{"Cumulative Principal", Style::Line, {}, {}, {}};
    Panel years{"Interest and principal per year", Axis::Categories, {}, {}};
    Series yearInterest{"Interest", Style::Bars, {}, {}, {}};
    Series yearPrincipal{"Principal", Style::Bars, {}, {}, {}};

    schedule::Pass pass(block, schedpay, variant, today);
    const std::size_t rows = pass.usable() ? static_cast<std::size_t>(pass.payment_rows()) : 0;
    for (Series* s : {&balance, &interest, &principal}) {
        s->x.reserve(rows);
        s->y.reserve(rows);
        s->labels.reserve(rows);
    }
    double interestPaid = 0, principalPaid = 0;
    schedule::Row last;
    for (schedule::Row row; pass.next(row);) {
        if (row.kind == schedule::RowKind::Payment) {
            const double x = axisDay(row.date);
            interestPaid += row.amounts.INTAMT;
            principalPaid += row.amounts.PRINAMT;
            for (auto [s, y] : {std::pair{&balance, row.BALANCE}, std::pair{&interest, interestPaid},
                                std::pair{&principal, principalPaid}}) {
                s->x.push_back(x);
                s->y.push_back(y);
                s->labels.emplace_back(row.PAYDATE);
            }
            last = row;
        } else if (row.kind == schedule::RowKind::Subtotal) {
            const double index = static_cast<double>(years.categories.size());
            years.categories.push_back(std::to_string(row.group));
            for (auto [s, y] : {std::pair{&yearInterest, row.amounts.INTAMT},
                                std::pair{&yearPrincipal, row.amounts.PRINAMT}}) {
                s->x.push_back(index);
                s->y.push_back(y);
                s->labels.push_back(years.categories.back());
            }
        }
    }
    // Moved in one by one: a braced list would copy every point.
    lines.series.reserve(4);
    lines.series.push_back(std::move(balance));
    lines.series.push_back(std::move(interest));
    lines.series.push_back(std::move(principal));
    if (variant.balloon && last.k > 0)
        lines.series.push_back(
            {"Balloon Payment", Style::Marker, {axisDay(last.date)}, {last.amounts.PAYMENT}, {last.PAYDATE}});
    years.series.push_back(std::move(yearInterest));
    years.series.push_back(std::move(yearPrincipal));
    chart.panels.push_back(std::move(lines));
    chart.panels.push_back(std::move(years));
    return chart;
}

Chart whatIfChart(const common::LoanBlock& block, double schedpay, const schedule::Variant& original,
                  const schedule::Variant& extra, std::optional<common::Date> today) {
    auto balances = [&](const char* name, const schedule::Variant& variant) {
        Series s{name, Style::Line, {}, {}, {}};
        schedule::Pass pass(block, schedpay, variant, today);
        for (schedule::Row row; pass.next(row);) {
            if (row.kind != schedule::RowKind::Payment) continue;
            s.x.push_back(axisDay(row.date));
            s.y.push_back(row.BALANCE);
            s.labels.emplace_back(row.PAYDATE);
        }
        return s;
    };
    Chart chart;
    chart.title = "Extra Payment Chart";
    Panel lines{"Balance", Axis::Dates, {}, {}};
    lines.series.push_back(balances("Original Balance", original));
    lines.series.push_back(balances("New Balance", extra));
    chart.panels.push_back(std::move(lines));
    return chart;
}

Series balanceSeries(const std::string& name, const std::vector<std::string>& paydates,
                     const std::vector<double>& balances) {
    Series s{name, Style::Line, {}, {}, {}};
    const std::size_t n = std::min(paydates.size(), balances.size());
    for (std::size_t i = 0; i < n; ++i) {
        common::Date date;
        if (std::sscanf(paydates[i].c_str(), "%d/%d/%d", &date.month, &date.day, &date.year) != 3) continue;
        s.x.push_back(axisDay(date));
        s.y.push_back(balances[i]);
        s.labels.push_back(paydates[i]);
    }
    return s;
}

} // namespace talvero::charts
