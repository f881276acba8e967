#pragma once
// Driving the loan form or its balloon twin as a user does: texts typed into edits found by their
// control names, boxes ticked, list items chosen, buttons pressed, and the recorded messages, the
// shown windows and the texts read back. The two families differ only in their names and engines,
// which a Twin gives.

#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/today.h"

#include <QByteArray>
#include <QDialog>
#include <QHash>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <utility>
#include <vector>

class QLineEdit;
class QWidget;

// Readable QString values in failure messages.
void PrintTo(const QString& s, std::ostream* os);

namespace formtest {

// One thing a user does on the form `form`: type `text` into the edit `name`, tick ("1") or clear
// ("0") the check box `name`, choose item `text` of the list `name`, or press the button `name`
// when `text` is null.
struct Step {
    const char* form;
    const char* name;
    const char* text;
};

// What a user types for `text`, written with '.' as the decimal point and ',' between thousands:
// the same with the current locale's separators.
QString typed(const char* text);

// A number as the forms show it with 0, 2 or 3 decimals (printf's %7.0f, %7.2f, %7.3f with the
// user's decimal separator), and a month, day, year as the payout windows show a date.
QString f0(double v);
QString f2(double v);
QString f3(double v);
QString date(const int mdy[3]);

// The caption of the label whose buddy is `w` inside `window`, empty when there is none.
QString labelOf(const QWidget* window, const QWidget* w);
// Every buddy of a label inside `window` with the label's caption.
QHash<const QWidget*, QString> buddies(const QWidget* window);

// One family of forms: the loan form or the balloon form, with its dialogs and payout window.
struct Twin {
    const char* form;       // "Form1", "Form10"
    const char* dialogs[3]; // its fee, insurance and annual fee dialogs
    const char* payout;     // its payout window
    long (*engineCalls)();  // how often its engine has run
    int (*unsavedCount)();  // its form's UnsavedCount
};

// The forms of the current test by name.
class Forms {
public:
    void set(std::initializer_list<std::pair<const char*, QWidget*>> forms);
    QWidget* form(const char* name) const;
    QLineEdit* edit(const char* form, const char* name) const;
    QString box(const char* form, const char* name) const;
    void press(const char* form, const char* name) const;
    void run(const std::vector<Step>& steps) const;
    // "Form1.Edit1=text" for every edit of each form named, in their order.
    QStringList editTexts(std::initializer_list<const char*> forms) const;
    QStringList editTexts(const Twin& twin) const;
    // What the steps typed last into each edit is still there.
    void expectTypedTextsKept(const std::vector<Step>& steps) const;

private:
    QHash<QByteArray, QWidget*> forms_;
};

// A fixture with today fixed at 06/01/2004, messages recorded and modal forms returning at once.
// The derived fixture passes its Twin, creates its forms in SetUp and names them with `forms_.set`.
class FormFixture : public ::testing::Test {
protected:
    explicit FormFixture(const Twin& twin) : twin_(twin) {}

    QWidget* form(const char* name) const { return forms_.form(name); }
    QLineEdit* edit(const char* form, const char* name) const { return forms_.edit(form, name); }
    QString box(const char* form, const char* name) const { return forms_.box(form, name); }
    void press(const char* form, const char* name) const { forms_.press(form, name); }
    void run(const std::vector<Step>& steps) const { forms_.run(steps); }
    void page(int index) const;
    void compute() const { press(twin_.form, "Button4"); }
    // The form's default loan on its first page, first due 07/01/2004, computed without a message.
    void computeDefaultLoan();
    void save() const { press(twin_.payout, "Button4"); }
    // Save on the payout window: the one plain message "Loan Data Saved", nothing left unsaved and
    // `loans` loans in the loan database.
    void expectSaved(qint64 loans);
    // Save again without a new calculation: "Loan data previously saved" and still `loans` loans.
    void expectSavedAlready(qint64 loans);

    // On fresh forms: the steps on page `page`, then Compute. Exactly one message of `kind` reading
    // `message`, the engine not run, no window shown, nothing to save, the payout window empty, every
    // text of the form and its dialogs as it was and what the steps typed still there.
    void expectComputeRefused(int page, const std::vector<Step>& steps, ui::MessageKind kind,
                              const QString& message);

    Twin twin_;
    Forms forms_;
    ui::TodayOverride today_{QDate(2004, 6, 1)};
    ui::MessageRecorder messages_;
    ui::ModalInterceptor modal_{[](QDialog* d) { return d->result(); }};
};

// The rows of `table` in the loan database.
qint64 loanRows(const char* table);

// Each form, shown after a move to the corner, stands in the middle of its screen.
void expectOpenInTheMiddleOfTheScreen(std::initializer_list<QDialog*> forms);
// The window's Prt/Screen button prints an image of it only when the printer dialog is confirmed.
void expectPrintScreenOnlyWhenConfirmed(QDialog* window);
// F1 on `w` asks the help file `helpFile` for the numeric context `context` (any file when null).
void expectF1OpensHelpContext(QWidget* w, int context, const char* helpFile = nullptr);
// The fee, insurance and annual fee dialogs of `twin` at creation: their labels and zero texts.
void expectDialogEditsAtCreation(const Forms& forms, const Twin& twin);

} // namespace formtest
