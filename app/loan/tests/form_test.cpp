// The loan form, its dialogs and the payout and payoff windows, driven as a user drives them: text
// typed into the named edits, buttons pressed, boxes and recorded messages read back. The real loan
// engine runs; the expected figures come from calling it with a block built here by hand. Number
// texts are written with '.' as the decimal point and typed and compared with the current locale's
// separator (testsupport::num), so the tests pass under a comma-decimal locale too.
#include "formfixture.h"
#include "loan/checks.h"
#include "loan/forms.h"

#include "tessera/tessera.h"
#include "testsupport/locale_text.h"
#include "ui/convert.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/modal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

using loan::LoanData;

using formtest::date;
using formtest::f2;
using formtest::f3;
using formtest::Step;
using formtest::typed;
using testsupport::num;

class LoanForm : public loantest::LoanForms {
protected:
    // Calls the engine with `block` as the form should have built it.
    static LoanData engine(LoanData block) {
        loan::runTessera(block);
        return block;
    }
};

// ---- layout ----------------------------------------------------------------------------------

TEST_F(LoanForm, PagesLabelsAndTextsAtCreation) {
    EXPECT_EQ(Form1->windowTitle(), "Loan Calculations");
    EXPECT_EQ(Form1->Label1->text(), "Non Balloon Loan Input");
    const char* captions[] = {"Calc Payment", "Calc APR", "Calc No. Pmts.", "Calc Payout", "Calc Payoff"};
    const char* headings[] = {"CALCULATE SCHEDULED PAYMENT", "CALCULATE  APR", "CALCULATE NUMBER OF PAYMENTS",
                              "CALCULATE LOAN PAYOUT ON FACTORS GIVEN", "CALCULATE LOAN PAYOFF"};
    ASSERT_EQ(Form1->PageControl1->count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Form1->PageControl1->tabText(i), captions[i]);
        QStringList labels;
        for (auto* l : Form1->PageControl1->widget(i)->findChildren<QLabel*>())
            labels << l->text();
        EXPECT_TRUE(labels.contains(QString::fromLatin1(headings[i]))) << headings[i];
    }

    const struct {
        const char* name;
        const char* label;
        QString text;
    } edits[] = {
        {"Edit1", "Loan Amount", num("50000.00")},
        {"Edit2", "Payments (per year)", "     12"},
        {"Edit3", "Total Payments", "    360"},
        {"Edit4", "Loan Date", "06012004"},
        {"Edit5", "First Due Date", "06012004"},
        {"Edit6", "APR", num(" 10.000")},
        {"Edit7", "Skip Months", "  0"},
        {"Edit8", "Finance Charge", num("   0.00")},
        {"Edit9", "Loan Amount", num("50000.00")},
        {"Edit10", "Total Payments", "    360"},
        {"Edit11", "Payments (per year)", "     12"},
        {"Edit12", "Scheduled Payment", num("   0.00")},
        {"Edit22", "Loan Date", "06012004"},
        {"Edit23", "First Due Date", "06012004"},
        {"Edit24", "Skip Months", "  0"},
        {"Edit13", "Scheduled Payment", num("   0.00")},
        {"Edit14", "APR", num(" 10.000")},
        {"Edit15", "Loan Amount", num("50000.00")},
        {"Edit16", "Payments (per year)", "     12"},
        {"Edit25", "Loan Date", "06012004"},
        {"Edit26", "First Due Date", "06012004"},
        {"Edit27", "Skip Months", "  0"},
        {"Edit17", "Scheduled Payment", num("   0.00")},
        {"Edit18", "Total Payments", "    360"},
        {"Edit19", "APR", num(" 10.000")},
        {"Edit20", "Loan Amount", num("50000.00")},
        {"Edit21", "Payments (per year)", "     12"},
        {"Edit28", "Skip Months", "  0"},
        {"Edit29", "Loan Date", "06012004"},
        {"Edit30", "First Due Date", "06012004"},
        {"Edit31", "Scheduled Payment", num("   0.00")},
        {"Edit32", "Total Payments", "    360"},
        {"Edit33", "APR", num(" 10.000")},
        {"Edit34", "Loan Amount", num("50000.00")},
        {"Edit35", "Payments (per year)", "     12"},
        {"Edit36", "Skip Months", "  0"},
        {"Edit37", "Loan Date", "06012004"},
        {"Edit38", "First Due Date", "06012004"},
        {"Edit41", "Payments Made", num("   0.00")},
        {"Edit39", "Payoff Date", "06012004"},
        {"Edit40", "Present Balance", num("   0.00")},
    };
    const auto buddies = formtest::buddies(Form1);
    for (const auto& e : edits) {
        SCOPED_TRACE(e.name);
        QLineEdit* w = edit("Form1", e.name);
        EXPECT_EQ(w->text(), e.text);
        EXPECT_EQ(buddies.value(w), e.label);
        EXPECT_EQ(w->accessibleDescription(), e.name);
    }
    EXPECT_EQ(edit("Form1", "Edit41")->parentWidget(), Form1->GroupBox2);
    EXPECT_EQ(Form1->GroupBox2->title(), "Loan Payoff Data");

    for (int i = 1; i <= 5; ++i) {
        SCOPED_TRACE(i);
        auto* combo = Form1->findChild<QComboBox*>(QStringLiteral("ComboBox%1").arg(i));
        ASSERT_NE(combo, nullptr);
        ASSERT_EQ(combo->count(), 8);
        EXPECT_EQ(combo->currentIndex(), 0);
        EXPECT_EQ(combo->itemText(0), "0 = 360 days");
        EXPECT_EQ(combo->itemText(2), i == 1 ? "2 = 360/365 days " : "2 = 360/365 days");
        EXPECT_EQ(combo->itemText(7), "7 = rule of 78's, 365 days");
        EXPECT_EQ(buddies.value(combo), "Interest Flag");
    }

    EXPECT_TRUE(Form1->CheckBox1->isChecked());
    EXPECT_FALSE(Form1->CheckBox2->isChecked());
    EXPECT_FALSE(Form1->CheckBox3->isChecked());
    EXPECT_EQ(Form1->CheckBox1->text(), "Compute Payment");
    EXPECT_EQ(Form1->CheckBox2->text(), "Compute Finance Charge");
    EXPECT_EQ(Form1->CheckBox3->text(), "Compute Total Payments");
    QStringList aprTexts;
    for (auto* l : Form1->TabSheet2->findChildren<QLabel*>())
        aprTexts << l->text();
    EXPECT_EQ(aprTexts.count("and APR"), 3);
    EXPECT_TRUE(
        aprTexts.contains("NOTE: Select one choice below and make sure you enter zero for that value."));

    EXPECT_EQ(Form1->GroupBox1->title(), "Additional Factors and Fees");
    const char* buttons[] = {
        "Down Amount / Fees", "Insurance Charges", "Other Annual Fees", "Compute", "Quit", "Help"};
    for (int i = 0; i < 6; ++i) {
        auto* b = Form1->findChild<QPushButton*>(QStringLiteral("Button%1").arg(i + 1));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), buttons[i]);
        if (i < 3) {
            EXPECT_EQ(b->parentWidget(), Form1->GroupBox1);
        }
    }
}

TEST_F(LoanForm, DialogsLabelsAndFormatsAtCreation) {
    formtest::expectDialogEditsAtCreation(forms_, twin_);
    EXPECT_EQ(Form2->windowTitle(), "Down Payment and Origination Fees");
    EXPECT_EQ(Form3->windowTitle(), "Insurance Charges");
    EXPECT_EQ(Form4->windowTitle(), "Annual Fees");
    for (QDialog* d : std::initializer_list<QDialog*>{Form2, Form3, Form4})
        EXPECT_EQ(d->findChild<QPushButton*>("Button1")->text(), "OK");
}

