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

void record(MessageKind kind, const QString& text) {
    activeRecorder->messages_.append({kind, text});
}

MessageRecorder::MessageRecorder() : previous_(activeRecorder) {
    activeRecorder = this;
}
MessageRecorder::~MessageRecorder() {
    activeRecorder = previous_;
}

void showMessage(const QString& text) {
    if (activeRecorder) {
        record(MessageKind::Plain, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                    ownerWindow());
    box.exec();
}

void showError(const QString& text) {
    if (activeRecorder) {
        record(MessageKind::Error, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, ownerWindow());
    box.exec();
}

void showException(const QString& text) {
    if (activeRecorder) {
        record(MessageKind::Exception, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                    ownerWindow());
    box.exec();
}

void engineMessage(void* /*owner*/, int kind, const char* text) {
    const QString t = QString::fromLatin1(text ? text : "");
    if (kind == 1)
        showError(t);
    else
        showMessage(t);
}

} // namespace ui
