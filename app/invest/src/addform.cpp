#include "invest/forms.h"

#include "formsupport.h"
#include "invest/checks.h"

#include "ui/convert.h"
#include "ui/fields.h"
#include "ui/modal.h"
#include "ui/window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm20* Form20 = nullptr;
TForm21* Form21 = nullptr;

TForm20::TForm20(QWidget* parent) : ui::Form(parent) {
    ui::nameWidget(this, QStringLiteral("Form20"));
    setWindowTitle(QStringLiteral("Add Investment Fund"));
    buildNowUnlessDeferred();
}

void TForm20::buildWidgets() {
    auto* layout = new QVBoxLayout(this);
    Label1 = invest::titleLabel("Investment Fund Input", this);
    layout->addWidget(Label1);

    auto* grid = new QGridLayout;
    Edit1 = ui::addEdit(grid, 0, 0, QStringLiteral("Account Number"), QStringLiteral("Edit1"),
                        ui::format("%d", 0));
    Edit2 = ui::addEdit(grid, 1, 0, QStringLiteral("Account Name"), QStringLiteral("Edit2"),
                        QStringLiteral("Account Name"));
    Edit3 = ui::addEdit(grid, 2, 0, QStringLiteral("Current Price"), QStringLiteral("Edit3"),
                        ui::format("%5.8f", 0.0));
    Edit4 = ui::addEdit(grid, 3, 0, QStringLiteral("Total Shares "), QStringLiteral("Edit4"),
                        ui::format("%5.5f", 0.0));
    Edit5 = ui::addEdit(grid, 4, 0, QStringLiteral("Current Balance"), QStringLiteral("Edit5"),
                        ui::format("%7.2f", 0.0));
    Edit6 = ui::addEdit(grid, 5, 0, QStringLiteral("Date Opened"), QStringLiteral("Edit6"),
                        invest::dateBoxText(invest::todayDate()));
    // Made without a parent, the tick box joins the form with the grid, after the boxes above it,
    // so the form opens on the first box and Tab reaches the tick box last.
    CheckBox1 = ui::makeCheck(QStringLiteral("Allow Blank Account Data"), QStringLiteral("CheckBox1"));
    grid->addWidget(CheckBox1, 6, 1);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    Button1 = ui::makeButton(QStringLiteral("Add"), QStringLiteral("Button1"), this);
    Button2 = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button2"), this);
    Button3 = ui::makeButton(QStringLiteral("Help"), QStringLiteral("Button3"), this);
    for (QPushButton* b : {Button1, Button2, Button3})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &TForm20::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm20::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm20::Button3Click);
}

invest::AccountTexts TForm20::texts() const {
    return {Edit1->text(), Edit2->text(), Edit3->text(),          Edit4->text(),
            Edit5->text(), Edit6->text(), CheckBox1->isChecked(), invest::decimalPoints()};
}

void TForm20::Button1Click() {
    const auto outcome = invest::addAccount(texts(), invest::todayDate());
    if (outcome.notice) invest::show(*outcome.notice);
    if (outcome.closeForm) {
        reject();
        return;
    }
    if (!outcome.written) return;
    Form21->fill(*outcome.written);
    if (ui::showModal(Form21) == QDialog::Accepted) accept();
}

void TForm20::Button2Click() {
    reject();
}

void TForm20::Button3Click() {
    ui::helpButton(this, QStringLiteral("Adding_an_Investment_Account"));
}

TForm21::TForm21(QWidget* parent) : ui::Form(parent) {
    ui::nameWidget(this, QStringLiteral("Form21"));
    setWindowTitle(QStringLiteral("Form21"));
    buildNowUnlessDeferred();
}

void TForm21::buildWidgets() {
    auto* layout = new QVBoxLayout(this);
    Label1 = invest::titleLabel("Add Investment Results", this);
    layout->addWidget(Label1);

    auto* groups = new QHBoxLayout;
    GroupBox1 =
        ui::named(new QGroupBox(QStringLiteral("Add Investment Input"), this), QStringLiteral("GroupBox1"));
    auto* inputs = new QGridLayout(GroupBox1);
    const struct {
        const char* caption;
        const char* name;
        QLineEdit* TForm21::*member;
    } inputBoxes[] = {{"Account Number", "Edit1", &TForm21::Edit1},
                      {"Account Name", "Edit2", &TForm21::Edit2},
                      {"Current Price", "Edit3", &TForm21::Edit3},
                      {"Total Shares Owned", "Edit4", &TForm21::Edit4},
                      {"Current Balance", "Edit5", &TForm21::Edit5},
                      {"Transaction Date", "Edit15", &TForm21::Edit15}},
      resultBoxes[] = {
          {"Account Number", "Edit6", &TForm21::Edit6}, {"Account Name", "Edit7", &TForm21::Edit7},
          {"Current Price", "Edit8", &TForm21::Edit8},  {"Total Shares", "Edit9", &TForm21::Edit9},
          {"Total Value", "Edit10", &TForm21::Edit10},  {"Total Book Value", "Edit11", &TForm21::Edit11},
          {"Gain Dollars", "Edit12", &TForm21::Edit12}, {"Gain Percent", "Edit13", &TForm21::Edit13},
          {"Average Cost", "Edit14", &TForm21::Edit14}};
    int row = 0;
    for (const auto& box : inputBoxes)
        this->*box.member =
            ui::addAnswer(inputs, row++, 0, QString::fromLatin1(box.caption), QString::fromLatin1(box.name));
    inputs->setRowStretch(row, 1);
    groups->addWidget(GroupBox1);

    GroupBox2 =
        ui::named(new QGroupBox(QStringLiteral("Add Investment Results"), this), QStringLiteral("GroupBox2"));
    auto* results = new QGridLayout(GroupBox2);
    row = 0;
    for (const auto& box : resultBoxes)
        this->*box.member =
            ui::addAnswer(results, row++, 0, QString::fromLatin1(box.caption), QString::fromLatin1(box.name));
    groups->addWidget(GroupBox2);
    layout->addLayout(groups);

    Button1 = ui::addCentredButton(layout, QStringLiteral("OK"), QStringLiteral("Button1"), this);
    connect(Button1, &QPushButton::clicked, this, &TForm21::Button1Click);
}

void TForm21::fill(const invest::AddedAccount& added) {
    ensureBuilt();
    const invest::NewAccount& n = added.input;
    const double price = n.blank ? 0 : n.price;
    const double shares = n.blank ? 0 : n.shares;
    const double balance = n.blank ? 0 : n.balance;
    const double bookValue = n.blank ? 0 : n.shares * n.price;
    for (QLineEdit* box : {Edit1, Edit6})
        box->setText(ui::format("%d", n.ACTNO));
    for (QLineEdit* box : {Edit2, Edit7})
        box->setText(n.NAME);
    for (QLineEdit* box : {Edit3, Edit8})
        box->setText(ui::format("%7.2f", price));
    for (QLineEdit* box : {Edit4, Edit9})
        box->setText(ui::format("%7.2f", shares));
    for (QLineEdit* box : {Edit5, Edit10})
        box->setText(ui::format("%7.2f", balance));
    Edit15->setText(invest::transDate(n.date));
    Edit11->setText(ui::format("%7.2f", bookValue));
    for (QLineEdit* box : {Edit12, Edit13, Edit14})
        box->setText(ui::format("%7.2f", 0.0));
}

void TForm21::Button1Click() {
    accept();
}
