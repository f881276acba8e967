#include "balloon/forms.h"

#include "loan/formpages.h"

#include "common/loan_amounts.h"
#include "ui/convert.h"
#include "ui/fields.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TForm10* Form10 = nullptr;
TForm11* Form11 = nullptr;
TForm12* Form12 = nullptr;
TForm13* Form13 = nullptr;

namespace {

constexpr int kHelpContext = 3;
const char* const kHelpTopic = "Balloon_Loan_Input_Window";

// The named edits by their number; the numbers the form does not use stay null.
QLineEdit* TForm10::*const kEdits[] = {
    &TForm10::Edit1,  &TForm10::Edit2,  &TForm10::Edit3,  &TForm10::Edit4,  &TForm10::Edit5,
    &TForm10::Edit6,  &TForm10::Edit7,  &TForm10::Edit8,  &TForm10::Edit9,  &TForm10::Edit10,
    &TForm10::Edit11, &TForm10::Edit12, &TForm10::Edit13, nullptr,          nullptr,
    nullptr,          &TForm10::Edit17, &TForm10::Edit18, &TForm10::Edit19, &TForm10::Edit20,
    &TForm10::Edit21, &TForm10::Edit22, &TForm10::Edit23, &TForm10::Edit24, nullptr,
    nullptr,          nullptr,          &TForm10::Edit28, &TForm10::Edit29, &TForm10::Edit30,
    &TForm10::Edit31, &TForm10::Edit32};
QComboBox* TForm10::*const kCombos[] = {&TForm10::ComboBox1, &TForm10::ComboBox2, nullptr,
                                        &TForm10::ComboBox4};
QWidget* TForm10::*const kSheets[] = {&TForm10::TabSheet1, &TForm10::TabSheet2, &TForm10::TabSheet4};

QLineEdit* TForm10::*editMember(const char* name) {
    return kEdits[loan::controlNumber(name) - 1];
}
QComboBox* TForm10::*comboMember(const char* name) {
    return kCombos[loan::controlNumber(name) - 1];
}

} // namespace

TForm10::TForm10(QWidget* parent)
    : InputForm(parent, "Form10", "Balloon Loan Calculations", kHelpTopic, {&Form11, &Form12, &Form13}) {
    loan::takeToday(TODAYDATE);
    // F1 opens the context of the menu item that shows the form, as on the loan form.
    frameWithPages(QStringLiteral("Balloon Loan Input Data"), kHelpContext);
}

void TForm10::buildPages() {
    for (int p = 0; p < 3; ++p) {
        const balloon::PageTable& table = balloon::kPages[p];
        QWidget*& sheet = this->*kSheets[p];
        auto* pageLayout = makeSheet(table.sheetName, table.heading, sheet);

        if (p == CalcApr) {
            auto* note = ui::makeLabel(
                QStringLiteral("NOTE: Select one choice below and enter zero for that value if applicable"),
                QString(), sheet);
            note->setWordWrap(true);
            note->setAutoFillBackground(true);
            QPalette yellow = note->palette();
            yellow.setColor(QPalette::Window, Qt::yellow);
            yellow.setColor(QPalette::WindowText, Qt::black);
            note->setPalette(yellow);
            pageLayout->addWidget(note);
        }

        auto* grid = new QGridLayout;
        pageLayout->addLayout(grid);
        int row = 0;
        for (const balloon::PageField& field : table.fields) {
            QWidget* control = loan::addPageField(
                grid, row++, field, static_cast<const balloon::BalloonData&>(*this), p == CalcPayment);
            if (field.target.kind == loan::TargetFor<balloon::BalloonData>::Flag)
                this->*comboMember(field.name) = static_cast<QComboBox*>(control);
            else
                this->*editMember(field.name) = static_cast<QLineEdit*>(control);
        }

        if (p == CalcApr) {
            auto* checks = new QHBoxLayout;
            const char* captions[3] = {"Compute APR only", "Compute Finance Charge",
                                       "Compute Balloon Term Total Payments"};
            QCheckBox** boxes[3] = {&CheckBox1, &CheckBox2, &CheckBox3};
            for (int i = 0; i < 3; ++i) {
                auto* column = new QVBoxLayout;
                *boxes[i] = ui::makeCheck(QString::fromLatin1(captions[i]),
                                          QStringLiteral("CheckBox%1").arg(i + 1), sheet);
                column->addWidget(*boxes[i]);
                // The two options that solve something besides the rate say so.
                if (i > 0) column->addWidget(ui::makeLabel(QStringLiteral("and APR"), QString(), sheet));
                column->addStretch();
                checks->addLayout(column);
            }
            pageLayout->addLayout(checks);
        }
        pageLayout->addStretch();
        PageControl1->addTab(sheet, QString::fromLatin1(table.caption));
    }
}

void TForm10::openLoan(const loan::LoanInputs& in) {
    ensureBuilt();
    balloon::BalloonData& d = *this;
    loan::applyInputs(in, d);
    DSRATE = DSFREQ = DSYEARS = LFRATE = LFFREQ = LFYEARS = 0;
    TAXES = HOINS = OTINS = 0;
    showInputsAndCompute(
        loan::pageTexts(balloon::kPages[0], static_cast<const balloon::BalloonData&>(d), loan::numberText,
                        loan::integerText),
        [this](const char* name) { return this->*editMember(name); }, ComboBox1, INTMETHOD);
}

loan::PageInput TForm10::pageInput(balloon::Page page) const {
    const QCheckBox* const marks[3] = {CheckBox1, CheckBox2, CheckBox3};
    return loan::pageInputOf(
        balloon::kPages[page], [this](const char* name) { return this->*editMember(name); },
        [this](const char* name) { return this->*comboMember(name); }, marks);
}

void TForm10::Button4Click() {
    const auto page = static_cast<balloon::Page>(PageControl1->currentIndex());
    const loan::PageInput input = pageInput(page);
    if (const auto message = balloon::readPage(page, input, loan::formConversion(), *this)) {
        ui::showMessage(QString::fromStdString(*message));
        return;
    }
    if (const char* message =
            balloon::checkBalloonInputs(*this, balloon::checkTexts(page, input, dialogTexts))) {
        ui::showError(QString::fromLatin1(message));
        return;
    }
    std::fill(RESERVED, RESERVED + 3, 0);
    std::fill(MATURITY, MATURITY + 3, 0);
    talvero::common::set_insurance_bases(*this);
    balloon::runVaulter(*this);
    if (ERRFLAG == 1) {
        ERRFLAG = 0;
        return;
    }
    showResults();
    if (Form15) Form15->fill(*this);
    ++UnsavedCount;
    if (Form15) ui::showModal(Form15);
}

void TForm10::showResults() {
    for (const balloon::PageTable& table : balloon::kPages)
        for (const balloon::PageField& field : table.fields)
            if (field.resultFormat)
                (this->*editMember(field.name))
                    ->setText(ui::format(field.resultFormat, this->*field.target.number));
    SCHEDPAY = PAYMENT;
}

namespace balloon {

TForm11* makeForm11(TForm10& form, QWidget* parent) {
    return new TForm11(form, form, parent, "Form11", "Balloon Loan Down Payment and Origination Fees");
}
TForm12* makeForm12(TForm10& form, QWidget* parent) {
    return new TForm12(form, form, parent, "Form12", "Balloon Loan Insurance Charges");
}
TForm13* makeForm13(TForm10& form, QWidget* parent) {
    return new TForm13(form, form, parent, "Form13", "Balloon Loan Annual Fees");
}

} // namespace balloon
