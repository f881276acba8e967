#include "ui/fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

namespace ui {

void nameWidget(QWidget* widget, const QString& name) {
    widget->setObjectName(name);
    widget->setAccessibleDescription(name);
}

void labelFor(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    control->setAccessibleName(QString(label->text()).remove(QLatin1Char('&')).trimmed());
}

void setTabChain(std::initializer_list<QWidget*> controls) {
    QWidget* before = nullptr;
    for (QWidget* control : controls) {
        if (before) QWidget::setTabOrder(before, control);
        before = control;
    }
}

QLabel* makeLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty()) nameWidget(label, name);
    return label;
}

QPushButton* makeButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    nameWidget(b, name);
    return b;
}

QPushButton* addCentredButton(QBoxLayout* layout, const QString& caption, const QString& name,
                              QWidget* parent) {
    QPushButton* button = makeButton(caption, name, parent);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    row->addStretch();
    layout->addLayout(row);
    return button;
}

QCheckBox* makeCheck(const QString& caption, const QString& name, QWidget* parent) {
    auto* c = new QCheckBox(caption, parent);
    nameWidget(c, name);
    return c;
}

void alignFor(QLineEdit* edit, Content content) {
    const Qt::Alignment side = content == Content::Number ? Qt::AlignRight : Qt::AlignLeft;
    edit->setAlignment(side | Qt::AlignVCenter);
}

QLineEdit* addEdit(QGridLayout* grid, int row, int column, const QString& labelText, const QString& editName,
                   const QString& initialText, const QString& labelName, Content content) {
    auto* label = makeLabel(labelText, labelName);
    auto* edit = new QLineEdit(initialText);
    nameWidget(edit, editName);
    alignFor(edit, content);
    labelFor(label, edit);
    grid->addWidget(label, row, column);
    grid->addWidget(edit, row, column + 1);
    return edit;
}

QLineEdit* addAnswer(QGridLayout* grid, int row, int column, const QString& labelText,
                     const QString& editName, const QString& labelName, Content content) {
    QLineEdit* edit = addEdit(grid, row, column, labelText, editName, QString(), labelName, content);
    edit->setReadOnly(true);
    return edit;
}

QLineEdit* addTextEdit(QGridLayout* grid, int row, int column, const QString& labelText,
                       const QString& editName, const QString& initialText, const QString& labelName) {
    return addEdit(grid, row, column, labelText, editName, initialText, labelName, Content::Text);
}

QLineEdit* addTextAnswer(QGridLayout* grid, int row, int column, const QString& labelText,
                         const QString& editName, const QString& labelName) {
    return addAnswer(grid, row, column, labelText, editName, labelName, Content::Text);
}

QComboBox* addCombo(QGridLayout* grid, int row, int column, const QString& labelText,
                    const QString& comboName, const QStringList& items, const QString& labelName) {
    auto* label = makeLabel(labelText, labelName);
    auto* combo = new QComboBox;
    combo->setEditable(false);
    combo->addItems(items);
    nameWidget(combo, comboName);
    labelFor(label, combo);
    grid->addWidget(label, row, column);
    grid->addWidget(combo, row, column + 1);
    return combo;
}

} // namespace ui
