#pragma once
// The data-bound pieces the investment and portfolio forms share: a query model for grids and a
// pick list showing one column of a query and keyed by another.

#include "ui/export.h"

#include <QIdentityProxyModel>
#include <QListView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>

#include <QSqlQueryModel>

class QSqlQuery;
class QSortFilterProxyModel;

namespace db {
class Connection;
}

namespace ui {

// The text a grid or list draws for a value: the default item delegate's, numbers in the user's
// locale. The models the grids and lists show give it as a cell's accessible text (which Qt
// otherwise takes as the plain value), so assistive tools read what is shown.
UI_EXPORT QString shownText(const QVariant& value);

// A model that gives each cell's shown text as its accessible text, over any other model.
class UI_EXPORT ShownTextModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& item, int role = Qt::DisplayRole) const override;
};

// A query model that shows an empty value as an empty cell on every database: Firebird's driver
// hands an empty number over as a typed null, which would otherwise show as 0.
class UI_EXPORT GridModel : public QSqlQueryModel {
    Q_OBJECT
public:
    using QSqlQueryModel::QSqlQueryModel;
    QVariant data(const QModelIndex& item, int role = Qt::DisplayRole) const override;
};

// A statement prepared for a query model: models move back and forth over their rows, so unlike
// db::prepare the query is not forward-only. Throws db::Error.
UI_EXPORT QSqlQuery prepareForModel(db::Connection& connection, QStringView statement);

// Puts an executed query into a model and reads every row, so the query holds no lock on the
// database afterwards (small lists: accounts).
UI_EXPORT void fillModel(QSqlQueryModel& model, QSqlQuery&& query);

// Empties a model and lets go of its query, so the connection it came from may close. Safe to call
// again after the connection has gone.
UI_EXPORT void releaseModel(QSqlQueryModel& model);

// A query model's columns in a chosen order, each headed by its name, shown texts as accessible
// texts. Reordering the model rather
// than the grid's header keeps what assistive tools read (the model's columns in turn) in the
// order the grid shows. Columns the query lacks are left out.
class UI_EXPORT ColumnOrder : public ShownTextModel {
    Q_OBJECT
public:
    ColumnOrder(QStringList names, QSqlQueryModel* source, QObject* parent = nullptr);

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex sibling(int row, int column, const QModelIndex& item) const override;
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void mapColumns();

    QStringList names_;
    QSqlQueryModel* source_;
    QList<int> sourceColumns_; // one per shown column
    QStringList shownNames_;
};

// A pick list: shows the column `shown` of a query model, one entry per row, keyed by `key`.
// The selection survives a refill of the model as long as its key is still there.
//
// The view's own model holds only the shown column, so what assistive tools read as the list's
// items (Qt builds them from every column of the view's model) is exactly what the list shows,
// and selecting an item through them picks its entry.
class UI_EXPORT PickList : public QListView {
    Q_OBJECT
public:
    PickList(const QString& name, QWidget* parent = nullptr);

    void setSource(QSqlQueryModel* model, const QString& shown, const QString& key);

    // The selected entry's text, empty with none selected.
    QString selectedText() const;
    QVariant selectedKey() const;
    // The selected entry's row of the source model, -1 with none selected.
    int selectedRow() const;
    // Selects the first entry showing `text`; false when there is none.
    bool selectText(const QString& text);
    void selectKey(const QVariant& key);

    // Refills through `refill` (which re-runs the model's query) and selects the same key again.
    template <class Refill> void refresh(Refill&& refill) {
        const QVariant key = selectedKey();
        refill();
        selectKey(key);
    }

private:
    int columnOf(const QString& name) const;
    // Keeps the current item on the selected one, however it was selected.
    void followSelection();

    QSqlQueryModel* model_ = nullptr;
    QSortFilterProxyModel* shownColumn_ = nullptr;
    QString shown_, key_;
};

} // namespace ui
