#include "unwinder/options.h"
#include "unwinder/wizard.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("talvero-unwinder"));
    QApplication::setApplicationVersion(QStringLiteral(TALVERO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.talvero.Unwinder"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Removes the Firebird database server, its client driver and tools, and Talvero."));
    parser.addHelpOption();
    parser.addVersionOption();
    unwinder::addOptions(parser);
    parser.process(app);
    unwinder::Options options;
    QString error;
    if (!unwinder::readOptions(parser, options, error)) {
        std::fprintf(stderr, "talvero-unwinder: %s\n", qPrintable(error));
        return 2;
    }
    unwinder::Unwinder wizard(options);
    wizard.show();
    return app.exec();
}
