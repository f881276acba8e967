#pragma once
// How the forms open a chart window. The windows live in their own library (talvero_charts, over
// Qt Charts and with it OpenGL), loaded the first time a chart is opened (ui/libraries.h), so the
// program starts without them.

#include "charts/series.h"

#include <QString>

class QWidget;

namespace talvero::charts {

// Where the windows' library is looked for.
QString chartModulePath();

// Shows the chart in its window, modally over `parent`, through ui::showModal. A library that
// cannot be loaded is told in an error box (ui::libraryEntry).
void showChartWindow(Chart chart, QWidget* parent);

} // namespace talvero::charts
