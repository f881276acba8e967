#include "loan/checks.h"
#include "loan/forms.h"

#include "ui/convert.h"
#include "ui/fields.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/today.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

TForm1* Form1 = nullptr;

namespace {

constexpr int kHelpContext = 2;
const char* const kHelpTopic = "Non_Balloon_Loan_Input_Window";
const char* const kRequiredField = "You failed to enter a required field.  Please correct!";

// The Calc Payment page lists flag 2 with a trailing blank; the other pages without it.
QStringList interestFlags(bool trailingBlank) {
    return {QStringLiteral("0 = 360 days"),
            QStringLiteral("1 = 365 days"),
            trailingBlank ? QStringLiteral("2 = 360/365 days ") : QStringLiteral("2 = 360/365 days"),
            QStringLiteral("3 = fixed principal, 360 days"),
            QStringLiteral("4 = fixed principal, 365 days"),
            QStringLiteral("5 = principal only"),
            QStringLiteral("6 = rule of 78's, 360 days"),
            QStringLiteral("7 = rule of 78's, 365 days")};
}

// What an edit of a page carries; decides its text at creation and where reading puts it.
enum class Field {
    LoanAmount,
    Frequency,
    NumPay,
    LoanDate,
    FirstDue,
    Apr,
    Skip,
    Payment,
    FinanceCharge,
    Flag
};

struct Row {
    const char* label;
    const char* name;
    QLineEdit* TForm1::*edit; // null for the interest flag list
    Field field;
};

struct PageTable {
    const char* caption;
    const char* heading;
    const char* sheetName;
    QWidget* TForm1::*sheet;
    QComboBox* TForm1::*combo;
    const char* comboName;
    Row rows[9];
    int rowCount;
};

const PageTable kPages[5] = {
    {"Calc Payment",
     "CALCULATE SCHEDULED PAYMENT",
     "TabSheet1",
     &TForm1::TabSheet1,
     &TForm1::ComboBox1,
     "ComboBox1",
     {{"Loan Amount", "Edit1", &TForm1::Edit1, Field::LoanAmount},
      {"Payments (per year)", "Edit2", &TForm1::Edit2, Field::Frequency},
      {"Total Payments", "Edit3", &TForm1::Edit3, Field::NumPay},
      {"Loan Date", "Edit4", &TForm1::Edit4, Field::LoanDate},
      {"First Due Date", "Edit5", &TForm1::Edit5, Field::FirstDue},
      {"APR", "Edit6", &TForm1::Edit6, Field::Apr},
      {"Skip Months", "Edit7", &TForm1::Edit7, Field::Skip},
      {"Interest Flag", "ComboBox1", nullptr, Field::Flag}},
     8},
    {"Calc APR",
     "CALCULATE  APR",
     "TabSheet2",
     &TForm1::TabSheet2,
     &TForm1::ComboBox2,
     "ComboBox2",
     {{"Finance Charge", "Edit8", &TForm1::Edit8, Field::FinanceCharge},
      {"Loan Amount", "Edit9", &TForm1::Edit9, Field::LoanAmount},
      {"Total Payments", "Edit10", &TForm1::Edit10, Field::NumPay},
      {"Payments (per year)", "Edit11", &TForm1::Edit11, Field::Frequency},
      {"Scheduled Payment", "Edit12", &TForm1::Edit12, Field::Payment},
      {"Interest Flag", "ComboBox2", nullptr, Field::Flag},
      {"Loan Date", "Edit22", &TForm1::Edit22, Field::LoanDate},
      {"First Due Date", "Edit23", &TForm1::Edit23, Field::FirstDue},
      {"Skip Months", "Edit24", &TForm1::Edit24, Field::Skip}},
     9},
    {"Calc No. Pmts.",
     "CALCULATE NUMBER OF PAYMENTS",
     "TabSheet3",
     &TForm1::TabSheet3,
     &TForm1::ComboBox3,
     "ComboBox3",
     {{"Scheduled Payment", "Edit13", &TForm1::Edit13, Field::Payment},
      {"APR", "Edit14", &TForm1::Edit14, Field::Apr},
      {"Loan Amount", "Edit15", &TForm1::Edit15, Field::LoanAmount},
      {"Payments (per year)", "Edit16", &TForm1::Edit16, Field::Frequency},
      {"Loan Date", "Edit25", &TForm1::Edit25, Field::LoanDate},
      {"First Due Date", "Edit26", &TForm1::Edit26, Field::FirstDue},
      {"Skip Months", "Edit27", &TForm1::Edit27, Field::Skip},
      {"Interest Flag", "ComboBox3", nullptr, Field::Flag}},
     8},
    {"Calc Payout",
     "CALCULATE LOAN PAYOUT ON FACTORS GIVEN",
     "TabSheet4",
     &TForm1::TabSheet4,
     &TForm1::ComboBox4,
     "ComboBox4",
     {{"Scheduled Payment", "Edit17", &TForm1::Edit17, Field::Payment},
      {"Total Payments", "Edit18", &TForm1::Edit18, Field::NumPay},
      {"APR", "Edit19", &TForm1::Edit19, Field::Apr},
      {"Loan Amount", "Edit20", &TForm1::Edit20, Field::LoanAmount},
      {"Payments (per year)", "Edit21", &TForm1::Edit21, Field::Frequency},
      {"Skip Months", "Edit28", &TForm1::Edit28, Field::Skip},
      {"Loan Date", "Edit29", &TForm1::Edit29, Field::LoanDate},
      {"First Due Date", "Edit30", &TForm1::Edit30, Field::FirstDue},
      {"Interest Flag", "ComboBox4", nullptr, Field::Flag}},
     9},
    {"Calc Payoff",
     "CALCULATE LOAN PAYOFF",
     "TabSheet5",
     &TForm1::TabSheet5,
     &TForm1::ComboBox5,
     "ComboBox5",
     {{"Scheduled Payment", "Edit31", &TForm1::Edit31, Field::Payment},
      {"Total Payments", "Edit32", &TForm1::Edit32, Field::NumPay},
      {"APR", "Edit33", &TForm1::Edit33, Field::Apr},
      {"Loan Amount", "Edit34", &TForm1::Edit34, Field::LoanAmount},
      {"Payments (per year)", "Edit35", &TForm1::Edit35, Field::Frequency},
      {"Skip Months", "Edit36", &TForm1::Edit36, Field::Skip},
      {"Loan Date", "Edit37", &TForm1::Edit37, Field::LoanDate},
      {"First Due Date", "Edit38", &TForm1::Edit38, Field::FirstDue},
      {"Interest Flag", "ComboBox5", nullptr, Field::Flag}},
     9},
};

QString dateText(int month, int day, int year) {
    return QString::asprintf("%02d/%02d/%d", month, day, year);
}

std::string text(const QLineEdit* edit) {
    return edit ? edit->text().toStdString() : std::string();
}
std::optional<std::string> pageText(const QLineEdit* edit) {
    return edit ? std::optional<std::string>(text(edit)) : std::nullopt;
}

double readFloat(const QLineEdit* edit) {
    return ui::toFloat(edit->text());
}

// A required value counts as entered when it is not zero. Negative values go on to the numbered
// checks, which refuse them with their own messages.
bool entered(double value) {
    return value != 0;
}

// Clears the payoff mark however the Compute ends, so a refused payoff never turns the next
// calculation into a payoff.
struct PayoffModeReset {
    int& mode;
    ~PayoffModeReset() { mode = 0; }
};

} // namespace

