// The loan comparison chart: the compared loans' balance curves over their payment dates and their
// cost parts side by side.
#pragma once

#include "charts/series.h"

#include <string>
#include <vector>

namespace talvero::charts {

struct ComparedLoan {
    std::string name;                  // "Loan # 1" ...
    std::vector<std::string> paydates; // "MM/DD/YYYY" of each payment row, in schedule order
    std::vector<double> balances;      // the balance after each of them
    double interest = 0, fees = 0, taxes = 0, insurance = 0;
};

// "Loan Comparison Chart": panel 0 holds one balance curve per loan, panel 1 per loan the bars
// "Interest", "Fees", "Taxes" and "Insurance".
Chart comparisonChart(const std::vector<ComparedLoan>& loans);

} // namespace talvero::charts
