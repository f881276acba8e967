#include "invest/revalueform.h"

#include "formsupport.h"
#include "invest/statusform.h"
#include "ui/convert.h"
#include "ui/fields.h"
#include "ui/window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm25* Form25 = nullptr;

TForm25::TForm25(QWidget* parent) : AccountForm(parent) {
    ui::nameWidget(this, QStringLiteral("Form25"));
    setWindowTitle(QStringLiteral("Revalue Investment Anaylsis"));
    started_ = invest::todayDate();
    buildNowUnlessDeferred();
}

void TForm25::buildWidgets() {
    resize(640, 540);
    auto* layout = new QVBoxLayout(this);
    Label1 = invest::titleLabel("Revalue Investment Analysis", this);
    layout->addWidget(Label1);

    auto* groups = new QHBoxLayout;
    GroupBox1 =
        ui::named(new QGroupBox(QStringLiteral("Selection/Input"), this), QStringLiteral("GroupBox1"));
    auto* selection = new QGridLayout(GroupBox1);
    addSelection(selection, DBText2, QStringLiteral("DBText2"), DBText1, QStringLiteral("DBText1"));
    Edit17 = ui::addEdit(selection, 3, 0, QStringLiteral("Revalue Price"), QStringLiteral("Edit17"));
    addSelectNote(selection, 4);
    groups->addWidget(GroupBox1);

    GroupBox2 = ui::named(new QGroupBox(QStringLiteral("Results"), this), QStringLiteral("GroupBox2"));
    auto* results = new QGridLayout(GroupBox2);
    int row = 0;
    Edit1 = ui::addAnswer(results, row++, 0, QStringLiteral("Total Shares"), QStringLiteral("Edit1"));
    Edit2 = ui::addAnswer(results, row++, 0, QStringLiteral("Current Price"), QStringLiteral("Edit2"));
    Edit11 = ui::addAnswer(results, row++, 0, QStringLiteral("Balance"), QStringLiteral("Edit11"));
    Edit12 = ui::addAnswer(results, row++, 0, QStringLiteral("Gain/Loss Dollars"), QStringLiteral("Edit12"));
    Edit13 = ui::addAnswer(results, row++, 0, QStringLiteral("Gain/Loss Percent"), QStringLiteral("Edit13"));
    Edit14 =
        ui::addAnswer(results, row++, 0, QStringLiteral("Average Cost Per Share"), QStringLiteral("Edit14"));
    Edit15 = ui::addTextAnswer(results, row++, 0, QStringLiteral("Last Transaction Date"),
                               QStringLiteral("Edit15"));
    Edit16 = ui::addAnswer(results, row++, 0, QStringLiteral("Total Cost"), QStringLiteral("Edit16"));
    Edit3 = ui::addTextAnswer(results, row++, 0, QStringLiteral("Revalue Status"), QStringLiteral("Edit3"));
    groups->addWidget(GroupBox2, 1);
    layout->addLayout(groups, 1);

    auto* buttons = new QHBoxLayout;
    Button4 = ui::makeButton(QStringLiteral("Query"), QStringLiteral("Button4"), this);
    Button1 = ui::makeButton(QStringLiteral("What If?"), QStringLiteral("Button1"), this);
    Button2 = ui::makeButton(QStringLiteral("Post"), QStringLiteral("Button2"), this);
    Button5 = ui::makeButton(QStringLiteral("View History"), QStringLiteral("Button5"), this);
    Button3 = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button3"), this);
    Button6 = ui::makeButton(QStringLiteral("Help"), QStringLiteral("Button6"), this);
    for (QPushButton* b : {Button4, Button1, Button2, Button5, Button3, Button6})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &TForm25::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm25::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm25::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm25::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm25::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm25::Button6Click);

    Edit1->setText(ui::format("%5.3f", 0.0));
    for (QLineEdit* box : {Edit2, Edit11, Edit12, Edit13, Edit14, Edit16, Edit17})
        box->setText(ui::format("%5.2f", 0.0));
    Edit15->setText(invest::dateBoxText({0, 0, 0}));
    Edit3->setText(QStringLiteral("None"));
}

TForm25::~TForm25() = default;

invest::RevalueTexts TForm25::texts() const {
    return {DBLookupListBox1->selectedText(), Edit17->text(), invest::decimalPoints()};
}

void TForm25::activate() {
    Edit3->setText(QStringLiteral("None"));
    refreshAccounts();
}

void TForm25::showFigures(const invest::Figures& figures) {
    const invest::FigureTexts f = invest::figureTexts(figures);
    Edit1->setText(f.shares);
    Edit2->setText(f.price);
    Edit11->setText(f.value);
    Edit12->setText(f.gain);
    Edit13->setText(f.gainRatio);
    Edit14->setText(f.averageCost);
    Edit16->setText(f.bookValue);
}

void TForm25::run(invest::RevalueCommand command) {
    const invest::RevalueOutcome outcome = invest::revalue(texts(), command, started_);
    if (outcome.shown) {
        showFigures(outcome.shown->figures);
        Edit3->setText(QStringLiteral("What If"));
    }
    if (outcome.lastDate) Edit15->setText(*outcome.lastDate);
    if (outcome.posted) Edit3->setText(QStringLiteral("Posted"));
    for (const invest::Notice& notice : outcome.notices)
        invest::show(notice);
    if (outcome.shown) refreshAccounts();
}

void TForm25::Button1Click() {
    run(invest::RevalueCommand::WhatIf);
}

void TForm25::Button2Click() {
    run(invest::RevalueCommand::Post);
}

void TForm25::Button3Click() {
    quit();
}

void TForm25::Button4Click() {
    const invest::AccountStatus status = invest::queryStatus(DBLookupListBox1->selectedText());
    if (status.account) {
        showFigures(invest::figuresOf(*status.account));
        Edit3->setText(QStringLiteral("Query"));
    }
    if (status.lastDate) Edit15->setText(*status.lastDate);
    for (const invest::Notice& notice : status.notices)
        invest::show(notice);
    if (status.account) refreshAccounts();
}

void TForm25::Button5Click() {
    viewHistory(Form26);
}

void TForm25::Button6Click() {
    ui::helpButton(this, QStringLiteral("Revaluing_an_Investment_Account"));
}
