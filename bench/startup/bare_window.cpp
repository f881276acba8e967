// The baseline of bench/startup: a bare Qt 6 main window of the main window's size, stopped by the
// same first-paint probe as the program. Built a second time as bare_menu_window (WITH_MENU): the
// same window with a menu bar of the program's top-level captions and a status bar, what any
// window with a menu pays for its first text.
#include "ui/firstpaint.h"

#include <QApplication>
#include <QMainWindow>
#ifdef WITH_MENU
#include <QMenuBar>
#include <QStatusBar>
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Talvero 6.0"));
    window.resize(433, 386);
#ifdef WITH_MENU
    for (const char* caption :
         {"&File", "&Loan", "B&alloon Loan", "&Investment", "&Retirement", "&Business", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(caption));
    window.setStatusBar(new QStatusBar);
#endif
    if (ui::startupProbe()) {
        ui::afterFirstPaint(&window, [] {
            ui::reportFirstPaint();
            QCoreApplication::quit();
        });
    }
    window.show();
    return app.exec();
}
