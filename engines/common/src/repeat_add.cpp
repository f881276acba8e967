#include "common/repeat_add.h"

#include <cmath>

namespace talvero::common {

double repeat_add(double value, double step, long count) noexcept {
    while (count > 0) {
        const double first = value + step;
        if (count == 1) return first;
        const double second = first + step;
        if (second == first && first == value) return value; // the step is below the grid spacing
        const double increment = second - first;
        const double magnitude = std::fabs(first);
        // Inside one binade the grid spacing is fixed, so every further addition adds the same amount
        // (once the parity of a halfway case has settled, which the second addition shows).
        if (!(magnitude > 0.0) || !std::isfinite(magnitude) || increment != (first - value) ||
            increment == 0.0 || std::signbit(first) != std::signbit(second)) {
            value = second;
            count -= 2;
            continue;
        }
        int exponent = 0;
        std::frexp(magnitude, &exponent); // magnitude in [2^(exponent-1), 2^exponent)
        const double low = std::ldexp(1.0, exponent - 1);
        const double high = std::ldexp(1.0, exponent);
        const double margin = std::fabs(step) + std::fabs(increment);
        // Steps t (after `first`) that keep first + t * increment, and one more addition, in the binade.
        double room;
        if ((increment > 0) == (first > 0))
            room = std::floor((high - margin - magnitude) / std::fabs(increment));
        else
            room = std::floor((magnitude - margin - low) / std::fabs(increment));
        const long left = count - 1;
        if (!(room >= 2.0)) {
            value = second;
            count -= 2;
            continue;
        }
        const long jump = room < static_cast<double>(left) ? static_cast<long>(room) : left;
        value = first + static_cast<double>(jump) * increment;
        count = left - jump;
    }
    return value;
}

} // namespace talvero::common
