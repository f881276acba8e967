#include "ui/window.h"

#include "ui/help.h"

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QScreen>

namespace ui {

namespace {
const char* const kContextProperty = "talveroHelpContext";

class ContextHelp : public QObject {
public:
    ContextHelp(QDialog* form, int formContext) : QObject(form), form_(form), formContext_(formContext) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
        int context = formContext_;
        for (auto* w = qobject_cast<QWidget*>(watched); w && w != form_; w = w->parentWidget()) {
            const int own = w->property(kContextProperty).toInt();
            if (own > 0) {
                context = own;
                break;
            }
        }
        helpContext(helpFileFor(form_), context);
        return true;
    }

private:
    QDialog* form_;
    int formContext_;
};
} // namespace

void setHelpContext(QWidget* widget, int context) {
    widget->setProperty(kContextProperty, context);
}

void installContextHelp(QDialog* form, int formContext) {
    auto* filter = new ContextHelp(form, formContext);
    form->installEventFilter(filter);
    for (QWidget* child : form->findChildren<QWidget*>())
        child->installEventFilter(filter);
}

void helpButton(QDialog* form, const QString& topic) {
    setApplicationHelpFile(QStringLiteral("Talvero.hlp"));
    helpJump(helpFileFor(form), topic);
}

void centreOnScreen(QWidget* form) {
    if (QScreen* screen = form->screen()) {
        QRect frame = form->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        form->move(frame.topLeft());
    }
}

} // namespace ui
