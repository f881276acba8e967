#pragma once
// Start-up of the program library: the engines' messages and today, then every form once in its
// fixed order after the main window (shell/launch.h), their tables opened after.

#include "shell/launch.h"

#include <QStringList>
#include <initializer_list>

namespace shell {

// The window's settings (initialiseWindow) and the program's: both engines' message functions and
// today.
void initialiseApplication(QApplication& app, ProgramIcon icon = ProgramIcon::Now);

// Installs both engines' message functions and has them follow the program's today.
void initialiseProgram();

// A library's setter for the date it reads as today.
using TodaySetter = void (*)(int month, int day, int year);

// Every setter follows the program's one clock: it hears the date a TodayOverride fixes, and
// (0, 0, 0) while today is the system's date. A setter given again is not installed twice.
void followTheProgramsToday(std::initializer_list<TodaySetter> setters);

// An error box for each database that cannot be opened (an unreachable server, a damaged file;
// db/startcheck.h); the program goes on. Creating the forms asks for it (ui::openAtCreation).
void showStartupProblems();

// When a form made at start-up builds its widgets: the first time it is needed (start-up), or at
// once.
enum class FormWidgets { WhenNeeded, AtOnce };

// Step 4 after the main window: creates the other forms in order, connects the main window's
// commands, and returns the forms' names in the order created.
QStringList createProgramForms(FormWidgets widgets = FormWidgets::WhenNeeded);

// Step 4 whole: the main window, then createProgramForms; the names in the order created.
QStringList createForms(FormWidgets widgets = FormWidgets::WhenNeeded);

// Deletes every form (the main window owns the rest) and clears the global pointers.
void destroyForms();

// What the program library does once the main window (MainForm) has painted: initialiseProgram,
// createProgramForms, then the tables the forms open at creation, their errors shown.
void startProgram();

} // namespace shell
