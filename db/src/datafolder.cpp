#include "db/datafolder.h"

#include <QDir>
#include <QFile>

namespace db {

QString dataFolderPath() {
    const QString home = qEnvironmentVariable("TALVERO_HOME");
    if (!home.isEmpty()) return QDir::cleanPath(home);
    QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (xdg.isEmpty()) xdg = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(xdg + QStringLiteral("/talvero"));
}

QString ensureDataFolder() {
    const QString path = dataFolderPath();
    if (!QDir(path).exists()) {
        if (!QDir().mkpath(path)) return {};
        // Loan and investment records are private to the user.
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return path;
}

} // namespace db
