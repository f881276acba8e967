#include "ui/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {

namespace {
MessageRecorder* activeRecorder = nullptr;

QWidget* ownerWindow() {
    QWidget* w = QApplication::activeModalWidget();
    return w ? w : QApplication::activeWindow();
}
} // namespace

void record(MessageKind kind, const QString& text, const QString& caption) {
    activeRecorder->messages_.append({kind, text, caption});
}

MessageRecorder::MessageRecorder() : previous_(activeRecorder) {
    activeRecorder = this;
}
MessageRecorder::~MessageRecorder() {
    activeRecorder = previous_;
}

namespace {
void present(MessageKind kind, QMessageBox::Icon icon, const QString& caption, const QString& text) {
    if (activeRecorder) {
        record(kind, text, caption);
        return;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok, ownerWindow());
    box.exec();
}
} // namespace

void showMessage(const QString& text) {
    present(MessageKind::Plain, QMessageBox::NoIcon, QApplication::applicationDisplayName(), text);
}

void showMessage(const QString& text, const QString& caption) {
    present(MessageKind::Plain, QMessageBox::NoIcon, caption, text);
}

void showError(const QString& text) {
    present(MessageKind::Error, QMessageBox::Critical, QStringLiteral("Error"), text);
}

void showException(const QString& text) {
    present(MessageKind::Exception, QMessageBox::Critical, QApplication::applicationDisplayName(), text);
}

void engineMessage(void* /*owner*/, int kind, const char* text) {
    const QString t = QString::fromLatin1(text ? text : "");
    if (kind == 1)
        showError(t);
    else
        showMessage(t);
}

} // namespace ui