TEST_F(LoanForm, PayoutAndPayoffWindowsStartEmpty) {
    const char* payout[] = {"Scheduled Payment",
                            "Reg Z Effective APR",
                            "Last Payment",
                            "Total Principal",
                            "Total Interest ",
                            "Total Insurance",
                            "Total R.E. Taxes",
                            "Total Payout",
                            "Maturity Date",
                            "Amount Requested",
                            "APR",
                            "Total Payments",
                            "First Due Date",
                            "Payments Per Year",
                            "Down Payment Total",
                            "Origination Fees Total",
                            "Loan Date",
                            "Skip Months",
                            "Interest Flag",
                            "Amount Financed"};
    const char* payoff[] = {"Scheduled Payment", "Payments Made",    "Next Due Date",     "Present Balance",
                            "Payoff Interest ",  "Payoff Insurance", "Payoff R.E. Taxes", "Payoff Amount",
                            "Payoff Date",       "Loan Amount"};
    for (auto [window, captions, count] : {std::tuple{static_cast<QDialog*>(Form9), payout, 20},
                                           std::tuple{static_cast<QDialog*>(Form19), payoff, 10}}) {
        SCOPED_TRACE(window->windowTitle().toStdString());
        for (int i = 0; i < 20; ++i) {
            auto* e = window->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i + 1));
            ASSERT_NE(e, nullptr);
            EXPECT_TRUE(e->text().isEmpty());
            if (i < count) {
                EXPECT_EQ(formtest::labelOf(window, e), captions[i]) << i + 1;
            }
        }
        EXPECT_EQ(window->findChild<QPushButton*>("Button1")->text(), "Prt/Screen");
        EXPECT_EQ(window->findChild<QPushButton*>("Button2")->text(), "Quit");
        EXPECT_EQ(window->findChild<QGroupBox*>("GroupBox1")->title(), "Loan Input Data");
    }
    EXPECT_EQ(Form9->windowTitle(), "Loan Payout Analysis");
    EXPECT_EQ(Form19->windowTitle(), "Loan Payoff Analysis");
    EXPECT_EQ(Form9->Label1->text(), "Loan Payout Information");
    EXPECT_EQ(Form19->Label1->text(), "Loan Payoff Information");
    EXPECT_EQ(Form9->GroupBox2->title(), "Payout Analysis Data");
    EXPECT_EQ(Form19->GroupBox2->title(), "Payoff Analysis Data");
    EXPECT_TRUE(Form19->Label2->text().isEmpty());
}

TEST_F(LoanForm, NumbersSitAtTheRightAndDatesAtTheLeft) {
    const QStringList form1Dates = {"Edit4",  "Edit5",  "Edit22", "Edit23", "Edit25", "Edit26",
                                    "Edit29", "Edit30", "Edit37", "Edit38", "Edit39"};
    const auto side = [](const QLineEdit* e) { return e->alignment() & Qt::AlignHorizontal_Mask; };
    int dates = 0;
    for (const QLineEdit* e : Form1->findChildren<QLineEdit*>()) {
        SCOPED_TRACE(e->objectName().toStdString());
        const bool date = form1Dates.contains(e->objectName());
        dates += date;
        EXPECT_EQ(side(e), date ? Qt::AlignLeft : Qt::AlignRight);
    }
    EXPECT_EQ(dates, form1Dates.size());

    const struct {
        const char* form;
        const char* name;
        Qt::Alignment side;
    } boxes[] = {
        {"Form9", "Edit10", Qt::AlignRight}, // Amount Requested
        {"Form9", "Edit3", Qt::AlignRight},  // Last Payment
        {"Form9", "Edit18", Qt::AlignRight}, // Skip Months
        {"Form9", "Edit9", Qt::AlignLeft},   // Maturity Date
        {"Form9", "Edit13", Qt::AlignLeft},  // First Due Date
        {"Form9", "Edit17", Qt::AlignLeft},  // Loan Date
        {"Form19", "Edit1", Qt::AlignRight}, // Scheduled Payment
        {"Form19", "Edit3", Qt::AlignLeft},  // Next Due Date
        {"Form19", "Edit9", Qt::AlignLeft},  // Payoff Date
        {"Form19", "Edit13", Qt::AlignLeft}, // First Due Date
        {"Form19", "Edit17", Qt::AlignLeft}, // Loan Date
        {"Form2", "Edit2", Qt::AlignRight},  // Down Payment Amount
    };
    for (const auto& b : boxes)
        EXPECT_EQ(side(edit(b.form, b.name)), b.side) << b.form << "." << b.name;
}

// ---- the checks ------------------------------------------------------------------------------

const char* const kPayoffPage[] = {"Edit31", "536.82", "Edit32", "360",      "Edit33",   "10",     "Edit34",
                                   "50000",  "Edit35", "12",     "Edit37",   "01012004", "Edit38", "02012004",
                                   "Edit41", "4",      "Edit39", "07162004", "Edit40",   "49800"};

std::vector<Step> payoffPage(std::vector<Step> changes) {
    std::vector<Step> steps;
    for (std::size_t i = 0; i < std::size(kPayoffPage); i += 2)
        steps.push_back({"Form1", kPayoffPage[i], kPayoffPage[i + 1]});
    steps.insert(steps.end(), changes.begin(), changes.end());
    return steps;
}

struct CheckCase {
    const char* name;
    int page;
    std::vector<Step> steps;
    const char* message;
};

