// The charts of loans, built from the rows of the one schedule pass (never a second computation).
#pragma once

#include "charts/series.h"
#include "common/calendar.h"
#include "common/loanblock.h"
#include "schedule/schedule.h"

#include <optional>

namespace talvero::charts {

// "Amortization Chart": panel 0 over the payment dates holds "Balance", "Cumulative Interest" and
// "Cumulative Principal" (and for a balloon loan the "Balloon Payment", its last row's payment);
// panel 1 holds per subtotal year the bars "Interest" and "Principal". A pass without rows gives
// empty series.
Chart loanChart(const common::LoanBlock& block, double schedpay, const schedule::Variant& variant,
                std::optional<common::Date> today = std::nullopt);

// "Extra Payment Chart": the balance after each payment of the schedule as computed ("Original
// Balance") and of the same loan with extra principal ("New Balance"), over the payment dates.
Chart whatIfChart(const common::LoanBlock& block, double schedpay, const schedule::Variant& original,
                  const schedule::Variant& extra, std::optional<common::Date> today = std::nullopt);

// The day number the date axis places a payment date at. A schedule date past its month's end
// (02/31/2005, as the monthly stepping writes it) sits at the month's last day.
double axisDay(const common::Date& date);

// The balance after each payment of a saved schedule, as a comparison curve: PAYDATE texts
// "MM/DD/YYYY" and balances.
Series balanceSeries(const std::string& name, const std::vector<std::string>& paydates,
                     const std::vector<double>& balances);

} // namespace talvero::charts
