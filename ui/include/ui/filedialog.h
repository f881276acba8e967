#pragma once
// The one place the program asks for a file name. While a FileDialogInterceptor lives, every
// request is recorded and answered by its handler instead of a dialog, so tests name the file (or
// cancel) themselves.

#include "ui/export.h"
#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace ui {

struct FileRequest {
    enum Kind { Save, Open } kind;
    QString caption;
    QString proposed; // the proposed file: a bare name lands in the last folder used
    QString filter;   // "PDF files (*.pdf)"
};

// Asks for a file to write; empty when the user cancels. `proposed` is the default name (or a
// path); a bare name is proposed in the folder last chosen, at first the user's documents folder.
UI_EXPORT QString saveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                               const QString& filter);
// Asks for an existing file to read; empty when the user cancels.
UI_EXPORT QString openFileName(QWidget* parent, const QString& caption, const QString& proposed,
                               const QString& filter);

class UI_EXPORT FileDialogInterceptor {
public:
    // The handler's answer is the chosen path, empty for a cancel; without a handler every
    // request is cancelled.
    using Handler = std::function<QString(const FileRequest&)>;
    explicit FileDialogInterceptor(Handler handler = {});
    ~FileDialogInterceptor();
    FileDialogInterceptor(const FileDialogInterceptor&) = delete;
    FileDialogInterceptor& operator=(const FileDialogInterceptor&) = delete;

    const QList<FileRequest>& requests() const { return requests_; }

private:
    friend QString ask(QWidget*, const FileRequest&);
    Handler handler_;
    QList<FileRequest> requests_;
    FileDialogInterceptor* previous_;
};

} // namespace ui