const CheckCase kCheckCases[] = {
    {"1: '-5' converts but is not numeric",
     0,
     {{"Form1", "Edit1", "-5"}},
     "Invalid Loan Amount entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"3",
     0,
     {{"Form1", "Edit1", "1000000"}},
     "Invalid Loan Amount entered!\nAmount exceeds allowable value.\nPlease enter loan amount less "
     "than\n$1,000,000.00"},
    {"4",
     0,
     {{"Form2", "Edit2", "abc"}},
     "Invalid Down Payment Amount entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"5",
     0,
     {{"Form2", "Edit2", "-5"}, {"Form2", "Button1", nullptr}, {"Form2", "Edit2", "5"}},
     "Invalid Down Payment Amount entered!\nNegative Amount not allowed.\nPlease re-enter."},
    {"6",
     0,
     {{"Form2", "Edit2", "100000"}, {"Form2", "Button1", nullptr}},
     "Invalid Down Payment Amount entered!\nAmount exceeds allowable value.\nPlease enter an amount less "
     "than\n$100,000.00"},
    {"7",
     0,
     {{"Form2", "Edit1", "5%"}},
     "Invalid Down Payment Percentage Rate entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"8",
     0,
     {{"Form2", "Edit1", "-1"}, {"Form2", "Button1", nullptr}, {"Form2", "Edit1", "1"}},
     "Invalid Down Payment Percentage Rate entered!\nNegative Amount not allowed.\nPlease re-enter."},
    {"9",
     0,
     {{"Form2", "Edit1", "50"}, {"Form2", "Button1", nullptr}},
     "Invalid Down Payment Percentage Rate entered!\nAmount exceeds allowable value.\nPlease enter a rate "
     "not "
     "greater than 49.99\n"},
    {"10",
     0,
     {{"Form2", "Edit1", "40"}, {"Form2", "Edit2", "6000"}, {"Form2", "Button1", nullptr}},
     "Invalid Down Payment factors entered!\nTotal down payment exceeds allowable value.\nPlease enter a "
     "percentage and an amount total\nthat will not exceed 50% of the loan value.\n"},
    {"11: a thousands separator",
     0,
     {{"Form2", "Edit4", "1,000"}},
     "Invalid Fee Amount entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"12",
     0,
     {{"Form2", "Edit4", "-1"}, {"Form2", "Button1", nullptr}, {"Form2", "Edit4", "1"}},
     "Invalid Fee Amount entered!\nNegative Amount not allowed.\nPlease re-enter."},
    {"13",
     0,
     {{"Form2", "Edit4", "100000"}, {"Form2", "Button1", nullptr}},
     "Invalid fee Amount entered!\nAmount exceeds allowable value.\nPlease enter a fee amount less "
     "than\n$100,000.00"},
    {"14",
     0,
     {{"Form2", "Edit3", "x"}},
     "Invalid Orig. Fee Percentage Rate entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"15",
     0,
     {{"Form2", "Edit3", "-1"}, {"Form2", "Button1", nullptr}, {"Form2", "Edit3", "1"}},
     "Invalid Orig. Fee Percentage Rate entered!\nNegative Amount not allowed.\nPlease re-enter."},
    {"16: a percent of 60 is refused only at Compute",
     0,
     {{"Form2", "Edit3", "60"}, {"Form2", "Button1", nullptr}},
     "Invalid Orig. Fee Percentage Rate entered!\nAmount exceeds allowable value.\nPlease enter a rate not "
     "greater than 49.99\n"},
    {"17",
     0,
     {{"Form2", "Edit3", "40"}, {"Form2", "Edit4", "6000"}, {"Form2", "Button1", nullptr}},
     "Invalid Orig. fee factors entered!\nTotal Orig. fees exceed allowable value.\nPlease enter a "
     "percentage "
     "and an amount total\nthat will not exceed 50% of the loan value.\n"},
    {"18",
     0,
     {{"Form1", "Edit1", "999999.99"}, {"Form2", "Edit3", "0.1"}, {"Form2", "Button1", nullptr}},
     "Invalid fee and down payment factors\nentered! Total Loan exceeds allowable\nvalue. Please enter "
     "factors "
     "that\nwhen added to the amount borrowed will\ntotal more than $1,000,000.00.\n"},
    {"19",
     0,
     {{"Form1", "Edit6", "+10"}},
     "Invalid Annual Percentage Rate entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"21",
     0,
     {{"Form1", "Edit6", "50"}},
     "Invalid Annual Percentage Rate entered!\nAmount exceeds allowable value.\nPlease enter a rate not "
     "greater "
     "than 49.99\n"},
    {"22",
     1,
     {{"Form1", "Edit8", "+5000"}},
     "Invalid Finance Charge entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"24",
     1,
     {{"Form1", "Edit8", "1000000"}},
     "Invalid Finance Charge entered!\nAmount exceeds allowable value.\nPlease enter an amount less "
     "than\n$999,999.00"},
    {"25",
     0,
     {{"Form1", "Edit3", "+360"}},
     "Invalid Number of Payments entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"27",
     0,
     {{"Form1", "Edit3", "100000"}},
     "Invalid Number of Payments entered!\nNumber exceeds allowable value.\nPlease enter a number less "
     "than\n100,000"},
    {"28",
     3,
     {{"Form1", "Edit17", "+500"}},
     "Invalid Scheduled Payment entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"30",
     3,
     {{"Form1", "Edit17", "1000000"}, {"Form1", "Edit20", "999999"}},
     "Invalid Scheduled Payment entered!\nAmount exceeds allowable value.\nPlease enter Payment less "
     "than\n$1,000,000.00"},
    {"31",
     3,
     {{"Form1", "Edit17", "50000"}},
     "Invalid Scheduled Payment entered!\nPayment exceeds or equals loan amount.\nPlease enter a scheduled "
     "payment less\nthan the amount being borrowed."},
    // Insurance, between checks 31 and 32.
    {"insurance 1",
     0,
     {{"Form3", "Edit1", "x"}},
     "Invalid Disability Rate entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"insurance 2",
     0,
     {{"Form3", "Edit1", "-0.1"}, {"Form3", "Button1", nullptr}, {"Form3", "Edit1", "0.1"}},
     "Invalid Disability Rate entered!\nNegative Amount not allowed.\nPlease re-enter."},
    {"insurance 3",
     0,
     {{"Form3", "Edit1", "1"}, {"Form3", "Button1", nullptr}},
     "Invalid Disablity Rate entered!\nAmount exceeds allowable value.\nPlease enter a value less than 1.\n"},
    {"insurance 4",
     0,
     {{"Form3", "Edit2", "x"}},
     "Invalid Disability Insurance Frequency!\nYou entered a non numeric value.\nPlease re-enter."},
    {"insurance 5",
     0,
     {{"Form3", "Edit2", "-1"}, {"Form3", "Button1", nullptr}, {"Form3", "Edit2", "1"}},
     "Invalid Disability Insurance Frequency!\nNegative Amount not allowed.\nPlease re-enter."},
    {"insurance 6",
     0,
     {{"Form3", "Edit2", "53"}, {"Form3", "Button1", nullptr}},
     "Invalid Disablity Insurance Frequency!\nAmount exceeds allowable value.\nPlease enter a value not "
     "greater "
     "than 52.\n"},
    {"insurance 7",
     0,
     {{"Form3", "Edit3", "x"}},
     "Invalid Disability Insurance Years entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"insurance 8",
     0,
     {{"Form3", "Edit3", "-1"}, {"Form3", "Button1", nullptr}, {"Form3", "Edit3", "1"}},
     "Invalid Disability Insurance Years entered!\nNegative Amount not allowed.\nPlease re-enter."},
    {"insurance 9: 52 premiums a year on a monthly loan",
     0,
     {{"Form3", "Edit1", "0.005"},
      {"Form3", "Edit2", "52"},
      {"Form3", "Edit3", "2"},
      {"Form3", "Button1", nullptr}},
     "Invalid Disablity Insurance factors entered!\nYear and frequency exceed allowable value.\nPlease enter "
     "a "
     "value for the years and\nfrequency, that will not exceed the number\nof payments or frequency setup "
     "for "
     "the loan \nterms."},
    {"insurance 10",
     0,
     {{"Form3", "Edit2", "12"}, {"Form3", "Button1", nullptr}},
     "Disability Insurance Input Error!\nNo entry was made for one of the\nfollowing, or both:\n1. "
     "disability "
     "insurance rate\n2. disability insurance years\nPlease re-enter."},
    {"insurance 11",
     0,
     {{"Form3", "Edit3", "2"}, {"Form3", "Button1", nullptr}},
     "Disability Insurance Input Error!\nNo entry was made for one of the\nfollowing, or both:\n1. "
     "disability "
     "insurance rate\n2. disability insurance frequency\nPlease re-enter."},
    {"insurance 12",
     0,
     {{"Form3", "Edit1", "0.005"}, {"Form3", "Edit2", "12"}, {"Form3", "Button1", nullptr}},
     "Disability Insurance Input Error!\nNo entry was made for one of the\nfollowing or both:\n1. disability "
     "insurance years\n2. disability insurance frequency\nPlease re-enter."},
    {"insurance 13",
     0,
     {{"Form3", "Edit1", "0.005"}, {"Form3", "Edit3", "2"}, {"Form3", "Button1", nullptr}},
     "Disability Insurance Input Error!\nNo entry was made for one of the\nfollowing or both:\n1. disability "
     "insurance years\n2. disability insurance frequency\nPlease re-enter."},
    {"insurance 14: 40 years while the number of payments is computed",
     2,
     {{"Form1", "Edit13", "500"},
      {"Form3", "Edit1", "0.005"},
      {"Form3", "Edit2", "12"},
      {"Form3", "Edit3", "40"},
      {"Form3", "Button1", nullptr}},
     "Disability Insurance Input Error!\nInsurance Years cannot exceed 30 \nwhen the system is computing "
     "the\nthe number of payments. Please\nenter a value not greater than 30\nfor the insurance years."},
    {"insurance 15",
     0,
     {{"Form3", "Edit4", "x"}},
     "Invalid Life Rate entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"insurance 16",
     0,
     {{"Form3", "Edit4", "-0.1"}, {"Form3", "Button1", nullptr}, {"Form3", "Edit4", "0.1"}},
     "Invalid Life Rate entered!\nNegative Amount not allowed.\nPlease re-enter."},
    {"insurance 17",
     0,
     {{"Form3", "Edit4", "1"}, {"Form3", "Button1", nullptr}},
     "Invalid Life Rate entered!\nAmount exceeds allowable value.\nPlease enter a value less than 1.\n"},
    {"insurance 18",
     0,
     {{"Form3", "Edit5", "x"}},
     "Invalid Life Insurance Frequency!\nYou entered a non numeric value.\nPlease re-enter."},
    {"insurance 19",
     0,
     {{"Form3", "Edit5", "-1"}, {"Form3", "Button1", nullptr}, {"Form3", "Edit5", "1"}},
     "Invalid Life Insurance Frequency!\nNegative Amount not allowed.\nPlease re-enter."},
    {"insurance 20",
     0,
     {{"Form3", "Edit5", "53"}, {"Form3", "Button1", nullptr}},
     "Invalid Life Insurance Frequency!\nAmount exceeds allowable value.\nPlease enter a value not greater "
     "than "
     "52.\n"},
    {"insurance 21",
     0,
     {{"Form3", "Edit6", "x"}},
     "Invalid Life Insurance Years entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"insurance 22",
     0,
     {{"Form3", "Edit6", "-1"}, {"Form3", "Button1", nullptr}, {"Form3", "Edit6", "1"}},
     "Invalid Life Insurance Years entered!\nNegative Amount not allowed.\nPlease re-enter."},
    {"insurance 23",
     0,
     {{"Form3", "Edit4", "0.005"},
      {"Form3", "Edit5", "13"},
      {"Form3", "Edit6", "2"},
      {"Form3", "Button1", nullptr}},
     "Invalid Life Insurance factors entered!\nYear and frequency exceed allowable value.\nPlease enter a "
     "value "
     "for the years and\nfrequency, that will not exceed the number\nof payments or frequency setup for the "
     "loan "
     "\nterms."},
    {"insurance 24",
     0,
     {{"Form3", "Edit5", "12"}, {"Form3", "Button1", nullptr}},
     "Life Insurance Input Error!\nNo entry was made for one of the\nfollowing, or both:\n1. life insurance "
     "rate\n2. life insurance years\nPlease re-enter."},
    {"insurance 25",
     0,
     {{"Form3", "Edit6", "2"}, {"Form3", "Button1", nullptr}},
     "Life Insurance Input Error!\nNo entry was made for one of the\nfollowing, or both:\n1. life insurance "
     "rate\n2. life insurance frequency\nPlease re-enter."},
    {"insurance 26",
     0,
     {{"Form3", "Edit4", "0.005"}, {"Form3", "Edit5", "12"}, {"Form3", "Button1", nullptr}},
     "Life Insurance Input Error!\nNo entry was made for one of the\nfollowing or both:\n1. life insurance "
     "years\n2. life insurance frequency\nPlease re-enter."},
    {"insurance 27",
     0,
     {{"Form3", "Edit4", "0.005"}, {"Form3", "Edit6", "2"}, {"Form3", "Button1", nullptr}},
     "Life Insurance Input Error!\nNo entry was made for one of the\nfollowing or both:\n1. life insurance "
     "years\n2. life insurance frequency\nPlease re-enter."},
    {"insurance 28",
     2,
     {{"Form1", "Edit13", "500"},
      {"Form3", "Edit4", "0.005"},
      {"Form3", "Edit5", "12"},
      {"Form3", "Edit6", "31"},
      {"Form3", "Button1", nullptr}},
     "Life Insurance Input Error!\nInsurance Years cannot exceed 30 \nwhen the system is computing the\nthe "
     "number of payments. Please\nenter a value not greater than 30\nfor the insurance years."},
    // Annual fees, after the insurance checks.
    {"fees 1",
     0,
     {{"Form4", "Edit1", "x"}},
     "Invalid Tax Amount entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"fees 2",
     0,
     {{"Form4", "Edit1", "-1"}, {"Form4", "Button1", nullptr}, {"Form4", "Edit1", "1"}},
     "Invalid Tax Amount entered!\nNegative Amount not allowed.\nPlease re-enter."},
    {"fees 3",
     0,
     {{"Form4", "Edit1", "100000"}, {"Form4", "Button1", nullptr}},
     "Invalid Tax Amount entered!\nAmount exceeds allowable value.\nPlease enter tax amount less "
     "than\n$100,000.00"},
    {"fees 4",
     0,
     {{"Form4", "Edit2", "x"}},
     "Invalid Home Owners Insurance\nentered! You entered a non numeric\nvalue. Please re-enter."},
    {"fees 5",
     0,
     {{"Form4", "Edit2", "-1"}, {"Form4", "Button1", nullptr}, {"Form4", "Edit2", "1"}},
     "Invalid Home Owners Insurance\nentered! Negative Amount not\nallowed. Please re-enter."},
    {"fees 6: 10,000 home owners insurance",
     0,
     {{"Form4", "Edit2", "10000"}, {"Form4", "Button1", nullptr}},
     "Invalid Home Owners Insurance\nentered. Amount exceeds allowable\nvalue. Please enter amount "
     "less\nthan "
     "$10,000.00"},
    {"fees 7",
     0,
     {{"Form4", "Edit3", "x"}},
     "Invalid Other Insurance\nentered! You entered a non numeric\nvalue. Please re-enter."},
    {"fees 8",
     0,
     {{"Form4", "Edit3", "-1"}, {"Form4", "Button1", nullptr}, {"Form4", "Edit3", "1"}},
     "Invalid Other Insurance\nentered! Negative Amount not\nallowed. Please re-enter."},
    {"fees 9",
     0,
     {{"Form4", "Edit3", "10000"}, {"Form4", "Button1", nullptr}},
     "Invalid Other Insurance\nentered. Amount exceeds allowable\nvalue. Please enter amount less\nthan "
     "$10,000.00"},
    {"32: sign",
     0,
     {{"Form1", "Edit7", "+1"}},
     "Input Error on skip months!\nYou entered a non numeric value, or\nmore than 3 digits.\nPlease "
     "re-enter."},
    {"32: four digits",
     0,
     {{"Form1", "Edit7", "1000"}},
     "Input Error on skip months!\nYou entered a non numeric value, or\nmore than 3 digits.\nPlease "
     "re-enter."},
    {"33",
     0,
     {{"Form1", "Edit7", "361"}},
     "Skip months cannot exceed total\nnumber of payments on the loan!\nYou entered a value greater "
     "than\nthe "
     "total number of payments.\n\n"},
    {"33: any skip months on Calc No. Pmts.",
     2,
     {{"Form1", "Edit13", "500"}, {"Form1", "Edit27", "1"}},
     "Skip months cannot exceed total\nnumber of payments on the loan!\nYou entered a value greater "
     "than\nthe "
     "total number of payments.\n\n"},
    {"35",
     0,
     {{"Form1", "Edit2", "+12"}},
     "Invalid Loan Frequency entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"37",
     0,
     {{"Form1", "Edit2", "53"}},
     "Invalid Loan Frequency entered!\nAmount exceeds allowable value.\nPlease enter a loan frequency\nnot "
     "greater than 52.\n"},
    {"38",
     0,
     {{"Form1", "Edit5", "13012004"}},
     "Invalid First Due Date Entered!\nUse MMDDCCYY format--(8 digits total).\nDo not use spaces, slashes, "
     "etc.\nThe CENTURY must be included.\nBe sure month, day, and year are valid.\n\nPlease re-enter "
     "correctly.\n\nNOTE: A blank first due date is acceptable.\nThe maturity date is figured from today "
     "if\nleft blank."},
    {"39",
     0,
     {{"Form1", "Edit4", "06/01/04"}},
     "Invalid Loan Date Entered!\nUse MMDDCCYY format--(8 digits total).\nDo not use spaces, slashes, "
     "etc.\nThe "
     "CENTURY must be included.\nBe sure month, day, and year are valid.\n\nPlease re-enter "
     "correctly.\n\nNOTE: "
     "A blank loan date is acceptable.\nTodays date will be used if this field\nis left blank."},
    {"40",
     0,
     {{"Form1", "Edit4", "07012004"}, {"Form1", "Edit5", "06012004"}},
     "Loan Date cannot be later than the\nfirst due date!\nPlease re-enter both dates correctly.\n\n"},
    {"41",
     0,
     {{"Form1", "Edit4", "01012001"}, {"Form1", "Edit5", "01012004"}},
     "The difference between the loan date and\nthe first due date cannot be more than 2\nyears.  Please "
     "re-enter correctly.\n\n"},
    {"42: next year's first due date on a half-year loan",
     0,
     {{"Form1", "Edit4", "12012004"}, {"Form1", "Edit5", "01012005"}, {"Form1", "Edit3", "6"}},
     "The difference between the loan date and the\nfirst due date cannot be more than the loan\nterm.  "
     "Please "
     "re-enter both correctly.\n\n"},
    // Payoff, after the common checks.
    {"payoff 2", 4, payoffPage({{"Form1", "Edit40", "-100"}}),
     "Invalid current balance entered!\nNegative or Zero Amount not allowed.\nPlease re-enter."},
    {"payoff 3", 4, payoffPage({{"Form1", "Edit40", "60000"}}),
     "Invalid current balance entered!\nAmount exceeds allowable value.\nPlease enter a balance less "
     "than\nthe "
     "original loan amount"},
    {"payoff 4", 4, payoffPage({{"Form1", "Edit41", "-1"}}),
     "Invalid Number of Payments Made!\nNegative Amount not allowed.\nPlease re-enter."},
    {"payoff 5", 4, payoffPage({{"Form1", "Edit41", "361"}}),
     "Invalid Number of Payments Made!\nNumber exceeds allowable value.\nPlease enter a number less "
     "than\nthe "
     "Loan total payments"},
    {"payoff 6", 4, payoffPage({{"Form1", "Edit39", "07322004"}}),
     "Invalid Payoff Date Entered!\nUse MMDDCCYY format--(8 digits total).\nDo not use spaces, slashes, "
     "etc.\nThe "
     "CENTURY must be included.\nBe sure month, day, and year are valid.\n\nPlease re-enter "
     "correctly.\n\nNOTE: "
     "A blank Payoff date is not acceptable.\nThe Payoff date is figured from today if\nleft blank."},
    {"payoff 7", 4, payoffPage({{"Form1", "Edit39", "01152004"}}),
     "Payoff Date cannot be earlier than the\nfirst due date!\nPlease re-enter both dates correctly.\n\n"},
    {"payoff 8", 4, payoffPage({{"Form1", "Edit32", "12"}, {"Form1", "Edit39", "07162006"}}),
     "The difference between the loan date and the\nPayoff date cannot be more than the loan\nterm.  Please "
     "re-enter both correctly.\n\n"},
    {"payoff 9", 4,
     payoffPage(
         {{"Form1", "Edit37", "01012003"}, {"Form1", "Edit38", "02012003"}, {"Form1", "Edit39", "07162003"}}),
     "The payoff date cannot be less than the\ncurrent date.  Please re-enter both\ncorrectly.\n\n"},
};

