#include "ui/filedialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace ui {

namespace {
FileDialogInterceptor* activeInterceptor = nullptr;
QString lastFolder;

QString startFolder() {
    if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir()) return lastFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}
} // namespace

FileDialogInterceptor::FileDialogInterceptor(Handler handler)
    : handler_(std::move(handler)), previous_(activeInterceptor) {
    activeInterceptor = this;
}
FileDialogInterceptor::~FileDialogInterceptor() {
    activeInterceptor = previous_;
}

QString ask(QWidget* parent, const FileRequest& request) {
    if (activeInterceptor) {
        activeInterceptor->requests_.append(request);
        return activeInterceptor->handler_ ? activeInterceptor->handler_(request) : QString();
    }
    const QString proposed = QFileInfo(request.proposed).isAbsolute()
                                 ? request.proposed
                                 : QDir(startFolder()).filePath(request.proposed);
    const QString chosen =
        request.kind == FileRequest::Save
            ? QFileDialog::getSaveFileName(parent, request.caption, proposed, request.filter)
            : QFileDialog::getOpenFileName(parent, request.caption, proposed, request.filter);
    if (!chosen.isEmpty()) lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

QString saveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                     const QString& filter) {
    return ask(parent, {FileRequest::Save, caption, proposed, filter});
}

QString openFileName(QWidget* parent, const QString& caption, const QString& proposed,
                     const QString& filter) {
    return ask(parent, {FileRequest::Open, caption, proposed, filter});
}

} // namespace ui
