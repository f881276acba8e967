#pragma once
// "Post Investment Transaction" and its results form "Transaction Posting Results".

#include "invest/accountpick.h"
#include "invest/history.h"
#include "invest/store.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

class TForm22 : public invest::AccountForm {
    Q_OBJECT
public:
    explicit TForm22(QWidget* parent = nullptr);
    ~TForm22() override;

    QLabel* Label1 = nullptr; // "Post Transaction"
    QTableView* DBGrid1 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr,
              *Edit6 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr;

    invest::PostingTexts texts() const;

public slots:
    void Button1Click(); // Quit
    void Button2Click(); // Post
    void Button3Click(); // Help

protected:
    void buildWidgets() override;
};

// "Transaction Posting Results": the posted account's transactions.
class TForm23 : public invest::HistoryWindow {
    Q_OBJECT
public:
    explicit TForm23(QWidget* parent = nullptr);
};
