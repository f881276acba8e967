#include "loan/checks.h"
#include "loan/formpages.h"
#include "loan/forms.h"

#include "common/loan_amounts.h"

#include "ui/convert.h"
#include "ui/fields.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/today.h"
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

#include <string>
#include <vector>

TForm1* Form1 = nullptr;

namespace {

constexpr int kHelpContext = 2;
const char* const kHelpTopic = "Non_Balloon_Loan_Input_Window";
// The named edits and lists by their number, so the pages built from the table fill the members.
QLineEdit* TForm1::*const kEdits[] = {
    &TForm1::Edit1,  &TForm1::Edit2,  &TForm1::Edit3,  &TForm1::Edit4,  &TForm1::Edit5,  &TForm1::Edit6,
    &TForm1::Edit7,  &TForm1::Edit8,  &TForm1::Edit9,  &TForm1::Edit10, &TForm1::Edit11, &TForm1::Edit12,
    &TForm1::Edit13, &TForm1::Edit14, &TForm1::Edit15, &TForm1::Edit16, &TForm1::Edit17, &TForm1::Edit18,
    &TForm1::Edit19, &TForm1::Edit20, &TForm1::Edit21, &TForm1::Edit22, &TForm1::Edit23, &TForm1::Edit24,
    &TForm1::Edit25, &TForm1::Edit26, &TForm1::Edit27, &TForm1::Edit28, &TForm1::Edit29, &TForm1::Edit30,
    &TForm1::Edit31, &TForm1::Edit32, &TForm1::Edit33, &TForm1::Edit34, &TForm1::Edit35, &TForm1::Edit36,
    &TForm1::Edit37, &TForm1::Edit38, &TForm1::Edit39, &TForm1::Edit40, &TForm1::Edit41};
QComboBox* TForm1::*const kCombos[] = {&TForm1::ComboBox1, &TForm1::ComboBox2, &TForm1::ComboBox3,
                                       &TForm1::ComboBox4, &TForm1::ComboBox5};
QWidget* TForm1::*const kSheets[] = {&TForm1::TabSheet1, &TForm1::TabSheet2, &TForm1::TabSheet3,
                                     &TForm1::TabSheet4, &TForm1::TabSheet5};

using loan::controlNumber;
using loan::decimalPoints;
using loan::interestFlags;
using loan::takeToday;

// Clears the payoff mark however the Compute ends, so a refused payoff never turns the next
// calculation into a payoff.
struct PayoffModeReset {
    int& mode;
    ~PayoffModeReset() { mode = 0; }
};

} // namespace

TForm1::TForm1(QWidget* parent)
    : InputForm(parent, "Form1", "Loan Calculations", kHelpTopic, {&Form2, &Form3, &Form4}) {
    ui::setFormHelpFile(this, QStringLiteral("talvero.hlp"));
    takeToday(TODAYDATE);
    frameWithPages(QStringLiteral("Non Balloon Loan Input"), kHelpContext);
}

void TForm1::buildPages() {
    for (int p = 0; p < 5; ++p) {
        const loan::PageTable& table = loan::kPages[p];
        QWidget*& sheet = this->*kSheets[p];
        auto* pageLayout = makeSheet(table.sheetName, table.heading, sheet);
        auto* grid = new QGridLayout;
        pageLayout->addLayout(grid);

        QGridLayout* payoff = nullptr;
        int row = 0, payoffRow = 0;
        for (const loan::PageField& field : table.fields) {
            if (field.payoffGroup && !payoff) {
                GroupBox2 = ui::named(new QGroupBox(QStringLiteral("Loan Payoff Data"), sheet),
                                      QStringLiteral("GroupBox2"));
                payoff = new QGridLayout(GroupBox2);
            }
            QGridLayout* into = field.payoffGroup ? payoff : grid;
            const int r = field.payoffGroup ? payoffRow++ : row++;
            QWidget* control = loan::addPageField(into, r, field, static_cast<const loan::LoanData&>(*this),
                                                  p == CalcPayment);
            if (field.target.kind == loan::Target::Flag)
                this->*kCombos[controlNumber(field.name) - 1] = static_cast<QComboBox*>(control);
            else
                this->*kEdits[controlNumber(field.name) - 1] = static_cast<QLineEdit*>(control);
        }

        if (p == CalcApr) {
            pageLayout->addWidget(ui::makeLabel(
                QStringLiteral("NOTE: Select one choice below and make sure you enter zero for that value."),
                QString(), sheet));
            auto* checks = new QHBoxLayout;
            const char* captions[3] = {"Compute Payment", "Compute Finance Charge", "Compute Total Payments"};
            QCheckBox** boxes[3] = {&CheckBox1, &CheckBox2, &CheckBox3};
            for (int i = 0; i < 3; ++i) {
                auto* column = new QVBoxLayout;
                *boxes[i] = ui::makeCheck(QString::fromLatin1(captions[i]),
                                          QStringLiteral("CheckBox%1").arg(i + 1), sheet);
                column->addWidget(*boxes[i]);
                column->addWidget(ui::makeLabel(QStringLiteral("and APR"), QString(), sheet));
                checks->addLayout(column);
            }
            CheckBox1->setChecked(true);
            pageLayout->addLayout(checks);
        }
        if (payoff) pageLayout->addWidget(GroupBox2);
        pageLayout->addStretch();
        PageControl1->addTab(sheet, QString::fromLatin1(table.caption));
    }
}

