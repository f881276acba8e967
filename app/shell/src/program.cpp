// The program library's one entry, which the executable calls right after the main window's first
// paint (shell/launch.h). It is loaded once and stays for the rest of the run.
#include "shell/startup.h"

extern "C" bool talvero_program_start() {
    return shell::showingExceptions(&shell::startProgram);
}
