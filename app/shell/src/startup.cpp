#include "shell/startup.h"

#include "background.h"
#include "shell/aboutbox.h"
#include "shell/mainform.h"
#include "ui/help.h"
#include "ui/messages.h"

#include <QApplication>
#include <QIcon>
#include <exception>

namespace shell {

bool TalveroApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ui::showException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ui::showException(QStringLiteral("Unknown error"));
    }
    return false;
}

void initialiseApplication(QApplication& app) {
    app.setApplicationName(QStringLiteral("talvero"));
    QApplication::setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));
    QIcon icon;
    for (int side : {16, 32, 48, 64})
        icon.addPixmap(drawIcon(side));
    QApplication::setWindowIcon(icon);
    ui::setApplicationHelpFile(QString::fromLatin1(kStartupHelpFile));
}

QStringList createForms() {
    QStringList order;
    auto note = [&order](QObject* form) { order << form->objectName(); };
    MainForm = new TMainForm;
    note(MainForm);
    AboutBox = new TAboutBox(MainForm);
    note(AboutBox);
    return order;
}

void destroyForms() {
    delete MainForm; // owns every other form
    MainForm = nullptr;
    AboutBox = nullptr;
}

int run(int& argc, char** argv) {
    try {
        TalveroApplication app(argc, argv);
        try {
            initialiseApplication(app);
            createForms();
            MainForm->show();
            app.exec();
        } catch (const std::exception& e) {
            ui::showException(QString::fromLocal8Bit(e.what()));
        } catch (...) {
            ui::showException(QStringLiteral("Unknown error"));
        }
        destroyForms();
    } catch (...) {
        // Nothing can be shown without an application object.
    }
    return 0;
}

} // namespace shell
