#include "annuity/forms.h"
#include "annuity/reading.h"
#include "annuity/retirement.h"
#include "formkit.h"
#include "ui/window.h"
#include "ui/fields.h"

#include "ui/help.h"
#include "ui/printing.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

TForm7* Form7 = nullptr;

using namespace annuity;

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    ui::nameWidget(this, QStringLiteral("Form7"));
    PageControl1 = kit::buildFrame(this, QStringLiteral("Retirement Annuities"), Button1);

    kit::Tab t = kit::addTab(PageControl1, QStringLiteral("Future Value with Starting Balance"),
                             QStringLiteral("Future Value of Regular Deposits with a Starting Balance"));
    Edit1 = kit::addBox(t, QStringLiteral("Starting Balance"), QStringLiteral("Edit1"));
    Edit2 = kit::addBox(t, QStringLiteral("Recurring Deposit Amount"), QStringLiteral("Edit2"));
    Edit3 = kit::addBox(t, QStringLiteral("APR"), QStringLiteral("Edit3"));
    Edit4 = kit::addBox(t, QStringLiteral("Number of Payments Per Year"), QStringLiteral("Edit4"));
    Edit5 = kit::addBox(t, QStringLiteral("Number of Years"), QStringLiteral("Edit5"));
    Edit6 = kit::addBox(t, QStringLiteral("Future Value (answer)"), QStringLiteral("Edit6"));
    kit::Buttons b =
        kit::addButtons(t, QStringLiteral("Button2"), QStringLiteral("Button3"), QStringLiteral("Button4"));
    Button2 = b.compute, Button3 = b.print, Button4 = b.help;

    t = kit::addTab(PageControl1, QStringLiteral("Time Value of Withdrawals"),
                    QStringLiteral("Time Value of Withdrawals given a Starting Balance"));
    Edit7 = kit::addBox(t, QStringLiteral("Starting Balance"), QStringLiteral("Edit7"));
    Edit8 = kit::addBox(t, QStringLiteral("Recurring Withdrawal Amount"), QStringLiteral("Edit8"));
    Edit9 = kit::addBox(t, QStringLiteral("APR"), QStringLiteral("Edit9"));
    Edit10 = kit::addBox(t, QStringLiteral("Withdrawals Per Year"), QStringLiteral("Edit10"));
    Edit11 = kit::addBox(t, QStringLiteral("Number of Years (answer)"), QStringLiteral("Edit11"));
    b = kit::addButtons(t, QStringLiteral("Button5"), QStringLiteral("Button6"), QStringLiteral("Button7"));
    Button5 = b.compute, Button6 = b.print, Button7 = b.help;

    t = kit::addTab(PageControl1, QStringLiteral("Effective Periodic Rate"),
                    QStringLiteral("Effective Interest Rate Considering Periodic Compounding"));
    Edit12 = kit::addBox(t, QStringLiteral("APR"), QStringLiteral("Edit12"));
    Edit13 = kit::addBox(t, QStringLiteral("Number of Compounding Periods"), QStringLiteral("Edit13"));
    Edit14 = kit::addBox(t, QStringLiteral("Effective Periodic Rate (answer)"), QStringLiteral("Edit14"));
    b = kit::addButtons(t, QStringLiteral("Button8"), QStringLiteral("Button9"), QStringLiteral("Button10"));
    Button8 = b.compute, Button9 = b.print, Button10 = b.help;

    t = kit::addTab(PageControl1, QStringLiteral("Effective Continuous Rate"),
                    QStringLiteral("Effective Interest Rate considering Continuous Compounding"));
    Edit15 = kit::addBox(t, QStringLiteral("APR"), QStringLiteral("Edit15"));
    Edit16 = kit::addBox(t, QStringLiteral("Effective Periodic Rate (answer)"), QStringLiteral("Edit16"));
    b = kit::addButtons(t, QStringLiteral("Button11"), QStringLiteral("Button12"),
                        QStringLiteral("Button13"));
    Button11 = b.compute, Button12 = b.print, Button13 = b.help;

    QPushButton* const buttons[] = {Button1, Button2, Button3,  Button4,  Button5,  Button6, Button7,
                                    Button8, Button9, Button10, Button11, Button12, Button13};
    void (TForm7::*const handlers[])() = {
        &TForm7::Button1Click, &TForm7::Button2Click,  &TForm7::Button3Click,  &TForm7::Button4Click,
        &TForm7::Button5Click, &TForm7::Button6Click,  &TForm7::Button7Click,  &TForm7::Button8Click,
        &TForm7::Button9Click, &TForm7::Button10Click, &TForm7::Button11Click, &TForm7::Button12Click,
        &TForm7::Button13Click};
    for (int k = 0; k < 13; ++k)
        connect(buttons[k], &QPushButton::clicked, this, handlers[k]);

    ui::setFormHelpFile(this, QStringLiteral("talvero.hlp"));
    ui::installContextHelp(this, 5);

    FormCreate();
}

