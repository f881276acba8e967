#include "vaulter/rate_search.h"

#include "vaulter/factors.h"

#include "common/period_days.h"

#include <cmath>

namespace talvero::vaulter {

namespace {

// Steps one pass may take before it is either finished by bisection (monotone inputs) or ended.
constexpr int kWalkSteps = 100;
// No search goes past this rate (percent); only nonsensical inputs get near it.
constexpr double kRateCeiling = 1e15;

bool same_dollars(double a, double b) noexcept {
    return std::trunc(a) == std::trunc(b);
}

// 365-day count per period as the searches take it.
double search_days_365(double f) noexcept {
    return common::period_days(f).annuity_365.of(f);
}

double nominal_period_rate(double rho, double f) noexcept {
    return static_cast<double>(Wide(rho) * 0.01L / f);
}

// The searches only compare a present value with the target and with whole dollars. The closed form
// of the geometric sum on the same base differs from the sum of the single discounted payments below
// by less than (n + 2) * 2^-52 of it (the rounding of each term and each addition, and the terms
// left off); where it lies clear of the target and of every whole dollar by far more than that, it
// makes each comparison as the sum would, and the sum is not run.
bool closed_form_decides(double payment, double n, double i, double target, double& value) noexcept {
    if (!(payment > 0.0) || !(i >= 1e-6) || !(n >= 1.0) || !std::isfinite(payment) || !std::isfinite(i))
        return false;
    const Wide base = Wide(1.0 + i);
    const Wide closed = Wide(payment) * (1.0L - std::pow(base, -std::floor(Wide(n)))) / (base - 1.0L);
    const double estimate = static_cast<double>(closed);
    const double margin = 1e-7 * (std::fabs(estimate) + 1.0);
    if (!std::isfinite(estimate) || !(std::fabs(estimate - target) > margin) ||
        !(std::fabs(estimate - std::round(estimate)) > margin))
        return false;
    value = estimate;
    return true;
}

double present_value(double payment, double n, double i, double target) noexcept {
    double pv = 0.0;
    if (closed_form_decides(payment, n, i, target, pv)) return pv;
    const double base = 1.0 + i;
    // With a positive payment and rate the terms only shrink; once one is below a quarter of the
    // sum's last place, it and all after it round away, so the sum is complete.
    const bool shrinking = payment > 0.0 && base > 1.0;
    for (double j = 1.0; j <= n; j += 1.0) {
        const Wide term = Wide(payment) / std::pow(base, j);
        if (shrinking && term < Wide(pv) * 0x1p-55L) break;
        pv = static_cast<double>(pv + term);
    }
    return pv;
}

double fixed_principal_interest(double n, double principal, double m, double i) noexcept {
    double sum = 0.0;
    double balance = principal;
    const double part = principal / n;
    for (double j = 1.0; j <= m; j += 1.0) {
        sum = static_cast<double>(sum + Wide(i) * balance);
        balance -= part;
    }
    return sum;
}

// First whole rate above `low` (where `stops` is false) at which `stops` holds, for a `stops` that
// once true stays true: the rate a whole-step walk from `low` would stop at.
template <class Stops> double first_whole_stop(double low, Stops stops) noexcept {
    double step = 1.0;
    double high = low + step;
    while (!stops(high)) {
        low = high;
        step *= 2.0;
        high = low + step;
        if (high > kRateCeiling) return high;
    }
    while (high - low > 1.0) {
        const double mid = low + std::floor((high - low) / 2.0);
        if (stops(mid))
            high = mid;
        else
            low = mid;
    }
    return high;
}

} // namespace

double present_value_period_rate(double rho, double f, int flag, int /*o*/) noexcept {
    if (flag == 1 || flag == 7)
        return static_cast<double>(Wide(rho) * 0.01L * (1.0L / 365.0L) * search_days_365(f));
    return nominal_period_rate(rho, f);
}

double fixed_principal_period_rate(double rho, double f, int flag, int /*o*/) noexcept {
    if (flag == 4) return static_cast<double>(Wide(rho) * 0.01L * (1.0L / 365.0L) * search_days_365(f));
    return nominal_period_rate(rho, f);
}

double present_value_rate(double payment, double n, double target, double f, int flag, int o) noexcept {
    auto pv = [&](double rho) {
        return present_value(payment, n, present_value_period_rate(rho, f, flag, o), target);
    };
    // The present value falls as the rate rises whenever there is a positive payment to discount.
    const bool falling = payment > 0.0 && n >= 1.0 && f > 0.0;

    double rho = 1.0;
    double value = pv(rho);
    for (int steps = 0; value > target; ++steps) {
        if (steps == kWalkSteps) {
            if (!falling) return rho;
            rho = first_whole_stop(rho, [&](double r) {
                const double v = pv(r);
                return !(v > target) || same_dollars(v, target);
            });
            value = pv(rho);
            if (same_dollars(value, target)) return rho;
            break;
        }
        rho += 1.0;
        value = pv(rho);
        if (same_dollars(value, target)) return rho;
        if (value < target) break;
    }

    rho -= 1.0;
    value = pv(rho);
    for (int steps = 0; value > target; ++steps) {
        if (steps == kWalkSteps) return rho;
        rho += 0.1;
        value = pv(rho);
        if (same_dollars(value, target)) return rho;
        if (value < target) break;
    }

    rho -= 0.1;
    value = pv(rho);
    for (int steps = 0; value > target; ++steps) {
        if (steps == kWalkSteps) return rho;
        rho += 0.01;
        value = pv(rho);
        if (value < target || same_dollars(value, target)) return rho;
    }
    return rho;
}

double fixed_principal_rate(double n, double principal, double f, int flag, int o, double target,
                            double m) noexcept {
    if (flag == 5) return 0.0;
    auto interest = [&](double rho) {
        return fixed_principal_interest(n, principal, m, fixed_principal_period_rate(rho, f, flag, o));
    };

    double rho = 1.0;
    double value = interest(rho);
    if (same_dollars(value, target)) return rho;
    // The interest is proportional to the rate, so it rises with it when it is positive at 1 %.
    const bool rising = value > 0.0;
    for (int steps = 0; value < target; ++steps) {
        if (steps == kWalkSteps) {
            if (!rising) return rho;
            rho = first_whole_stop(rho, [&](double r) {
                const double v = interest(r);
                return !(v < target) || same_dollars(v, target);
            });
            value = interest(rho);
            if (same_dollars(value, target)) return rho;
            break;
        }
        rho += 1.0;
        value = interest(rho);
        if (same_dollars(value, target)) return rho;
        if (value > target) break;
    }

    rho -= 1.0;
    value = interest(rho);
    for (int steps = 0; value < target; ++steps) {
        if (steps == kWalkSteps) return rho;
        rho += 0.1;
        value = interest(rho);
        if (same_dollars(value, target)) return rho;
        if (value > target) break;
    }

    rho -= 0.1;
    value = interest(rho);
    if (same_dollars(value, target)) return rho;
    for (int steps = 0; value < target; ++steps) {
        if (steps == kWalkSteps) return rho;
        rho += 0.01;
        value = interest(rho);
        if (same_dollars(value, target) || value > target) return rho;
    }
    return rho;
}

} // namespace talvero::vaulter
