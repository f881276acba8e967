#include "annuity/forms.h"

#include "ui/convert.h"
#include "ui/fields.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/printing.h"
#include "ui/window.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace annuity {

CalculatorForm::CalculatorForm(QWidget* parent) : ui::Form(parent) {}

void CalculatorForm::buildWidgets() {
    auto* layout = new QVBoxLayout(this);
    PageControl1 = ui::named(new QTabWidget(this), QStringLiteral("PageControl1"));
    // Every tab stays in sight: the form widens to show them all.
    PageControl1->setUsesScrollButtons(false);
    layout->addWidget(PageControl1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    Button1 = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button1"), this);
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
    row->addWidget(Button1);
    layout->addLayout(row);
    buildTabs_();
}

QGridLayout* CalculatorForm::addTab(const char* caption, const char* title) {
    auto* page = new QWidget;
    auto* box = new QVBoxLayout(page);
    QLabel* heading = ui::makeLabel(QString::fromUtf8(title));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignCenter);
    box->addWidget(heading);
    auto* grid = new QGridLayout;
    box->addLayout(grid);
    box->addStretch();
    PageControl1->addTab(page, QString::fromUtf8(caption));
    tabs_.append({page, QString(), nullptr});
    return grid;
}

void CalculatorForm::addRow(QGridLayout* grid, int row, const char* label, const char* name,
                            const char* format, const char* hint) {
    // Inputs show their zero working value; the answer box starts empty.
    const QString initial = format ? ui::format(format, 0.0) : QString();
    QLineEdit* edit = ui::addEdit(grid, row, 0, QString::fromUtf8(label), QString::fromUtf8(name), initial);
    boxes_.insert(edit->objectName(), edit);
    if (hint) grid->addWidget(ui::makeLabel(QString::fromUtf8(hint)), row, 2);
}

void CalculatorForm::addButtons(const Buttons& buttons, const char* helpTopic, int helpContext,
                                const char* answer) {
    Built& tab = tabs_.last();
    tab.helpTopic = QString::fromUtf8(helpTopic);
    tab.answer = box(QString::fromUtf8(answer));
    const int index = int(tabs_.size()) - 1;
    const struct {
        const char* caption;
        const char* name;
        TabButton kind;
    } kinds[] = {{"Compute", buttons.compute, TabButton::Compute},
                 {buttons.printCaption, buttons.print, TabButton::Print},
                 {"Help", buttons.help, TabButton::Help}};
    auto* row = new QHBoxLayout;
    for (const auto& k : kinds) {
        QPushButton* b = ui::makeButton(QString::fromUtf8(k.caption), QString::fromUtf8(k.name), tab.page);
        connect(b, &QPushButton::clicked, this,
                [this, index, kind = k.kind] { TabButtonClick(index, kind); });
        if (k.kind == TabButton::Help && helpContext > 0) ui::setHelpContext(b, helpContext);
        row->addWidget(b);
    }
    qobject_cast<QVBoxLayout*>(tab.page->layout())->addLayout(row);
    // The page joined the form after Quit, which sits below the pages: Tab reaches Quit last.
    ui::setTabChain({row->itemAt(row->count() - 1)->widget(), Button1});
}

void CalculatorForm::name(const char* name, const char* caption) {
    ui::nameWidget(this, QString::fromUtf8(name));
    setWindowTitle(QString::fromUtf8(caption));
    ui::setFormHelpFile(this, QStringLiteral("talvero.hlp"));
}

TextOf CalculatorForm::textOf() const {
    return [this](const char* name) { return box(QString::fromUtf8(name))->text(); };
}

Converted CalculatorForm::readNumber(const QString& text) {
    try {
        return {ui::toFloat(text), QString()};
    } catch (const ui::ConvertError& e) {
        return {0, e.message()};
    }
}

void CalculatorForm::TabButtonClick(int tab, TabButton button) {
    switch (button) {
    case TabButton::Compute: {
        const Answer answer = compute_(tab);
        if (!answer.error.isEmpty())
            ui::showError(answer.error);
        else if (!answer.notice.isEmpty())
            ui::showMessage(answer.notice);
        else
            tabs_[tab].answer->setText(ui::format(kAnswerFormat, answer.value));
        break;
    }
    case TabButton::Print:
        ui::printFormImage(this);
        break;
    case TabButton::Help:
        ui::helpButton(this, tabs_[tab].helpTopic);
        break;
    }
}

void CalculatorForm::showEvent(QShowEvent* event) {
    ui::Form::showEvent(event);
    ui::centreOnScreen(this);
}

} // namespace annuity
