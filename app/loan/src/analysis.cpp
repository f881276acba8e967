#include "loan/disclosure.h"
#include "loan/forms.h"
#include "loan/saving.h"
#include "loan/whatifwindow.h"

#include "aprcheck/loan.h"
#include "common/calendar.h"

#include "ui/convert.h"
#include "ui/fields.h"
#include "ui/modal.h"
#include "ui/printing.h"
#include "ui/window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm9* Form9 = nullptr;
TForm19* Form19 = nullptr;

namespace loan {

namespace {

using W = AnalysisWindow;

// The form's today (month, day, year), none before the form has set it.
std::optional<talvero::common::Date> formToday(const int today[3]) {
    const talvero::common::Date day{today[0], today[1], today[2]};
    return day.month >= 1 ? std::optional(day) : std::nullopt;
}

// The input boxes after the amount, shared word for word by both windows.
const W::Box kInputBoxes[] = {
    {"APR", "Edit11", &W::Edit11},
    {"Total Payments", "Edit12", &W::Edit12},
    {"First Due Date", "Edit13", &W::Edit13},
    {"Payments Per Year", "Edit14", &W::Edit14},
    {"Down Payment Total", "Edit15", &W::Edit15},
    {"Origination Fees Total", "Edit16", &W::Edit16},
    {"Loan Date", "Edit17", &W::Edit17},
    {"Skip Months", "Edit18", &W::Edit18},
    {"Interest Flag", "Edit19", &W::Edit19},
    {"Amount Financed", "Edit20", &W::Edit20},
};

QString dateText(const int date[3]) {
    return QString::fromStdString(talvero::common::date_text({date[0], date[1], date[2]}));
}

QGroupBox* whiteCaptionGroup(const char* title, const char* name, QWidget* parent) {
    auto* box = ui::named(new QGroupBox(QString::fromLatin1(title), parent), QString::fromLatin1(name));
    box->setStyleSheet(QStringLiteral("QGroupBox::title { color: white; }"));
    return box;
}

} // namespace

AnalysisWindow::AnalysisWindow(QWidget* parent, const char* caption, const char* heading,
                               const char* amountCaption, const char* analysisGroup,
                               const Box (&analysisBoxes)[9])
    : AnalysisWindow(parent, caption, heading, amountCaption, kInputBoxes, analysisGroup, analysisBoxes) {}

AnalysisWindow::AnalysisWindow(QWidget* parent, const char* caption, const char* heading,
                               const char* amountCaption, std::span<const Box> inputBoxes,
                               const char* analysisGroup, const Box (&analysisBoxes)[9])
    : ui::Form(parent), heading_(heading), amountCaption_(amountCaption),
      inputBoxes_(inputBoxes.begin(), inputBoxes.end()), analysisGroup_(analysisGroup) {
    std::copy(std::begin(analysisBoxes), std::end(analysisBoxes), analysisBoxes_.begin());
    setWindowTitle(QString::fromLatin1(caption));
}

void AnalysisWindow::buildWidgets() {
    const char* const heading = heading_;
    const char* const amountCaption = amountCaption_;
    const char* const analysisGroup = analysisGroup_;
    const std::vector<Box>& inputBoxes = inputBoxes_;
    const std::array<Box, 9>& analysisBoxes = analysisBoxes_;
    setMinimumWidth(600);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xb4, 0xb4, 0xb4)); // the active border colour
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    Label1 = ui::makeLabel(QString::fromLatin1(heading), QStringLiteral("Label1"), this);
    QFont headingFont(QStringLiteral("Arial"));
    headingFont.setPixelSize(19);
    headingFont.setBold(true);
    Label1->setFont(headingFont);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setAutoFillBackground(true);
    QPalette light = Label1->palette();
    light.setColor(QPalette::Window, QColor(0xe3, 0xe3, 0xe3));
    Label1->setPalette(light);
    layout->addWidget(Label1);

    auto* groups = new QHBoxLayout;
    GroupBox1 = whiteCaptionGroup("Loan Input Data", "GroupBox1", this);
    auto* inputs = new QGridLayout(GroupBox1);
    int row = 0;
    Edit10 = ui::addAnswer(inputs, row++, 0, QString::fromLatin1(amountCaption), QStringLiteral("Edit10"));
    for (const Box& box : inputBoxes) {
        this->*box.member =
            ui::addAnswer(inputs, row++, 0, QString::fromLatin1(box.caption), QString::fromLatin1(box.name));
        if (box.member == &W::Edit19)
            inputs->addWidget(ui::makeLabel(QStringLiteral("(360=0, 365=1)")), row++, 1);
    }
    groups->addWidget(GroupBox1);

    GroupBox2 = whiteCaptionGroup(analysisGroup, "GroupBox2", this);
    auto* figures = new QGridLayout(GroupBox2);
    row = 0;
    for (const Box& box : analysisBoxes)
        this->*box.member =
            ui::addAnswer(figures, row++, 0, QString::fromLatin1(box.caption), QString::fromLatin1(box.name));
    groups->addWidget(GroupBox2);
    layout->addLayout(groups);
    // Dates sit at the left: the first due date, the loan date and Edit9, the maturity or payoff date.
    for (QLineEdit* date : {Edit9, Edit13, Edit17})
        ui::alignFor(date, ui::Content::Text);

    auto* buttons = buttonRow = new QHBoxLayout;
    Button1 = ui::makeButton(QStringLiteral("Prt/Screen"), QStringLiteral("Button1"), this);
    Button2 = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button2"), this);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &AnalysisWindow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &AnalysisWindow::Button2Click);
}

