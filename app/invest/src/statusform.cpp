#include "invest/statusform.h"

#include "charts/chartmodule.h"
#include "db/connection.h"
#include "db/error.h"
#include "formsupport.h"
#include "invest/accountchart.h"
#include "invest/returns.h"
#include "invest/status.h"
#include "ui/fields.h"
#include "ui/messages.h"
#include "ui/printing.h"
#include "ui/window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm24* Form24 = nullptr;
TForm26* Form26 = nullptr;
TForm27* Form27 = nullptr;

namespace {

// clang-format off
const invest::HistoryTexts kViewerTexts[] = {
    {"Account Transaction History", "Account Transaction History", "Account Transaction History Detail ", "Accout No"},
    {"Transaction Posting Results", "Account Transaction History", "Account Transaction History Detail ", "Accout No"},
};
// clang-format on

} // namespace

TForm24::TForm24(QWidget* parent) : AccountForm(parent) {
    ui::nameWidget(this, QStringLiteral("Form24"));
    setWindowTitle(QStringLiteral("Account Summary Status"));
    buildNowUnlessDeferred();
}

void TForm24::buildWidgets() {
    resize(640, 520);
    auto* layout = new QVBoxLayout(this);
    Label1 = invest::titleLabel("Account Summary Current Status", this);
    layout->addWidget(Label1);

    auto* groups = new QHBoxLayout;
    GroupBox1 =
        ui::named(new QGroupBox(QStringLiteral("Query Selection"), this), QStringLiteral("GroupBox1"));
    auto* selection = new QGridLayout(GroupBox1);
    addSelection(selection, DBText1, QStringLiteral("DBText1"), DBText2, QStringLiteral("DBText2"));
    addSelectNote(selection, 3);
    groups->addWidget(GroupBox1);

    GroupBox2 = ui::named(new QGroupBox(QStringLiteral("Query Results"), this), QStringLiteral("GroupBox2"));
    auto* results = new QGridLayout(GroupBox2);
    int row = 0;
    Edit1 = ui::addAnswer(results, row++, 0, QStringLiteral("Fund Number"), QStringLiteral("Edit1"));
    Edit2 = ui::addTextAnswer(results, row++, 0, QStringLiteral("Name"), QStringLiteral("Edit2"));
    Edit3 = ui::addAnswer(results, row++, 0, QStringLiteral("Total Shares"), QStringLiteral("Edit3"));
    Edit4 = ui::addAnswer(results, row++, 0, QStringLiteral("Current Price"), QStringLiteral("Edit4"));
    Edit5 = ui::addAnswer(results, row++, 0, QStringLiteral("Current Balance"), QStringLiteral("Edit5"));
    Edit6 = ui::addAnswer(results, row++, 0, QStringLiteral("Gain/Loss Dollars"), QStringLiteral("Edit6"));
    Edit7 = ui::addAnswer(results, row++, 0, QStringLiteral("Gain/Loss Percent"), QStringLiteral("Edit7"));
    Edit8 =
        ui::addAnswer(results, row++, 0, QStringLiteral("Average Cost Per Share"), QStringLiteral("Edit8"));
    Edit10 = ui::addAnswer(results, row++, 0, QStringLiteral("Total Cost"), QStringLiteral("Edit10"));
    Edit9 = ui::addTextAnswer(results, row++, 0, QStringLiteral("Last Transaction Date"),
                              QStringLiteral("Edit9"));
    groups->addWidget(GroupBox2, 1);
    layout->addLayout(groups, 1);

    GroupBox3 = ui::named(new QGroupBox(QStringLiteral("Returns"), this), QStringLiteral("GroupBox3"));
    auto* returns = new QGridLayout(GroupBox3);
    Edit11 = ui::addEdit(returns, 0, 0, QStringLiteral("As Of Date"), QStringLiteral("Edit11"),
                         invest::dateBoxText(invest::todayDate()), QString(), ui::Content::Text);
    CheckBox1 =
        ui::named(new QCheckBox(QStringLiteral("All Accounts"), GroupBox3), QStringLiteral("CheckBox1"));
    returns->addWidget(CheckBox1, 0, 2);
    Button7 = ui::makeButton(QStringLiteral("Returns"), QStringLiteral("Button7"), GroupBox3);
    returns->addWidget(Button7, 0, 3);
    Edit12 = ui::addAnswer(returns, 1, 0, QStringLiteral("Value"), QStringLiteral("Edit12"));
    Edit13 = ui::addAnswer(returns, 1, 2, QStringLiteral("XIRR"), QStringLiteral("Edit13"));
    Edit14 = ui::addAnswer(returns, 2, 0, QStringLiteral("TTWROR"), QStringLiteral("Edit14"));
    Edit15 = ui::addTextAnswer(returns, 3, 0, QStringLiteral("Realized Gains (Average / FIFO)"),
                               QStringLiteral("Edit15"));
    returns->addWidget(Edit15, 3, 1, 1, 3);
    layout->addWidget(GroupBox3);
    connect(Button7, &QPushButton::clicked, this, &TForm24::Button7Click);

    auto* buttons = new QHBoxLayout;
    Button1 = ui::makeButton(QStringLiteral("Query"), QStringLiteral("Button1"), this);
    Button2 = ui::makeButton(QStringLiteral("Clear Results"), QStringLiteral("Button2"), this);
    Button4 = ui::makeButton(QStringLiteral("Print Screen"), QStringLiteral("Button4"), this);
    Button5 = ui::makeButton(QStringLiteral("View History"), QStringLiteral("Button5"), this);
    Button3 = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button3"), this);
    Button6 = ui::makeButton(QStringLiteral("Help"), QStringLiteral("Button6"), this);
    for (QPushButton* b : {Button1, Button2, Button4, Button5, Button3, Button6})
        buttons->addWidget(b);
    Button8 = ui::makeButton(QStringLiteral("Chart"), QStringLiteral("Button8"), this);
    buttons->addWidget(Button8);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &TForm24::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm24::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm24::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm24::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm24::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm24::Button6Click);
    connect(Button8, &QPushButton::clicked, this, &TForm24::Button8Click);

    Edit1->setText(QStringLiteral("0"));
    const invest::FigureTexts zeros = invest::figureTexts({});
    Edit3->setText(zeros.shares);
    Edit4->setText(zeros.price);
    Edit5->setText(zeros.value);
    Edit6->setText(zeros.gain);
    Edit7->setText(zeros.gainRatio);
    Edit8->setText(zeros.averageCost);
    Edit10->setText(zeros.bookValue);
}

