#include "loan/forms.h"

#include "common/loan_amounts.h"

#include "ui/convert.h"
#include "ui/fields.h"
#include "ui/messages.h"
#include "ui/window.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm2* Form2 = nullptr;
TForm3* Form3 = nullptr;
TForm4* Form4 = nullptr;

namespace {

using loan::DialogData;
using loan::DialogTexts;
using talvero::common::LoanBlock;

// One edit: where OK stores its value (a block position or a dialog value) and which dialog text
// mirrors it.
template <class Form> struct Row {
    const char* label;
    const char* name;
    QLineEdit* Form::*edit;
    double LoanBlock::*blockValue;
    double DialogData::*dialogValue;
    std::string DialogTexts::*text;
    const char* format;
};

// clang-format off
const Row<TForm2> kForm2Rows[] = {
    {"Down Payment %",         "Edit1", &TForm2::Edit1, nullptr, &DialogData::DOWNPAYPCT, &DialogTexts::downPct,    "%7.2f"},
    {"Down Payment Amount",    "Edit2", &TForm2::Edit2, nullptr, &DialogData::DOWNPAYAMT, &DialogTexts::downAmount, "%7.2f"},
    {"Origination Fee %",      "Edit3", &TForm2::Edit3, nullptr, &DialogData::FEEPCT,     &DialogTexts::feePct,     "%7.2f"},
    {"Origination Fee Amount", "Edit4", &TForm2::Edit4, nullptr, &DialogData::FEEPAYAMT,  &DialogTexts::feeAmount,  "%7.2f"},
};

const Row<TForm3> kForm3Rows[] = {
    {"Diability Rate (per $1 of balance)",       "Edit1", &TForm3::Edit1, &LoanBlock::DSRATE,  nullptr, &DialogTexts::dsRate,  "%7.3f"},
    {"Disability Insurance Payments (per year)", "Edit2", &TForm3::Edit2, &LoanBlock::DSFREQ,  nullptr, &DialogTexts::dsFreq,  "%7.0f"},
    {"Disability Number of Years",               "Edit3", &TForm3::Edit3, &LoanBlock::DSYEARS, nullptr, &DialogTexts::dsYears, "%7.0f"},
    {"Life Rate (per $1 of balance)",            "Edit4", &TForm3::Edit4, &LoanBlock::LFRATE,  nullptr, &DialogTexts::lfRate,  "%7.3f"},
    {"Life Insruance Payments (per year)",       "Edit5", &TForm3::Edit5, &LoanBlock::LFFREQ,  nullptr, &DialogTexts::lfFreq,  "%7.0f"},
    {"Life Number of Years",                     "Edit6", &TForm3::Edit6, &LoanBlock::LFYEARS, nullptr, &DialogTexts::lfYears, "%7.0f"},
};

const Row<TForm4> kForm4Rows[] = {
    {"Taxes",                 "Edit1", &TForm4::Edit1, &LoanBlock::TAXES, nullptr, &DialogTexts::taxes, "%7.2f"},
    {"Home Owners Insurance", "Edit2", &TForm4::Edit2, &LoanBlock::HOINS, nullptr, &DialogTexts::hoIns, "%7.2f"},
    {"Other Insurance",       "Edit3", &TForm4::Edit3, &LoanBlock::OTINS, nullptr, &DialogTexts::otIns, "%7.2f"},
};
// clang-format on

template <class Form> double& valueOf(Form* form, const Row<Form>& row) {
    return row.blockValue ? form->block().*row.blockValue : form->data().*row.dialogValue;
}

// The form's name and caption, and each edit's text from the bound values into its dialog text.
template <class Form, std::size_t N>
void nameAndMirror(Form* form, const char* name, const char* caption, const Row<Form> (&rows)[N]) {
    ui::nameWidget(form, QString::fromLatin1(name));
    form->setWindowTitle(QString::fromLatin1(caption));
    DialogTexts& texts = form->data().dialogTexts;
    for (const Row<Form>& row : rows)
        texts.*row.text = ui::format(row.format, valueOf(form, row)).toStdString();
}

// The edits with their dialog texts, each mirrored into its text as it changes, then the OK button.
template <class Form, std::size_t N> void build(Form* form, const Row<Form> (&rows)[N]) {
    auto* layout = new QVBoxLayout(form);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    int r = 0;
    DialogTexts& texts = form->data().dialogTexts;
    for (const Row<Form>& row : rows) {
        std::string& text = texts.*row.text;
        QLineEdit* edit = ui::addEdit(grid, r++, 0, QString::fromLatin1(row.label),
                                      QString::fromLatin1(row.name), QString::fromStdString(text));
        form->*row.edit = edit;
        QObject::connect(edit, &QLineEdit::textChanged, form,
                         [&text](const QString& now) { text = now.toStdString(); });
    }
    form->Button1 = ui::makeButton(QStringLiteral("OK"), QStringLiteral("Button1"), form);
    layout->addWidget(form->Button1, 0, Qt::AlignRight);
    QObject::connect(form->Button1, &QPushButton::clicked, form, &Form::Button1Click);
}

// Converts the edits in order, keeping each value and storing it into the bound data at once. False
// after the first text that does not convert (its message shown); earlier values stay stored.
template <class Form, std::size_t N> bool store(Form* form, const Row<Form> (&rows)[N], double (&values)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        try {
            values[i] = ui::toFloat((form->*rows[i].edit)->text());
        } catch (const ui::ConvertError& e) {
            ui::showMessage(e.message());
            return false;
        }
        valueOf(form, rows[i]) = values[i];
    }
    return true;
}

