#include "balloon/forms.h"
#include "balloon/saving.h"

#include "aprcheck/loan.h"
#include "common/calendar.h"

#include "ui/convert.h"
#include "ui/fields.h"
#include "ui/modal.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

TForm15* Form15 = nullptr;

namespace {

using W = loan::AnalysisWindow;

// The input boxes after the amount: the amortize period, and the balloon term before the flag.
const W::Box kInputBoxes[] = {
    {"APR", "Edit11", &W::Edit11},
    {"Amortize Periods", "Edit12", &W::Edit12},
    {"First Due Date", "Edit13", &W::Edit13},
    {"Payments Per Year", "Edit14", &W::Edit14},
    {"Down Payment Total", "Edit15", &W::Edit15},
    {"Origination Fees Total", "Edit16", &W::Edit16},
    {"Loan Date", "Edit17", &W::Edit17},
    {"Skip Months", "Edit18", &W::Edit18},
    {"Balloon Term Total Payments", "Edit21", &W::Edit21},
    {"Interest Flag", "Edit19", &W::Edit19},
    {"Amount Financed", "Edit20", &W::Edit20},
};

QString dateText(const int date[3]) {
    return QString::fromStdString(talvero::common::date_text({date[0], date[1], date[2]}));
}

} // namespace

TForm15::TForm15(QWidget* parent)
    : AnalysisWindow(parent, "Balloon Loan Payout Analysis", "Balloon Loan Payout Information",
                     "Amount Requested", kInputBoxes, "Payout Analysis Data", kPayoutBoxes) {
    ui::nameWidget(this, QStringLiteral("Form15"));
    addAprCheckGroup();
    Button4 = ui::makeButton(QStringLiteral("Save"), QStringLiteral("Button4"), this);
    buttonRow->addWidget(Button4);
    connect(Button4, &QPushButton::clicked, this, &TForm15::Button4Click);
    Button3 = ui::makeButton(QStringLiteral("Amortize Tables"), QStringLiteral("Button3"), this);
    buttonRow->addWidget(Button3);
    connect(Button3, &QPushButton::clicked, this, &TForm15::Button3Click);
}

void TForm15::Button3Click() {
    if (!loan_ || !Form14) return;
    Form14->setLoan(*loan_);
    ui::showModal(Form14);
}

void TForm15::Button4Click() {
    if (loan_) balloon::saveBalloonData(*loan_, this);
}

void TForm15::fill(balloon::BalloonData& d) {
    loan_ = &d;
    Edit10->setText(ui::format("%7.2f", d.ORGAMT));
    Edit11->setText(ui::format("%7.2f", d.APR));
    Edit12->setText(ui::format("%7.0f", d.NUMPAY));
    Edit13->setText(dateText(d.FIRSTDUEDATE[0] < 1 ? d.TODAYDATE : d.FIRSTDUEDATE));
    Edit14->setText(ui::format("%7.0f", d.FREQUENCY));
    Edit15->setText(ui::format("%7.2f", d.DOWNAMT));
    Edit16->setText(ui::format("%7.2f", d.FEEAMT));
    Edit17->setText(dateText(d.LOANDATE[0] < 1 ? d.TODAYDATE : d.LOANDATE));
    Edit18->setText(ui::format("%3d", d.SKPMONTH));
    Edit21->setText(ui::format("%7.0f", d.BLPAY));
    Edit19->setText(ui::format("%3d", d.INTMETHOD));
    Edit20->setText(ui::format("%7.2f", d.FINANCEAMT));

    Edit1->setText(ui::format("%7.2f", d.PAYMENT));
    Edit4->setText(ui::format("%7.2f", d.TOTALPRINCIPAL));
    Edit5->setText(ui::format("%7.2f", d.TOTALINTEREST));
    Edit2->setText(ui::format("%7.2f", d.REGZAPR));
    Edit6->setText(ui::format("%7.2f", d.TOTALINSURANCE));
    Edit7->setText(ui::format("%7.2f", d.TOTALTAXES));
    Edit3->setText(ui::format("%7.2f", d.LASTPAY));
    Edit8->setText(ui::format("%7.2f", d.TOTALPAYOUT));
    Edit9->setText(dateText(d.MATURITY));
    const talvero::common::Date today{d.TODAYDATE[0], d.TODAYDATE[1], d.TODAYDATE[2]};
    fillAprCheck(talvero::aprcheck::check_loan(d, d.SCHEDPAY,
                                               talvero::schedule::Variant::balloon_term(d.BLPAY),
                                               today.month >= 1 ? std::optional(today) : std::nullopt));
}
