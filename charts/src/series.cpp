#include "charts/series.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace talvero::charts {

int Scale::ticks() const {
    return step > 0 ? static_cast<int>(std::llround((range.max - range.min) / step)) + 1 : 1;
}

Range xRange(const Panel& panel) {
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const Series& s : panel.series)
        for (double x : s.x) {
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
    if (lo > hi) return {};
    return {lo, hi};
}

Scale valueScale(const Panel& panel, int maxTicks) {
    double lo = 0, hi = 0;
    for (const Series& s : panel.series)
        for (double y : s.y) {
            lo = std::min(lo, y);
            hi = std::max(hi, y);
        }
    if (hi - lo <= 0) return {{0, 1}, 1};
    const int intervals = std::max(1, maxTicks - 1);
    const double raw = (hi - lo) / intervals;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (std::ceil(hi / step) - std::floor(lo / step) <= intervals) break;
    }
    return {{std::floor(lo / step) * step, std::ceil(hi / step) * step}, step};
}

std::vector<std::size_t> reduce(const std::vector<double>& x, const std::vector<double>& y, Range range,
                                int columns) {
    const std::size_t n = std::min(x.size(), y.size());
    std::vector<std::size_t> kept;
    if (columns < 1 || n <= 4 * static_cast<std::size_t>(columns) || range.max <= range.min) {
        kept.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            kept[i] = i;
        return kept;
    }
    kept.reserve(4 * static_cast<std::size_t>(columns) + 4);
    const double perColumn = columns / (range.max - range.min);
    auto column = [&](std::size_t i) {
        return std::clamp(static_cast<long>((x[i] - range.min) * perColumn), 0L,
                          static_cast<long>(columns) - 1);
    };
    std::size_t first = 0;
    while (first < n) {
        const long c = column(first);
        std::size_t last = first, low = first, high = first;
        while (last + 1 < n && column(last + 1) == c) {
            ++last;
            if (y[last] < y[low]) low = last;
            if (y[last] > y[high]) high = last;
        }
        std::size_t picks[] = {first, low, high, last};
        std::sort(std::begin(picks), std::end(picks));
        for (std::size_t p : picks)
            if (kept.empty() || kept.back() != p) kept.push_back(p);
        first = last + 1;
    }
    return kept;
}

std::size_t tableRows(const Chart& chart) {
    std::size_t n = 0;
    for (const Panel& p : chart.panels)
        for (const Series& s : p.series)
            n += s.y.size();
    return n;
}

TableRow tableRow(const Chart& chart, std::size_t row) {
    for (const Panel& p : chart.panels)
        for (const Series& s : p.series) {
            if (row < s.y.size()) return {&p.title, &s.name, &s.labels.at(row), s.y[row]};
            row -= s.y.size();
        }
    static const std::string none;
    return {&none, &none, &none, 0};
}

std::string monthText(double dayNumber) {
    // Civil date of a day count (Howard Hinnant's days_from_civil inverse).
    long z = static_cast<long>(std::floor(dayNumber)) + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const long month = mp < 10 ? mp + 3 : mp - 9;
    const long year = yoe + era * 400 + (month <= 2);
    char text[48];
    std::snprintf(text, sizeof text, "%02ld/%ld", month, year);
    return text;
}

} // namespace talvero::charts
