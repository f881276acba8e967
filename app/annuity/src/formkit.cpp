#include "formkit.h"

#include "annuity/reading.h"
#include "ui/convert.h"
#include "ui/fields.h"
#include "ui/messages.h"

#include <QDialog>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>
#include <QVBoxLayout>

namespace annuity::kit {


QTabWidget* buildFrame(QDialog* form, const QString& caption, QPushButton*& quit) {
    form->setWindowTitle(caption);
    auto* layout = new QVBoxLayout(form);
    auto* pages = new QTabWidget(form);
    ui::nameWidget(pages, QStringLiteral("PageControl1"));
    // Every tab stays in sight: the form widens to show them all.
    pages->setUsesScrollButtons(false);
    layout->addWidget(pages);
    auto* row = new QHBoxLayout;
    row->addStretch();
    quit = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button1"), form);
    row->addWidget(quit);
    layout->addLayout(row);
    return pages;
}

Tab addTab(QTabWidget* pages, const QString& caption, const QString& title) {
    Tab tab;
    tab.page = new QWidget;
    tab.box = new QVBoxLayout(tab.page);
    QLabel* heading = ui::makeLabel(title);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignCenter);
    tab.box->addWidget(heading);
    tab.grid = new QGridLayout;
    tab.box->addLayout(tab.grid);
    tab.box->addStretch();
    pages->addTab(tab.page, caption);
    return tab;
}

QLineEdit* addBox(Tab& tab, const QString& label, const QString& name, const QString& initialText) {
    return ui::addEdit(tab.grid, tab.rows++, 0, label, name, initialText);
}

Buttons addButtons(Tab& tab, const QString& computeName, const QString& printName, const QString& helpName,
                   const QString& printCaption) {
    Buttons b{ui::makeButton(QStringLiteral("Compute"), computeName, tab.page),
              ui::makeButton(printCaption, printName, tab.page),
              ui::makeButton(QStringLiteral("Help"), helpName, tab.page)};
    auto* row = new QHBoxLayout;
    row->addWidget(b.compute);
    row->addWidget(b.print);
    row->addWidget(b.help);
    tab.box->addLayout(row);
    return b;
}

QString zeroMoney() {
    return ui::format("%7.2f", 0.0);
}
QString zeroCount() {
    return ui::format("%7.0f", 0.0);
}

bool readFields(std::initializer_list<Field> fields, const QString& requiredMessage) {
    QStringList texts;
    for (const Field& f : fields)
        texts.append(f.edit->text());
    const Reading r = readPositive(texts, requiredMessage);
    auto value = r.values.cbegin();
    for (const Field& f : fields) {
        if (value == r.values.cend()) break;
        *f.value = *value++;
    }
    if (!r.ok()) ui::showMessage(r.message);
    return r.ok();
}

bool showAnswer(const Answer& answer, QLineEdit* box) {
    if (!answer.error.isEmpty()) {
        ui::showError(answer.error);
        return false;
    }
    if (!answer.notice.isEmpty()) {
        ui::showMessage(answer.notice);
        return false;
    }
    box->setText(ui::format("%7.2f", answer.value));
    return true;
}

} // namespace annuity::kit
