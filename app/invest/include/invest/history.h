#pragma once
// A viewer of one account's transactions: a heading, a grid of the account's LINEITEM rows with the
// column table's captions and formats, and "OK". The posting results and the history viewers of the
// status and revaluation forms are this window with their own texts.

#include "invest/columns.h"

#include "ui/form.h"

#include <memory>

class QLabel;
class QPushButton;
class QSqlQueryModel;
class QTableView;

namespace db {
class Connection;
}

namespace invest {

struct HistoryTexts {
    const char* caption;        // window caption
    const char* title;          // heading above the grid
    const char* gridHeading;    // caption of the grid
    const char* accountCaption; // header of ACTNO
};

class HistoryWindow : public ui::Form {
    Q_OBJECT
public:
    HistoryWindow(const HistoryTexts& texts, QWidget* parent);
    ~HistoryWindow() override;

    // The account whose transactions the grid lists when the window is shown.
    void setAccount(int actno) { actno_ = actno; }
    int account() const { return actno_; }

    QLabel* Label1 = nullptr; // the heading
    QLabel* Label2 = nullptr; // the grid's caption
    QTableView* DBGrid1 = nullptr;
    QPushButton* Button1 = nullptr; // "OK"
    QPushButton* Button2 = nullptr; // "Export..." the account's transactions as CSV

    // Opens the account's transactions; a database error is shown and leaves the grid empty.
    void openQuery();

public slots:
    void Button1Click();
    void Button2Click();

protected:
    void buildWidgets() override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void closeQuery();

    HistoryTexts texts_;
    int actno_ = 0;
    std::unique_ptr<db::Connection> connection_;
    QSqlQueryModel* query_ = nullptr;
};

} // namespace invest
