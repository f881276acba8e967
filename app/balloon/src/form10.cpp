#include "balloon/forms.h"

#include "loan/formpages.h"
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

TForm10::TForm10(QWidget* parent) : QDialog(parent) {
    ui::nameWidget(this, QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Balloon Loan Calculations"));
    loan::takeToday(TODAYDATE);

    auto* layout = new QVBoxLayout(this);
    Label1 = ui::makeLabel(QStringLiteral("Balloon Loan Input Data"), QStringLiteral("Label1"), this);
    QFont titleFont = Label1->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 4);
    Label1->setFont(titleFont);
    Label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Label1);

    PageControl1 = ui::named(new QTabWidget(this), QStringLiteral("PageControl1"));
    layout->addWidget(PageControl1);
    buildPages();

    GroupBox1 = ui::named(new QGroupBox(QStringLiteral("Additional Factors and Fees"), this),
                          QStringLiteral("GroupBox1"));
    auto* factors = new QHBoxLayout(GroupBox1);
    Button1 = ui::makeButton(QStringLiteral("Down Amount / Fees"), QStringLiteral("Button1"), GroupBox1);
    Button2 = ui::makeButton(QStringLiteral("Insurance Charges"), QStringLiteral("Button2"), GroupBox1);
    Button3 = ui::makeButton(QStringLiteral("Other Annual Fees"), QStringLiteral("Button3"), GroupBox1);
    for (QPushButton* b : {Button1, Button2, Button3})
        factors->addWidget(b);
    layout->addWidget(GroupBox1);

    auto* bottom = new QHBoxLayout;
    Button4 = ui::makeButton(QStringLiteral("Compute"), QStringLiteral("Button4"), this);
    Button5 = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button5"), this);
    Button6 = ui::makeButton(QStringLiteral("Help"), QStringLiteral("Button6"), this);
    bottom->addStretch();
    for (QPushButton* b : {Button4, Button5, Button6})
        bottom->addWidget(b);
    layout->addLayout(bottom);

    connect(Button1, &QPushButton::clicked, this, &TForm10::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm10::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm10::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm10::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm10::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm10::Button6Click);
    // F1 opens the context of the menu item that shows the form, as on the loan form.
    ui::installContextHelp(this, kHelpContext);
}

void TForm10::buildPages() {
    const QString todayText = QString::asprintf("%02d%02d%d", TODAYDATE[0], TODAYDATE[1], TODAYDATE[2]);
    auto initialText = [&](const balloon::PageField& field) -> QString {
        const auto& t = field.target;
        switch (t.kind) {
        case loan::TargetFor<balloon::BalloonData>::Number:
            return ui::format(field.format, this->*t.number);
        case loan::TargetFor<balloon::BalloonData>::Integer:
            return ui::format(field.format, this->*t.integer);
        case loan::TargetFor<balloon::BalloonData>::Date:
        case loan::TargetFor<balloon::BalloonData>::PayoffDate:
            return todayText;
        case loan::TargetFor<balloon::BalloonData>::Flag:
            break;
        }
        return {};
    };

    for (int p = 0; p < 3; ++p) {
        const balloon::PageTable& table = balloon::kPages[p];
        auto* sheet = ui::named(new QWidget, QString::fromLatin1(table.sheetName));
        this->*kSheets[p] = sheet;
        auto* pageLayout = new QVBoxLayout(sheet);
        auto* heading = ui::makeLabel(QString::fromLatin1(table.heading), QString(), sheet);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        pageLayout->addWidget(heading);

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
            const QString label = QString::fromLatin1(field.label);
            const QString name = QString::fromLatin1(field.name);
            if (field.target.kind == loan::TargetFor<balloon::BalloonData>::Flag) {
                QComboBox* combo =
                    ui::addCombo(grid, row++, 0, label, name, loan::interestFlags(p == CalcPayment));
                combo->setCurrentIndex(0);
                this->*comboMember(field.name) = combo;
            } else {
                this->*editMember(field.name) = ui::addEdit(grid, row++, 0, label, name, initialText(field));
            }
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

void TForm10::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui::centreOnScreen(this);
}

void TForm10::Button1Click() {
    ui::showModal(Form11);
}
void TForm10::Button2Click() {
    ui::showModal(Form12);
}
void TForm10::Button3Click() {
    ui::showModal(Form13);
}
void TForm10::Button5Click() {
    close();
}
void TForm10::Button6Click() {
    ui::helpButton(this, QString::fromLatin1(kHelpTopic));
}

loan::PageInput TForm10::pageInput(balloon::Page page) const {
    loan::PageInput input;
    for (const balloon::PageField& field : balloon::kPages[page].fields) {
        if (field.target.kind == loan::TargetFor<balloon::BalloonData>::Flag)
            input.flag = (this->*comboMember(field.name))->currentIndex();
        else
            input.texts[field.name] = (this->*editMember(field.name))->text().toStdString();
    }
    input.checkMarks[0] = CheckBox1->isChecked();
    input.checkMarks[1] = CheckBox2->isChecked();
    input.checkMarks[2] = CheckBox3->isChecked();
    loan::takeToday(input.today);
    input.decimalPoints = loan::decimalPoints();
    return input;
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
    DSPREM = FINANCEAMT * DSRATE;
    LFPREM = FINANCEAMT * LFRATE;
    DSNUMPAY = DSFREQ * DSYEARS;
    LFNUMPAY = LFFREQ * LFYEARS;
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