TEST_F(LoanForm, EachCheckShowsItsMessageAndCallsNothing) {
    for (const CheckCase& c : kCheckCases) {
        SCOPED_TRACE(c.name);
        expectComputeRefused(c.page, c.steps, ui::MessageKind::Error, QString::fromLatin1(c.message));
        EXPECT_EQ(Form1->PAYOFFMODE, 0);
    }
}

// ---- reading the page ------------------------------------------------------------------------

TEST_F(LoanForm, ReadingMessagesAndCheckBoxRules) {
    const QString required = QStringLiteral("You failed to enter a required field.  Please correct!");
    const struct {
        const char* name;
        int page;
        std::vector<Step> steps;
        QString message;
    } cases[] = {
        {"text that does not convert",
         0,
         {{"Form1", "Edit1", "abc"}},
         "'abc' is not a valid floating point value"},
        {"skip months are an integer",
         0,
         {{"Form1", "Edit7", "1.5"}},
         QStringLiteral("'%1' is not a valid integer value").arg(typed("1.5"))},
        {"empty skip months", 0, {{"Form1", "Edit7", ""}}, "'' is not a valid integer value"},
        {"Calc Payment without payments", 0, {{"Form1", "Edit3", "0"}}, required},
        {"Calc Payment without a rate",
         0,
         {{"Form1", "Edit6", ""}},
         "'' is not a valid floating point value"},
        {"Calc No. Pmts. without a payment", 2, {}, required},
        {"Calc Payout needs more than one payment",
         3,
         {{"Form1", "Edit17", "500"}, {"Form1", "Edit18", "1"}},
         required},
        {"Calc Payoff without payments made", 4, payoffPage({{"Form1", "Edit41", "0"}}), required},
        {"Calc Payoff without a balance", 4, payoffPage({{"Form1", "Edit40", "0"}}), required},
        {"two check boxes",
         1,
         {{"Form1", "Edit8", "5000"},
          {"Form1", "Edit12", "500"},
          {"Form1", "CheckBox1", "1"},
          {"Form1", "CheckBox2", "1"},
          {"Form1", "CheckBox3", "0"}},
         "Only one check box can be checked. Please correct!"},
        {"three check boxes",
         1,
         {{"Form1", "Edit8", "5000"},
          {"Form1", "CheckBox1", "1"},
          {"Form1", "CheckBox2", "1"},
          {"Form1", "CheckBox3", "1"}},
         "Only one check box can be checked. Please correct!"},
        {"no check box",
         1,
         {{"Form1", "Edit8", "5000"},
          {"Form1", "CheckBox1", "0"},
          {"Form1", "CheckBox2", "0"},
          {"Form1", "CheckBox3", "0"}},
         "One check box must be selected. Please correct!"},
        {"Compute Payment without the finance charge",
         1,
         {{"Form1", "CheckBox1", "1"}, {"Form1", "CheckBox2", "0"}, {"Form1", "CheckBox3", "0"}},
         "You failed to enter something properly.  Please correct!"},
        {"Compute Finance Charge without the payment",
         1,
         {{"Form1", "CheckBox1", "0"}, {"Form1", "CheckBox2", "1"}, {"Form1", "CheckBox3", "0"}},
         "You failed to enter something properly. Please correct!"},
        {"Compute Finance Charge on fixed principal",
         1,
         {{"Form1", "Edit12", "500"},
          {"Form1", "CheckBox1", "0"},
          {"Form1", "CheckBox2", "1"},
          {"Form1", "CheckBox3", "0"},
          {"Form1", "ComboBox2", "3"}},
         "Cannot calculate the APR on Fixed Principal Loans without the finance charge. Please change your "
         "check "
         "mark and enter the finance charge when using interest flag 3 or 4."},
        {"Compute Total Payments without the payment",
         1,
         {{"Form1", "Edit8", "5000"},
          {"Form1", "CheckBox1", "0"},
          {"Form1", "CheckBox2", "0"},
          {"Form1", "CheckBox3", "1"}},
         "You failed to enter something properly. Please correct!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectComputeRefused(c.page, c.steps, ui::MessageKind::Plain, c.message);
        EXPECT_EQ(Form1->PAYOFFMODE, 0);
    }
}

TEST_F(LoanForm, FebruaryThirtiethPassesTheDateCheck) {
    run({{"Form1", "Edit4", "02012004"}, {"Form1", "Edit5", "02302004"}, {"Form1", "Edit3", "60"}});
    const long calls = loan::tesseraCalls();
    compute();
    EXPECT_EQ(loan::tesseraCalls(), calls + 1);
    EXPECT_EQ(Form1->ODDDAYS, 29);
    ASSERT_EQ(modal_.shown().size(), 1);
    EXPECT_EQ(modal_.shown().first(), Form9);
}

TEST_F(LoanForm, InsuranceYearsOfFortyPassWhenThePaymentsAreGiven) {
    run({{"Form3", "Edit1", "0.005"},
         {"Form3", "Edit2", "12"},
         {"Form3", "Edit3", "40"},
         {"Form3", "Button1", nullptr}});
    compute();
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    ASSERT_EQ(modal_.shown().size(), 1);
}

TEST_F(LoanForm, InsuranceTwelveAYearPassOnABiweeklyLoan) {
    run({{"Form1", "Edit2", "26"},
         {"Form3", "Edit1", "0.005"},
         {"Form3", "Edit2", "12"},
         {"Form3", "Edit3", "2"},
         {"Form3", "Button1", nullptr}});
    compute();
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
}

// ---- the dialogs -----------------------------------------------------------------------------

TEST_F(LoanForm, DialogOkStoresInOrderAndStaysOpenOnABadText) {
    modal_.setHandler([](QDialog* d) {
        auto e = [d](const char* n) { return d->findChild<QLineEdit*>(n); };
        e("Edit1")->setText("5");
        e("Edit2")->setText(" 250 ");
        e("Edit3")->setText("abc");
        e("Edit4")->setText("100");
        d->findChild<QPushButton*>("Button1")->click();
        return d->result();
    });
    press("Form1", "Button1");
    ASSERT_EQ(modal_.shown().size(), 1);
    EXPECT_EQ(modal_.shown().first(), Form2);
    EXPECT_EQ(messages_.lastText(), "'abc' is not a valid floating point value");
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Plain);
    EXPECT_NE(Form2->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(Form1->DOWNPAYPCT, 5.0);
    EXPECT_DOUBLE_EQ(Form1->DOWNPAYAMT, 250.0);
    EXPECT_DOUBLE_EQ(Form1->FEEPCT, 0.0);
    EXPECT_DOUBLE_EQ(Form1->FEEPAYAMT, 0.0);
    EXPECT_EQ(box("Form2", "Edit3"), "abc");

    edit("Form2", "Edit3")->setText(num("1.5"));
    press("Form2", "Button1");
    EXPECT_EQ(Form2->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(Form1->FEEPCT, 1.5);
    EXPECT_DOUBLE_EQ(Form1->FEEPAYAMT, 100.0);
}

TEST_F(LoanForm, InsuranceAndFeeDialogsStoreIntoTheLoanForm) {
    press("Form1", "Button2");
    press("Form1", "Button3");
    ASSERT_EQ(modal_.shown().size(), 2);
    EXPECT_EQ(modal_.shown()[0], Form3);
    EXPECT_EQ(modal_.shown()[1], Form4);
    run({{"Form3", "Edit1", "0.005"},
         {"Form3", "Edit2", "12"},
         {"Form3", "Edit3", "2"},
         {"Form3", "Edit4", "0.002"},
         {"Form3", "Edit5", "12"},
         {"Form3", "Edit6", "x"},
         {"Form3", "Button1", nullptr}});
    EXPECT_EQ(messages_.lastText(), "'x' is not a valid floating point value");
    EXPECT_NE(Form3->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(Form1->LFFREQ, 12.0);
    run({{"Form3", "Edit6", "3"}, {"Form3", "Button1", nullptr}});
    EXPECT_EQ(Form3->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(Form1->DSPREM, 50000.0 * 0.005);
    EXPECT_DOUBLE_EQ(Form1->LFNUMPAY, 36.0);
    run({{"Form4", "Edit1", "1200"},
         {"Form4", "Edit2", "9999.99"},
         {"Form4", "Edit3", "300"},
         {"Form4", "Button1", nullptr}});
    EXPECT_EQ(Form4->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(Form1->TAXES, 1200.0);
    EXPECT_DOUBLE_EQ(Form1->HOINS, 9999.99);
    EXPECT_DOUBLE_EQ(Form1->OTINS, 300.0);
}

// ---- successful computations -----------------------------------------------------------------

void expectPayoutWindow(const LoanData& e, const char* firstDue, const char* loanDate) {
    const struct {
        const char* name;
        QString text;
    } boxes[] = {
        {"Edit1", f2(e.PAYMENT)},
        {"Edit2", f3(e.REGZAPR)},
        {"Edit3", f2(e.LASTPAY)},
        {"Edit4", f2(e.TOTALPRINCIPAL)},
        {"Edit5", f2(e.TOTALINTEREST)},
        {"Edit6", f2(e.TOTALINSURANCE)},
        {"Edit7", f2(e.TOTALTAXES)},
        {"Edit8", f2(e.TOTALPAYOUT)},
        {"Edit9", date(e.MATURITY)},
        {"Edit10", f2(e.ORGAMT)},
        {"Edit11", f3(e.APR)},
        {"Edit12", f2(e.NUMPAY)},
        {"Edit13", QString::fromLatin1(firstDue)},
        {"Edit14", f2(e.FREQUENCY)},
        {"Edit15", f2(e.DOWNAMT)},
        {"Edit16", f2(e.FEEAMT)},
        {"Edit17", QString::fromLatin1(loanDate)},
        {"Edit18", ui::format("%3d", e.SKPMONTH)},
        {"Edit19", ui::format("%3d", e.INTMETHOD)},
        {"Edit20", f2(e.FINANCEAMT)},
    };
    for (const auto& b : boxes)
        EXPECT_EQ(Form9->findChild<QLineEdit*>(b.name)->text(), b.text) << b.name;
}

void expectPagesShow(const LoanData& e) {
    for (const char* n : {"Edit3", "Edit10", "Edit18", "Edit32"})
        EXPECT_EQ(Form1->findChild<QLineEdit*>(n)->text(), f2(e.NUMPAY)) << n;
    for (const char* n : {"Edit6", "Edit14", "Edit19", "Edit33"})
        EXPECT_EQ(Form1->findChild<QLineEdit*>(n)->text(), f3(e.APR)) << n;
    for (const char* n : {"Edit12", "Edit13", "Edit17", "Edit31"})
        EXPECT_EQ(Form1->findChild<QLineEdit*>(n)->text(), f2(e.PAYMENT)) << n;
    EXPECT_EQ(Form1->Edit8->text(), f2(e.TOTALINTEREST));
    EXPECT_EQ(Form1->Edit41->text(), f2(e.PAYSMADE));
    EXPECT_EQ(Form1->Edit40->text(), f2(e.CURBAL));
}

void setDate(char (&text)[11], int (&parts)[3], const char* typed) {
    loan::storeDateText(typed, text);
    loan::readDateParts(typed, parts);
}

TEST_F(LoanForm, CalcPaymentWithAnnualFees) {
    run({{"Form1", "Edit1", "20000"},
         {"Form1", "Edit3", "60"},
         {"Form1", "Edit6", "8"},
         {"Form1", "Edit4", "06012004"},
         {"Form1", "Edit5", "07152004"},
         {"Form1", "Edit7", "2"}});
    Form1->ComboBox1->setCurrentIndex(1);
    run({{"Form4", "Edit1", "1200"}, {"Form4", "Edit2", "600"}, {"Form4", "Button1", nullptr}});
    compute();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();

    LoanData b;
    b.FINANCEAMT = b.ORGAMT = 20000;
    b.NUMPAY = 60, b.APR = 8, b.PAYMENT = 0, b.INTMETHOD = 1, b.SKPMONTH = 2;
    b.TAXES = 1200, b.HOINS = 600;
    loan::storeDateText("07152004", b.FIRSTDUE);
    b.LOANDATE[0] = 6, b.LOANDATE[1] = 1, b.LOANDATE[2] = 2004;
    b.ODDDAYS = 44;
    const LoanData e = engine(b);
    ASSERT_EQ(e.ERRFLAG, 0);
    ASSERT_GT(e.PAYMENT, 0);
    expectPayoutWindow(e, "07/15/2004", "06/01/2004");
    expectPagesShow(e);
    EXPECT_EQ(Form1->Edit3->text(), num("  60.00"));
    EXPECT_DOUBLE_EQ(Form1->SCHEDPAY, e.PAYMENT);
    EXPECT_EQ(Form1->UnsavedCount, 1);
    ASSERT_EQ(modal_.shown().size(), 1);
    EXPECT_EQ(modal_.shown().first(), Form9);
    // Loan amount, frequency, dates and skip months stay as typed.
    EXPECT_EQ(Form1->Edit1->text(), "20000");
    EXPECT_EQ(Form1->Edit5->text(), "07152004");

    compute();
    EXPECT_EQ(Form1->UnsavedCount, 2);
}

TEST_F(LoanForm, CalcAprFromThePaymentWithDownPaymentAndFees) {
    page(TForm1::CalcApr);
    run({{"Form1", "Edit9", "11000"},
         {"Form1", "Edit10", "36"},
         {"Form1", "Edit12", "322.67"},
         {"Form1", "Edit22", "06012004"},
         {"Form1", "Edit23", "07012004"},
         {"Form2", "Edit2", "1000"},
         {"Form2", "Edit3", "1"},
         {"Form2", "Button1", nullptr}});
    Form1->CheckBox1->setChecked(false);
    Form1->CheckBox2->setChecked(true);
    compute();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();

    LoanData b;
    b.ORGAMT = 11000;
    b.DOWNAMT = 1000, b.FEEAMT = 110, b.FINANCEAMT = 11000 + 110 - 1000;
    b.DOWNPAYAMT = 1000, b.FEEPCT = 1;
    b.NUMPAY = 36, b.PAYMENT = 322.67, b.APR = 0, b.TOTALINTEREST = 0;
    loan::storeDateText("07012004", b.FIRSTDUE);
    b.LOANDATE[0] = 6, b.LOANDATE[1] = 1, b.LOANDATE[2] = 2004;
    b.ODDDAYS = 30;
    const LoanData e = engine(b);
    ASSERT_EQ(e.ERRFLAG, 0);
    ASSERT_GT(e.APR, 0);
    expectPayoutWindow(e, "07/01/2004", "06/01/2004");
    expectPagesShow(e);
    EXPECT_EQ(Form1->UnsavedCount, 1);
}

TEST_F(LoanForm, CalcNumberOfPayments) {
    page(TForm1::CalcNumPay);
    run({{"Form1", "Edit13", "500"},
         {"Form1", "Edit14", "9"},
         {"Form1", "Edit15", "30000"},
         {"Form1", "Edit25", "05152004"},
         {"Form1", "Edit26", "06152004"}});
    compute();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();

    LoanData b;
    b.FINANCEAMT = b.ORGAMT = 30000;
    b.NUMPAY = 0, b.PAYMENT = 500, b.APR = 9;
    loan::storeDateText("06152004", b.FIRSTDUE);
    b.LOANDATE[0] = 5, b.LOANDATE[1] = 15, b.LOANDATE[2] = 2004;
    b.ODDDAYS = 31;
    const LoanData e = engine(b);
    ASSERT_EQ(e.ERRFLAG, 0);
    ASSERT_GT(e.NUMPAY, 0);
    expectPayoutWindow(e, "06/15/2004", "05/15/2004");
    expectPagesShow(e);
}

TEST_F(LoanForm, CalcPayoutWithInsurance) {
    page(TForm1::CalcPayout);
    run({{"Form1", "Edit17", "450"},
         {"Form1", "Edit18", "48"},
         {"Form1", "Edit19", "7.5"},
         {"Form1", "Edit20", "18000"},
         {"Form1", "Edit29", ""},
         {"Form1", "Edit30", "07012004"},
         {"Form3", "Edit1", "0.005"},
         {"Form3", "Edit2", "12"},
         {"Form3", "Edit3", "2"},
         {"Form3", "Button1", nullptr}});
    compute();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();

    LoanData b;
    b.FINANCEAMT = b.ORGAMT = 18000;
    b.NUMPAY = 48, b.PAYMENT = 450, b.APR = 7.5;
    b.DSRATE = 0.005, b.DSFREQ = 12, b.DSYEARS = 2;
    b.DSPREM = 18000 * 0.005, b.DSNUMPAY = 24;
    loan::storeDateText("07012004", b.FIRSTDUE);
    b.LOANDATE[0] = 6, b.LOANDATE[1] = 1, b.LOANDATE[2] = 2004; // blank: today
    b.ODDDAYS = 30;
    const LoanData e = engine(b);
    ASSERT_EQ(e.ERRFLAG, 0);
    ASSERT_GT(e.TOTALINSURANCE, 0);
    expectPayoutWindow(e, "07/01/2004", "06/01/2004");
    expectPagesShow(e);
}

TEST_F(LoanForm, EngineRefusalShowsItsMessageAndNoResults) {
    page(TForm1::CalcNumPay);
    run({{"Form1", "Edit13", "100"}});
    const QString before = Form1->Edit3->text();
    compute();
    ASSERT_EQ(messages_.messages().size(), 1);
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Error);
    EXPECT_TRUE(messages_.lastText().startsWith("Loan Input Error!"));
    EXPECT_TRUE(modal_.shown().isEmpty());
    EXPECT_EQ(Form1->UnsavedCount, 0);
    EXPECT_EQ(Form1->ERRFLAG, 0);
    EXPECT_EQ(Form1->Edit3->text(), before);
    EXPECT_TRUE(Form9->Edit1->text().isEmpty());
}

TEST_F(LoanForm, PayoffFillsThePayoffWindow) {
    page(TForm1::CalcPayoff);
    run(payoffPage({}));
    Form1->SCHEDPAY = 123.45;
    compute();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    ASSERT_EQ(modal_.shown().size(), 1);
    EXPECT_EQ(modal_.shown().first(), Form19);

    // Today June 1, 2004 (day 153), payoff July 16 (day 198): 45 days, one whole month and 15 days.
    EXPECT_EQ(Form1->PAYOFFDAYS, 15);
    EXPECT_DOUBLE_EQ(Form1->PAYOFFPER, 5.0);
    EXPECT_EQ(Form1->PAYOFFMODE, 0);
    EXPECT_DOUBLE_EQ(Form1->SCHEDPAY, 123.45);
    EXPECT_EQ(Form1->UnsavedCount, 0);

    LoanData b;
    b.FINANCEAMT = b.ORGAMT = 50000;
    b.NUMPAY = 360, b.PAYMENT = 536.82, b.APR = 10;
    setDate(b.FIRSTDUE, b.FIRSTDUEDATE, "02012004");
    b.LOANDATE[0] = 1, b.LOANDATE[1] = 1, b.LOANDATE[2] = 2004;
    b.ODDDAYS = 31;
    b.PAYOFFMODE = 1, b.PAYSMADE = 4, b.CURBAL = 49800, b.PAYOFFPER = 5, b.PAYOFFDAYS = 15;
    const LoanData e = engine(b);
    ASSERT_EQ(e.ERRFLAG, 0);
    const struct {
        const char* name;
        QString text;
    } boxes[] = {
        {"Edit1", f2(536.82)},
        {"Edit2", num("   4.00")},
        {"Edit3", "06/01/2004"},
        {"Edit4", num("49800.00")},
        {"Edit5", f2(e.TOTALINTEREST)},
        {"Edit6", f2(e.TOTALINSURANCE)},
        {"Edit7", f2(e.TOTALTAXES)},
        {"Edit8", f2(e.TOTALPAYOUT + 49800)},
        {"Edit9", "07/16/2004"},
        {"Edit10", num("50000.00")},
        {"Edit11", num(" 10.000")},
        {"Edit12", num(" 360.00")},
        {"Edit13", "02/01/2004"},
        {"Edit14", num("  12.00")},
        {"Edit15", num("   0.00")},
        {"Edit16", num("   0.00")},
        {"Edit17", "01/01/2004"},
        {"Edit18", "  0"},
        {"Edit19", "  0"},
        {"Edit20", num("50000.00")},
    };
    for (const auto& bx : boxes)
        EXPECT_EQ(box("Form19", bx.name), bx.text) << bx.name;
    EXPECT_GT(e.TOTALINTEREST, 0);
    EXPECT_EQ(Form1->Edit8->text(), f2(e.TOTALINTEREST));
}

TEST_F(LoanForm, FailedPayoffThenCalcPaymentComputesARegularLoan) {
    page(TForm1::CalcPayoff);
    run(payoffPage({{"Form1", "Edit40", "60000"}}));
    compute();
    ASSERT_EQ(messages_.messages().size(), 1);
    messages_.clear();
    page(TForm1::CalcPayment);
    run({{"Form1", "Edit5", "07012004"}});
    compute();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    ASSERT_EQ(modal_.shown().size(), 1);
    EXPECT_EQ(modal_.shown().first(), Form9);
    EXPECT_EQ(Form1->UnsavedCount, 1);
    // 50,000 at 10 % over 360 months: the level payment of any loan table.
    EXPECT_EQ(box("Form9", "Edit1"), num(" 438.79"));
    EXPECT_DOUBLE_EQ(Form1->SCHEDPAY, Form1->PAYMENT);
    EXPECT_EQ(Form1->MATURITY[0], 6);
    EXPECT_EQ(Form1->MATURITY[2], 2034);
}

TEST_F(LoanForm, UnderACommaLocaleTheFormReadsWhatItShows) {
    testsupport::DefaultLocale german("de_DE");
    TearDown();
    SetUp();
    EXPECT_EQ(Form1->Edit1->text(), "50000,00");
    EXPECT_EQ(box("Form2", "Edit1"), "   0,00");
    run({{"Form1", "Edit5", "07012004"}});
    compute();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    EXPECT_EQ(box("Form9", "Edit1"), " 438,79");
    EXPECT_EQ(box("Form9", "Edit11"), " 10,000");

    const struct {
        const char* form;
        const char* name;
        const char* text;
        const char* message;
    } refused[] = {
        {"Form1", "Edit1", "50.000", "'50.000' is not a valid floating point value"},
        {"Form2", "Edit4", "1.000",
         "Invalid Fee Amount entered!\nYou entered a non numeric value.\nPlease re-enter."},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.text);
        TearDown();
        SetUp();
        edit(r.form, r.name)->setText(QString::fromLatin1(r.text));
        messages_.clear();
        compute();
        ASSERT_EQ(messages_.messages().size(), 1);
        EXPECT_EQ(messages_.lastText(), QString::fromLatin1(r.message));
    }
}

// ---- help, quit, printing --------------------------------------------------------------------

TEST_F(LoanForm, HelpJumpsToTheLoanTopic) {
    const QString saved = ui::applicationHelpFile();
    ui::HelpRecorder help;
    press("Form1", "Button6");
    ASSERT_EQ(help.requests().size(), 1);
    EXPECT_EQ(help.requests().first().kind, ui::HelpRequest::Topic);
    EXPECT_EQ(help.requests().first().topic, "Non_Balloon_Loan_Input_Window");
    EXPECT_EQ(help.requests().first().helpFile, "talvero.hlp");
    EXPECT_EQ(ui::applicationHelpFile(), "Talvero.hlp");
    ui::setApplicationHelpFile(saved);
}

TEST_F(LoanForm, PrintScreenPrintsAnImageOnlyWhenConfirmed) {
    formtest::expectPrintScreenOnlyWhenConfirmed(Form9);
    formtest::expectPrintScreenOnlyWhenConfirmed(Form19);
}

// ---- dialogs bound to another form's data ------------------------------------------------------

TEST_F(LoanForm, DialogsStoreIntoTheBlockTheyAreBoundTo) {
    talvero::common::BalloonBlock block;
    block.FINANCEAMT = 20000;
    block.TAXES = 300;
    loan::DialogData data;
    data.FEEPCT = 2;
    TForm2 fees(block, data, nullptr, "Form11", "Balloon Loan Down Payment and Origination Fees");
    TForm3 insurance(block, data, nullptr, "Form12", "Balloon Loan Insurance Charges");
    TForm4 annual(block, data, nullptr, "Form13", "Balloon Loan Annual Fees");
    EXPECT_EQ(fees.objectName(), "Form11");
    EXPECT_EQ(fees.accessibleDescription(), "Form11");
    EXPECT_EQ(insurance.windowTitle(), "Balloon Loan Insurance Charges");
    // Starting texts from the bound values.
    EXPECT_EQ(fees.Edit3->text(), num("   2.00"));
    EXPECT_EQ(annual.Edit1->text(), num(" 300.00"));

    fees.Edit2->setText("1500");
    fees.Button1->click();
    insurance.Edit1->setText(num("0.004"));
    insurance.Edit2->setText("12");
    insurance.Edit3->setText("3");
    insurance.Button1->click();
    annual.Edit3->setText("x");
    annual.Button1->click();
    EXPECT_EQ(messages_.lastText(), "'x' is not a valid floating point value");

    EXPECT_DOUBLE_EQ(data.DOWNPAYAMT, 1500);
    EXPECT_DOUBLE_EQ(block.DSRATE, 0.004);
    EXPECT_DOUBLE_EQ(block.DSPREM, 20000 * 0.004);
    EXPECT_DOUBLE_EQ(block.DSNUMPAY, 36);
    EXPECT_DOUBLE_EQ(block.TAXES, 300); // stored again before the failing text
    EXPECT_EQ(data.dialogTexts.otIns, "x");
    EXPECT_EQ(data.dialogTexts.downAmount, "1500");
    // The loan form's data is untouched.
    EXPECT_DOUBLE_EQ(Form1->DOWNPAYAMT, 0);
    EXPECT_DOUBLE_EQ(Form1->DSRATE, 0);
    EXPECT_EQ(Form1->dialogTexts.otIns, num("   0.00").toStdString());
}

TEST_F(LoanForm, DialogTextsReachTheChecksWithoutOk) {
    edit("Form4", "Edit2")->setText("1e3");
    EXPECT_EQ(Form1->dialogTexts.hoIns, "1e3");
    compute();
    ASSERT_EQ(messages_.messages().size(), 1);
    EXPECT_EQ(messages_.lastText(),
              "Invalid Home Owners Insurance\nentered! You entered a non numeric\nvalue. "
              "Please re-enter.");
}

// ---- the payout and payoff windows fill from loan data ---------------------------------------

TEST_F(LoanForm, PayoutWindowFillsFromLoanData) {
    LoanData d;
    d.PAYMENT = 1234.5, d.REGZAPR = 7.25, d.LASTPAY = 99.994, d.TOTALPRINCIPAL = 20000;
    d.TOTALINTEREST = 1500.125, d.TOTALINSURANCE = 12, d.TOTALTAXES = 0, d.TOTALPAYOUT = 21512.5;
    d.MATURITY[0] = 3, d.MATURITY[1] = 5, d.MATURITY[2] = 2009;
    d.ORGAMT = 21000, d.APR = 6.5, d.NUMPAY = 60, d.FREQUENCY = 12, d.DOWNAMT = 1000, d.FEEAMT = 0;
    d.SKPMONTH = 2, d.INTMETHOD = 7, d.FINANCEAMT = 20000;
    d.TODAYDATE[0] = 6, d.TODAYDATE[1] = 1, d.TODAYDATE[2] = 2004;
    d.LOANDATE[0] = 1, d.LOANDATE[1] = 9, d.LOANDATE[2] = 2004; // first due date month 0: today
    Form9->fill(d);
    const struct {
        const char* name;
        QString text;
    } boxes[] = {
        {"Edit1", num("1234.50")},   {"Edit2", num("  7.250")},   {"Edit3", num("  99.99")},
        {"Edit4", num("20000.00")},  {"Edit5", num("1500.13")},   {"Edit6", num("  12.00")},
        {"Edit7", num("   0.00")},   {"Edit8", num("21512.50")},  {"Edit9", "03/05/2009"},
        {"Edit10", num("21000.00")}, {"Edit11", num("  6.500")},  {"Edit12", num("  60.00")},
        {"Edit13", "06/01/2004"},    {"Edit14", num("  12.00")},  {"Edit15", num("1000.00")},
        {"Edit16", num("   0.00")},  {"Edit17", "01/09/2004"},    {"Edit18", "  2"},
        {"Edit19", "  7"},           {"Edit20", num("20000.00")},
    };
    for (const auto& b : boxes)
        EXPECT_EQ(box("Form9", b.name), b.text) << b.name;
    EXPECT_TRUE(box("Form19", "Edit1").isEmpty());
}

// ---- F1 and where the forms open ---------------------------------------------------------------

TEST_F(LoanForm, F1OpensTheLoanFormsHelpContext) {
    formtest::expectF1OpensHelpContext(Form1->Edit20, 2, "talvero.hlp");
}

TEST_F(LoanForm, FormsOpenInTheMiddleOfTheScreen) {
    formtest::expectOpenInTheMiddleOfTheScreen({Form1, Form2, Form3, Form4, Form9, Form19});
}

} // namespace
