#pragma once
// Help: the application's help-file state, jumps to named topics, numeric contexts and the
// contents. Every help file name resolves to the HTML topics installed with the program.

#include "ui/export.h"
#include <QList>
#include <QString>

class QWidget;

namespace ui {

UI_EXPORT QString applicationHelpFile();
UI_EXPORT void setApplicationHelpFile(const QString& file);

// A form that has its own help file says so here; help requests made while it is active use it.
UI_EXPORT void setFormHelpFile(QWidget* form, const QString& file);
UI_EXPORT QString helpFileFor(const QWidget* activeForm);

struct HelpRequest {
    enum Kind { Topic, Context, Contents } kind;
    QString helpFile;
    QString topic;   // the topic shown
    int context = 0; // for Context requests
};

UI_EXPORT void helpJump(const QString& helpFile, const QString& topic);
UI_EXPORT void helpContext(const QString& helpFile, int context);
// The contents page in a viewer of its own; the caller does not wait for it.
UI_EXPORT void helpContents();

// The topic a numeric context opens ("contents" when the context is not mapped).
UI_EXPORT QString topicForContext(int context);
// The folder holding the topics (index.html and one <topic>.html per topic).
UI_EXPORT QString helpFolder();

// While a HelpRecorder lives, requests are recorded and no window opens.
class UI_EXPORT HelpRecorder {
public:
    HelpRecorder();
    ~HelpRecorder();
    HelpRecorder(const HelpRecorder&) = delete;
    HelpRecorder& operator=(const HelpRecorder&) = delete;
    const QList<HelpRequest>& requests() const { return requests_; }

private:
    friend void deliver(const HelpRequest&);
    QList<HelpRequest> requests_;
    HelpRecorder* previous_;
};

} // namespace ui
