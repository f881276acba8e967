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

// Whether `estimate`, within `error` of a value relative to it, lies so far from `target` and from
// every whole dollar (eight times that, and at least a ten-millionth of a cent) that the value
// compares with both as the estimate does; then `value` is the estimate.
bool clear_of_turns(double estimate, double error, double target, double& value) noexcept {
    const double margin = 8.0 * error * std::fabs(estimate) + 1e-9;
    if (!std::isfinite(estimate) || !(std::fabs(estimate - target) > margin) ||
        !(std::fabs(estimate - std::round(estimate)) > margin))
        return false;
    value = estimate;
    return true;
}

// The searches only compare a present value with the target and with whole dollars. The sum of the
// single discounted payments below is within (n + 2) * 2^-51 of the geometric sum on the same base
// (each power within two units in the last place, the rounding of each term and each addition, the
// terms left off), and the closed form worked in doubles within 2^-49 / i of it (the power's error
// against 1 - base^-n, which is at least i / 2, and four roundings); where the closed form lies
// clear by eight times both, the sum is not run.
bool closed_form_decides(double payment, double n, double i, double target, double& value) noexcept {
    if (!(payment > 0.0) || !(i >= 1e-6) || !(i <= 1.0) || !(n >= 1.0) || !std::isfinite(payment))
        return false;
    const double base = 1.0 + i;
    const double terms = std::floor(n);
    const double error = (terms + 2.0) * 0x1p-51 + 0x1p-49 / i;
    return clear_of_turns(payment * (1.0 - std::pow(base, -terms)) / (base - 1.0), error, target, value);
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

// The balances of a fixed-principal loan do not depend on the rate, so their sum is taken once per
// search; i times it differs from the period-by-period sum of the interest by less than (m + 2) *
// 2^-52 of it while no balance is negative (each addition rounds once, the products in extended
// precision).
struct Balances {
    double n, principal, m;
    Wide sum = 0;
    bool none_negative = true;

    Balances(double n_, double principal_, double m_) noexcept : n(n_), principal(principal_), m(m_) {
        double balance = principal;
        const double part = principal / n;
        for (double j = 1.0; j <= m; j += 1.0) {
            if (!(balance >= 0.0)) none_negative = false;
            sum += balance;
            balance -= part;
        }
    }

    double interest(double i, double target) const noexcept {
        double value = 0.0;
        if (none_negative && i > 0.0 && m >= 1.0 &&
            clear_of_turns(static_cast<double>(Wide(i) * sum), (m + 2.0) * 0x1p-52, target, value))
            return value;
        double total = 0.0;
        double balance = principal;
        const double part = principal / n;
        for (double j = 1.0; j <= m; j += 1.0) {
            total = static_cast<double>(total + Wide(i) * balance);
            balance -= part;
        }
        return total;
    }
};

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
    const Balances balances(n, principal, m);
    auto interest = [&](double rho) {
        return balances.interest(fixed_principal_period_rate(rho, f, flag, o), target);
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
