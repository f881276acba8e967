#include "annuity/forms.h"
#include "annuity/investment.h"
#include "annuity/reading.h"
#include "formkit.h"
#include "ui/window.h"
#include "ui/fields.h"

#include "ui/help.h"
#include "ui/printing.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

TForm6* Form6 = nullptr;

using namespace annuity;

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
    ui::nameWidget(this, QStringLiteral("Form6"));
    PageControl1 = kit::buildFrame(this, QStringLiteral("Investment Annuities"), Button1);

    kit::Tab t = kit::addTab(PageControl1, QStringLiteral("FV Single Deposit"),
                             QStringLiteral("Future Value of a Single Deposit"));
    Edit1 = kit::addBox(t, QStringLiteral("FV of what amount ?"), QStringLiteral("Edit1"));
    Edit2 = kit::addBox(t, QStringLiteral("APR"), QStringLiteral("Edit2"));
    Edit3 = kit::addBox(t, QStringLiteral("Interest Payments per Year"), QStringLiteral("Edit3"));
    Edit4 = kit::addBox(t, QStringLiteral("Number of Years"), QStringLiteral("Edit4"));
    Edit5 = kit::addBox(t, QStringLiteral("Future Value (answer)"), QStringLiteral("Edit5"));
    kit::Buttons b =
        kit::addButtons(t, QStringLiteral("Button2"), QStringLiteral("Button3"), QStringLiteral("Button4"));
    Button2 = b.compute, Button3 = b.print, Button4 = b.help;

    t = kit::addTab(PageControl1, QStringLiteral("FV Regular Deposits"),
                    QStringLiteral("Future Value of Regular Deposits"));
    Edit6 = kit::addBox(t, QStringLiteral("FV of what amount ?"), QStringLiteral("Edit6"));
    Edit7 = kit::addBox(t, QStringLiteral("APR"), QStringLiteral("Edit7"));
    Edit8 = kit::addBox(t, QStringLiteral("Number of Payments per Year"), QStringLiteral("Edit8"));
    Edit9 = kit::addBox(t, QStringLiteral("Number of Years"), QStringLiteral("Edit9"));
    Edit10 = kit::addBox(t, QStringLiteral("Future Value (answer)"), QStringLiteral("Edit10"));
    b = kit::addButtons(t, QStringLiteral("Button5"), QStringLiteral("Button6"), QStringLiteral("Button7"));
    Button5 = b.compute, Button6 = b.print, Button7 = b.help;

    t = kit::addTab(PageControl1, QStringLiteral("PV Single Deposit"),
                    QStringLiteral("Present Value of a Single Deposit"));
    Edit11 = kit::addBox(t, QStringLiteral("PV of what amount ?"), QStringLiteral("Edit11"));
    Edit12 = kit::addBox(t, QStringLiteral("APR"), QStringLiteral("Edit12"));
    Edit13 = kit::addBox(t, QStringLiteral("Interest Payments per Year"), QStringLiteral("Edit13"));
    Edit14 = kit::addBox(t, QStringLiteral("Number of Years"), QStringLiteral("Edit14"));
    Edit15 = kit::addBox(t, QStringLiteral("Present Value (answer)"), QStringLiteral("Edit15"));
    b = kit::addButtons(t, QStringLiteral("Button8"), QStringLiteral("Button9"), QStringLiteral("Button10"));
    Button8 = b.compute, Button9 = b.print, Button10 = b.help;

    t = kit::addTab(PageControl1, QStringLiteral("PV Regular Deposits"),
                    QStringLiteral("Present Value of Regular Deposits"));
    Edit16 = kit::addBox(t, QStringLiteral("Regular Deposit Amount"), QStringLiteral("Edit16"));
    Edit17 = kit::addBox(t, QStringLiteral("APR"), QStringLiteral("Edit17"));
    Edit18 = kit::addBox(t, QStringLiteral("Number of Payments per Year"), QStringLiteral("Edit18"));
    Edit19 = kit::addBox(t, QStringLiteral("Number of Years"), QStringLiteral("Edit19"));
    Edit20 = kit::addBox(t, QStringLiteral("Present Value of Deposits (answer)"), QStringLiteral("Edit20"));
    b = kit::addButtons(t, QStringLiteral("Button11"), QStringLiteral("Button12"),
                        QStringLiteral("Button13"));
    Button11 = b.compute, Button12 = b.print, Button13 = b.help;

    t = kit::addTab(PageControl1, QStringLiteral("IRR"), QStringLiteral("Internal Rate of Return"));
    Edit21 = kit::addBox(t, QStringLiteral("Value at Start of Period"), QStringLiteral("Edit21"));
    Edit22 = kit::addBox(t, QStringLiteral("Value at End of Period"), QStringLiteral("Edit22"));
    Edit23 = kit::addBox(t, QStringLiteral("Investment Period in Years"), QStringLiteral("Edit23"));
    Edit24 = kit::addBox(t, QStringLiteral("Internal Rate of Return (answer)"), QStringLiteral("Edit24"));
    b = kit::addButtons(t, QStringLiteral("Button14"), QStringLiteral("Button15"),
                        QStringLiteral("Button16"));
    Button14 = b.compute, Button15 = b.print, Button16 = b.help;

    QPushButton* const buttons[] = {Button1,  Button2,  Button3,  Button4,  Button5,  Button6,
                                    Button7,  Button8,  Button9,  Button10, Button11, Button12,
                                    Button13, Button14, Button15, Button16};
    void (TForm6::*const handlers[])() = {
        &TForm6::Button1Click,  &TForm6::Button2Click,  &TForm6::Button3Click,  &TForm6::Button4Click,
        &TForm6::Button5Click,  &TForm6::Button6Click,  &TForm6::Button7Click,  &TForm6::Button8Click,
        &TForm6::Button9Click,  &TForm6::Button10Click, &TForm6::Button11Click, &TForm6::Button12Click,
        &TForm6::Button13Click, &TForm6::Button14Click, &TForm6::Button15Click, &TForm6::Button16Click};
    for (int k = 0; k < 16; ++k)
        connect(buttons[k], &QPushButton::clicked, this, handlers[k]);

    ui::setFormHelpFile(this, QStringLiteral("talvero.hlp"));
    ui::setHelpContext(Button4, 33);
    ui::setHelpContext(Button7, 32);
    ui::setHelpContext(Button13, 30);
    ui::setHelpContext(Button16, 29);
    ui::installContextHelp(this, 4);

    FormCreate();
}

