#include "ui/libraries.h"

#include "ui/messages.h"

#include <QFileInfo>
#include <QLibrary>
#include <dlfcn.h>

namespace ui {

namespace {
// clang-format off
const char* const kCannotLoad = "The library %1 cannot be loaded: %2";
// clang-format on
} // namespace

QString libraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&libraryFolder), &info) == 0 || !info.dli_fname) return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

QString libraryPath(const char* file) {
    return libraryFolder() + QLatin1Char('/') + QString::fromLatin1(file);
}

QFunctionPointer libraryEntry(const char* file, const char* name) {
    // Never unloaded: the program keeps calling into it.
    QLibrary library(libraryPath(file));
    if (const QFunctionPointer entry = library.resolve(name)) return entry;
    showError(QString::fromLatin1(kCannotLoad).arg(QString::fromLatin1(file), library.errorString()));
    return nullptr;
}

} // namespace ui