void AnalysisWindow::fillInputGroup(const talvero::common::LoanBlock& d, const int firstDue[3],
                                    const int today[3], InputFormats formats) {
    Edit10->setText(ui::format("%7.2f", d.ORGAMT));
    Edit11->setText(ui::format(formats.apr, d.APR));
    Edit12->setText(ui::format(formats.count, d.NUMPAY));
    Edit13->setText(dateText(firstDue[0] < 1 ? today : firstDue));
    Edit14->setText(ui::format(formats.count, d.FREQUENCY));
    Edit15->setText(ui::format("%7.2f", d.DOWNAMT));
    Edit16->setText(ui::format("%7.2f", d.FEEAMT));
    Edit17->setText(dateText(d.LOANDATE[0] < 1 ? today : d.LOANDATE));
    Edit18->setText(ui::format("%3d", d.SKPMONTH));
    Edit19->setText(ui::format("%3d", d.INTMETHOD));
    Edit20->setText(ui::format("%7.2f", d.FINANCEAMT));
}

void AnalysisWindow::addAprCheckGroup() {
    GroupBox3 = whiteCaptionGroup("Appendix J check", "GroupBox3", this);
    auto* grid = new QGridLayout(GroupBox3);
    Edit22 = ui::addAnswer(grid, 0, 0, QStringLiteral("Appendix J APR"), QStringLiteral("Edit22"));
    Edit23 = ui::addTextAnswer(grid, 0, 2, QStringLiteral("Transaction"), QStringLiteral("Edit23"));
    Edit24 = ui::addAnswer(grid, 1, 0, QStringLiteral("Tolerance"), QStringLiteral("Edit24"));
    Edit25 = ui::addTextAnswer(grid, 1, 2, QStringLiteral("Verdict"), QStringLiteral("Edit25"));
    // Below the two groups, above the buttons.
    auto* box = static_cast<QVBoxLayout*>(layout());
    box->insertWidget(box->count() - 1, GroupBox3);
    // The group joined the form after the buttons below it: Tab reaches it before them.
    ui::setTabChain({Edit25, Button1, Button2});
}

