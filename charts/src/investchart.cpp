#include "charts/investchart.h"

#include "charts/loanchart.h"

namespace talvero::charts {

Chart investmentChart(const std::vector<AccountPoint>& points) {
    std::vector<std::string> dates;
    std::vector<double> values, books;
    for (const AccountPoint& p : points) {
        dates.push_back(p.date);
        values.push_back(p.value);
        books.push_back(p.book);
    }
    Chart chart;
    chart.title = "Account Value Chart";
    Panel panel{"Account value and book value", Axis::Dates, {}, {}};
    panel.series.push_back(balanceSeries("Account Value", dates, values));
    panel.series.push_back(balanceSeries("Book Value", dates, books));
    chart.panels.push_back(std::move(panel));
    return chart;
}

} // namespace talvero::charts
