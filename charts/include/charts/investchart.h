// The investment account chart: the account's value against its book value at each transaction.
#pragma once

#include "charts/series.h"

#include <string>
#include <vector>

namespace talvero::charts {

struct AccountPoint {
    std::string date; // TRANSDATE, "MM/DD/YYYY"
    double value = 0; // shares held x the price of the transaction
    double book = 0;  // book value after the transaction
};

// "Account Value Chart": one panel over the transaction dates with "Account Value" and
// "Book Value".
Chart investmentChart(const std::vector<AccountPoint>& points);

} // namespace talvero::charts
