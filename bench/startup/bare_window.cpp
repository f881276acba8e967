// The baseline of bench/startup: a bare Qt 6 main window of the main window's size, stopped by the
// same first-paint probe as the program.
#include "ui/firstpaint.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Talvero 6.0"));
    window.resize(433, 386);
    if (ui::startupProbe()) {
        ui::afterFirstPaint(&window, [] {
            ui::reportFirstPaint();
            QCoreApplication::quit();
        });
    }
    window.show();
    return app.exec();
}
