#include "shell/startup.h"

#include "annuity/forms.h"
#include "balloon/forms.h"
#include "db/startcheck.h"
#include "invest/deleteforms.h"
#include "invest/forms.h"
#include "invest/reportform.h"
#include "invest/revalueform.h"
#include "invest/statusform.h"
#include "loan/forms.h"
#include "portfolio/forms.h"
#include "shell/aboutbox.h"
#include "shell/mainform.h"
#include "tessera/tessera.h"
#include "ui/form.h"
#include "ui/messages.h"
#include "ui/today.h"
#include "vaulter/vaulter.h"

#include <QApplication>
#include <optional>

namespace shell {

void initialiseProgram() {
    TesseraSetMessageHandler(&ui::engineMessage);
    VaulterSetMessageHandler(&ui::engineMessage);
    // The engine libraries count an empty first due date from the program's today.
    followTheProgramsToday({&TesseraSetToday, &VaulterSetToday});
}

void followTheProgramsToday(std::initializer_list<TodaySetter> setters) {
    for (TodaySetter setter : setters)
        ui::followToday(setter);
}

void showStartupProblems() {
    for (const QString& problem : db::startupProblems())
        ui::showError(problem);
}

QStringList createProgramForms(FormWidgets widgets) {
    QStringList order;
    // Each form exists from here on; its widgets wait until it is first needed.
    std::optional<ui::DeferredWidgets> deferred;
    if (widgets == FormWidgets::WhenNeeded) deferred.emplace();
    auto note = [&order](QObject* form) { order << form->objectName(); };
    // The databases are connected once at start-up, so an unreachable server or a damaged file is
    // told then, once for each; at program start right after the main window's first paint.
    ui::openAtCreation(MainForm, &showStartupProblems);
    note(Form1 = new TForm1(MainForm));
    note(Form2 = new TForm2(*Form1, *Form1, MainForm));
    note(Form3 = new TForm3(*Form1, *Form1, MainForm));
    note(Form4 = new TForm4(*Form1, *Form1, MainForm));
    note(Form5 = new TForm5(MainForm));
    note(Form6 = new TForm6(MainForm));
    note(Form7 = new TForm7(MainForm));
    note(Form8 = new TForm8(MainForm));
    note(Form9 = new TForm9(MainForm));
    note(Form10 = new TForm10(MainForm));
    note(Form11 = balloon::makeForm11(*Form10, MainForm));
    note(Form12 = balloon::makeForm12(*Form10, MainForm));
    note(Form13 = balloon::makeForm13(*Form10, MainForm));
    note(Form14 = new TForm14(MainForm));
    note(Form15 = new TForm15(MainForm));
    note(AboutBox = new TAboutBox(MainForm));
    note(Form17 = new TForm17(MainForm));
    note(Form18 = new TForm18(MainForm));
    note(Form19 = new TForm19(MainForm));
    note(Form20 = new TForm20(MainForm));
    note(Form21 = new TForm21(MainForm));
    note(Form22 = new TForm22(MainForm));
    note(Form23 = new TForm23(MainForm));
    note(Form24 = new TForm24(MainForm));
    note(Form25 = new TForm25(MainForm));
    note(Form26 = new TForm26(MainForm));
    note(Form27 = new TForm27(MainForm));
    note(Form28 = new TForm28(MainForm));
    note(Form29 = new TForm29(MainForm));
    note(Form30 = new TForm30(MainForm));
    MainForm->connectCommands();
    return order;
}

void destroyForms() {
    delete MainForm; // owns every other form
    MainForm = nullptr;
    Form1 = nullptr;
    Form2 = nullptr;
    Form3 = nullptr;
    Form4 = nullptr;
    Form5 = nullptr;
    Form6 = nullptr;
    Form7 = nullptr;
    Form8 = nullptr;
    Form9 = nullptr;
    Form10 = nullptr;
    Form11 = nullptr;
    Form12 = nullptr;
    Form13 = nullptr;
    Form14 = nullptr;
    Form15 = nullptr;
    AboutBox = nullptr;
    Form17 = nullptr;
    Form18 = nullptr;
    Form19 = nullptr;
    Form20 = nullptr;
    Form21 = nullptr;
    Form22 = nullptr;
    Form23 = nullptr;
    Form24 = nullptr;
    Form25 = nullptr;
    Form26 = nullptr;
    Form27 = nullptr;
    Form28 = nullptr;
    Form29 = nullptr;
    Form30 = nullptr;
}

void startProgram() {
    initialiseProgram();
    // The tables open once every form exists, so an error box finds the program whole.
    ui::TablesAfterFirstPaint tables;
    createProgramForms();
    tables.run();
}

} // namespace shell
