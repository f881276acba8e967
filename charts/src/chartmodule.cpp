#include "charts/chartmodule.h"

#include "ui/libraries.h"
#include "ui/modal.h"

#include <QDialog>

#include <memory>

namespace talvero::charts {

namespace {

using MakeWindow = QDialog* (*)(Chart*, QWidget*);

constexpr char kLibrary[] = TALVERO_CHARTS_LIBRARY;
constexpr char kEntry[] = "talvero_chart_window";

} // namespace

QString chartModulePath() {
    return ui::libraryPath(kLibrary);
}

void showChartWindow(Chart chart, QWidget* parent) {
    const std::unique_ptr<QDialog> window(ui::LazyEntry<kLibrary, kEntry, MakeWindow>::call(&chart, parent));
    if (window) ui::showModal(window.get());
}

} // namespace talvero::charts
