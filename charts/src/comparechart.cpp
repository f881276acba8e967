#include "charts/comparechart.h"

#include "charts/loanchart.h"

namespace talvero::charts {

Chart comparisonChart(const std::vector<ComparedLoan>& loans) {
    Chart chart;
    chart.title = "Loan Comparison Chart";
    Panel curves{"Balance of each loan", Axis::Dates, {}, {}};
    Panel costs{"Loan costs", Axis::Categories, {}, {}};
    const char* const parts[] = {"Interest", "Fees", "Taxes", "Insurance"};
    for (const char* p : parts)
        costs.series.push_back({p, Style::Bars, {}, {}, {}});
    for (const ComparedLoan& loan : loans) {
        curves.series.push_back(balanceSeries(loan.name, loan.paydates, loan.balances));
        const double index = static_cast<double>(costs.categories.size());
        costs.categories.push_back(loan.name);
        const double values[] = {loan.interest, loan.fees, loan.taxes, loan.insurance};
        for (std::size_t k = 0; k < std::size(values); ++k) {
            costs.series[k].x.push_back(index);
            costs.series[k].y.push_back(values[k]);
            costs.series[k].labels.push_back(loan.name);
        }
    }
    chart.panels.push_back(std::move(curves));
    chart.panels.push_back(std::move(costs));
    return chart;
}

} // namespace talvero::charts
