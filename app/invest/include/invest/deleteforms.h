#pragma once
// "Delete Account" and "Delete Transaction": a grid of what can be deleted, a pick list, the
// selected row's texts and a status box. The program creates each once at start-up, Form28 before
// Form29.

#include "invest/deletion.h"
#include "invest/grids.h"

#include "ui/form.h"

#include <QDialog>

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSqlQueryModel;
class QTableView;

namespace invest {

struct DeleteWindowTexts {
    const char* formName;
    const char* caption;
    const char* title;
    const char* selectText; // above the pick list's group
    const char* warning;
    const char* listCaption;  // label of the pick list
    const char* text2Caption; // label of DBText2
    const char* note;
    const char* helpTopic;
};

struct DeleteWindowList {
    QStringView statement;
    QList<ColumnOverride> overrides;
    const char* shown; // the pick list's column
    const char* key;   // its key
    const char* text2; // column of DBText2
};

// The layout and behaviour both deletion forms share; "Delete" is the form's own.
class DeleteWindow : public ui::Form {
    Q_OBJECT
public:
    DeleteWindow(const DeleteWindowTexts& texts, const DeleteWindowList& list, QWidget* parent);
    ~DeleteWindow() override;

    QLabel* Label1 = nullptr; // the heading
    QTableView* DBGrid1 = nullptr;
    ui::PickList* DBLookupListBox1 = nullptr;
    QGroupBox* GroupBox1 = nullptr; // "Selection/Status"
    QLabel* DBText1 = nullptr;      // NAME of the selected row
    QLabel* DBText2 = nullptr;      // FUNDNO or ACTNO of the selected row
    QLineEdit* Edit17 = nullptr;    // "Deletion Status"
    QPushButton* Button1 = nullptr; // "Quit"
    QPushButton* Button2 = nullptr; // "Delete"
    QPushButton* Button3 = nullptr; // "Help"

    // Re-reads the list, keeping the pick list's selection where the row is still there.
    void refreshList();

public slots:
    void Button1Click();
    virtual void Button2Click() = 0;
    void Button3Click();

protected:
    void buildWidgets() override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // Shows the outcome of a "Delete": status, notice, closing, and the list read again.
    template <class Deleted> void finish(const DeletionOutcome<Deleted>& outcome);

private:
    void closeList();
    void followSelection();

    DeleteWindowTexts texts_;
    DeleteWindowList list_;
    const char* helpTopic_;
    std::unique_ptr<db::Connection> connection_;
    QSqlQueryModel* query_ = nullptr;
};

} // namespace invest

class TForm28 : public invest::DeleteWindow {
    Q_OBJECT
public:
    explicit TForm28(QWidget* parent = nullptr);

public slots:
    void Button2Click() override; // Delete the account and its transactions
};

class TForm29 : public invest::DeleteWindow {
    Q_OBJECT
public:
    explicit TForm29(QWidget* parent = nullptr);

public slots:
    void Button2Click() override; // Delete the transaction and roll its account back
};

extern TForm28* Form28;
extern TForm29* Form29;
