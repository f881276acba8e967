#pragma once
// The loan portfolio: "Loan Portfolio Analysis" lists the saved loans, compares three of them in
// "LOAN COMPARISON ANALYSIS" and previews the stored schedule of one. The program creates each
// form once at start-up, Form17 before Form18.

#include "portfolio/comparison.h"

#include "ui/form.h"

#include <QDialog>
#include <QHash>

#include <memory>
#include <optional>

class QGroupBox;
class QHideEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSqlQueryModel;
class QTableView;
class QToolButton;
class QWidget;

namespace db {
class Connection;
}
namespace ui {
class PickList;
}

class TForm18 : public ui::Form {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);

    // Writes every box from the comparison record, in the filling order.
    void fill(const portfolio::Comparison& comparison);
    QLineEdit* box(int number) const { return edits_.value(number); }

    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr; // "Loan Factors", "Loan Costs"
    QPushButton* Button1 = nullptr;                       // "Quit"
    QPushButton* Button2 = nullptr;                       // "Prt/Screen"
    QPushButton* Button3 = nullptr;                       // "Chart"

public slots:
    void Button1Click();
    void Button2Click();
    // The loans' balance curves and cost parts as a chart.
    void Button3Click();

protected:
    void buildWidgets() override;

private:
    QHash<int, QLineEdit*> edits_;
    portfolio::Comparison comparison_;
};

class TForm17 : public ui::Form {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);
    ~TForm17() override;

    QLabel* Label1 = nullptr; // "Loan Portfolio Analysis Data"
    QTableView* DBGrid1 = nullptr;
    QWidget* DBNavigator1 = nullptr;
    QToolButton *First = nullptr, *Prior = nullptr, *Next = nullptr, *Last = nullptr;
    ui::PickList *DBLookupListBox1 = nullptr, *DBLookupListBox2 = nullptr, *DBLookupListBox3 = nullptr,
                 *DBLookupListBox4 = nullptr;
    QPushButton* Button1 = nullptr; // "Analyze"
    QPushButton* Button2 = nullptr; // "Help"
    QPushButton* Button3 = nullptr; // "Quit"
    QPushButton* Button4 = nullptr; // "Report"
    QPushButton* Button5 = nullptr; // "Open in Calculator": the loan picked for the report

    // The comparison record of the last "Analyze".
    const portfolio::Comparison& comparison() const { return comparison_; }

    // Around a restore of the loan database: releasing closes the list query and the loan
    // connection; reopening connects again and reads the list and the report table as at start-up
    // (kept only while the form is shown). Reopening throws db::Error and leaves all closed.
    void releaseLoanTables();
    void reopenLoanTables();

public slots:
    // Reads the saved loans again; the pick lists keep their selections where the loan is still listed.
    void FormActivate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    // Loads the picked loan's inputs into the loan form (a balloon loan: the balloon form), computes
    // it and shows the form.
    void Button5Click();

protected:
    void buildWidgets() override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Connects the loan database and reads every saved loan into the list; false after the error
    // is shown.
    bool readList();
    // The loan number picked in DBLookupListBox4; after the conversion's error box, nothing.
    std::optional<int> pickedLoanNo();
    void move(int row);
    void closeList();

    std::unique_ptr<db::Connection> connection_;
    QSqlQueryModel* list_ = nullptr;
    portfolio::Comparison comparison_{};
    bool failureShown_ = false; // one error per showing, so its box closing cannot ask again
};

extern TForm17* Form17;
extern TForm18* Form18;
