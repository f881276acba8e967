// Day counts and annuity factors of the balloon engine. R is the annual rate in percent.
//
//   days_365(f)        the balloon_annuity_365 days of f's row in common/period_days.h; unlike the
//                      regular engine there is no 30.4463-day period for f 1 (a yearly loan counts
//                      365 days), so callers that want the monthly count pass 12 themselves
//   days_360(f)        the annuity_360 days of f's row
//   thirty_days(f)     the interest_thirty days of f's row: flag 3's period on 30-day months
//   a365(R, n, f)      (1 - 1 / (1 + d365 * days_365(f))^n) / (d365 * days_365(f))
//   a360(R, n, f)      the same on the 360-day year with days_360(f)
//   an(R, f, n)        nominal factor, periodic rate R * 0.01 / f
//   daily_365(R)       R * 0.01 * (1/365), the constant taken in extended precision
//   daily_360(R)       R * 0.01 * (1/360)
#pragma once

#include "common/annuity.h"
#include "common/period_days.h"

namespace talvero::vaulter {

using Wide = long double;

inline double days_365(double f) noexcept {
    return common::period_days(f).balloon_annuity_365.of(f);
}

inline double days_360(double f) noexcept {
    return common::period_days(f).annuity_360.of(f);
}

inline double thirty_days(double f) noexcept {
    return common::period_days(f).interest_thirty.of(f);
}

inline double a365(double rate, double n, double f) noexcept {
    return common::factor_daily(rate, n, 365.0, days_365(f));
}

inline double a360(double rate, double n, double f) noexcept {
    return common::factor_d360(rate, n, f);
}

inline double an(double rate, double f, double n) noexcept {
    return common::factor_n(rate, f, n);
}

inline double daily_365(double rate) noexcept {
    return static_cast<double>(Wide(rate) * 0.01L * (1.0L / 365.0L));
}

inline double daily_360(double rate) noexcept {
    return static_cast<double>(Wide(rate) * 0.01L * (1.0L / 360.0L));
}

} // namespace talvero::vaulter
