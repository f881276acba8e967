// The Qt application object a talvero-cli command runs under.
#pragma once

#include <QCoreApplication>

#include <memory>
#include <string_view>

namespace talvero::cli {

enum class Application {
    None, // compute, schedule, apr-check, alias: plain C++ and Qt Core without plugins
    Core, // save, invest-returns, invest-import, invest-export: Qt SQL loads its drivers through a
          // QCoreApplication
    Gui,  // report, invest-report, disclose, chart: drawing pages and images needs fonts, hence a QGuiApplication
};

Application application_for(std::string_view command);

// The application object of the command `argv[1]` (none for Application::None). A QGuiApplication
// runs on the offscreen platform unless QT_QPA_PLATFORM names one, so no display is needed. Numbers
// stay in the C locale, as the loan options are read.
std::unique_ptr<QCoreApplication> make_application(int& argc, char** argv);

} // namespace talvero::cli
