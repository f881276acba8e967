// The data of a chart in plain C++: panels of series over dates or categories, their axis ranges,
// the point reduction to what a plot's pixels can show, and the table of the plotted values. The
// drawing parts (Qt Charts windows, the QPainter drawing of talvero-cli) only show what is built
// here, so the charting module can be swapped without touching the data.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace talvero::charts {

enum class Style {
    Line,   // a curve through the points
    Bars,   // one bar per category; the bar series of a panel stand side by side
    Marker, // single points drawn as dots (the balloon payment)
};

struct Series {
    std::string name;
    Style style = Style::Line;
    std::vector<double> x; // day number (Dates) or category index (Categories)
    std::vector<double> y;
    std::vector<std::string> labels; // each point's x as the user reads it: its date or category
};

enum class Axis {
    Dates,      // x is a day number (0 on 01/01/1970)
    Categories, // x is the index into Panel::categories
};

struct Panel {
    std::string title;
    Axis axis = Axis::Dates;
    std::vector<std::string> categories;
    std::vector<Series> series;
};

struct Chart {
    std::string title;
    std::vector<Panel> panels;
};

struct Range {
    double min = 0;
    double max = 0;
    friend bool operator==(const Range&, const Range&) = default;
};

// An axis: its range widened to whole steps and the step between its ticks.
struct Scale {
    Range range;
    double step = 1;
    int ticks() const; // tick marks from range.min to range.max inclusive
};

// The smallest and largest x of the panel's points.
Range xRange(const Panel& panel);
// The values' range, 0 included (money axes start at zero), widened to whole steps of 1, 2 or 5
// times a power of ten with at most `maxTicks` ticks. A panel of zeros gets 0 to 1.
Scale valueScale(const Panel& panel, int maxTicks = 6);

// The points of (x, y) to draw in a plot `columns` pixels wide over `range`. A curve of 99,999
// payments is far more points than a plot has pixel columns; drawing them all keeps the window busy
// for nothing. Per pixel column only the first, the lowest, the highest and the last point are kept
// (in their order), so every extreme and every step between columns stays exactly where it was.
// Returns the indices kept; every point when there are no more than 4 per column. x is ascending.
std::vector<std::size_t> reduce(const std::vector<double>& x, const std::vector<double>& y, Range range,
                                int columns);

// The table of the plotted values, one row per point of every series, panel by panel: what "Show
// Data" lists and what assistive tools read instead of the picture.
struct TableRow {
    const std::string* panel;
    const std::string* series;
    const std::string* label;
    double value;
};
std::size_t tableRows(const Chart& chart);
TableRow tableRow(const Chart& chart, std::size_t row);

// "MM/YYYY" of a day number, as the date axis labels its ticks.
std::string monthText(double dayNumber);

} // namespace talvero::charts
