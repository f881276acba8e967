#pragma once
// Small builders that give every control its name as objectName and accessibleDescription and
// make each label the buddy of its edit, so screen readers and automation find them.

#include <QString>
#include <QStringList>

class QWidget;
class QLabel;
class QLineEdit;
class QComboBox;
class QCheckBox;
class QPushButton;
class QGridLayout;

namespace ui {

// Sets objectName and accessibleDescription to the control's name.
void nameWidget(QWidget* widget, const QString& name);
template <class W> W* named(W* widget, const QString& name) {
    nameWidget(widget, name);
    return widget;
}

// A label and its edit side by side in row `row` of `grid` (label in `column`, edit right of it).
QLineEdit* addEdit(QGridLayout* grid, int row, int column, const QString& labelText, const QString& editName,
                   const QString& initialText = QString(), const QString& labelName = QString());

// A label and a read-only answer box.
QLineEdit* addAnswer(QGridLayout* grid, int row, int column, const QString& labelText,
                     const QString& editName, const QString& labelName = QString());

// A non-editable drop-down list with its label.
QComboBox* addCombo(QGridLayout* grid, int row, int column, const QString& labelText,
                    const QString& comboName, const QStringList& items, const QString& labelName = QString());

QLabel* makeLabel(const QString& text, const QString& name = QString(), QWidget* parent = nullptr);
QPushButton* makeButton(const QString& caption, const QString& name, QWidget* parent = nullptr);
QCheckBox* makeCheck(const QString& caption, const QString& name, QWidget* parent = nullptr);

} // namespace ui
