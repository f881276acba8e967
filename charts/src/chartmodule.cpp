#include "charts/chartmodule.h"

#include "ui/messages.h"
#include "ui/modal.h"

#include <QDialog>
#include <QLibrary>
#include <dlfcn.h>
#include <link.h>

#include <climits>
#include <memory>

namespace talvero::charts {

namespace {

using MakeWindow = QDialog* (*)(Chart*, QWidget*);

// clang-format off
const char* const kCannotLoad = "The chart windows cannot be loaded: %1";
// clang-format on

// The folder the dynamic linker found the seams' library in (build tree, installed or unpacked).
QString libraryFolder() {
    void* ui = dlopen(TALVERO_UI_LIBRARY, RTLD_LAZY | RTLD_NOLOAD);
    if (!ui) return {};
    char origin[PATH_MAX] = {};
    const bool found = dlinfo(ui, RTLD_DI_ORIGIN, origin) == 0;
    dlclose(ui);
    return found ? QString::fromLocal8Bit(origin) : QString();
}

// The windows' entry, loaded once; the library stays loaded for the program's life.
MakeWindow makeWindow(QString& error) {
    static MakeWindow make = nullptr;
    if (make) return make;
    QLibrary library(chartModulePath());
    make = reinterpret_cast<MakeWindow>(library.resolve(kChartWindowEntry));
    if (!make) error = library.errorString();
    return make;
}

} // namespace

QString chartModulePath() {
    return libraryFolder() + QLatin1Char('/') + QString::fromLatin1(TALVERO_CHARTS_LIBRARY);
}

void showChartWindow(Chart chart, QWidget* parent) {
    QString error;
    const MakeWindow make = makeWindow(error);
    if (!make) {
        ui::showError(QString::fromLatin1(kCannotLoad).arg(error));
        return;
    }
    const std::unique_ptr<QDialog> window(make(&chart, parent));
    ui::showModal(window.get());
}

} // namespace talvero::charts
