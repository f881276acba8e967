// The program library's one entry, which the executable calls right after the main window's first
// paint (shell/launch.h). It is loaded once and stays for the rest of the run.
#include "shell/startup.h"
#include "ui/messages.h"

#include <exception>

// False, after the error is shown, when the program cannot start: the executable then ends.
extern "C" __attribute__((visibility("default"))) bool talvero_program_start() {
    try {
        shell::startProgram();
        return true;
    } catch (const std::exception& e) {
        ui::showException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ui::showException(QString::fromLatin1(shell::kUnknownError));
    }
    return false;
}
