#pragma once
// Start-up: the application's title and help file, then every form once in its fixed order.

#include <QApplication>
#include <QStringList>
#include <initializer_list>

namespace shell {

// An exception that escapes a command is shown with the standard exception display and the
// program goes on.
class TalveroApplication : public QApplication {
public:
    TalveroApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

inline constexpr const char* kApplicationTitle = "Talvero 6.0";
inline constexpr const char* kStartupHelpFile = "C:\\Talvero\\TALVERO.HLP";

// The program's icon on every window.
void setProgramIcon();

// Whether initialiseApplication sets the icon, or the caller does once the main window has painted.
enum class ProgramIcon { Now, AfterFirstPaint };

// Steps 2 and 3: title, icon and help file; installs both engines' message functions.
void initialiseApplication(QApplication& app, ProgramIcon icon = ProgramIcon::Now);

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

// Step 4: creates the forms in order and returns their names in the order created.
QStringList createForms(FormWidgets widgets = FormWidgets::WhenNeeded);

// Deletes every form (the main window owns the rest) and clears the global pointers.
void destroyForms();

// Steps 1 to 6; returns the exit code. The forms' tables open right after the main window's first
// paint (ui::TablesAfterFirstPaint), their errors shown then.
int run(int& argc, char** argv);

} // namespace shell
