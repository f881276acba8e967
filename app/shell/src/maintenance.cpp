#include "shell/maintenance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <array>

namespace shell {

namespace {

// clang-format off
const char* const kAllSaved = "All loan data previously saved";
const char* const kSavingRegular = "Balloon loan data saved previously. Saving non-balloon loan data";
const char* const kSavingBalloon = "Non-balloon loan data saved previously. Saving balloon loan data";
const char* const kSavingBoth = "Talvero will now save balloon and non-balloon data";

const std::array<MaintenanceCommand, 6> kCommands = {{
    {"FilePrintItem", "loanbackup.sh", false},
    {"BackupInvestDB1", "investbackup.sh", false},
    {"FilePrintSetupItem", "loanrestore.sh", true},
    {"RestoreInvestDB1", "investrestore.sh", false},
    {"RestoreaBlankDB1", "loanblank.sh", true},
    {"RestoreaBlankInvestDB1", "investblank.sh", false},
}};
// clang-format on

// The library every script sources; its presence marks an installed scripts folder.
const char* const kScriptLibrary = "dbmaint.sh";

// The program the scripts ask where an alias points; installed and built beside the program.
const char* const kCli = "talvero-cli";

} // namespace

SavePlan savePlan(int regularUnsaved, int balloonUnsaved) {
    const bool regular = regularUnsaved >= 1;
    const bool balloon = balloonUnsaved >= 1;
    if (regular && balloon) return {kSavingBoth, true, true};
    if (regular) return {kSavingRegular, true, false};
    if (balloon) return {kSavingBalloon, false, true};
    return {kAllSaved, false, false};
}

std::span<const MaintenanceCommand> maintenanceCommands() {
    return kCommands;
}

const MaintenanceCommand* maintenanceCommand(const QString& item) {
    const auto found = std::find_if(kCommands.begin(), kCommands.end(), [&item](const MaintenanceCommand& c) {
        return item == QLatin1String(c.item);
    });
    return found == kCommands.end() ? nullptr : &*found;
}

QString scriptsFolder() {
    return scriptsFolderFor(QCoreApplication::applicationDirPath());
}

QString scriptsFolderFor(const QString& programFolder) {
    const QString installed =
        QDir::cleanPath(programFolder + QLatin1Char('/') + QStringLiteral(TALVERO_SCRIPTS_FROM_BINDIR));
    if (QFileInfo::exists(QDir(installed).filePath(QString::fromLatin1(kScriptLibrary)))) return installed;
    return QStringLiteral(TALVERO_SOURCE_SCRIPTS_DIR);
}

QProcessEnvironment scriptEnvironment() {
    return scriptEnvironmentFor(QCoreApplication::applicationDirPath());
}

QProcessEnvironment scriptEnvironmentFor(const QString& programFolder) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QFileInfo cli(QDir(programFolder).filePath(QString::fromLatin1(kCli)));
    if (cli.isFile() && cli.isExecutable())
        environment.insert(QStringLiteral("TALVERO_CLI"), cli.absoluteFilePath());
    return environment;
}

// Scripts run in the program's own working folder, so a relative TALVERO_HOME names the same
// data folder for both.
bool startScript(const QString& path) {
    QProcess process;
    process.setProgram(path);
    process.setProcessEnvironment(scriptEnvironment());
    return process.startDetached();
}

bool runScript(const QString& path) {
    QProcess process;
    process.setProgram(path);
    process.setProcessEnvironment(scriptEnvironment());
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start();
    if (!process.waitForStarted(-1)) return false;
    // The scripts bound their own waits for locks, so this returns once the file is in place.
    process.waitForFinished(-1);
    return true;
}

} // namespace shell
