#include "unwinder/options.h"

#include <QDir>
#include <QFileInfo>

namespace unwinder {

namespace {

const QCommandLineOption
    rootOption(QStringLiteral("root"),
               QStringLiteral("Removes from the system installed below DIR (dpkg --root)."),
               QStringLiteral("DIR"));
const QCommandLineOption admindirOption(QStringLiteral("admindir"),
                                        QStringLiteral("Reads and changes the package database in DIR "
                                                       "(dpkg --admindir)."),
                                        QStringLiteral("DIR"));
const QCommandLineOption systemctlOption(QStringLiteral("systemctl"),
                                         QStringLiteral("Asks PROGRAM \"is-active firebird3.0\" whether the "
                                                        "database server's service runs."),
                                         QStringLiteral("PROGRAM"), QStringLiteral("systemctl"));
const QCommandLineOption procOption(QStringLiteral("proc"),
                                    QStringLiteral("Looks for the server's processes in DIR."),
                                    QStringLiteral("DIR"), QStringLiteral("/proc"));
const QCommandLineOption pkexecOption(QStringLiteral("pkexec"),
                                      QStringLiteral("Runs dpkg as root through PROGRAM."),
                                      QStringLiteral("PROGRAM"), QStringLiteral("pkexec"));

} // namespace

void addOptions(QCommandLineParser& parser) {
    parser.addOptions({rootOption, admindirOption, systemctlOption, procOption, pkexecOption});
}

bool readOptions(const QCommandLineParser& parser, Options& options, QString& error) {
    options.root = parser.value(rootOption);
    options.admindir = parser.value(admindirOption);
    options.systemctl = parser.value(systemctlOption);
    options.procDir = parser.value(procOption);
    options.pkexec = parser.value(pkexecOption);
    if (!options.root.isEmpty()) {
        if (!QFileInfo(options.root).isDir()) {
            error = QStringLiteral("%1 is no folder").arg(options.root);
            return false;
        }
        options.root = QFileInfo(options.root).absoluteFilePath();
    }
    if (!options.admindir.isEmpty()) {
        if (!QFileInfo(QDir(options.admindir).filePath(QStringLiteral("status"))).isFile()) {
            error = QStringLiteral("%1 holds no package database (no status file)").arg(options.admindir);
            return false;
        }
        options.admindir = QFileInfo(options.admindir).absoluteFilePath();
    }
    return true;
}

QStringList databaseOptions(const Options& options) {
    QStringList out;
    if (!options.root.isEmpty()) out << QStringLiteral("--root=%1").arg(options.root);
    if (!options.admindir.isEmpty()) out << QStringLiteral("--admindir=%1").arg(options.admindir);
    return out;
}

} // namespace unwinder
