#pragma once
// Small builders that give every control its name as objectName and accessibleDescription and
// make each label the buddy of its edit, so screen readers and automation find them.

#include "ui/export.h"
#include <QString>
#include <QStringList>

#include <initializer_list>

class QWidget;
class QLabel;
class QLineEdit;
class QComboBox;
class QCheckBox;
class QPushButton;
class QGridLayout;
class QBoxLayout;

namespace ui {

// Sets objectName and accessibleDescription to the control's name.
UI_EXPORT void nameWidget(QWidget* widget, const QString& name);
template <class W> W* named(W* widget, const QString& name) {
    nameWidget(widget, name);
    return widget;
}

// Makes `label` the buddy of `control` and its text the control's accessible name: assistive tools
// read a list's or grid's name only from the control itself, never from its buddy.
UI_EXPORT void labelFor(QLabel* label, QWidget* control);

// Tab goes through `controls` in the order given (each right after the one before it), for
// controls that joined their form out of reading order.
UI_EXPORT void setTabChain(std::initializer_list<QWidget*> controls);

// What an edit holds. Numbers sit at the right so the decimal points of the padded formats line
// up; dates and words sit at the left.
enum class Content { Number, Text };

// A label and its edit side by side in row `row` of `grid` (label in `column`, edit right of it).
UI_EXPORT QLineEdit* addEdit(QGridLayout* grid, int row, int column, const QString& labelText,
                             const QString& editName, const QString& initialText = QString(),
                             const QString& labelName = QString(), Content content = Content::Number);

// A label and a read-only answer box.
UI_EXPORT QLineEdit* addAnswer(QGridLayout* grid, int row, int column, const QString& labelText,
                               const QString& editName, const QString& labelName = QString(),
                               Content content = Content::Number);

// The same for boxes that hold dates or words.
UI_EXPORT QLineEdit* addTextEdit(QGridLayout* grid, int row, int column, const QString& labelText,
                                 const QString& editName, const QString& initialText = QString(),
                                 const QString& labelName = QString());
UI_EXPORT QLineEdit* addTextAnswer(QGridLayout* grid, int row, int column, const QString& labelText,
                                   const QString& editName, const QString& labelName = QString());

// Aligns an edit built elsewhere as its content wants.
UI_EXPORT void alignFor(QLineEdit* edit, Content content);

// A non-editable drop-down list with its label.
UI_EXPORT QComboBox* addCombo(QGridLayout* grid, int row, int column, const QString& labelText,
                              const QString& comboName, const QStringList& items,
                              const QString& labelName = QString());

UI_EXPORT QLabel* makeLabel(const QString& text, const QString& name = QString(), QWidget* parent = nullptr);
UI_EXPORT QPushButton* makeButton(const QString& caption, const QString& name, QWidget* parent = nullptr);
// A button alone on a row of its own, centred, at the end of `layout`.
UI_EXPORT QPushButton* addCentredButton(QBoxLayout* layout, const QString& caption, const QString& name,
                                        QWidget* parent);
UI_EXPORT QCheckBox* makeCheck(const QString& caption, const QString& name, QWidget* parent = nullptr);

} // namespace ui
