#include "ui/grids.h"

#include "db/connection.h"
#include "db/error.h"
#include "ui/fields.h"

#include <QSortFilterProxyModel>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QStyledItemDelegate>

namespace ui {

QString shownText(const QVariant& value) {
    if (!value.isValid()) return {};
    return QStyledItemDelegate().displayText(value, QLocale());
}

QVariant ShownTextModel::data(const QModelIndex& item, int role) const {
    if (role == Qt::AccessibleTextRole) return shownText(QIdentityProxyModel::data(item, Qt::DisplayRole));
    return QIdentityProxyModel::data(item, role);
}

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

ColumnOrder::ColumnOrder(QStringList names, QSqlQueryModel* source, QObject* parent)
    : ShownTextModel(parent), names_(std::move(names)), source_(source) {
    // Connected before the proxy's own handlers, so views see the new columns when it resets.
    connect(source, &QAbstractItemModel::modelReset, this, &ColumnOrder::mapColumns);
    mapColumns();
    setSourceModel(source);
}

void ColumnOrder::mapColumns() {
    sourceColumns_.clear();
    shownNames_.clear();
    const QSqlRecord record = source_->record();
    for (const QString& name : names_) {
        const int column = record.indexOf(name);
        if (column < 0) continue;
        sourceColumns_ << column;
        shownNames_ << name;
    }
}

int ColumnOrder::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(sourceColumns_.size());
}

QModelIndex ColumnOrder::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
    return createIndex(row, column);
}

QModelIndex ColumnOrder::sibling(int row, int column, const QModelIndex& item) const {
    return index(row, column, item.parent());
}

QModelIndex ColumnOrder::mapToSource(const QModelIndex& proxyIndex) const {
    if (!proxyIndex.isValid() || proxyIndex.column() >= sourceColumns_.size()) return {};
    return source_->index(proxyIndex.row(), sourceColumns_.at(proxyIndex.column()));
}

QModelIndex ColumnOrder::mapFromSource(const QModelIndex& sourceIndex) const {
    const int column = sourceIndex.isValid() ? int(sourceColumns_.indexOf(sourceIndex.column())) : -1;
    if (column < 0) return {};
    return createIndex(sourceIndex.row(), column);
}

QVariant ColumnOrder::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < shownNames_.size())
        return shownNames_.at(section);
    return ShownTextModel::headerData(section, orientation, role);
}

namespace {

// One column of a query model, found by its name again after every refill.
class ShownColumn : public QSortFilterProxyModel {
public:
    ShownColumn(const QString& name, QObject* parent) : QSortFilterProxyModel(parent), name_(name) {}

    QVariant data(const QModelIndex& item, int role) const override {
        if (role == Qt::AccessibleTextRole)
            return shownText(QSortFilterProxyModel::data(item, Qt::DisplayRole));
        return QSortFilterProxyModel::data(item, role);
    }

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