TForm24::~TForm24() = default;

void TForm24::Button1Click() {
    const invest::AccountStatus status = invest::queryStatus(DBLookupListBox1->selectedText());
    if (status.account) {
        const invest::AccountRow& a = *status.account;
        Edit1->setText(QString::number(a.FUNDNO));
        Edit2->setText(a.NAME);
        const invest::FigureTexts f = invest::figureTexts(invest::figuresOf(a));
        Edit3->setText(f.shares);
        Edit4->setText(f.price);
        Edit5->setText(f.value);
        Edit6->setText(f.gain);
        Edit7->setText(f.gainRatio);
        Edit8->setText(f.averageCost);
        Edit10->setText(f.bookValue);
    }
    if (status.lastDate) Edit9->setText(*status.lastDate);
    for (const invest::Notice& notice : status.notices)
        invest::show(notice);
    if (status.account) refreshAccounts();
}

void TForm24::Button2Click() {
    for (QLineEdit* box : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10})
        box->clear();
}

void TForm24::Button3Click() {
    quit();
}

void TForm24::Button4Click() {
    ui::printFormImage(this);
}

void TForm24::Button5Click() {
    viewHistory(Form27);
}

void TForm24::Button7Click() {
    const invest::ReturnsShown r = invest::queryReturns(
        DBLookupListBox1->selectedText(), CheckBox1->isChecked(), Edit11->text(), invest::todayDate());
    if (r.shown) {
        Edit12->setText(r.shown->value);
        Edit13->setText(r.shown->xirr);
        Edit14->setText(r.shown->ttwror);
        Edit15->setText(r.shown->gains);
    }
    for (const invest::Notice& notice : r.notices)
        invest::show(notice);
}

void TForm24::Button6Click() {
    ui::helpButton(this, QStringLiteral("Viewing_an_Investment_Account_Summary"));
}

void TForm24::Button8Click() {
    int actno = 0;
    if (auto notice = invest::selectedAccount(DBLookupListBox1->selectedText(), actno)) {
        invest::show(*notice);
        return;
    }
    talvero::charts::Chart chart;
    try {
        db::Connection connection(db::Alias::IBInvest);
        chart = invest::accountChart(connection, actno);
    } catch (const db::Error& e) {
        ui::showMessage(e.message());
        return;
    }
    talvero::charts::showChartWindow(std::move(chart), this);
}

TForm26::TForm26(QWidget* parent) : HistoryWindow(kViewerTexts[0], parent) {
    ui::nameWidget(this, QStringLiteral("Form26"));
    buildNowUnlessDeferred();
}

TForm27::TForm27(QWidget* parent) : HistoryWindow(kViewerTexts[1], parent) {
    ui::nameWidget(this, QStringLiteral("Form27"));
    buildNowUnlessDeferred();
}
