#pragma once
// How the forms open a chart window. The windows live in their own library (talvero_charts, over
// Qt Charts and with it OpenGL), loaded the first time a chart is opened, so the program starts
// without them. The library sits beside the program's other libraries: it is looked for in the
// folder the run path found talvero_ui in.

#include "charts/series.h"

#include <QString>

class QWidget;

namespace talvero::charts {

// The name of the windows' entry: makes a ChartWindow of the chart (moved from) over the parent.
inline constexpr const char* kChartWindowEntry = "talvero_chart_window";

// Where the windows' library is looked for.
QString chartModulePath();

// Shows the chart in its window, modally over `parent`, through ui::showModal. A library that
// cannot be loaded is told in an error box.
void showChartWindow(Chart chart, QWidget* parent);

} // namespace talvero::charts
