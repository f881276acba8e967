#include "invest/accountpick.h"

#include "db/connection.h"
#include "db/error.h"
#include "db/statements.h"
#include "formsupport.h"
#include "invest/status.h"
#include "ui/fields.h"
#include "ui/messages.h"
#include "ui/modal.h"

#include <QEvent>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>

#include <algorithm>

namespace invest {

AccountList::AccountList(QObject* parent) : QObject(parent), model_(new ui::GridModel(this)) {}

AccountList::~AccountList() {
    close();
}

void AccountList::refresh(ui::PickList* list) {
    list->refresh([this] {
        try {
            if (!connection_) connection_ = std::make_unique<db::Connection>(db::Alias::IBInvest);
            QSqlQuery query = ui::prepareForModel(*connection_, db::sql::accountList);
            db::exec(query);
            ui::fillModel(*model_, std::move(query));
        } catch (const db::Error& e) {
            close();
            ui::showMessage(e.message());
        }
    });
}

void AccountList::close() {
    ui::releaseModel(*model_);
    connection_.reset();
}

DataText::DataText(const QString& name, ui::PickList* list, QSqlQueryModel* model, const QString& column,
                   QWidget* parent)
    : QLabel(parent), list_(list), model_(model), column_(column) {
    ui::nameWidget(this, name);
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &DataText::follow);
    connect(model, &QAbstractItemModel::modelReset, this, &DataText::follow);
    follow();
}

void DataText::follow() {
    const int column = model_->record().indexOf(column_);
    if (column < 0 || model_->rowCount() == 0) {
        setText(QString());
        return;
    }
    const int row = std::max(0, list_->selectedRow());
    setText(model_->index(row, column).data(Qt::DisplayRole).toString());
}

AccountForm::AccountForm(QWidget* parent) : ui::Form(parent), accounts_(new AccountList(this)) {}

AccountForm::~AccountForm() {
    accounts_->close();
}

void AccountForm::refreshAccounts() {
    ensureBuilt();
    accounts_->refresh(DBLookupListBox1);
}

ui::PickList* AccountForm::makePickList(QWidget* parent) {
    DBLookupListBox1 = new ui::PickList(QStringLiteral("DBLookupListBox1"), parent);
    DBLookupListBox1->setSource(accounts_->model(), QStringLiteral("ACTNO"), QStringLiteral("FUNDNO"));
    return DBLookupListBox1;
}

void AccountForm::addSelection(QGridLayout* grid, DataText*& fund, const QString& fundName, DataText*& name,
                               const QString& nameName) {
    auto* listLabel = ui::makeLabel(QStringLiteral("Account Number"), QStringLiteral("Label2"), this);
    makePickList(this);
    ui::labelFor(listLabel, DBLookupListBox1);
    grid->addWidget(listLabel, 0, 0, Qt::AlignTop);
    grid->addWidget(DBLookupListBox1, 0, 1);
    fund = new DataText(fundName, DBLookupListBox1, accounts_->model(), QStringLiteral("FUNDNO"), this);
    name = new DataText(nameName, DBLookupListBox1, accounts_->model(), QStringLiteral("NAME"), this);
    auto* fundLabel = ui::makeLabel(QStringLiteral("Fund Number"), QStringLiteral("Label3"), this);
    auto* nameLabel = ui::makeLabel(QStringLiteral("Name"), QStringLiteral("Label4"), this);
    fundLabel->setBuddy(fund);
    nameLabel->setBuddy(name);
    grid->addWidget(fundLabel, 1, 0);
    grid->addWidget(fund, 1, 1);
    grid->addWidget(nameLabel, 2, 0);
    grid->addWidget(name, 2, 1);
}

void AccountForm::addSelectNote(QGridLayout* grid, int row) {
    auto* note = ui::makeLabel(QStringLiteral("NOTE: You must click the account number to select it !"),
                               QStringLiteral("Label5"), this);
    note->setWordWrap(true);
    grid->addWidget(note, row, 0, 1, 2);
}

void AccountForm::viewHistory(HistoryWindow* viewer) {
    int actno = 0;
    if (auto notice = selectedAccount(DBLookupListBox1->selectedText(), actno)) {
        invest::show(*notice);
        return;
    }
    actno_ = actno;
    viewer->setAccount(actno_);
    ui::showModal(viewer);
}

void AccountForm::quit() {
    accounts_->close();
    reject();
}

void AccountForm::activate() {
    refreshAccounts();
}

void AccountForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activate();
}

void AccountForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible()) activate();
}

void AccountForm::hideEvent(QHideEvent* event) {
    accounts_->close();
    QDialog::hideEvent(event);
}

} // namespace invest
