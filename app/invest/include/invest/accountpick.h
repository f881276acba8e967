#pragma once
// The account list that the status and revaluation forms pick from: the list query read whole
// into a model (so it holds no lock while a command writes), and labels that follow the picked
// row as data-bound texts do.

#include "invest/grids.h"

#include <QLabel>
#include <QObject>
#include <QString>

#include <memory>

class QSqlQueryModel;

namespace db {
class Connection;
}

namespace invest {

class AccountList : public QObject {
    Q_OBJECT
public:
    explicit AccountList(QObject* parent);
    ~AccountList() override;

    QSqlQueryModel* model() const { return model_; }

    // Re-reads the account list, keeping the pick list's selection. A database error is shown and
    // leaves the list empty.
    void refresh(PickList* list);
    // Empties the list and lets go of the connection.
    void close();

private:
    std::unique_ptr<db::Connection> connection_;
    QSqlQueryModel* model_ = nullptr;
};

// A label showing `column` of the pick list's current row: the selected entry's row, else the
// first row (where a query stands once opened); empty when the list has no rows.
class DataText : public QLabel {
    Q_OBJECT
public:
    DataText(const QString& name, PickList* list, QSqlQueryModel* model, const QString& column,
             QWidget* parent);

    void follow();

private:
    PickList* list_;
    QSqlQueryModel* model_;
    QString column_;
};

} // namespace invest
