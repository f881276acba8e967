#pragma once
// "Post Investment Transaction" and its results form "Transaction Posting Results".

#include "invest/grids.h"
#include "invest/history.h"
#include "invest/store.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSqlQueryModel;
class QTableView;

namespace db {
class Connection;
}

class TForm22 : public QDialog {
    Q_OBJECT
public:
    explicit TForm22(QWidget* parent = nullptr);
    ~TForm22() override;

    QLabel* Label1 = nullptr; // "Post Transaction"
    QTableView* DBGrid1 = nullptr;
    invest::PickList* DBLookupListBox1 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr;

    invest::PostingTexts texts() const;
    // Re-reads the account list, keeping the pick list's selection.
    void refreshAccounts();

public slots:
    void Button1Click(); // Quit
    void Button2Click(); // Post
    void Button3Click(); // Help

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void closeAccounts();

    std::unique_ptr<db::Connection> connection_;
    QSqlQueryModel* accounts_ = nullptr;
};

// "Transaction Posting Results": the posted account's transactions.
class TForm23 : public invest::HistoryWindow {
    Q_OBJECT
public:
    explicit TForm23(QWidget* parent = nullptr);
};
