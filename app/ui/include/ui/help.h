#pragma once
// Help: the application's help-file state, jumps to named topics, numeric contexts and the
// contents. Every help file name resolves to the HTML topics installed with the program.

#include <QList>
#include <QString>

class QWidget;

namespace ui {

QString applicationHelpFile();
void setApplicationHelpFile(const QString& file);

// A form that has its own help file says so here; help requests made while it is active use it.
void setFormHelpFile(QWidget* form, const QString& file);
QString helpFileFor(const QWidget* activeForm);

struct HelpRequest {
    enum Kind { Topic, Context, Contents } kind;
    QString helpFile;
    QString topic;   // the topic shown
    int context = 0; // for Context requests
};

void helpJump(const QString& helpFile, const QString& topic);
void helpContext(const QString& helpFile, int context);
// The contents page in a viewer of its own; the caller does not wait for it.
void helpContents();

// The topic a numeric context opens ("contents" when the context is not mapped).
QString topicForContext(int context);
// The folder holding the topics (index.html and one <topic>.html per topic).
QString helpFolder();

// While a HelpRecorder lives, requests are recorded and no window opens.
class HelpRecorder {
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
