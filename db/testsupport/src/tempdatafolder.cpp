#include "db/testsupport/tempdatafolder.h"

#include "db/connection.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace db::testing {

TempDataFolder::TempDataFolder()
    : path_(dir_.filePath(QStringLiteral("talvero"))), oldHome_(qgetenv("TALVERO_HOME")),
      hadHome_(qEnvironmentVariableIsSet("TALVERO_HOME")) {
    if (!dir_.isValid()) throw std::runtime_error("cannot create a temporary folder");
    qputenv("TALVERO_HOME", path_.toUtf8());
}

TempDataFolder::~TempDataFolder() {
    if (hadHome_)
        qputenv("TALVERO_HOME", oldHome_);
    else
        qunsetenv("TALVERO_HOME");
}

void TempDataFolder::writeAliases(const QByteArray& text) const {
    QDir().mkpath(path_);
    QFile file(QDir(path_).filePath(QString::fromLatin1(aliasesFileName)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        throw std::runtime_error("cannot write the aliases file");
}

} // namespace db::testing
