#include "loan/forms.h"

#include "ui/convert.h"
#include "ui/fields.h"
#include "ui/messages.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm2* Form2 = nullptr;
TForm3* Form3 = nullptr;
TForm4* Form4 = nullptr;

namespace {

template <class Form> struct Row {
    const char* label;
    const char* name;
    QLineEdit* Form::*edit;
    double loan::LoanData::*member; // where OK stores the value on the loan form
    const char* format;
};

const Row<TForm2> kForm2Rows[] = {
    {"Down Payment %", "Edit1", &TForm2::Edit1, &loan::LoanData::DOWNPAYPCT, "%7.2f"},
    {"Down Payment Amount", "Edit2", &TForm2::Edit2, &loan::LoanData::DOWNPAYAMT, "%7.2f"},
    {"Origination Fee %", "Edit3", &TForm2::Edit3, &loan::LoanData::FEEPCT, "%7.2f"},
    {"Origination Fee Amount", "Edit4", &TForm2::Edit4, &loan::LoanData::FEEPAYAMT, "%7.2f"},
};

const Row<TForm3> kForm3Rows[] = {
    {"Diability Rate (per $1 of balance)", "Edit1", &TForm3::Edit1, &loan::LoanData::DSRATE, "%7.3f"},
    {"Disability Insurance Payments (per year)", "Edit2", &TForm3::Edit2, &loan::LoanData::DSFREQ, "%7.0f"},
    {"Disability Number of Years", "Edit3", &TForm3::Edit3, &loan::LoanData::DSYEARS, "%7.0f"},
    {"Life Rate (per $1 of balance)", "Edit4", &TForm3::Edit4, &loan::LoanData::LFRATE, "%7.3f"},
    {"Life Insruance Payments (per year)", "Edit5", &TForm3::Edit5, &loan::LoanData::LFFREQ, "%7.0f"},
    {"Life Number of Years", "Edit6", &TForm3::Edit6, &loan::LoanData::LFYEARS, "%7.0f"},
};

const Row<TForm4> kForm4Rows[] = {
    {"Taxes", "Edit1", &TForm4::Edit1, &loan::LoanData::TAXES, "%7.2f"},
    {"Home Owners Insurance", "Edit2", &TForm4::Edit2, &loan::LoanData::HOINS, "%7.2f"},
    {"Other Insurance", "Edit3", &TForm4::Edit3, &loan::LoanData::OTINS, "%7.2f"},
};

// The edits from the loan form's members, then the OK button.
template <class Form, std::size_t N>
void build(Form* form, const char* name, const char* caption, const Row<Form> (&rows)[N]) {
    ui::nameWidget(form, QString::fromLatin1(name));
    form->setWindowTitle(QString::fromLatin1(caption));
    auto* layout = new QVBoxLayout(form);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    int r = 0;
    for (const Row<Form>& row : rows) {
        const double value = Form1 ? Form1->*row.member : 0.0;
        form->*row.edit = ui::addEdit(grid, r++, 0, QString::fromLatin1(row.label),
                                      QString::fromLatin1(row.name), ui::format(row.format, value));
    }
    form->Button1 = ui::makeButton(QStringLiteral("OK"), QStringLiteral("Button1"), form);
    layout->addWidget(form->Button1, 0, Qt::AlignRight);
    QObject::connect(form->Button1, &QPushButton::clicked, form, &Form::Button1Click);
}

// Converts the edits in order, keeping each value and writing it to the loan form at once. False
// after the first text that does not convert (its message shown); earlier values stay stored.
template <class Form, std::size_t N> bool store(Form* form, const Row<Form> (&rows)[N], double (&values)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        try {
            values[i] = ui::toFloat((form->*rows[i].edit)->text());
        } catch (const ui::ConvertError& e) {
            ui::showMessage(e.message());
            return false;
        }
        if (Form1) Form1->*rows[i].member = values[i];
    }
    return true;
}

} // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    build(this, "Form2", "Down Payment and Origination Fees", kForm2Rows);
}

void TForm2::Button1Click() {
    if (!store(this, kForm2Rows, values)) errorMark_ = 1;
    if (errorMark_) {
        errorMark_ = 0;
        return;
    }
    accept();
}

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    build(this, "Form3", "Insurance Charges", kForm3Rows);
}

void TForm3::Button1Click() {
    const bool stored = store(this, kForm3Rows, values);
    if (stored && Form1) {
        Form1->DSPREM = Form1->FINANCEAMT * 1.0 * Form1->DSRATE;
        Form1->LFPREM = Form1->FINANCEAMT * 1.0 * Form1->LFRATE;
        Form1->DSNUMPAY = Form1->DSFREQ * Form1->DSYEARS;
        Form1->LFNUMPAY = Form1->LFFREQ * Form1->LFYEARS;
    }
    if (!stored) errorMark_ = 1;
    if (errorMark_) {
        errorMark_ = 0;
        return;
    }
    accept();
}

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    build(this, "Form4", "Annual Fees", kForm4Rows);
}

void TForm4::Button1Click() {
    if (!store(this, kForm4Rows, values)) errorMark_ = 1;
    if (errorMark_) {
        errorMark_ = 0;
        return;
    }
    accept();
}
