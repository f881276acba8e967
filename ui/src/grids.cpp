#include "ui/grids.h"

#include "db/connection.h"
#include "db/error.h"
#include "ui/fields.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>

namespace ui {

QVariant GridModel::data(const QModelIndex& item, int role) const {
    const QVariant value = QSqlQueryModel::data(item, role);
    if (role == Qt::DisplayRole && value.isNull()) return QVariant();
    return value;
}

QSqlQuery prepareForModel(db::Connection& connection, QStringView statement) {
    QSqlQuery query(connection.database());
    query.setForwardOnly(false);
    if (!query.prepare(statement.toString())) throw db::Error(db::messageOf(query.lastError()));
    return query;
}

void fillModel(QSqlQueryModel& model, QSqlQuery&& query) {
    model.setQuery(std::move(query));
    while (model.canFetchMore())
        model.fetchMore();
}

void releaseModel(QSqlQueryModel& model) {
    // clear() would leave a query made by the connection's driver behind; an empty query of no
    // connection outlives every driver.
    model.setQuery(QSqlQuery());
}

PickList::PickList(const QString& name, QWidget* parent) : QListView(parent) {
    nameWidget(this, name);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void PickList::setSource(QSqlQueryModel* model, const QString& shown, const QString& key) {
    model_ = model;
    shown_ = shown;
    key_ = key;
    setModel(model);
    // A refilled query may come back with its columns in place only after the reset.
    connect(model, &QAbstractItemModel::modelReset, this,
            [this] { setModelColumn(std::max(0, columnOf(shown_))); });
    setModelColumn(std::max(0, columnOf(shown_)));
}

int PickList::columnOf(const QString& name) const {
    if (!model_) return -1;
    const QSqlRecord record = model_->record();
    for (int i = 0; i < record.count(); ++i)
        if (record.fieldName(i).compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QString PickList::selectedText() const {
    const QModelIndexList selected =
        selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    if (selected.isEmpty()) return {};
    return selected.first().data(Qt::DisplayRole).toString();
}

QVariant PickList::selectedKey() const {
    const QModelIndexList selected =
        selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    const int column = columnOf(key_);
    if (selected.isEmpty() || column < 0) return {};
    return model_->index(selected.first().row(), column).data(Qt::DisplayRole);
}

bool PickList::selectText(const QString& text) {
    if (!model_) return false;
    for (int row = 0; row < model_->rowCount(); ++row) {
        const QModelIndex index = model_->index(row, modelColumn());
        if (index.data(Qt::DisplayRole).toString() == text) {
            setCurrentIndex(index);
            return true;
        }
    }
    return false;
}

void PickList::selectKey(const QVariant& key) {
    const int column = columnOf(key_);
    if (key.isNull() || column < 0) return;
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (model_->index(row, column).data(Qt::DisplayRole) == key) {
            setCurrentIndex(model_->index(row, modelColumn()));
            return;
        }
    }
}

} // namespace ui