void AnalysisWindow::fillAprCheck(const talvero::aprcheck::LoanCheck& c) {
    if (!c.usable) {
        for (QLineEdit* e : {Edit22, Edit23, Edit24})
            e->clear();
        Edit25->setText(QStringLiteral("No verdict: ") + QString::fromStdString(c.error));
        return;
    }
    Edit22->setText(ui::format("%7.3f", c.verdict.actuarial));
    Edit23->setText(QString::fromLatin1(talvero::aprcheck::transaction_text(c.verdict)));
    Edit24->setText(ui::format("%7.3f", c.verdict.tolerance));
    Edit25->setText(QString::fromLatin1(talvero::aprcheck::verdict_text(c.verdict)));
}

void AnalysisWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui::centreOnScreen(this);
}

void AnalysisWindow::Button1Click() {
    ui::printFormImage(this);
}
void AnalysisWindow::Button2Click() {
    close();
}

} // namespace loan

namespace {
using W = loan::AnalysisWindow;
} // namespace

const loan::AnalysisWindow::Box loan::AnalysisWindow::kPayoutBoxes[9] = {
    {"Scheduled Payment", "Edit1", &W::Edit1}, {"Total Principal", "Edit4", &W::Edit4},
    {"Total Interest ", "Edit5", &W::Edit5},   {"Reg Z Effective APR", "Edit2", &W::Edit2},
    {"Total Insurance", "Edit6", &W::Edit6},   {"Total R.E. Taxes", "Edit7", &W::Edit7},
    {"Last Payment", "Edit3", &W::Edit3},      {"Total Payout", "Edit8", &W::Edit8},
    {"Maturity Date", "Edit9", &W::Edit9}};

namespace loan {

PayoutWindow::PayoutWindow(QWidget* parent, const char* name, const char* caption, const char* heading)
    : AnalysisWindow(parent, caption, heading, "Amount Requested", "Payout Analysis Data", kPayoutBoxes) {
    ui::nameWidget(this, QString::fromLatin1(name));
}

PayoutWindow::PayoutWindow(QWidget* parent, const char* name, const char* caption, const char* heading,
                           std::span<const Box> inputBoxes)
    : AnalysisWindow(parent, caption, heading, "Amount Requested", inputBoxes, "Payout Analysis Data",
                     kPayoutBoxes) {
    ui::nameWidget(this, QString::fromLatin1(name));
}

void PayoutWindow::buildWidgets() {
    AnalysisWindow::buildWidgets();
    addButtons();
}

void PayoutWindow::addButtons() {
    addAprCheckGroup();
    Button4 = ui::makeButton(QStringLiteral("Save"), QStringLiteral("Button4"), this);
    buttonRow->addWidget(Button4);
    connect(Button4, &QPushButton::clicked, this, &PayoutWindow::Button4Click);
    Button3 = ui::makeButton(QStringLiteral("Amortize Tables"), QStringLiteral("Button3"), this);
    buttonRow->addWidget(Button3);
    connect(Button3, &QPushButton::clicked, this, &PayoutWindow::Button3Click);
    Button5 = ui::makeButton(QStringLiteral("Disclosure"), QStringLiteral("Button5"), this);
    buttonRow->addWidget(Button5);
    connect(Button5, &QPushButton::clicked, this, &PayoutWindow::Button5Click);
    Button6 = ui::makeButton(QString::fromUtf8("What If\u2026"), QStringLiteral("Button6"), this);
    buttonRow->addWidget(Button6);
    connect(Button6, &QPushButton::clicked, this, &PayoutWindow::Button6Click);
}

void PayoutWindow::Button5Click() {
    discloseLoan();
}

void showDisclosure(const LoanToExamine& loan, const int today[3], QWidget* parent) {
    TForm31 form(loan.block, loan.SCHEDPAY, loan.variant(), formToday(today), parent);
    ui::showModal(&form);
}

void PayoutWindow::Button6Click() {
    examineLoan();
}

void showExtraPayments(LoanToExamine loan, QWidget* parent) {
    ExtraPaymentWindow window(std::move(loan), parent);
    ui::showModal(&window);
}

void PayoutWindow::Button3Click() {
    amortizeLoan();
}

void PayoutWindow::Button4Click() {
    saveLoan();
}

void PayoutWindow::fillPayout(const talvero::common::LoanBlock& d, const char* aprFormat, double schedpay,
                              const talvero::schedule::Variant& variant, const int today[3]) {
    Edit1->setText(ui::format("%7.2f", d.PAYMENT));
    Edit2->setText(ui::format(aprFormat, d.REGZAPR));
    Edit3->setText(ui::format("%7.2f", d.LASTPAY));
    Edit4->setText(ui::format("%7.2f", d.TOTALPRINCIPAL));
    Edit5->setText(ui::format("%7.2f", d.TOTALINTEREST));
    Edit6->setText(ui::format("%7.2f", d.TOTALINSURANCE));
    Edit7->setText(ui::format("%7.2f", d.TOTALTAXES));
    Edit8->setText(ui::format("%7.2f", d.TOTALPAYOUT));
    Edit9->setText(dateText(d.MATURITY));
    fillAprCheck(talvero::aprcheck::check_loan(d, schedpay, variant, formToday(today)));
}

} // namespace loan

