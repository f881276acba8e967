#pragma once
// The one place the program shows message boxes. Plain boxes carry the program title and one OK
// button with no icon; error boxes carry the stop icon. While a MessageRecorder lives, texts are
// recorded instead of shown, so tests read exactly what a user would have seen.

#include "ui/export.h"
#include <QList>
#include <QString>

class QWidget;

namespace ui {

enum class MessageKind { Plain, Error, Exception };

struct RecordedMessage {
    MessageKind kind;
    QString text;
    QString caption; // the box's caption
};

UI_EXPORT void showMessage(const QString& text);
// A plain box with a caption of its own instead of the program title.
UI_EXPORT void showMessage(const QString& text, const QString& caption);
UI_EXPORT void showError(const QString& text);
// The application's standard exception display: stop icon, program title, the exception's text.
// Used for faults that end a command ("Floating point division by zero").
UI_EXPORT void showException(const QString& text);

// Shaped like the engines' message callbacks (kind 0 = plain, 1 = error).
UI_EXPORT void engineMessage(void* owner, int kind, const char* text);

class UI_EXPORT MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const QList<RecordedMessage>& messages() const { return messages_; }
    bool empty() const { return messages_.isEmpty(); }
    QString lastText() const { return messages_.isEmpty() ? QString() : messages_.last().text; }
    MessageKind lastKind() const { return messages_.isEmpty() ? MessageKind::Plain : messages_.last().kind; }
    void clear() { messages_.clear(); }

private:
    friend void record(MessageKind, const QString&, const QString&);
    QList<RecordedMessage> messages_;
    MessageRecorder* previous_;
};

} // namespace ui
