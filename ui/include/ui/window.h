#pragma once
// How every form answers F1 and where it opens: one way for the whole program.

#include "ui/export.h"
#include <QString>

class QDialog;
class QWidget;

namespace ui {

// F1 on a control opens its own help context when it has one, else the form's. The form's help
// file (setFormHelpFile) is used when it has one.
UI_EXPORT void setHelpContext(QWidget* widget, int context);
UI_EXPORT void installContextHelp(QDialog* form, int formContext);

// A Help button: the application's help file becomes "Talvero.hlp", then the jump to the topic.
UI_EXPORT void helpButton(QDialog* form, const QString& topic);

// Places the form in the middle of the screen it is on.
UI_EXPORT void centreOnScreen(QWidget* form);

} // namespace ui
