// Repeated addition of one step, as a loop of `value = value + step` rounds it, without making the
// additions one by one where the rounding repeats (inside one binade every addition adds the same
// amount). Both engines' payment searches take long runs of equal steps this way.
#pragma once

namespace talvero::common {

// `value` after `count` additions of `step`, each rounded to double; count <= 0 gives `value`.
double repeat_add(double value, double step, long count) noexcept;

} // namespace talvero::common
