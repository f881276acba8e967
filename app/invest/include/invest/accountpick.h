#pragma once
// The account list that the posting, status and revaluation forms pick from: the list query read
// whole into a model (so it holds no lock while a command writes), labels that follow the picked
// row as data-bound texts do, and the dialog that keeps the list current.

#include "invest/grids.h"
#include "invest/history.h"

#include "ui/form.h"

#include <QDialog>
#include <QLabel>
#include <QObject>
#include <QString>

#include <memory>

class QGridLayout;
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
    void refresh(ui::PickList* list);
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
    DataText(const QString& name, ui::PickList* list, QSqlQueryModel* model, const QString& column,
             QWidget* parent);

    void follow();

private:
    ui::PickList* list_;
    QSqlQueryModel* model_;
    QString column_;
};

// A dialog picking from the account list: the list is reread whenever the dialog shows or becomes
// active again (back from a viewer or a results form it shows the new totals), and let go when it
// hides, quits or goes.
class AccountForm : public ui::Form {
    Q_OBJECT
public:
    explicit AccountForm(QWidget* parent);
    ~AccountForm() override;

    ui::PickList* DBLookupListBox1 = nullptr;

    // Re-reads the account list, keeping the pick list's selection.
    void refreshAccounts();
    // The account whose history "View History" shows.
    int account() const { return actno_; }

protected:
    // Creates DBLookupListBox1 on the account list, ACTNO shown, FUNDNO kept.
    ui::PickList* makePickList(QWidget* parent);
    // Adds DBLookupListBox1 with its "Account Number" label (Label2) in row 0 of `grid`, the fund
    // number and name texts with their labels (Label3, Label4) in rows 1 and 2.
    void addSelection(QGridLayout* grid, DataText*& fund, const QString& fundName, DataText*& name,
                      const QString& nameName);
    // The reminder (Label5) under the selection.
    void addSelectNote(QGridLayout* grid, int row);
    // "View History": the picked account's transactions in `viewer`.
    void viewHistory(HistoryWindow* viewer);
    // Lets go of the list and closes the dialog.
    void quit();
    // What showing or coming back to the dialog does.
    virtual void activate();

    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    AccountList* accounts_ = nullptr;
    int actno_ = 0;
};

} // namespace invest
