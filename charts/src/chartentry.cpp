// The entry the program loads the chart windows through (charts/chartmodule.h).
#include "charts/chartwindow.h"

extern "C" CHARTS_WINDOW_EXPORT QDialog* talvero_chart_window(talvero::charts::Chart* chart,
                                                              QWidget* parent) {
    return new talvero::charts::ChartWindow(std::move(*chart), parent);
}
