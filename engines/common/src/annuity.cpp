#include "common/annuity.h"

#include "common/period_days.h"

#include <cmath>

namespace talvero::common {

double factor_n(double rate, double f, double n) noexcept {
    const double i = rate / f * 0.01;
    if (i == 0.0) return n;
    return (1.0 - 1.0 / std::pow(1.0 + i, n)) / i;
}

double factor_daily(double rate, double n, double year_days, double period_days) noexcept {
    const double d = rate * 0.01 / year_days;
    const double i = d * period_days;
    if (i == 0.0) return n;
    return (1.0 - 1.0 / std::pow(1.0 + i, n)) / i;
}

double factor_d365(double rate, double n, double f) noexcept {
    return factor_daily(rate, n, 365.0, period_days(f).annuity_365.of(f));
}

double factor_d360(double rate, double n, double f) noexcept {
    return factor_daily(rate, n, 360.0, period_days(f).annuity_360.of(f));
}

} // namespace talvero::common
