// Both parts of the program in one go, as the tests run them: the window's settings and the main
// window, then the program's. Kept apart from startup.cpp so the program library does not take
// them in: it starts after the executable has done the window's part.
#include "shell/mainform.h"
#include "shell/startup.h"

namespace shell {

void initialiseApplication(QApplication& app, ProgramIcon icon) {
    initialiseWindow(app, icon);
    initialiseProgram();
}

QStringList createForms(FormWidgets widgets) {
    MainForm = new TMainForm;
    return QStringList{MainForm->objectName()} + createProgramForms(widgets);
}

} // namespace shell
