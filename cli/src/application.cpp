#include "cli/application.h"

#include <QGuiApplication>

#include <clocale>
#include <cstdio>

namespace talvero::cli {

namespace {

// Qt's own notices (no runtime folder, a font fallback) are not the command's messages; only its
// critical and fatal ones reach standard error.
void qtMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "talvero-cli: %s\n", qPrintable(text));
}

} // namespace

Application application_for(std::string_view command) {
    if (command == "save" || command == "invest-returns" || command == "invest-import" ||
        command == "invest-export")
        return Application::Core;
    if (command == "report" || command == "invest-report" || command == "disclose" || command == "chart")
        return Application::Gui;
    return Application::None;
}

std::unique_ptr<QCoreApplication> make_application(int& argc, char** argv) {
    std::unique_ptr<QCoreApplication> application;
    const Application kind = application_for(argc > 1 ? argv[1] : "");
    if (kind != Application::None) qInstallMessageHandler(&qtMessage);
    switch (kind) {
    case Application::None:
        return nullptr;
    case Application::Core:
        application = std::make_unique<QCoreApplication>(argc, argv);
        break;
    case Application::Gui:
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
        break;
    }
    // Qt sets the user's locale on start; the C library's number reading stays with the point.
    std::setlocale(LC_NUMERIC, "C");
    return application;
}

} // namespace talvero::cli