void TForm1::openLoan(const loan::LoanInputs& in) {
    ensureBuilt();
    loan::LoanData& d = *this;
    loan::applyInputs(in, d);
    DSRATE = DSFREQ = DSYEARS = LFRATE = LFFREQ = LFYEARS = 0;
    TAXES = HOINS = OTINS = 0;
    showInputsAndCompute(
        loan::pageTexts(loan::kPages[CalcPayment], static_cast<const loan::LoanData&>(d), loan::numberText,
                        loan::integerText),
        [this](const char* name) { return this->*kEdits[controlNumber(name) - 1]; }, ComboBox1, INTMETHOD);
}

loan::PageInput TForm1::pageInput(loan::Page page) const {
    const QCheckBox* const marks[3] = {CheckBox1, CheckBox2, CheckBox3};
    return loan::pageInputOf(
        loan::kPages[page], [this](const char* name) { return this->*kEdits[controlNumber(name) - 1]; },
        [this](const char* name) { return this->*kCombos[controlNumber(name) - 1]; }, marks);
}

bool TForm1::readActivePage(const loan::PageInput& input) {
    const auto page = static_cast<loan::Page>(activePage_);
    if (page == CalcApr) std::copy(input.checkMarks, input.checkMarks + 3, checkMarks_);
    if (const auto message = loan::readPage(page, input, loan::formConversion(), *this)) {
        ui::showMessage(QString::fromStdString(*message));
        readError_ = 1;
        return false;
    }
    return true;
}

void TForm1::Button4Click() {
    PayoffModeReset reset{PAYOFFMODE};
    activePage_ = PageControl1->currentIndex();
    const auto page = static_cast<loan::Page>(activePage_);
    const loan::PageInput input = pageInput(page);
    if (!readActivePage(input)) {
        readError_ = 0;
        return;
    }
    if (const char* message = loan::checkLoanInputs(*this, loan::checkTexts(page, input, dialogTexts))) {
        ui::showError(QString::fromLatin1(message));
        return;
    }
    talvero::common::set_insurance_bases(*this);
    if (PAYOFFMODE == 1)
        computePayoff();
    else
        computeRegular();
    if (ERRFLAG == 1) ERRFLAG = 0;
}

void TForm1::computePayoff() {
    if (const char* message = loan::checkPayoffInputs(*this, Edit39->text().toStdString())) {
        ui::showError(QString::fromLatin1(message));
        return;
    }
    const int days = loan::daysToPayoff(*this);
    int today[3];
    takeToday(today);
    loan::setNextDueDate(*this, today);
    loan::setPayoffPeriod(*this, days);
    loan::runTessera(*this);
    if (ERRFLAG != 1) showPayoffResults();
}

void TForm1::computeRegular() {
    std::fill(RESERVED, RESERVED + 3, 0);
    std::fill(MATURITY, MATURITY + 3, 0);
    loan::runTessera(*this);
    if (ERRFLAG == 1) return;
    showRegularResults();
    ++UnsavedCount;
    if (Form9) ui::showModal(Form9);
}

void TForm1::showRegularResults() {
    for (const loan::PageTable& table : loan::kPages)
        for (const loan::PageField& field : table.fields)
            if (field.resultFormat)
                (this->*kEdits[controlNumber(field.name) - 1])
                    ->setText(ui::format(field.resultFormat, this->*field.target.number));
    SCHEDPAY = PAYMENT;
    if (Form9) Form9->fill(*this);
}

void TForm1::showPayoffResults() {
    Edit8->setText(ui::format("%7.2f", TOTALINTEREST));
    // The engine replaces the payment by the fixed principal part for flags 3 to 5; the window shows
    // the payment as typed.
    ui::tryFloat(Edit31->text(), PAYMENT);
    if (!Form19) return;
    Form19->fill(*this);
    ui::showModal(Form19);
}
