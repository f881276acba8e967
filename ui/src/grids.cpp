#include "ui/grids.h"

#include "db/connection.h"
#include "db/error.h"
#include "ui/fields.h"

#include <QSortFilterProxyModel>
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

namespace {

// One column of a query model, found by its name again after every refill.
class ShownColumn : public QSortFilterProxyModel {
public:
    ShownColumn(const QString& name, QObject* parent) : QSortFilterProxyModel(parent), name_(name) {}

protected:
    bool filterAcceptsColumn(int column, const QModelIndex& parent) const override {
        const auto* source = qobject_cast<const QSqlQueryModel*>(sourceModel());
        return !parent.isValid() && source &&
               source->record().fieldName(column).compare(name_, Qt::CaseInsensitive) == 0;
    }

private:
    QString name_;
};

} // namespace

PickList::PickList(const QString& name, QWidget* parent) : QListView(parent) {
    nameWidget(this, name);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void PickList::setSource(QSqlQueryModel* model, const QString& shown, const QString& key) {
    model_ = model;
    shown_ = shown;
    key_ = key;
    delete shownColumn_;
    shownColumn_ = new ShownColumn(shown, this);
    shownColumn_->setSourceModel(model);
    setModel(shownColumn_);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &PickList::followSelection);
}

int PickList::columnOf(const QString& name) const {
    if (!model_) return -1;
    const QSqlRecord record = model_->record();
    for (int i = 0; i < record.count(); ++i)
        if (record.fieldName(i).compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

void PickList::followSelection() {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (!selected.isEmpty() && selected.first() != currentIndex())
        selectionModel()->setCurrentIndex(selected.first(), QItemSelectionModel::NoUpdate);
}

int PickList::selectedRow() const {
    const QModelIndexList selected =
        selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    if (selected.isEmpty()) return -1;
    return shownColumn_->mapToSource(selected.first()).row();
}

QString PickList::selectedText() const {
    const QModelIndexList selected =
        selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    if (selected.isEmpty()) return {};
    return selected.first().data(Qt::DisplayRole).toString();
}

QVariant PickList::selectedKey() const {
    const int row = selectedRow();
    const int column = columnOf(key_);
    if (row < 0 || column < 0) return {};
    return model_->index(row, column).data(Qt::DisplayRole);
}

bool PickList::selectText(const QString& text) {
    if (!shownColumn_) return false;
    for (int row = 0; row < shownColumn_->rowCount(); ++row) {
        const QModelIndex index = shownColumn_->index(row, 0);
        if (index.data(Qt::DisplayRole).toString() == text) {
            setCurrentIndex(index);
            return true;
        }
    }
    return false;
}

void PickList::selectKey(const QVariant& key) {
    const int column = columnOf(key_);
    const int shown = columnOf(shown_);
    if (key.isNull() || column < 0 || shown < 0) return;
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (model_->index(row, column).data(Qt::DisplayRole) == key) {
            setCurrentIndex(shownColumn_->mapFromSource(model_->index(row, shown)));
            return;
        }
    }
}

} // namespace ui
