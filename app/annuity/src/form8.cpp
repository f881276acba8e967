#include "annuity/business.h"
#include "annuity/forms.h"
#include "annuity/reading.h"
#include "formkit.h"
#include "ui/window.h"

#include "ui/fields.h"
#include "ui/help.h"
#include "ui/printing.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

TForm8* Form8 = nullptr;

using namespace annuity;

TForm8::TForm8(QWidget* parent) : QDialog(parent) {
    ui::nameWidget(this, QStringLiteral("Form8"));
    PageControl1 = kit::buildFrame(this, QStringLiteral("Business Retailing Calculations"), Button1);

    kit::Tab t = kit::addTab(PageControl1, QStringLiteral("Percent Change"),
                             QStringLiteral("Calculate Percentage Change"));
    Edit1 = kit::addBox(t, QStringLiteral("Old Value"), QStringLiteral("Edit1"));
    Edit2 = kit::addBox(t, QStringLiteral("New Value"), QStringLiteral("Edit2"));
    Edit3 = kit::addBox(t, QStringLiteral("Percentage Change (answer)"), QStringLiteral("Edit3"));
    kit::Buttons b = kit::addButtons(t, QStringLiteral("Button2"), QStringLiteral("Button3"),
                                     QStringLiteral("Button4"), QStringLiteral("Print"));
    Button2 = b.compute, Button3 = b.print, Button4 = b.help;

    // The partial amount stands above the total and is read first.
    t = kit::addTab(PageControl1, QStringLiteral("Percent of Total"),
                    QStringLiteral("Calculate Percent of Total Amount"));
    Edit4 = kit::addBox(t, QStringLiteral("Partial Amount"), QStringLiteral("Edit4"));
    Edit5 = kit::addBox(t, QStringLiteral("Total Amount"), QStringLiteral("Edit5"));
    Edit6 = kit::addBox(t, QStringLiteral("Percent of Total (answer)"), QStringLiteral("Edit6"));
    b = kit::addButtons(t, QStringLiteral("Button5"), QStringLiteral("Button6"), QStringLiteral("Button7"),
                        QStringLiteral("Print"));
    Button5 = b.compute, Button6 = b.print, Button7 = b.help;

    t = kit::addTab(PageControl1, QStringLiteral("Markup Over Cost"),
                    QStringLiteral("Markup Percentage of Cost"));
    Edit7 = kit::addBox(t, QStringLiteral("Price of Item"), QStringLiteral("Edit7"));
    Edit8 = kit::addBox(t, QStringLiteral("Cost of Item"), QStringLiteral("Edit8"));
    Edit9 = kit::addBox(t, QStringLiteral("Markup Percent of Cost (answer)"), QStringLiteral("Edit9"));
    b = kit::addButtons(t, QStringLiteral("Button8"), QStringLiteral("Button9"), QStringLiteral("Button10"));
    Button8 = b.compute, Button9 = b.print, Button10 = b.help;

    t = kit::addTab(PageControl1, QStringLiteral("Markup Over Price"),
                    QStringLiteral("Markup Percentage of Price"));
    Edit10 = kit::addBox(t, QStringLiteral("Price of Item"), QStringLiteral("Edit10"));
    Edit11 = kit::addBox(t, QStringLiteral("Cost of Item"), QStringLiteral("Edit11"));
    Edit12 = kit::addBox(t, QStringLiteral("Markup Percent of Price (answer)"), QStringLiteral("Edit12"));
    b = kit::addButtons(t, QStringLiteral("Button11"), QStringLiteral("Button12"),
                        QStringLiteral("Button13"));
    Button11 = b.compute, Button12 = b.print, Button13 = b.help;

    t = kit::addTab(PageControl1, QStringLiteral("Markup Percent"),
                    QStringLiteral("Price Considering Percentage Markup"));
    Edit13 = kit::addBox(t, QStringLiteral("Price of Item"), QStringLiteral("Edit13"));
    Edit14 = kit::addBox(t, QStringLiteral("Markup Percentage"), QStringLiteral("Edit14"));
    t.grid->addWidget(ui::makeLabel(QStringLiteral("Use decimal value (25% = .25)")), t.rows - 1, 2);
    Edit15 = kit::addBox(t, QStringLiteral("Price with Markup (answer)"), QStringLiteral("Edit15"));
    b = kit::addButtons(t, QStringLiteral("Button14"), QStringLiteral("Button15"),
                        QStringLiteral("Button16"));
    Button14 = b.compute, Button15 = b.print, Button16 = b.help;

    QPushButton* const buttons[] = {Button1,  Button2,  Button3,  Button4,  Button5,  Button6,
                                    Button7,  Button8,  Button9,  Button10, Button11, Button12,
                                    Button13, Button14, Button15, Button16};
    void (TForm8::*const handlers[])() = {
        &TForm8::Button1Click,  &TForm8::Button2Click,  &TForm8::Button3Click,  &TForm8::Button4Click,
        &TForm8::Button5Click,  &TForm8::Button6Click,  &TForm8::Button7Click,  &TForm8::Button8Click,
        &TForm8::Button9Click,  &TForm8::Button10Click, &TForm8::Button11Click, &TForm8::Button12Click,
        &TForm8::Button13Click, &TForm8::Button14Click, &TForm8::Button15Click, &TForm8::Button16Click};
    for (int k = 0; k < 16; ++k)
        connect(buttons[k], &QPushButton::clicked, this, handlers[k]);

    ui::setFormHelpFile(this, QStringLiteral("talvero.hlp"));
    ui::installContextHelp(this, 6);

    FormCreate();
}

