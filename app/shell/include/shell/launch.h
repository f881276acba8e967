#pragma once
// The program's first part, in the executable: the application, its style, title and help file,
// and the main window, shown and painted before anything else loads. Right after the first paint
// it loads the program library (the forms, the engines, the databases and the printer) and starts
// it (shell/startup.h).

#include "ui/messages.h"

#include <QApplication>
#include <exception>

namespace shell {

// An exception that escapes a command is shown with the standard exception display and the
// program goes on.
class TalveroApplication : public QApplication {
public:
    TalveroApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

inline constexpr const char* kApplicationTitle = "Talvero 6.0";
// What an exception of no known kind is shown as.
inline constexpr const char* kUnknownError = "Unknown error";
inline constexpr const char* kStartupHelpFile = "C:\\Talvero\\TALVERO.HLP";

// The program library and its start, which the executable calls after the first paint.
inline constexpr char kProgramLibrary[] = "libtalvero_program.so";
inline constexpr char kProgramStart[] = "talvero_program_start";

// Runs `run`; an exception that escapes it is shown with the standard exception display, and the
// answer is false.
template <typename F> bool showingExceptions(F&& run) {
    try {
        run();
        return true;
    } catch (const std::exception& e) {
        ui::showException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ui::showException(QString::fromLatin1(kUnknownError));
    }
    return false;
}

// The program's icon on every window.
void setProgramIcon();

// Whether initialiseWindow sets the icon, or the caller does once the main window has painted.
enum class ProgramIcon { Now, AfterFirstPaint };

// Steps 2 and 3 as far as the window needs them: the style, title, icon and help file.
void initialiseWindow(QApplication& app, ProgramIcon icon = ProgramIcon::Now);

// Steps 1 to 6; returns the exit code. The main window is made and shown first; right after its
// first paint the program library makes the other forms and opens their tables, their errors
// shown then. A program library that cannot be loaded is told and ends the program.
int run(int& argc, char** argv);

} // namespace shell

// The program library's start (app/shell/src/program.cpp): false, after the error is shown, when
// the program cannot start, and the executable then ends.
extern "C" __attribute__((visibility("default"))) bool talvero_program_start();
