#include "invest/deleteforms.h"

#include "db/connection.h"
#include "db/error.h"
#include "db/statements.h"
#include "formsupport.h"
#include "ui/fields.h"
#include "ui/messages.h"
#include "ui/window.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

TForm28* Form28 = nullptr;
TForm29* Form29 = nullptr;

namespace invest {

DeleteWindow::DeleteWindow(const DeleteWindowTexts& texts, const DeleteWindowList& list, QWidget* parent)
    : ui::Form(parent), texts_(texts), list_(list), helpTopic_(texts.helpTopic) {
    ui::nameWidget(this, QString::fromLatin1(texts.formName));
    setWindowTitle(QString::fromLatin1(texts.caption));
    query_ = new ui::GridModel(this);
}

void DeleteWindow::buildWidgets() {
    const DeleteWindowTexts& texts = texts_;
    const DeleteWindowList& list = list_;
    resize(820, 600);
    auto* layout = new QVBoxLayout(this);
    Label1 = titleLabel(texts.title, this);
    layout->addWidget(Label1);

    DBGrid1 = makeGrid(QStringLiteral("DBGrid1"), query_, list.overrides, this);
    layout->addWidget(DBGrid1, 1);
    auto* gridLabel = ui::makeLabel(QString::fromLatin1(texts.selectText), QStringLiteral("Label2"), this);
    ui::labelFor(gridLabel, DBGrid1);
    layout->addWidget(gridLabel);
    auto* warning = ui::makeLabel(QString::fromLatin1(texts.warning), QStringLiteral("Label3"), this);
    QFont bold = warning->font();
    bold.setBold(true);
    warning->setFont(bold);
    layout->addWidget(warning);

    GroupBox1 =
        ui::named(new QGroupBox(QStringLiteral("Selection/Status"), this), QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(GroupBox1);
    auto* listLabel =
        ui::makeLabel(QString::fromLatin1(texts.listCaption), QStringLiteral("Label4"), GroupBox1);
    DBLookupListBox1 = new ui::PickList(QStringLiteral("DBLookupListBox1"), GroupBox1);
    DBLookupListBox1->setSource(query_, QString::fromLatin1(list.shown), QString::fromLatin1(list.key));
    DBLookupListBox1->setMaximumWidth(160);
    ui::labelFor(listLabel, DBLookupListBox1);
    grid->addWidget(listLabel, 0, 0, Qt::AlignTop);
    grid->addWidget(DBLookupListBox1, 1, 0, 5, 1);

    DBText2 = ui::makeLabel(QString(), QStringLiteral("DBText2"), GroupBox1);
    DBText1 = ui::makeLabel(QString(), QStringLiteral("DBText1"), GroupBox1);
    auto* text2Label =
        ui::makeLabel(QString::fromLatin1(texts.text2Caption), QStringLiteral("Label5"), GroupBox1);
    auto* text1Label = ui::makeLabel(QStringLiteral("Name"), QStringLiteral("Label6"), GroupBox1);
    text2Label->setBuddy(DBText2);
    text1Label->setBuddy(DBText1);
    grid->addWidget(text2Label, 1, 1);
    grid->addWidget(DBText2, 1, 2);
    grid->addWidget(text1Label, 2, 1);
    grid->addWidget(DBText1, 2, 2);
    Edit17 = ui::addTextAnswer(grid, 3, 1, QStringLiteral("Deletion Status"), QStringLiteral("Edit17"),
                               QStringLiteral("Label7"));
    Edit17->setText(QString::fromLatin1(kNoActivity));
    grid->addWidget(ui::makeLabel(QString::fromLatin1(texts.note), QStringLiteral("Label8"), GroupBox1), 4, 1,
                    1, 2);
    grid->setColumnStretch(2, 1);
    layout->addWidget(GroupBox1);

    auto* buttons = new QHBoxLayout;
    Button2 = ui::makeButton(QStringLiteral("Delete"), QStringLiteral("Button2"), this);
    Button1 = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button1"), this);
    Button3 = ui::makeButton(QStringLiteral("Help"), QStringLiteral("Button3"), this);
    for (QPushButton* b : {Button2, Button1, Button3})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &DeleteWindow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &DeleteWindow::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &DeleteWindow::Button3Click);
    connect(DBLookupListBox1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DeleteWindow::followSelection);
    connect(query_, &QAbstractItemModel::modelReset, this, &DeleteWindow::followSelection);
}

DeleteWindow::~DeleteWindow() {
    closeList();
}

void DeleteWindow::refreshList() {
    ensureBuilt();
    DBLookupListBox1->refresh([this] {
        try {
            if (!connection_) connection_ = std::make_unique<db::Connection>(db::Alias::IBInvest);
            // Every row is read at once, so the list holds no lock while a deletion writes.
            QSqlQuery query = ui::prepareForModel(*connection_, list_.statement);
            db::exec(query);
            ui::fillModel(*query_, std::move(query));
        } catch (const db::Error& e) {
            closeList();
            ui::showMessage(e.message());
        }
    });
    followSelection();
}

void DeleteWindow::closeList() {
    ui::releaseModel(*query_);
    connection_.reset();
}

void DeleteWindow::followSelection() {
    // The data-bound texts show the selected row; nothing while no row is selected.
    const int selected = DBLookupListBox1->selectedRow();
    const QSqlRecord row = selected < 0 ? QSqlRecord() : query_->record(selected);
    DBText2->setText(row.value(QString::fromLatin1(list_.text2)).toString());
    DBText1->setText(row.value(QStringLiteral("NAME")).toString());
}

void DeleteWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    refreshList();
}

void DeleteWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible()) refreshList();
}

void DeleteWindow::hideEvent(QHideEvent* event) {
    closeList();
    QDialog::hideEvent(event);
}

void DeleteWindow::Button1Click() {
    closeList();
    reject();
}

void DeleteWindow::Button3Click() {
    ui::helpButton(this, QString::fromLatin1(helpTopic_));
}

template <class Deleted> void DeleteWindow::finish(const DeletionOutcome<Deleted>& outcome) {
    if (outcome.status) Edit17->setText(*outcome.status);
    if (outcome.notice) invest::show(*outcome.notice);
    if (outcome.closeForm) {
        closeList();
        reject();
        return;
    }
    if (outcome.deleted) refreshList();
}

} // namespace invest

// clang-format off
TForm28::TForm28(QWidget* parent)
    : DeleteWindow({"Form28", "Delete Account", "Delete an Account from the System",
                    "Select from an Account Above",
                    "WARNING:  This permanently deletes this account and all activity from the system",
                    "Account Number", "Fund Number",
                    "NOTE: You must click the account number to select it !",
                    "Deleting_an_Investment_Account"},
                   {db::sql::accountList,
                    {{"AVERAGECOST", "Average Per Share"}, {"TOTSHARES", nullptr, "#.00"}},
                    "ACTNO", "FUNDNO", "FUNDNO"},
                   parent) {
    buildNowUnlessDeferred();
}

TForm29::TForm29(QWidget* parent)
    : DeleteWindow({"Form29", "Delete Transaction", "Delete a Transaction from the System",
                    "Select a Record Number Above",
                    "WARNING:  This permanently deletes a transaction from the system",
                    "Record Number", "Account Number",
                    "NOTE: You must click the record number to select it !",
                    "Deleting_an_Investment_Account_Transaction"},
                   {db::sql::lineItemsByAccount, {{"RECNO", "Record No"}}, "RECNO", "RECNO", "ACTNO"},
                   parent) {
    buildNowUnlessDeferred();
}
// clang-format on

void TForm28::Button2Click() {
    finish(invest::deleteSelectedAccount(DBLookupListBox1->selectedText()));
}

void TForm29::Button2Click() {
    finish(invest::deleteSelectedTransaction(DBLookupListBox1->selectedText()));
}
