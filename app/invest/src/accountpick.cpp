#include "invest/accountpick.h"

#include "db/connection.h"
#include "db/error.h"
#include "db/statements.h"
#include "ui/fields.h"
#include "ui/messages.h"

#include <QItemSelectionModel>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>

namespace invest {

AccountList::AccountList(QObject* parent) : QObject(parent), model_(new QSqlQueryModel(this)) {}

AccountList::~AccountList() {
    close();
}

void AccountList::refresh(PickList* list) {
    list->refresh([this] {
        try {
            if (!connection_) connection_ = std::make_unique<db::Connection>(db::Alias::IBInvest);
            QSqlQuery query = prepareForModel(*connection_, db::sql::accountList);
            db::exec(query);
            fillModel(*model_, std::move(query));
        } catch (const db::Error& e) {
            close();
            ui::showMessage(e.message());
        }
    });
}

void AccountList::close() {
    releaseModel(*model_);
    connection_.reset();
}

DataText::DataText(const QString& name, PickList* list, QSqlQueryModel* model, const QString& column,
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
    const QModelIndexList selected = list_->selectionModel()->selectedIndexes();
    const int row = selected.isEmpty() ? 0 : selected.first().row();
    setText(model_->index(row, column).data(Qt::DisplayRole).toString());
}

} // namespace invest
