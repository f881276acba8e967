// Repeated addition of one step, as a loop of `value = value + step` rounds it, without making the
// additions one by one where the rounding repeats (inside one binade every addition adds the same
// amount). Both engines' payment searches take long runs of equal steps this way.
#pragma once

#include <cmath>

namespace talvero::common {

// `value` after `count` additions of `step`, each rounded to double; count <= 0 gives `value`.
double repeat_add(double value, double step, long count) noexcept;

// The most steps j for which `holds(j)` is true, where it holds up to some j and not beyond:
// doubling, then halving. Negative when it still holds past 2^30 steps.
template <class Holds> double farthest_step(Holds holds) {
    constexpr double kFarthest = 1073741824.0; // 2^30 steps
    double in = 0.0, beyond = 1.0;
    while (holds(beyond)) {
        in = beyond;
        beyond *= 2.0;
        if (beyond > kFarthest) return -1.0;
    }
    while (beyond - in > 1.0) {
        const double mid = in + std::floor((beyond - in) / 2.0);
        (holds(mid) ? in : beyond) = mid;
    }
    return in;
}

} // namespace talvero::common