TForm1::TForm1(QWidget* parent) : QDialog(parent) {
    ui::nameWidget(this, QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Loan Calculations"));
    ui::setFormHelpFile(this, QStringLiteral("talvero.hlp"));
    setProperty("helpContext", kHelpContext);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this,
            [this] { ui::helpContext(ui::helpFileFor(this), kHelpContext); });

    const QDate today = ui::today();
    TODAYDATE[0] = today.month();
    TODAYDATE[1] = today.day();
    TODAYDATE[2] = today.year();

    auto* layout = new QVBoxLayout(this);
    Label1 = ui::makeLabel(QStringLiteral("Non Balloon Loan Input"), QStringLiteral("Label1"), this);
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

    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
}

void TForm1::buildPages() {
    const QString todayText = QString::asprintf("%02d%02d%d", TODAYDATE[0], TODAYDATE[1], TODAYDATE[2]);
    auto initialText = [&](Field field) -> QString {
        switch (field) {
        case Field::LoanAmount:
            return ui::format("%7.2f", ORGAMT);
        case Field::Frequency:
            return ui::format("%7.0f", FREQUENCY);
        case Field::NumPay:
            return ui::format("%7.0f", NUMPAY);
        case Field::LoanDate:
        case Field::FirstDue:
            return todayText;
        case Field::Apr:
            return ui::format("%7.3f", APR);
        case Field::Skip:
            return ui::format("%3d", SKPMONTH);
        case Field::Payment:
            return ui::format("%7.2f", PAYMENT);
        case Field::FinanceCharge:
            return ui::format("%7.2f", TOTALINTEREST);
        case Field::Flag:
            break;
        }
        return {};
    };

    for (int p = 0; p < 5; ++p) {
        const PageTable& table = kPages[p];
        auto* sheet = ui::named(new QWidget, QString::fromLatin1(table.sheetName));
        this->*table.sheet = sheet;
        auto* pageLayout = new QVBoxLayout(sheet);
        auto* heading = ui::makeLabel(QString::fromLatin1(table.heading), QString(), sheet);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        pageLayout->addWidget(heading);
        auto* grid = new QGridLayout;
        pageLayout->addLayout(grid);

        PageEdits& page = pages_[p];
        for (int r = 0; r < table.rowCount; ++r) {
            const Row& row = table.rows[r];
            if (row.field == Field::Flag) {
                page.flag = ui::addCombo(grid, r, 0, QString::fromLatin1(row.label),
                                         QString::fromLatin1(row.name), interestFlags(p == CalcPayment));
                page.flag->setCurrentIndex(0);
                this->*table.combo = page.flag;
                continue;
            }
            QLineEdit* edit = ui::addEdit(grid, r, 0, QString::fromLatin1(row.label),
                                          QString::fromLatin1(row.name), initialText(row.field));
            this->*row.edit = edit;
            switch (row.field) {
            case Field::LoanAmount:
                page.loanAmount = edit;
                break;
            case Field::Frequency:
                page.frequency = edit;
                break;
            case Field::NumPay:
                page.numPay = edit;
                break;
            case Field::LoanDate:
                page.loanDate = edit;
                break;
            case Field::FirstDue:
                page.firstDue = edit;
                break;
            case Field::Apr:
                page.apr = edit;
                break;
            case Field::Skip:
                page.skip = edit;
                break;
            case Field::Payment:
                page.payment = edit;
                break;
            case Field::FinanceCharge:
                page.financeCharge = edit;
                break;
            case Field::Flag:
                break;
            }
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
        if (p == CalcPayoff) {
            GroupBox2 = ui::named(new QGroupBox(QStringLiteral("Loan Payoff Data"), sheet),
                                  QStringLiteral("GroupBox2"));
            auto* payoff = new QGridLayout(GroupBox2);
            Edit41 = ui::addEdit(payoff, 0, 0, QStringLiteral("Payments Made"), QStringLiteral("Edit41"),
                                 ui::format("%7.2f", PAYSMADE));
            Edit39 =
                ui::addEdit(payoff, 1, 0, QStringLiteral("Payoff Date"), QStringLiteral("Edit39"), todayText);
            Edit40 = ui::addEdit(payoff, 2, 0, QStringLiteral("Present Balance"), QStringLiteral("Edit40"),
                                 ui::format("%7.2f", CURBAL));
            pageLayout->addWidget(GroupBox2);
        }
        pageLayout->addStretch();
        PageControl1->addTab(sheet, QString::fromLatin1(table.caption));
    }
}

void TForm1::Button1Click() {
    ui::showModal(Form2);
}
void TForm1::Button2Click() {
    ui::showModal(Form3);
}
void TForm1::Button3Click() {
    ui::showModal(Form4);
}
void TForm1::Button5Click() {
    close();
}

void TForm1::Button6Click() {
    ui::setApplicationHelpFile(QStringLiteral("Talvero.hlp"));
    ui::helpJump(ui::helpFileFor(this), QString::fromLatin1(kHelpTopic));
}

void TForm1::readDates(const PageEdits& page) {
    const std::string loanDate = text(page.loanDate);
    loan::storeDateText(loanDate, LOANDATETXT);
    if (loanDate.empty())
        std::copy(TODAYDATE, TODAYDATE + 3, LOANDATE);
    else
        loan::readDateParts(loanDate, LOANDATE);
    const std::string firstDue = text(page.firstDue);
    loan::storeDateText(firstDue, FIRSTDUE);
    if (firstDue.empty())
        std::copy(TODAYDATE, TODAYDATE + 3, FIRSTDUEDATE);
    else
        loan::readDateParts(firstDue, FIRSTDUEDATE);
}

bool TForm1::readActivePage() {
    activePage_ = PageControl1->currentIndex();
    const PageEdits& page = pages_[activePage_];
    auto fail = [this](const QString& message) {
        ui::showMessage(message);
        readError_ = 1;
        return false;
    };
    try {
        switch (activePage_) {
        case CalcPayment:
            PAYMENT = 0;
            TOTALINTEREST = 0;
            ORGAMT = readFloat(Edit1);
            FREQUENCY = readFloat(Edit2);
            NUMPAY = readFloat(Edit3);
            readDates(page);
            APR = readFloat(Edit6);
            SKPMONTH = ui::toInt(Edit7->text());
            INTMETHOD = ComboBox1->currentIndex();
            if (!entered(NUMPAY) || !entered(APR) || !entered(ORGAMT) || !entered(FREQUENCY))
                return fail(QString::fromLatin1(kRequiredField));
            return true;
        case CalcApr: {
            TOTALINTEREST = readFloat(Edit8);
            ORGAMT = readFloat(Edit9);
            NUMPAY = readFloat(Edit10);
            FREQUENCY = readFloat(Edit11);
            readDates(page);
            PAYMENT = readFloat(Edit12);
            SKPMONTH = ui::toInt(Edit24->text());
            INTMETHOD = ComboBox2->currentIndex();
            checkMarks_[0] = CheckBox1->isChecked();
            checkMarks_[1] = CheckBox2->isChecked();
            checkMarks_[2] = CheckBox3->isChecked();
            const int ticked = checkMarks_[0] + checkMarks_[1] + checkMarks_[2];
            if (ticked >= 2)
                return fail(QStringLiteral("Only one check box can be checked. Please correct!"));
            if (ticked == 0) return fail(QStringLiteral("One check box must be selected. Please correct!"));
            if (checkMarks_[0]) {
                APR = 0;
                PAYMENT = 0;
                if (!entered(TOTALINTEREST) || !entered(ORGAMT) || !entered(NUMPAY) || !entered(FREQUENCY))
                    return fail(QStringLiteral("You failed to enter something properly.  Please correct!"));
            } else if (checkMarks_[1]) {
                APR = 0;
                TOTALINTEREST = 0;
                if (!entered(ORGAMT) || !entered(PAYMENT) || !entered(NUMPAY) || !entered(FREQUENCY))
                    return fail(QStringLiteral("You failed to enter something properly. Please correct!"));
                if (INTMETHOD == 3 || INTMETHOD == 4)
                    return fail(QStringLiteral("Cannot calculate the APR on Fixed Principal Loans without "
                                               "the finance charge. Please "
                                               "change your check mark and enter the finance charge when "
                                               "using interest flag 3 or 4."));
            } else {
                APR = 0;
                if (NUMPAY >= 1) NUMPAY = 0;
                if (!entered(TOTALINTEREST) || !entered(ORGAMT) || !entered(PAYMENT) || !entered(FREQUENCY))
                    return fail(QStringLiteral("You failed to enter something properly. Please correct!"));
            }
            return true;
        }
        case CalcNumPay:
            TOTALINTEREST = 0;
            if (NUMPAY >= 1) NUMPAY = 0;
            ORGAMT = readFloat(Edit15);
            FREQUENCY = readFloat(Edit16);
            readDates(page);
            APR = readFloat(Edit14);
            SKPMONTH = ui::toInt(Edit27->text());
            PAYMENT = readFloat(Edit13);
            INTMETHOD = ComboBox3->currentIndex();
            if (!entered(PAYMENT) || !entered(APR) || !entered(ORGAMT) || !entered(FREQUENCY))
                return fail(QString::fromLatin1(kRequiredField));
            return true;
        case CalcPayout:
            TOTALINTEREST = 0;
            ORGAMT = readFloat(Edit20);
            FREQUENCY = readFloat(Edit21);
            NUMPAY = readFloat(Edit18);
            readDates(page);
            APR = readFloat(Edit19);
            SKPMONTH = ui::toInt(Edit28->text());
            PAYMENT = readFloat(Edit17);
            INTMETHOD = ComboBox4->currentIndex();
            if (!entered(PAYMENT) || !entered(APR) || !entered(ORGAMT) || !entered(FREQUENCY) ||
                !(NUMPAY > 1))
                return fail(QString::fromLatin1(kRequiredField));
            return true;
        case CalcPayoff: {
            PAYOFFMODE = 1;
            ORGAMT = readFloat(Edit34);
            FREQUENCY = readFloat(Edit35);
            NUMPAY = readFloat(Edit32);
            readDates(page);
            const std::string payoffDate = text(Edit39);
            loan::storeDateText(payoffDate, PAYOFFDATETXT);
            if (payoffDate.empty())
                std::copy(TODAYDATE, TODAYDATE + 3, PAYOFFDATE);
            else
                loan::readDateParts(payoffDate, PAYOFFDATE);
            const QDate today = ui::today();
            TODAYDATE[0] = today.month();
            TODAYDATE[1] = today.day();
            TODAYDATE[2] = today.year();
            PAYSMADE = readFloat(Edit41);
            CURBAL = readFloat(Edit40);
            APR = readFloat(Edit33);
            SKPMONTH = ui::toInt(Edit36->text());
            PAYMENT = readFloat(Edit31);
            INTMETHOD = ComboBox5->currentIndex();
            if (!entered(PAYMENT) || !entered(APR) || !entered(ORGAMT) || !entered(FREQUENCY) ||
                !entered(NUMPAY) || !entered(PAYSMADE) || !entered(CURBAL))
                return fail(QString::fromLatin1(kRequiredField));
            return true;
        }
        default:
            return false;
        }
    } catch (const ui::ConvertError& e) {
        return fail(e.message());
    }
}

loan::CheckTexts TForm1::checkTexts(const PageEdits& page) const {
    loan::CheckTexts t;
    t.loanAmount = pageText(page.loanAmount);
    t.apr = pageText(page.apr);
    t.financeCharge = pageText(page.financeCharge);
    t.numPay = pageText(page.numPay);
    t.payment = pageText(page.payment);
    t.skipMonths = text(page.skip);
    t.frequency = text(page.frequency);
    t.firstDue = text(page.firstDue);
    t.loanDate = text(page.loanDate);
    if (Form2) {
        t.downPct = text(Form2->Edit1);
        t.downAmount = text(Form2->Edit2);
        t.feePct = text(Form2->Edit3);
        t.feeAmount = text(Form2->Edit4);
    }
    if (Form3) {
        t.dsRate = text(Form3->Edit1);
        t.dsFreq = text(Form3->Edit2);
        t.dsYears = text(Form3->Edit3);
        t.lfRate = text(Form3->Edit4);
        t.lfFreq = text(Form3->Edit5);
        t.lfYears = text(Form3->Edit6);
    }
    if (Form4) {
        t.taxes = text(Form4->Edit1);
        t.hoIns = text(Form4->Edit2);
        t.otIns = text(Form4->Edit3);
    }
    return t;
}

void TForm1::Button4Click() {
    PayoffModeReset reset{PAYOFFMODE};
    if (!readActivePage()) {
        readError_ = 0;
        return;
    }
    if (const char* message = loan::checkLoanInputs(*this, checkTexts(pages_[activePage_]))) {
        ui::showError(QString::fromLatin1(message));
        return;
    }
    DSPREM = FINANCEAMT * 1.0 * DSRATE;
    LFPREM = FINANCEAMT * 1.0 * LFRATE;
    DSNUMPAY = DSFREQ * DSYEARS;
    LFNUMPAY = LFFREQ * LFYEARS;
    if (PAYOFFMODE == 1)
        computePayoff();
    else
        computeRegular();
    if (ERRFLAG == 1) ERRFLAG = 0;
}

void TForm1::computePayoff() {
    if (const char* message = loan::checkPayoffInputs(*this, text(Edit39))) {
        ui::showError(QString::fromLatin1(message));
        return;
    }
    const int days = loan::daysToPayoff(*this);
    const QDate today = ui::today();
    const int todayParts[3] = {today.month(), today.day(), today.year()};
    loan::setNextDueDate(*this, todayParts);
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

void TForm1::fillInputGroup(loan::AnalysisWindow* w) const {
    const int* due = FIRSTDUEDATE[0] < 1 ? TODAYDATE : FIRSTDUEDATE;
    const int* lent = LOANDATE[0] < 1 ? TODAYDATE : LOANDATE;
    w->Edit10->setText(ui::format("%7.2f", ORGAMT));
    w->Edit11->setText(ui::format("%7.3f", APR));
    w->Edit12->setText(ui::format("%7.2f", NUMPAY));
    w->Edit13->setText(dateText(due[0], due[1], due[2]));
    w->Edit14->setText(ui::format("%7.2f", FREQUENCY));
    w->Edit15->setText(ui::format("%7.2f", DOWNAMT));
    w->Edit16->setText(ui::format("%7.2f", FEEAMT));
    w->Edit17->setText(dateText(lent[0], lent[1], lent[2]));
    w->Edit18->setText(ui::format("%3d", SKPMONTH));
    w->Edit19->setText(ui::format("%3d", INTMETHOD));
    w->Edit20->setText(ui::format("%7.2f", FINANCEAMT));
}

void TForm1::showRegularResults() {
    for (QLineEdit* e : {Edit3, Edit10, Edit18, Edit32})
        e->setText(ui::format("%7.2f", NUMPAY));
    for (QLineEdit* e : {Edit6, Edit14, Edit19, Edit33})
        e->setText(ui::format("%7.3f", APR));
    for (QLineEdit* e : {Edit12, Edit13, Edit17, Edit31})
        e->setText(ui::format("%7.2f", PAYMENT));
    SCHEDPAY = PAYMENT;
    Edit8->setText(ui::format("%7.2f", TOTALINTEREST));
    Edit41->setText(ui::format("%7.2f", PAYSMADE));
    Edit40->setText(ui::format("%7.2f", CURBAL));
    if (!Form9) return;
    Form9->Edit1->setText(ui::format("%7.2f", PAYMENT));
    Form9->Edit2->setText(ui::format("%7.3f", REGZAPR));
    Form9->Edit3->setText(ui::format("%7.2f", LASTPAY));
    Form9->Edit4->setText(ui::format("%7.2f", TOTALPRINCIPAL));
    Form9->Edit5->setText(ui::format("%7.2f", TOTALINTEREST));
    Form9->Edit6->setText(ui::format("%7.2f", TOTALINSURANCE));
    Form9->Edit7->setText(ui::format("%7.2f", TOTALTAXES));
    Form9->Edit8->setText(ui::format("%7.2f", TOTALPAYOUT));
    Form9->Edit9->setText(dateText(MATURITY[0], MATURITY[1], MATURITY[2]));
    fillInputGroup(Form9);
}

void TForm1::showPayoffResults() {
    Edit8->setText(ui::format("%7.2f", TOTALINTEREST));
    // The engine replaces the payment by the fixed principal part for flags 3 to 5; the window shows
    // the payment as typed.
    ui::tryFloat(Edit31->text(), PAYMENT);
    if (!Form19) return;
    Form19->Edit1->setText(ui::format("%7.2f", PAYMENT));
    Form19->Edit2->setText(ui::format("%7.2f", PAYSMADE));
    Form19->Edit3->setText(dateText(NEXTDUEDATE[0], NEXTDUEDATE[1], NEXTDUEDATE[2]));
    Form19->Edit4->setText(ui::format("%7.2f", CURBAL));
    Form19->Edit5->setText(ui::format("%7.2f", TOTALINTEREST));
    Form19->Edit6->setText(ui::format("%7.2f", TOTALINSURANCE));
    Form19->Edit7->setText(ui::format("%7.2f", TOTALTAXES));
    Form19->Edit8->setText(ui::format("%7.2f", TOTALPAYOUT + CURBAL));
    Form19->Edit9->setText(dateText(PAYOFFDATE[0], PAYOFFDATE[1], PAYOFFDATE[2]));
    fillInputGroup(Form19);
    ui::showModal(Form19);
}
