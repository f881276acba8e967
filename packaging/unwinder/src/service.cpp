#include "unwinder/service.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace unwinder {

namespace {

bool unitActive(const QString& systemctl, const QString& unit) {
    QProcess p;
    p.start(systemctl, {QStringLiteral("is-active"), unit});
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit)
        return false; // no service manager: the process scan decides
    return p.exitCode() == 0 && p.readAllStandardOutput().trimmed() == "active";
}

// The first server process in the process folder: guardian first, then the server itself.
QString serverProcess(const QString& procDir) {
    const QStringList names = {QStringLiteral("fbguard"), QStringLiteral("firebird")};
    const QDir dir(procDir);
    const QStringList entries = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QString found;
    for (const QString& pid : entries) {
        bool number = false;
        pid.toLongLong(&number);
        if (!number) continue;
        QFile comm(dir.filePath(pid + QStringLiteral("/comm")));
        if (!comm.open(QIODevice::ReadOnly)) continue; // gone meanwhile
        const QString name = QString::fromLocal8Bit(comm.readAll()).trimmed();
        const qsizetype rank = names.indexOf(name);
        if (rank == 0) return name;
        if (rank > 0) found = name;
    }
    return found;
}

} // namespace

std::optional<RunningServer> runningServer(const Options& options) {
    RunningServer server;
    if (unitActive(options.systemctl, QLatin1String(serverUnit))) server.unit = QLatin1String(serverUnit);
    server.process = serverProcess(options.procDir);
    if (server.unit.isEmpty() && server.process.isEmpty()) return std::nullopt;
    return server;
}

QString refusalText(const RunningServer& server) {
    QString what;
    if (!server.unit.isEmpty())
        what = QStringLiteral("The Firebird database server is running (service %1).").arg(server.unit);
    else
        what = QStringLiteral("The Firebird database server is running (process %1).").arg(server.process);
    QString how = QStringLiteral("\nStop it before uninstalling, then press Next again:\n"
                                 "    sudo systemctl stop %1")
                      .arg(QLatin1String(serverUnit));
    // Found only as a process: perhaps a system without systemd, where its init script stops it.
    if (server.unit.isEmpty())
        how += QStringLiteral("\n(without systemd: sudo service %1 stop)").arg(QLatin1String(serverUnit));
    return what + how;
}

} // namespace unwinder
