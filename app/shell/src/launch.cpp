#include "shell/launch.h"

#include "background.h"
#include "programstyle.h"
#include "shell/mainform.h"
#include "ui/firstpaint.h"
#include "ui/help.h"
#include "ui/libraries.h"

#include <QDialog>
#include <QIcon>

namespace shell {

bool TalveroApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    showingExceptions([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

void setProgramIcon() {
    QIcon icon;
    for (int side : {16, 32, 48, 64})
        icon.addPixmap(drawIcon(side));
    QApplication::setWindowIcon(icon);
}

void initialiseWindow(QApplication& app, ProgramIcon icon) {
    if (!dynamic_cast<ProgramStyle*>(QApplication::style())) QApplication::setStyle(new ProgramStyle);
    app.setApplicationName(QStringLiteral("talvero"));
    QApplication::setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));
    // The desktop matches the windows to the menu entry (and its icon) by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.talvero.Talvero"));
    if (icon == ProgramIcon::Now) setProgramIcon();
    ui::setApplicationHelpFile(QString::fromLatin1(kStartupHelpFile));
}

int run(int& argc, char** argv) {
    int exitCode = 0;
    try {
        TalveroApplication app(argc, argv);
        showingExceptions([&] {
            // The icon is no part of the first paint.
            initialiseWindow(app, ProgramIcon::AfterFirstPaint);
            MainForm = new TMainForm;
            const bool probe = ui::startupProbe();
            ui::afterFirstPaint(MainForm, [probe] {
                if (probe) ui::reportFirstPaint();
                setProgramIcon();
                // The library has told why it cannot be loaded; without it no command can work.
                if (!ui::LazyEntry<kProgramLibrary, kProgramStart,
                                   decltype(&talvero_program_start)>::call()) {
                    QCoreApplication::exit(1);
                    return;
                }
                // The probe's peak memory takes in the whole start-up, the tables opened too.
                if (probe) {
                    ui::reportStarted(
                        MainForm->findChildren<QDialog*>(QString(), Qt::FindDirectChildrenOnly).size());
                    QCoreApplication::quit();
                }
            });
            MainForm->show();
            exitCode = app.exec();
        });
        // The main window owns every other form.
        delete MainForm;
        MainForm = nullptr;
    } catch (...) {
        // Nothing can be shown without an application object.
    }
    return exitCode;
}

} // namespace shell
