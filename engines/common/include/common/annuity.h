// Annuity factors the loan engines share: the present value of 1 per period over n periods.
// Rates are annual percentages (10.0 is 10 %); n may be any double; powers use std::pow.
//
//   factor_n(rate, f, n)       nominal: i = rate / f * 0.01, (1 - 1 / (1 + i)^n) / i
//   period_days_365(f)         30.4463 for f 12 and 1, 15 / 14 / 7 for f 24 / 26 / 52, else 365 / f
//   period_days_360(f)         30 for f 12 and 1, 15 / 14 / 7 for f 24 / 26 / 52, else 360 / f
//   factor_daily(rate, n, year_days, p)
//                              d = rate * 0.01 / year_days, (1 - 1 / (1 + d * p)^n) / (d * p)
//   factor_d365(rate, n, f)    factor_daily(rate, n, 365, period_days_365(f))
//   factor_d360(rate, n, f)    factor_daily(rate, n, 360, period_days_360(f))
//
// A zero rate gives the limit n rather than a division by zero.
#pragma once

namespace talvero::common {

double factor_n(double rate, double f, double n) noexcept;
double period_days_365(double f) noexcept;
double period_days_360(double f) noexcept;
double factor_daily(double rate, double n, double year_days, double period_days) noexcept;
double factor_d365(double rate, double n, double f) noexcept;
double factor_d360(double rate, double n, double f) noexcept;

} // namespace talvero::common