void TForm6::FormCreate() {
    for (QLineEdit* e : findChildren<QLineEdit*>())
        e->clear();
    for (QLineEdit* e : {Edit1, Edit6, Edit11, Edit16, Edit22, Edit2, Edit7, Edit12, Edit17, Edit21})
        e->setText(kit::zeroMoney());
    for (QLineEdit* e : {Edit3, Edit8, Edit13, Edit18, Edit4, Edit9, Edit14, Edit19, Edit23})
        e->setText(kit::zeroCount());
}

void TForm6::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui::centreOnScreen(this);
}

void TForm6::ReadInputs(int tabIndex) {
    tab = tabIndex;
    bool ok = false;
    switch (tab) {
    case 0:
        ok = kit::readFields({{Edit1, &amount}, {Edit2, &rate}, {Edit3, &perYear}, {Edit4, &years}},
                             kRequiredField);
        break;
    case 1:
        ok = kit::readFields({{Edit6, &amount}, {Edit7, &rate}, {Edit8, &perYear}, {Edit9, &years}},
                             kRequiredField);
        break;
    case 2:
        ok = kit::readFields({{Edit11, &amount}, {Edit12, &rate}, {Edit13, &perYear}, {Edit14, &years}},
                             kRequiredField);
        break;
    case 3:
        ok = kit::readFields({{Edit16, &amount}, {Edit17, &rate}, {Edit18, &perYear}, {Edit19, &years}},
                             kRequiredField);
        break;
    default:
        ok = kit::readFields({{Edit21, &startValue}, {Edit22, &amount}, {Edit23, &years}}, kRequiredField);
        break;
    }
    if (!ok) failed = 1;
}

void TForm6::Compute(int tabIndex) {
    ReadInputs(tabIndex);
    if (failed) {
        failed = 0;
        return;
    }
    periods = 0;
    result = 0;
    periods = perYear * years;
    Answer answer;
    QLineEdit* box = nullptr;
    switch (tab) {
    case 0:
        answer = fvSingleDeposit(amount, rate, perYear, years);
        box = Edit5;
        break;
    case 1:
        answer = fvRegularDeposits(amount, rate, perYear, years);
        box = Edit10;
        break;
    case 2:
        answer = pvSingleDeposit(amount, rate, perYear, years);
        box = Edit15;
        break;
    case 3:
        answer = pvRegularDeposits(amount, rate, perYear, years);
        box = Edit20;
        break;
    default:
        answer = growthRate(startValue, amount, years);
        box = Edit24;
        break;
    }
    if (kit::showAnswer(answer, box)) result = answer.value;
}

void TForm6::Button1Click() {
    close();
}

void TForm6::Button2Click() {
    Compute(0);
}
void TForm6::Button5Click() {
    Compute(1);
}
void TForm6::Button8Click() {
    Compute(2);
}
void TForm6::Button11Click() {
    Compute(3);
}
void TForm6::Button14Click() {
    Compute(4);
}

void TForm6::Button3Click() {
    ui::printFormImage(this);
}
void TForm6::Button6Click() {
    ui::printFormImage(this);
}
void TForm6::Button9Click() {
    ui::printFormImage(this);
}
void TForm6::Button12Click() {
    ui::printFormImage(this);
}
void TForm6::Button15Click() {
    ui::printFormImage(this);
}

void TForm6::Button4Click() {
    ui::helpButton(this, QStringLiteral("Calculating_the_Future_Value_of_a_Single_Deposit"));
}
void TForm6::Button7Click() {
    ui::helpButton(this, QStringLiteral("Calculating_the_Future_Value_of_a_Regular_Deposit"));
}
void TForm6::Button10Click() {
    ui::helpButton(this, QStringLiteral("Calculating_the_Present_Value_of_a_Single_Deposit"));
}
void TForm6::Button13Click() {
    ui::helpButton(this, QStringLiteral("Calculating_the_Present_Value_of_a_Regular_Deposit"));
}
void TForm6::Button16Click() {
    ui::helpButton(this, QStringLiteral("Calculating_the_Internal_Rate_of_Return"));
}