void TForm8::FormCreate() {
    for (QLineEdit* e : findChildren<QLineEdit*>())
        e->clear();
    for (QLineEdit* e : {Edit1, Edit5, Edit7, Edit10, Edit13, Edit2, Edit4, Edit8, Edit11, Edit14})
        e->setText(kit::zeroMoney());
}

void TForm8::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui::centreOnScreen(this);
}

void TForm8::ReadInputs(int tabIndex) {
    tab = tabIndex;
    bool ok = false;
    switch (tab) {
    case 0:
        ok = kit::readFields({{Edit1, &A}, {Edit2, &B}}, kRequiredField);
        break;
    case 1:
        ok = kit::readFields({{Edit4, &B}, {Edit5, &A}}, kRequiredField);
        break;
    case 2:
        ok = kit::readFields({{Edit7, &A}, {Edit8, &B}}, kRequiredField);
        break;
    case 3:
        ok = kit::readFields({{Edit10, &A}, {Edit11, &B}}, kRequiredField);
        break;
    default:
        ok = kit::readFields({{Edit13, &A}, {Edit14, &B}}, kRequiredField);
        break;
    }
    if (!ok) failed = 1;
}

void TForm8::Compute(int tabIndex) {
    ReadInputs(tabIndex);
    if (failed) {
        failed = 0;
        return;
    }
    Answer answer;
    QLineEdit* box = nullptr;
    switch (tab) {
    case 0:
        answer = percentChange(A, B);
        box = Edit3;
        break;
    case 1:
        answer = percentOfTotal(A, B);
        box = Edit6;
        break;
    case 2:
        answer = markupOfCost(A, B);
        box = Edit9;
        break;
    case 3:
        answer = markupOfPrice(A, B);
        box = Edit12;
        break;
    default:
        answer = priceWithMarkup(A, B);
        box = Edit15;
        break;
    }
    if (kit::showAnswer(answer, box)) result = answer.value;
}

void TForm8::Button1Click() {
    close();
}

void TForm8::Button2Click() {
    Compute(0);
}
void TForm8::Button5Click() {
    Compute(1);
}
void TForm8::Button8Click() {
    Compute(2);
}
void TForm8::Button11Click() {
    Compute(3);
}
void TForm8::Button14Click() {
    Compute(4);
}

void TForm8::Button3Click() {
    ui::printFormImage(this);
}
void TForm8::Button6Click() {
    ui::printFormImage(this);
}
void TForm8::Button9Click() {
    ui::printFormImage(this);
}
void TForm8::Button12Click() {
    ui::printFormImage(this);
}
void TForm8::Button15Click() {
    ui::printFormImage(this);
}

void TForm8::Button4Click() {
    ui::helpButton(this, QStringLiteral("Calculating_the_Percent_Change"));
}
void TForm8::Button7Click() {
    ui::helpButton(this, QStringLiteral("Calculating_the_Percent_of_Total"));
}
void TForm8::Button10Click() {
    ui::helpButton(this, QStringLiteral("Calculating_the_Markup_Percentage_of_Cost"));
}
void TForm8::Button13Click() {
    ui::helpButton(this, QStringLiteral("Calculating_the_Markup_Percentage_of_Price"));
}
void TForm8::Button16Click() {
    ui::helpButton(this, QStringLiteral("Calculating_the_Price_Considering_Percentage_Markup"));
}
