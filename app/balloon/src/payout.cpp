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

} // namespace

TForm15::TForm15(QWidget* parent)
    : PayoutFor(&balloon::saveBalloonData, Form14, parent, "Form15", "Balloon Loan Payout Analysis",
                "Balloon Loan Payout Information", std::span<const Box>(kInputBoxes)) {
    buildNowUnlessDeferred();
}

void TForm15::fill(balloon::BalloonData& d) {
    ensureBuilt();
    loan_ = &d;
    fillInputGroup(d, d.FIRSTDUEDATE, d.TODAYDATE, {"%7.2f", "%7.0f"});
    Edit21->setText(ui::format("%7.0f", d.BLPAY));
    fillPayout(d, "%7.2f", d.SCHEDPAY, talvero::schedule::Variant::balloon_term(d.BLPAY), d.TODAYDATE);
}

namespace balloon {

loan::LoanToExamine toExamine(const BalloonData& data) {
    loan::LoanToExamine loan;
    loan.block = data;
    loan.SCHEDPAY = data.SCHEDPAY;
    loan.FEEPCT = data.FEEPCT;
    loan.balloon = true;
    loan.BLPAY = data.BLPAY;
    return loan;
}

} // namespace balloon
