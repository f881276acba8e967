#pragma once
// What the loan input forms share around their page tables: the interest flag texts, the program's
// conversion as the page reading takes it, today's date as three parts and the number at the end of
// a control's name.

#include "loan/pages.h"

class QDialog;
class QGridLayout;
class QGroupBox;
class QLabel;
class QTabWidget;

#include "ui/convert.h"
#include "ui/fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

namespace loan {

// The eight Interest Flag texts; the first page of a form lists flag 2 with a trailing blank.
QStringList interestFlags(bool trailingBlank);

// ui::toFloat and ui::toInt with their messages.
const Conversion& formConversion();

// What the program's reading takes as the decimal point: the user's separator, and '.' too where
// the reading accepts it. The character checks let these through.
std::vector<std::string> decimalPoints();

// Today's month, day and year.
void takeToday(int today[3]);
// A number as the pages show it: the printf format with the user's decimal separator.
std::string numberText(const char* format, double value);
std::string integerText(const char* format, int value);

// "Edit12" gives 12.
int controlNumber(const char* name);

// What the regular and the balloon input form have around their pages: the heading, the page
// control, the "Additional Factors and Fees" group with its three dialog buttons, and Compute, Quit
// and Help.
struct InputFormFrame {
    QLabel* Label1;
    QTabWidget* PageControl1;
    QGroupBox* GroupBox1;
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6;
};
// `buildPages` adds the pages once the page control is in place.
InputFormFrame buildInputFormFrame(QDialog* form, const QString& heading,
                                   const std::function<void(QTabWidget*)>& buildPages);

// Button1 to Button6 of a frame to the form's slots of the same names.
template <class Form> void connectFrameButtons(Form* form, const InputFormFrame& f) {
    QObject::connect(f.Button1, &QPushButton::clicked, form, &Form::Button1Click);
    QObject::connect(f.Button2, &QPushButton::clicked, form, &Form::Button2Click);
    QObject::connect(f.Button3, &QPushButton::clicked, form, &Form::Button3Click);
    QObject::connect(f.Button4, &QPushButton::clicked, form, &Form::Button4Click);
    QObject::connect(f.Button5, &QPushButton::clicked, form, &Form::Button5Click);
    QObject::connect(f.Button6, &QPushButton::clicked, form, &Form::Button6Click);
}

// What a page holds as the page reading takes it: the texts of its edits, its flag, the three
// Calc APR marks, today and the decimal points the reading accepts. `editOf` and `comboOf` give a
// field's control by its name.
template <class Data, class Texts, class EditOf, class ComboOf>
PageInput pageInputOf(const PageTableFor<Data, Texts>& table, EditOf editOf, ComboOf comboOf,
                      const QCheckBox* const marks[3]) {
    PageInput input;
    for (const auto& field : table.fields) {
        if (field.target.kind == TargetFor<Data>::Flag)
            input.flag = comboOf(field.name)->currentIndex();
        else
            input.texts[field.name] = editOf(field.name)->text().toStdString();
    }
    for (int i = 0; i < 3; ++i)
        input.checkMarks[i] = marks[i]->isChecked();
    takeToday(input.today);
    input.decimalPoints = decimalPoints();
    return input;
}

// One field of a page table as its control in row `row` of `grid`: the Interest Flag list, or an
// edit holding the member in the field's format (a date box holds today, at the left).
template <class Data, class Texts>
QWidget* addPageField(QGridLayout* grid, int row, const PageFieldFor<Data, Texts>& field, const Data& data,
                      bool firstPage) {
    using T = TargetFor<Data>;
    const QString label = QString::fromLatin1(field.label);
    const QString name = QString::fromLatin1(field.name);
    const T& t = field.target;
    if (t.kind == T::Flag) {
        QComboBox* combo = ui::addCombo(grid, row, 0, label, name, interestFlags(firstPage));
        combo->setCurrentIndex(0);
        return combo;
    }
    const bool date = t.kind == T::Date || t.kind == T::PayoffDate;
    QString text;
    if (date)
        text = QString::asprintf("%02d%02d%d", data.TODAYDATE[0], data.TODAYDATE[1], data.TODAYDATE[2]);
    else if (t.kind == T::Number)
        text = ui::format(field.format, data.*t.number);
    else
        text = ui::format(field.format, data.*t.integer);
    return ui::addEdit(grid, row, 0, label, name, text, QString(),
                       date ? ui::Content::Text : ui::Content::Number);
}

} // namespace loan