void TForm7::FormCreate() {
    for (QLineEdit* e : findChildren<QLineEdit*>())
        e->clear();
    for (QLineEdit* e : {Edit1, Edit7, Edit2, Edit8, Edit3, Edit9, Edit12, Edit15})
        e->setText(kit::zeroMoney());
    for (QLineEdit* e : {Edit4, Edit10, Edit13, Edit5})
        e->setText(kit::zeroCount());
}

void TForm7::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui::centreOnScreen(this);
}

void TForm7::ReadInputs(int tabIndex) {
    tab = tabIndex;
    bool ok = false;
    switch (tab) {
    case 0:
        ok = kit::readFields(
            {{Edit1, &startBalance}, {Edit2, &amount}, {Edit3, &rate}, {Edit4, &perYear}, {Edit5, &years}},
            kRequiredField);
        break;
    case 1:
        ok = kit::readFields({{Edit7, &startBalance}, {Edit8, &amount}, {Edit9, &rate}, {Edit10, &perYear}},
                             kRequiredField);
        break;
    case 2:
        ok = kit::readFields({{Edit12, &rate}, {Edit13, &perYear}}, kRequiredField);
        break;
    default:
        ok = kit::readFields({{Edit15, &rate}}, kRequiredApr);
        break;
    }
    if (!ok) failed = 1;
}

void TForm7::Compute(int tabIndex) {
    ReadInputs(tabIndex);
    if (failed) {
        failed = 0;
        return;
    }
    Answer answer;
    QLineEdit* box = nullptr;
    switch (tab) {
    case 0:
        periods = perYear * years;
        balance = 0;
        answer = futureValueWithStart(startBalance, amount, rate, perYear, years);
        box = Edit6;
        break;
    case 1:
        years = 0;
        balance = 0;
        answer = yearsOfWithdrawals(startBalance, amount, rate, perYear);
        box = Edit11;
        break;
    case 2:
        answer = effectivePeriodicRate(rate, perYear);
        box = Edit14;
        break;
    default:
        answer = effectiveContinuousRate(rate);
        box = Edit16;
        break;
    }
    if (!kit::showAnswer(answer, box)) return;
    if (tab == 1)
        years = answer.value;
    else
        balance = answer.value;
}

void TForm7::Button1Click() {
    close();
}

void TForm7::Button2Click() {
    Compute(0);
}
void TForm7::Button5Click() {
    Compute(1);
}
void TForm7::Button8Click() {
    Compute(2);
}
void TForm7::Button11Click() {
    Compute(3);
}

void TForm7::Button3Click() {
    ui::printFormImage(this);
}
void TForm7::Button6Click() {
    ui::printFormImage(this);
}
void TForm7::Button9Click() {
    ui::printFormImage(this);
}
void TForm7::Button12Click() {
    ui::printFormImage(this);
}

void TForm7::Button4Click() {
    ui::helpButton(
        this, QStringLiteral("Calculating_the_Future_Value_of_Regular_Deposits_with_a_Starting_Balance"));
}
void TForm7::Button7Click() {
    ui::helpButton(this, QStringLiteral("Calculating_the_Time_Value_of_Withdrawals"));
}
void TForm7::Button10Click() {
    ui::helpButton(this, QStringLiteral("Calculating_the_Effective_Periodic_Rate"));
}
void TForm7::Button13Click() {
    ui::helpButton(
        this, QStringLiteral("Calculating_the_Effective_Interest_Rate_Considering_Continuous_Compounding"));
}
