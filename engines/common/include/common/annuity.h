// Annuity factors the loan engines share: the present value of 1 per period over n periods.
// Rates are annual percentages (10.0 is 10 %); n may be any double; powers use std::pow.
//
//   factor_n(rate, f, n)       nominal: i = rate / f * 0.01, (1 - 1 / (1 + i)^n) / i
//   factor_daily(rate, n, year_days, p)
//                              d = rate * 0.01 / year_days, (1 - 1 / (1 + d * p)^n) / (d * p)
//   factor_d365(rate, n, f)    factor_daily(rate, n, 365, the annuity_365 days of f's row)
//   factor_d360(rate, n, f)    factor_daily(rate, n, 360, the annuity_360 days of f's row)
//
// The days per period come from the table in common/period_days.h.
//
// A zero rate gives the limit n rather than a division by zero.
#pragma once

namespace talvero::common {

double factor_n(double rate, double f, double n) noexcept;
double factor_daily(double rate, double n, double year_days, double period_days) noexcept;
double factor_d365(double rate, double n, double f) noexcept;
double factor_d360(double rate, double n, double f) noexcept;

} // namespace talvero::common