// The edits from the bound values again.
template <class Form, std::size_t N> void load(Form* form, const Row<Form> (&rows)[N]) {
    form->ensureBuilt();
    for (const Row<Form>& row : rows)
        (form->*row.edit)->setText(ui::format(row.format, valueOf(form, row)));
}

} // namespace

namespace loan {

FactorDialog::FactorDialog(LoanBlock& block, DialogData& data, QWidget* parent)
    : ui::Form(parent), block_(block), data_(data) {}

void FactorDialog::showEvent(QShowEvent* event) {
    ui::Form::showEvent(event);
    ui::centreOnScreen(this);
}

void FactorDialog::finish(bool stored) {
    if (!stored) errorMark_ = 1;
    if (errorMark_) {
        errorMark_ = 0;
        return;
    }
    accept();
}

} // namespace loan

TForm2::TForm2(LoanBlock& block, DialogData& data, QWidget* parent, const char* name, const char* caption)
    : FactorDialog(block, data, parent) {
    nameAndMirror(this, name, caption, kForm2Rows);
    buildNowUnlessDeferred();
}

void TForm2::buildWidgets() {
    build(this, kForm2Rows);
}

void TForm2::reload() {
    load(this, kForm2Rows);
}

void TForm2::Button1Click() {
    finish(store(this, kForm2Rows, values));
}

TForm3::TForm3(LoanBlock& block, DialogData& data, QWidget* parent, const char* name, const char* caption)
    : FactorDialog(block, data, parent) {
    nameAndMirror(this, name, caption, kForm3Rows);
    buildNowUnlessDeferred();
}

void TForm3::buildWidgets() {
    build(this, kForm3Rows);
}

void TForm3::reload() {
    load(this, kForm3Rows);
}

void TForm3::Button1Click() {
    const bool stored = store(this, kForm3Rows, values);
    if (stored) {
        talvero::common::set_insurance_bases(block());
    }
    finish(stored);
}

TForm4::TForm4(LoanBlock& block, DialogData& data, QWidget* parent, const char* name, const char* caption)
    : FactorDialog(block, data, parent) {
    nameAndMirror(this, name, caption, kForm4Rows);
    buildNowUnlessDeferred();
}

void TForm4::buildWidgets() {
    build(this, kForm4Rows);
}

void TForm4::reload() {
    load(this, kForm4Rows);
}

void TForm4::Button1Click() {
    finish(store(this, kForm4Rows, values));
}