TForm9::TForm9(QWidget* parent)
    : PayoutFor(&loan::saveLoanData, Form5, parent, "Form9", "Loan Payout Analysis",
                "Loan Payout Information") {
    buildNowUnlessDeferred();
}

void TForm9::fill(loan::LoanData& d) {
    ensureBuilt();
    loan_ = &d;
    fillInputGroup(d);
    fillPayout(d, "%7.3f", d.SCHEDPAY, talvero::schedule::Variant::regular(), d.TODAYDATE);
}

TForm19::TForm19(QWidget* parent)
    : AnalysisWindow(parent, "Loan Payoff Analysis", "Loan Payoff Information", "Loan Amount",
                     "Payoff Analysis Data",
                     {{"Scheduled Payment", "Edit1", &W::Edit1},
                      {"Present Balance", "Edit4", &W::Edit4},
                      {"Payoff Interest ", "Edit5", &W::Edit5},
                      {"Payments Made", "Edit2", &W::Edit2},
                      {"Payoff Insurance", "Edit6", &W::Edit6},
                      {"Payoff R.E. Taxes", "Edit7", &W::Edit7},
                      {"Next Due Date", "Edit3", &W::Edit3},
                      {"Payoff Amount", "Edit8", &W::Edit8},
                      {"Payoff Date", "Edit9", &W::Edit9}}) {
    ui::nameWidget(this, QStringLiteral("Form19"));
    buildNowUnlessDeferred();
}

void TForm19::buildWidgets() {
    AnalysisWindow::buildWidgets();
    ui::alignFor(Edit3, ui::Content::Text); // "Next Due Date"
    // The empty label beside "Next Due Date".
    Label2 = ui::makeLabel(QString(), QStringLiteral("Label2"), GroupBox2);
    static_cast<QGridLayout*>(GroupBox2->layout())->addWidget(Label2, 6, 2);
}

void TForm19::fill(const loan::LoanData& d) {
    ensureBuilt();
    Edit1->setText(ui::format("%7.2f", d.PAYMENT));
    Edit2->setText(ui::format("%7.2f", d.PAYSMADE));
    Edit3->setText(loan::dateText(d.NEXTDUEDATE));
    Edit4->setText(ui::format("%7.2f", d.CURBAL));
    Edit5->setText(ui::format("%7.2f", d.TOTALINTEREST));
    Edit6->setText(ui::format("%7.2f", d.TOTALINSURANCE));
    Edit7->setText(ui::format("%7.2f", d.TOTALTAXES));
    Edit8->setText(ui::format("%7.2f", d.TOTALPAYOUT + d.CURBAL));
    Edit9->setText(loan::dateText(d.PAYOFFDATE));
    fillInputGroup(d);
}
