#include "loan/inputform.h"

#include "loan/dialogs.h"
#include "loan/formpages.h"

#include "ui/fields.h"
#include "ui/modal.h"
#include "ui/window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace loan {

InputForm::InputForm(QWidget* parent, const char* name, const char* caption, const char* helpTopic,
                     Dialogs dialogs)
    : ui::Form(parent), helpTopic_(helpTopic), dialogs_(dialogs) {
    ui::nameWidget(this, QString::fromLatin1(name));
    setWindowTitle(QString::fromLatin1(caption));
}

void InputForm::frameWithPages(const QString& heading, int helpContext) {
    heading_ = heading;
    helpContext_ = helpContext;
    buildNowUnlessDeferred();
}

void InputForm::buildWidgets() {
    const InputFormFrame frame = buildInputFormFrame(this, heading_, [this](QTabWidget* pages) {
        PageControl1 = pages;
        buildPages();
    });
    Label1 = frame.Label1;
    GroupBox1 = frame.GroupBox1;
    Button1 = frame.Button1, Button2 = frame.Button2, Button3 = frame.Button3;
    Button4 = frame.Button4, Button5 = frame.Button5, Button6 = frame.Button6;
    connectFrameButtons(this, frame);
    ui::installContextHelp(this, helpContext_);
}

QVBoxLayout* InputForm::makeSheet(const char* sheetName, const char* heading, QWidget*& sheet) {
    sheet = ui::named(new QWidget, QString::fromLatin1(sheetName));
    auto* pageLayout = new QVBoxLayout(sheet);
    auto* label = ui::makeLabel(QString::fromLatin1(heading), QString(), sheet);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    pageLayout->addWidget(label);
    return pageLayout;
}

void InputForm::showEvent(QShowEvent* event) {
    ui::Form::showEvent(event);
    ui::centreOnScreen(this);
}

void InputForm::Button1Click() {
    ui::showModal(*dialogs_.fees);
}
void InputForm::Button2Click() {
    ui::showModal(*dialogs_.insurance);
}
void InputForm::Button3Click() {
    ui::showModal(*dialogs_.annualFees);
}
void InputForm::showInputsAndCompute(const std::map<std::string, std::string>& texts,
                                     const std::function<QLineEdit*(const char* name)>& edit,
                                     QComboBox* flagList, int flag) {
    PageControl1->setCurrentIndex(0);
    for (const auto& [name, text] : texts)
        if (QLineEdit* e = edit(name.c_str())) e->setText(QString::fromStdString(text));
    if (flagList) flagList->setCurrentIndex(flag);
    for (FactorDialog* dialog :
         {static_cast<FactorDialog*>(*dialogs_.fees), static_cast<FactorDialog*>(*dialogs_.insurance),
          static_cast<FactorDialog*>(*dialogs_.annualFees)})
        if (dialog) dialog->reload();
    Button4Click();
}

void InputForm::Button5Click() {
    close();
}
void InputForm::Button6Click() {
    ui::helpButton(this, QString::fromLatin1(helpTopic_));
}

} // namespace loan
