#pragma once
// The File menu's database work without widgets: what "Save Loan Data to DB" says and saves for the
// two forms' counts of unsaved calculations, and the six maintenance scripts with the folder they
// are started from.

#include <QProcessEnvironment>
#include <QString>

#include <span>

namespace shell {

// What "Save Loan Data to DB" does: the message shown first, then which saving routines run.
struct SavePlan {
    const char* message;
    bool saveRegular;
    bool saveBalloon;
};

// By the UnsavedCount of the loan form (regular) and of the balloon form (balloon).
SavePlan savePlan(int regularUnsaved, int balloonUnsaved);

struct MaintenanceCommand {
    const char* item;        // the File menu item
    const char* script;      // the script's file in the scripts folder
    bool releasesLoanTables; // the program lets go of the loan database and waits for the script
};

// The six commands in menu order.
std::span<const MaintenanceCommand> maintenanceCommands();

// The command of a menu item; nullptr for any other item.
const MaintenanceCommand* maintenanceCommand(const QString& item);

// The folder the scripts are started from: when the program runs installed, the scripts folder of
// its installation (<prefix>/share/talvero/scripts beside <prefix>/bin); otherwise, as in a build
// tree, the source tree's scripts/ folder.
QString scriptsFolder();

// The same rule for a program in `programFolder`.
QString scriptsFolderFor(const QString& programFolder);

// The environment the scripts run in: the program's own, with TALVERO_CLI naming the talvero-cli
// beside the program (the scripts resolve the aliases through it) when there is one there.
QProcessEnvironment scriptEnvironment();

// The same for a program in `programFolder`.
QProcessEnvironment scriptEnvironmentFor(const QString& programFolder);

// Starts a script as a process of its own, in the environment above, and does not wait for it;
// false when it cannot be started.
bool startScript(const QString& path);

// Runs a script to its end in the environment above, its output going to the program's own; false
// when it cannot be started.
bool runScript(const QString& path);

} // namespace shell
