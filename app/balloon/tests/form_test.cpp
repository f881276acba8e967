// The balloon loan form, its dialogs and the balloon payout window, driven as a user drives them:
// text typed into the named edits, boxes ticked, buttons pressed, boxes and recorded messages read
// back. The real balloon engine runs; the expected figures come from calling it with a block built
// here by hand.
#include "balloon/forms.h"
#include "formfixture.h"

#include "schedule/schedule.h"
#include "testsupport/locale_text.h"
#include "ui/convert.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/printing.h"
#include "ui/today.h"
#include "vaulter/vaulter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

// Readable QString values in failure messages.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

using balloon::BalloonData;
using W = loan::AnalysisWindow;

QString f0(double v) {
    return ui::format("%7.0f", v);
}
QString f2(double v) {
    return ui::format("%7.2f", v);
}
// A message that quotes what was typed: the quoted numbers with the locale's decimal separator, as
// run() types them.
QString quotedAsTyped(const char* message) {
    const QStringList parts = QString::fromLatin1(message).split(QLatin1Char('\''));
    QString out;
    for (int i = 0; i < parts.size(); ++i)
        out += (i ? QStringLiteral("'") : QString()) + (i % 2 ? testsupport::num(parts[i]) : parts[i]);
    return out;
}
QString date(const int d[3]) {
    return QString::asprintf("%02d/%02d/%d", d[0], d[1], d[2]);
}

// One thing a user does: type `text` into the edit `name` of `form`, tick ("1") or clear ("0") a
// check box, choose an item of an Interest Flag list, or press the button `name` when `text` is null.
struct Step {
    const char* form;
    const char* name;
    const char* text;
};

class BalloonForm : public balloontest::BalloonForms {
protected:
    static QWidget* form(const char* name) {
        const QByteArray n(name);
        if (n == "Form10") return Form10;
        if (n == "Form11") return Form11;
        if (n == "Form12") return Form12;
        if (n == "Form13") return Form13;
        return Form15;
    }
    static QLineEdit* edit(const char* formName, const char* name) {
        auto* e = form(formName)->findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(e, nullptr) << formName << "." << name;
        return e;
    }
    static QString box(const char* formName, const char* name) { return edit(formName, name)->text(); }
    static void press(const char* formName, const char* name) {
        auto* b = form(formName)->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << formName << "." << name;
        b->click();
    }
    static void run(const std::vector<Step>& steps) {
        for (const Step& s : steps) {
            const QString name = QString::fromLatin1(s.name);
            if (!s.text) {
                press(s.form, s.name);
            } else if (name.startsWith(QLatin1String("CheckBox"))) {
                auto* c = form(s.form)->findChild<QCheckBox*>(name);
                ASSERT_NE(c, nullptr) << s.name;
                c->setChecked(std::strcmp(s.text, "1") == 0);
            } else if (name.startsWith(QLatin1String("ComboBox"))) {
                auto* c = form(s.form)->findChild<QComboBox*>(name);
                ASSERT_NE(c, nullptr) << s.name;
                c->setCurrentIndex(std::atoi(s.text));
            } else {
                edit(s.form, s.name)->setText(testsupport::num(s.text));
            }
        }
    }
    static void page(int index) { Form10->PageControl1->setCurrentIndex(index); }
    static void compute() { press("Form10", "Button4"); }

    // Every edit text of the form and its dialogs, to see that a refused Compute keeps them all.
    static QStringList typed() {
        QStringList all;
        for (QWidget* f : {static_cast<QWidget*>(Form10), static_cast<QWidget*>(Form11),
                           static_cast<QWidget*>(Form12), static_cast<QWidget*>(Form13)})
            for (auto* e : f->findChildren<QLineEdit*>())
                all << e->objectName() + QLatin1Char('=') + e->text();
        return all;
    }

    // The default loan of the form (50,000 at 10 % amortized over 360 months, a balloon term of 60)
    // lent today, 06/01/2004, first due 07/01/2004, as Compute should hand it to the engine.
    static BalloonData handBlock() {
        BalloonData b;
        std::strcpy(b.FIRSTDUE, "07012004");
        b.LOANDATE[0] = 6, b.LOANDATE[1] = 1, b.LOANDATE[2] = 2004;
        b.ODDDAYS = 30;
        return b;
    }
    static BalloonData engine(BalloonData block) {
        balloon::runVaulter(block);
        return block;
    }
};

// ---- layout ----------------------------------------------------------------------------------

TEST_F(BalloonForm, PagesLabelsAndTextsAtCreation) {
    EXPECT_EQ(Form10->windowTitle(), "Balloon Loan Calculations");
    EXPECT_EQ(Form10->objectName(), "Form10");
    EXPECT_EQ(Form10->Label1->text(), "Balloon Loan Input Data");
    EXPECT_TRUE(Form10->Label1->font().bold());
    const char* captions[] = {"Calc Payment", "Calc APR", "Calc Payout"};
    const char* headings[] = {"CALCULATE SCHEDULED PAYMENT", "CALCULATE APR",
                              "CALCULATE LOAN PAYOUT ON FACTORS GIVEN"};
    const char* sheets[] = {"TabSheet1", "TabSheet2", "TabSheet4"};
    ASSERT_EQ(Form10->PageControl1->count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Form10->PageControl1->tabText(i), captions[i]);
        EXPECT_EQ(Form10->PageControl1->widget(i)->objectName(), sheets[i]);
        QStringList labels;
        for (auto* l : Form10->PageControl1->widget(i)->findChildren<QLabel*>())
            labels << l->text();
        EXPECT_TRUE(labels.contains(QString::fromLatin1(headings[i]))) << headings[i];
    }
    QStringList aprLabels;
    for (auto* l : Form10->TabSheet2->findChildren<QLabel*>())
        aprLabels << l->text();
    EXPECT_TRUE(
        aprLabels.contains("NOTE: Select one choice below and enter zero for that value if applicable"));
    EXPECT_EQ(aprLabels.count("and APR"), 2);

    const struct {
        const char* name;
        const char* label;
        const char* text;
        QWidget* TForm10::*sheet;
    } edits[] = {
        {"Edit1", "Loan Amount", "50000.00", &TForm10::TabSheet1},
        {"Edit2", "Payments (per year)", "     12", &TForm10::TabSheet1},
        {"Edit3", "Amortize Period Total Payments", "    360", &TForm10::TabSheet1},
        {"Edit4", "Loan Date", "06012004", &TForm10::TabSheet1},
        {"Edit5", "First Due Date", "06012004", &TForm10::TabSheet1},
        {"Edit6", "APR", "  10.00", &TForm10::TabSheet1},
        {"Edit7", "Skip Months", "  0", &TForm10::TabSheet1},
        {"Edit31", "Balloon Term Total Payments", "     60", &TForm10::TabSheet1},
        {"Edit9", "Loan Amount", "50000.00", &TForm10::TabSheet2},
        {"Edit11", "Payments (per year)", "     12", &TForm10::TabSheet2},
        {"Edit12", "Scheduled Payment", "   0.00", &TForm10::TabSheet2},
        {"Edit10", "Amortize Period Total Payments", "    360", &TForm10::TabSheet2},
        {"Edit22", "Loan Date", "06012004", &TForm10::TabSheet2},
        {"Edit23", "First Due Date", "06012004", &TForm10::TabSheet2},
        {"Edit24", "Skip Months", "  0", &TForm10::TabSheet2},
        {"Edit13", "Balloon Term Total Payments", "     60", &TForm10::TabSheet2},
        {"Edit8", "Finance Charge", "   0.00", &TForm10::TabSheet2},
        {"Edit17", "Scheduled Payment", "   0.00", &TForm10::TabSheet4},
        {"Edit18", "Amortize Period Total Payments", "    360", &TForm10::TabSheet4},
        {"Edit19", "APR", "  10.00", &TForm10::TabSheet4},
        {"Edit20", "Loan Amount", "50000.00", &TForm10::TabSheet4},
        {"Edit21", "Payments (per year)", "     12", &TForm10::TabSheet4},
        {"Edit28", "Skip Months", "  0", &TForm10::TabSheet4},
        {"Edit29", "Loan Date", "06012004", &TForm10::TabSheet4},
        {"Edit30", "First Due Date", "06012004", &TForm10::TabSheet4},
        {"Edit32", "Balloon Term Total Payments", "     60", &TForm10::TabSheet4},
    };
    QHash<QWidget*, QString> buddies;
    for (auto* l : Form10->findChildren<QLabel*>())
        if (l->buddy()) buddies.insert(l->buddy(), l->text());
    for (const auto& e : edits) {
        SCOPED_TRACE(e.name);
        QLineEdit* w = edit("Form10", e.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->text(), testsupport::num(e.text));
        EXPECT_EQ(buddies.value(w), e.label);
        EXPECT_EQ(w->accessibleDescription(), e.name);
        EXPECT_TRUE((Form10->*e.sheet)->isAncestorOf(w));
    }
    EXPECT_EQ(Form10->findChildren<QLineEdit*>().size(), 26);

    const QStringList flags = {"0 = 360 days",
                               "1 = 365 days",
                               "2 = 360/365 days",
                               "3 = fixed principal, 360 days",
                               "4 = fixed principal, 365 days",
                               "5 = principal only",
                               "6 = rule of 78's, 360 days",
                               "7 = rule of 78's, 365 days"};
    for (const char* name : {"ComboBox1", "ComboBox2", "ComboBox4"}) {
        SCOPED_TRACE(name);
        auto* combo = Form10->findChild<QComboBox*>(QString::fromLatin1(name));
        ASSERT_NE(combo, nullptr);
        EXPECT_FALSE(combo->isEditable());
        EXPECT_EQ(combo->currentIndex(), 0);
        EXPECT_EQ(buddies.value(combo), "Interest Flag");
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QStringList want = flags;
        if (QByteArray(name) == "ComboBox1") want[2] = "2 = 360/365 days ";
        EXPECT_EQ(items, want);
    }

    const struct {
        QCheckBox* TForm10::*box;
        const char* name;
        const char* caption;
    } checks[] = {{&TForm10::CheckBox1, "CheckBox1", "Compute APR only"},
                  {&TForm10::CheckBox2, "CheckBox2", "Compute Finance Charge"},
                  {&TForm10::CheckBox3, "CheckBox3", "Compute Balloon Term Total Payments"}};
    for (const auto& c : checks) {
        EXPECT_EQ((Form10->*c.box)->objectName(), c.name);
        EXPECT_EQ((Form10->*c.box)->text(), c.caption);
        EXPECT_TRUE(Form10->TabSheet2->isAncestorOf(Form10->*c.box));
    }

    EXPECT_EQ(Form10->GroupBox1->title(), "Additional Factors and Fees");
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"Button1", "Down Amount / Fees"},
                   {"Button2", "Insurance Charges"},
                   {"Button3", "Other Annual Fees"},
                   {"Button4", "Compute"},
                   {"Button5", "Quit"},
                   {"Button6", "Help"}};
    for (const auto& b : buttons) {
        auto* w = Form10->findChild<QPushButton*>(QString::fromLatin1(b.name));
        ASSERT_NE(w, nullptr) << b.name;
        EXPECT_EQ(w->text(), b.caption);
    }
}

TEST_F(BalloonForm, MembersAtCreation) {
    EXPECT_EQ(Form10->APR, 10.0);
    EXPECT_EQ(Form10->TERMYEARS, 30.0);
    EXPECT_EQ(Form10->FINANCEAMT, 50000.0);
    EXPECT_EQ(Form10->FREQUENCY, 12.0);
    EXPECT_EQ(Form10->ORGAMT, 50000.0);
    EXPECT_EQ(Form10->NUMPAY, 360.0);
    EXPECT_EQ(Form10->BLPAY, 60.0);
    EXPECT_EQ(Form10->PAYMENT, 0.0);
    EXPECT_EQ(Form10->TOTALINTEREST, 0.0);
    EXPECT_EQ(Form10->INTMETHOD, 0);
    EXPECT_EQ(Form10->SKPMONTH, 0);
    EXPECT_EQ(Form10->FIRSTDUE[0], '\0');
    EXPECT_EQ(Form10->LOANDATETXT[0], '\0');
    EXPECT_EQ(Form10->SCHEDPAY, 0.0);
    EXPECT_EQ(Form10->UnsavedCount, 0);
    EXPECT_EQ(Form10->TODAYDATE[0], 6);
    EXPECT_EQ(Form10->TODAYDATE[1], 1);
    EXPECT_EQ(Form10->TODAYDATE[2], 2004);
}

TEST_F(BalloonForm, QuitHelpAndTheDialogButtons) {
    ui::HelpRecorder help;
    press("Form10", "Button6");
    ASSERT_EQ(help.requests().size(), 1);
    EXPECT_EQ(help.requests()[0].kind, ui::HelpRequest::Topic);
    EXPECT_EQ(help.requests()[0].topic, "Balloon_Loan_Input_Window");
    EXPECT_EQ(ui::applicationHelpFile(), "Talvero.hlp");

    press("Form10", "Button1");
    press("Form10", "Button2");
    press("Form10", "Button3");
    ASSERT_EQ(modal_.shown().size(), 3);
    EXPECT_EQ(modal_.shown()[0], Form11);
    EXPECT_EQ(modal_.shown()[1], Form12);
    EXPECT_EQ(modal_.shown()[2], Form13);

    Form10->show();
    press("Form10", "Button5");
    EXPECT_FALSE(Form10->isVisible());
}

// ---- the dialogs -----------------------------------------------------------------------------

TEST_F(BalloonForm, TheDialogsAreTheLoanDialogsBoundToTheBalloonForm) {
    EXPECT_EQ(Form11->objectName(), "Form11");
    EXPECT_EQ(Form11->windowTitle(), "Balloon Loan Down Payment and Origination Fees");
    EXPECT_EQ(Form12->objectName(), "Form12");
    EXPECT_EQ(Form12->windowTitle(), "Balloon Loan Insurance Charges");
    EXPECT_EQ(Form13->objectName(), "Form13");
    EXPECT_EQ(Form13->windowTitle(), "Balloon Loan Annual Fees");
    EXPECT_EQ(&Form11->block(), static_cast<talvero::common::LoanBlock*>(Form10));
    EXPECT_EQ(&Form12->data(), static_cast<loan::DialogData*>(Form10));

    const struct {
        const char* form;
        const char* name;
        const char* label;
        const char* text;
    } boxes[] = {
        {"Form11", "Edit1", "Down Payment %", "   0.00"},
        {"Form11", "Edit2", "Down Payment Amount", "   0.00"},
        {"Form11", "Edit3", "Origination Fee %", "   0.00"},
        {"Form11", "Edit4", "Origination Fee Amount", "   0.00"},
        {"Form12", "Edit1", "Diability Rate (per $1 of balance)", "  0.000"},
        {"Form12", "Edit2", "Disability Insurance Payments (per year)", "      0"},
        {"Form12", "Edit3", "Disability Number of Years", "      0"},
        {"Form12", "Edit4", "Life Rate (per $1 of balance)", "  0.000"},
        {"Form12", "Edit5", "Life Insruance Payments (per year)", "      0"},
        {"Form12", "Edit6", "Life Number of Years", "      0"},
        {"Form13", "Edit1", "Taxes", "   0.00"},
        {"Form13", "Edit2", "Home Owners Insurance", "   0.00"},
        {"Form13", "Edit3", "Other Insurance", "   0.00"},
    };
    for (const auto& b : boxes) {
        SCOPED_TRACE(std::string(b.form) + "." + b.name);
        QLineEdit* e = edit(b.form, b.name);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->text(), testsupport::num(b.text));
        QString label;
        for (auto* l : form(b.form)->findChildren<QLabel*>())
            if (l->buddy() == e) label = l->text();
        EXPECT_EQ(label, b.label);
    }

    Form10->FINANCEAMT = 40000;
    run({{"Form11", "Edit1", "5"},
         {"Form11", "Edit2", "1000"},
         {"Form11", "Edit3", "1.5"},
         {"Form11", "Edit4", "250"},
         {"Form11", "Button1", nullptr},
         {"Form12", "Edit1", "0.002"},
         {"Form12", "Edit2", "12"},
         {"Form12", "Edit3", "3"},
         {"Form12", "Edit4", "0.004"},
         {"Form12", "Edit5", "12"},
         {"Form12", "Edit6", "4"},
         {"Form12", "Button1", nullptr},
         {"Form13", "Edit1", "1200"},
         {"Form13", "Edit2", "600"},
         {"Form13", "Edit3", "120"},
         {"Form13", "Button1", nullptr}});
    EXPECT_EQ(Form10->DOWNPAYPCT, 5);
    EXPECT_EQ(Form10->DOWNPAYAMT, 1000);
    EXPECT_EQ(Form10->FEEPCT, 1.5);
    EXPECT_EQ(Form10->FEEPAYAMT, 250);
    EXPECT_EQ(Form10->DSRATE, 0.002);
    EXPECT_EQ(Form10->DSFREQ, 12);
    EXPECT_EQ(Form10->DSYEARS, 3);
    EXPECT_EQ(Form10->LFRATE, 0.004);
    EXPECT_EQ(Form10->LFFREQ, 12);
    EXPECT_EQ(Form10->LFYEARS, 4);
    EXPECT_EQ(Form10->DSPREM, 80);
    EXPECT_EQ(Form10->LFPREM, 160);
    EXPECT_EQ(Form10->DSNUMPAY, 36);
    EXPECT_EQ(Form10->LFNUMPAY, 48);
    EXPECT_EQ(Form10->TAXES, 1200);
    EXPECT_EQ(Form10->HOINS, 600);
    EXPECT_EQ(Form10->OTINS, 120);
    EXPECT_EQ(Form10->dialogTexts.feePct, testsupport::num("1.5").toStdString());
    EXPECT_TRUE(messages_.empty());

    // A text that does not convert keeps the dialog open with the earlier values stored.
    Form11->setResult(QDialog::Rejected);
    run({{"Form11", "Edit1", "7"}, {"Form11", "Edit3", "abc"}, {"Form11", "Button1", nullptr}});
    EXPECT_EQ(messages_.lastText(), "'abc' is not a valid floating point value");
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Plain);
    EXPECT_EQ(Form10->DOWNPAYPCT, 7);
    EXPECT_EQ(Form10->FEEPCT, 1.5);
    EXPECT_EQ(Form11->result(), QDialog::Rejected);
}

// ---- checks ----------------------------------------------------------------------------------

struct CheckCase {
    const char* name;
    int page;
    std::vector<Step> steps;
    const char* message;
};

// The Calc APR page filled for "Compute APR only" on a loan the engine can solve.
std::vector<Step> aprPage(std::vector<Step> more) {
    std::vector<Step> steps = {
        {"Form10", "CheckBox1", "1"}, {"Form10", "Edit12", "450"}, {"Form10", "Edit8", "25000"}};
    steps.insert(steps.end(), more.begin(), more.end());
    return steps;
}

// clang-format off
const CheckCase kCheckCases[] = {
    {"1 loan amount not numeric", TForm10::CalcPayment, {{"Form10", "Edit1", "+50000"}},
     "Invalid Loan Amount entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"1 loan amount zero", TForm10::CalcApr, aprPage({{"Form10", "Edit9", "0"}}),
     "Invalid Loan Amount entered!\nNegative or Zero Amount not allowed.\nPlease re-enter."},
    {"1 loan amount too large", TForm10::CalcPayment, {{"Form10", "Edit1", "1000000"}},
     "Invalid Loan Amount entered!\nAmount exceeds allowable value.\nPlease enter loan amount less than\n$1,000,000.00"},
    {"2 down amount not numeric", TForm10::CalcPayment, {{"Form11", "Edit2", "+5"}, {"Form11", "Button1", nullptr}},
     "Invalid Down Payment Amount entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"2 down amount too large", TForm10::CalcPayment, {{"Form11", "Edit2", "100000"}, {"Form11", "Button1", nullptr}},
     "Invalid Down Payment Amount entered!\nAmount exceeds allowable value.\nPlease enter an amount less than\n$100,000.00"},
    {"3 down percent not numeric", TForm10::CalcPayment, {{"Form11", "Edit1", "+1"}, {"Form11", "Button1", nullptr}},
     "Invalid Down Payment Percentage Rate entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"3 down percent too large", TForm10::CalcPayment, {{"Form11", "Edit1", "50"}, {"Form11", "Button1", nullptr}},
     "Invalid Down Payment Percentage Rate entered!\nAmount exceeds allowable value.\nPlease enter a rate not greater than 49.99\n"},
    {"4 down total", TForm10::CalcPayment, {{"Form11", "Edit1", "40"}, {"Form11", "Edit2", "6000"}, {"Form11", "Button1", nullptr}},
     "Invalid Down Payment factors entered!\nTotal down payment exceeds allowable value.\nPlease enter a percentage and an amount total\nthat will not exceed 50% of the loan value.\n"},
    {"5 fee amount not numeric", TForm10::CalcPayment, {{"Form11", "Edit4", "+1"}, {"Form11", "Button1", nullptr}},
     "Invalid Fee Amount entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"5 fee amount too large", TForm10::CalcPayment, {{"Form11", "Edit4", "100000"}, {"Form11", "Button1", nullptr}},
     "Invalid fee Amount entered!\nAmount exceeds allowable value.\nPlease enter a fee amount less than\n$100,000.00"},
    {"6 fee percent not numeric", TForm10::CalcPayment, {{"Form11", "Edit3", "+1"}, {"Form11", "Button1", nullptr}},
     "Invalid Orig. Fee Percentage Rate entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"6 fee percent too large", TForm10::CalcPayment, {{"Form11", "Edit3", "50"}, {"Form11", "Button1", nullptr}},
     "Invalid Orig. Fee Percentage Rate entered!\nAmount exceeds allowable value.\nPlease enter a rate not greater than 49.99\n"},
    {"7 fee total", TForm10::CalcPayment, {{"Form11", "Edit3", "40"}, {"Form11", "Edit4", "6000"}, {"Form11", "Button1", nullptr}},
     "Invalid Orig. fee factors entered!\nTotal Orig. fees exceed allowable value.\nPlease enter a percentage and an amount total\nthat will not exceed 50% of the loan value.\n"},
    {"8 amount financed", TForm10::CalcPayment, {{"Form10", "Edit1", "999999"}, {"Form11", "Edit3", "1"}, {"Form11", "Button1", nullptr}},
     "Invalid fee and down payment factors\nentered! Total Loan exceeds allowable\nvalue. Please enter factors that\nwhen added to the amount borrowed will\ntotal more than $1,000,000.00.\n"},
    {"9 APR not numeric", TForm10::CalcPayment, {{"Form10", "Edit6", "+10"}},
     "Invalid Annual Percentage Rate entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"9 APR too large", TForm10::CalcPayout, {{"Form10", "Edit17", "450"}, {"Form10", "Edit19", "50"}},
     "Invalid Annual Percentage Rate entered!\nAmount exceeds allowable value.\nPlease enter a rate not greater than 49.99\n"},
    {"10 finance charge not numeric", TForm10::CalcApr, aprPage({{"Form10", "Edit8", "+25000"}}),
     "Invalid Finance Charge entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"10 finance charge too large", TForm10::CalcApr, aprPage({{"Form10", "Edit8", "1000000"}}),
     "Invalid Finance Charge entered!\nAmount exceeds allowable value.\nPlease enter an amount less than\n$999,999.00"},
    {"11 amortize period not numeric", TForm10::CalcPayment, {{"Form10", "Edit3", "+360"}},
     "Invalid Number of Payments entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"11 amortize period too large", TForm10::CalcPayout, {{"Form10", "Edit17", "450"}, {"Form10", "Edit18", "100000"}},
     "Invalid Number of Payments entered!\nNumber exceeds allowable value.\nPlease enter a number less than\n100,000"},
    {"12 payment not numeric", TForm10::CalcPayout, {{"Form10", "Edit17", "+450"}},
     "Invalid Scheduled Payment entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"12 payment too large", TForm10::CalcPayout, {{"Form10", "Edit17", "1000000"}},
     "Invalid Scheduled Payment entered!\nAmount exceeds allowable value.\nPlease enter Payment less than\n$1,000,000.00"},
    {"12 payment equals the amount financed", TForm10::CalcPayout, {{"Form10", "Edit17", "50000"}},
     "Invalid Scheduled Payment entered!\nPayment exceeds or equals loan amount.\nPlease enter a scheduled payment less\nthan the amount being borrowed."},
    {"13 disability rate not numeric", TForm10::CalcPayment, {{"Form12", "Edit1", "+0.001"}, {"Form12", "Button1", nullptr}},
     "Invalid Disability Rate entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"13 disability rate too large", TForm10::CalcPayment, {{"Form12", "Edit1", "1"}, {"Form12", "Button1", nullptr}},
     "Invalid Disablity Rate entered!\nAmount exceeds allowable value.\nPlease enter a value less than 1.\n"},
    {"14 disability frequency not numeric", TForm10::CalcPayment, {{"Form12", "Edit2", "+12"}, {"Form12", "Button1", nullptr}},
     "Invalid Disability Insurance Frequency!\nYou entered a non numeric value.\nPlease re-enter."},
    {"14 disability frequency too large", TForm10::CalcPayment, {{"Form12", "Edit2", "53"}, {"Form12", "Button1", nullptr}},
     "Invalid Disablity Insurance Frequency!\nAmount exceeds allowable value.\nPlease enter a value not greater than 52.\n"},
    {"15 disability years not numeric", TForm10::CalcPayment, {{"Form12", "Edit3", "+1"}, {"Form12", "Button1", nullptr}},
     "Invalid Disability Insurance Years entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"16 disability frequency without rate", TForm10::CalcPayment, {{"Form12", "Edit2", "12"}, {"Form12", "Button1", nullptr}},
     "Disability Insurance Input Error!\nNo entry was made for one of the\nfollowing, or both:\n1. disability insurance rate\n2. disability insurance years\nPlease re-enter."},
    {"16 disability years without rate", TForm10::CalcPayment, {{"Form12", "Edit3", "2"}, {"Form12", "Button1", nullptr}},
     "Disability Insurance Input Error!\nNo entry was made for one of the\nfollowing, or both:\n1. disability insurance rate\n2. disability insurance frequency\nPlease re-enter."},
    {"16 disability rate alone", TForm10::CalcPayment, {{"Form12", "Edit1", "0.001"}, {"Form12", "Button1", nullptr}},
     "Disability Insurance Input Error!\nNo entry was made for one of the\nfollowing or both:\n1. disability insurance years\n2. disability insurance frequency\nPlease re-enter."},
    {"16 disability rate and years without frequency", TForm10::CalcPayment, {{"Form12", "Edit1", "0.001"}, {"Form12", "Edit3", "2"}, {"Form12", "Button1", nullptr}},
     "Disability Insurance Input Error!\nNo entry was made for one of the\nfollowing or both:\n1. disability insurance years\n2. disability insurance frequency\nPlease re-enter."},
    {"17 life rate not numeric", TForm10::CalcPayment, {{"Form12", "Edit4", "+0.001"}, {"Form12", "Button1", nullptr}},
     "Invalid Life Rate entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"17 life rate too large", TForm10::CalcPayment, {{"Form12", "Edit4", "1"}, {"Form12", "Button1", nullptr}},
     "Invalid Life Rate entered!\nAmount exceeds allowable value.\nPlease enter a value less than 1.\n"},
    {"18 life frequency not numeric", TForm10::CalcPayment, {{"Form12", "Edit5", "+12"}, {"Form12", "Button1", nullptr}},
     "Invalid Life Insurance Frequency!\nYou entered a non numeric value.\nPlease re-enter."},
    {"18 life frequency too large", TForm10::CalcPayment, {{"Form12", "Edit5", "53"}, {"Form12", "Button1", nullptr}},
     "Invalid Life Insurance Frequency!\nAmount exceeds allowable value.\nPlease enter a value not greater than 52.\n"},
    {"19 life years not numeric", TForm10::CalcPayment, {{"Form12", "Edit6", "+1"}, {"Form12", "Button1", nullptr}},
     "Invalid Life Insurance Years entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"20 life frequency without rate", TForm10::CalcPayment, {{"Form12", "Edit5", "12"}, {"Form12", "Button1", nullptr}},
     "Life Insurance Input Error!\nNo entry was made for one of the\nfollowing, or both:\n1. life insurance rate\n2. life insurance years\nPlease re-enter."},
    {"20 life years without rate", TForm10::CalcPayment, {{"Form12", "Edit6", "2"}, {"Form12", "Button1", nullptr}},
     "Life Insurance Input Error!\nNo entry was made for one of the\nfollowing, or both:\n1. life insurance rate\n2. life insurance frequency\nPlease re-enter."},
    {"20 life rate alone", TForm10::CalcPayment, {{"Form12", "Edit4", "0.001"}, {"Form12", "Button1", nullptr}},
     "Life Insurance Input Error!\nNo entry was made for one of the\nfollowing or both:\n1. life insurance years\n2. life insurance frequency\nPlease re-enter."},
    {"21 taxes not numeric", TForm10::CalcPayment, {{"Form13", "Edit1", "+1"}, {"Form13", "Button1", nullptr}},
     "Invalid Tax Amount entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"21 taxes too large", TForm10::CalcPayment, {{"Form13", "Edit1", "100000"}, {"Form13", "Button1", nullptr}},
     "Invalid Tax Amount entered!\nAmount exceeds allowable value.\nPlease enter tax amount less than\n$100,000.00"},
    {"22 home owners not numeric", TForm10::CalcPayment, {{"Form13", "Edit2", "+1"}, {"Form13", "Button1", nullptr}},
     "Invalid Home Owners Insurance\nentered! You entered a non numeric\nvalue. Please re-enter."},
    {"22 home owners too large", TForm10::CalcPayment, {{"Form13", "Edit2", "10000"}, {"Form13", "Button1", nullptr}},
     "Invalid Home Owners Insurance\nentered. Amount exceeds allowable\nvalue. Please enter amount less\nthan $10,000.00"},
    {"23 other insurance not numeric", TForm10::CalcPayment, {{"Form13", "Edit3", "+1"}, {"Form13", "Button1", nullptr}},
     "Invalid Other Insurance\nentered! You entered a non numeric\nvalue. Please re-enter."},
    {"23 other insurance too large", TForm10::CalcPayment, {{"Form13", "Edit3", "10000"}, {"Form13", "Button1", nullptr}},
     "Invalid Other Insurance\nentered. Amount exceeds allowable\nvalue. Please enter amount less\nthan $10,000.00"},
    {"24 skip months of four digits", TForm10::CalcPayment, {{"Form10", "Edit7", "1000"}},
     "Input Error on skip months!\nYou entered a non numeric value, or\nmore than 3 digits.\nPlease re-enter."},
    {"24 skip months with a sign", TForm10::CalcPayout, {{"Form10", "Edit17", "450"}, {"Form10", "Edit28", "+1"}},
     "Input Error on skip months!\nYou entered a non numeric value, or\nmore than 3 digits.\nPlease re-enter."},
    {"24 skip months beyond the amortize period", TForm10::CalcPayment, {{"Form10", "Edit3", "100"}, {"Form10", "Edit7", "101"}},
     "Skip months cannot exceed total\nnumber of payments on the loan!\nYou entered a value greater than\nthe total number of payments.\n\n"},
    {"25 frequency not numeric", TForm10::CalcPayment, {{"Form10", "Edit2", "+12"}},
     "Invalid Loan Frequency entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"25 frequency too large", TForm10::CalcApr, aprPage({{"Form10", "Edit11", "53"}}),
     "Invalid Loan Frequency entered!\nAmount exceeds allowable value.\nPlease enter a loan frequency\nnot greater than 52.\n"},
    {"26 balloon term not numeric", TForm10::CalcPayment, {{"Form10", "Edit31", "+60"}},
     "Invalid Payments for Balloon Term entered!\nYou entered a non numeric value.\nPlease re-enter."},
    {"26 balloon term beyond the amortize period", TForm10::CalcPayout, {{"Form10", "Edit17", "450"}, {"Form10", "Edit32", "361"}},
     "Invalid Balloon Term entered!\nPlease enter a value for the balloon term\nthat will not exceed the amortize years\nentered for this loan."},
    {"27 disability years beyond the term", TForm10::CalcPayment,
     {{"Form12", "Edit1", "0.001"}, {"Form12", "Edit2", "52"}, {"Form12", "Edit3", "6"}, {"Form12", "Button1", nullptr}},
     "Invalid Disability Insurance Years entered!\nYear and frequency exceed allowable value.\nPlease enter a value for the years and\nfrequency, that when multiplied together\nwill not exceed the number of payments\nentered for the balloon term."},
    {"27 life years beyond the term", TForm10::CalcPayment,
     {{"Form10", "Edit31", "24"}, {"Form12", "Edit4", "0.001"}, {"Form12", "Edit5", "12"}, {"Form12", "Edit6", "3"}, {"Form12", "Button1", nullptr}},
     "Invalid Life Insurance Years entered!\nYear and frequency exceed allowable value.\nPlease enter a value for the years and\nfrequency, that when multiplied together\nwill not exceed the number of payments\nentered for the balloon term."},
    {"28 first due date month 13", TForm10::CalcPayment, {{"Form10", "Edit5", "13012004"}},
     "Invalid First Due Date Entered!\nUse MMDDCCYY format--(8 digits total).\nDo not use spaces, slashes, etc.\nThe CENTURY must be included.\nBe sure month, day, and year are valid.\n\nPlease re-enter correctly.\n\nNOTE: A blank first due date is acceptable.\nThe maturity date is figured from today if\nleft blank."},
    {"28 first due date of seven digits", TForm10::CalcPayout, {{"Form10", "Edit17", "450"}, {"Form10", "Edit30", "0701204"}},
     "Invalid First Due Date Entered!\nUse MMDDCCYY format--(8 digits total).\nDo not use spaces, slashes, etc.\nThe CENTURY must be included.\nBe sure month, day, and year are valid.\n\nPlease re-enter correctly.\n\nNOTE: A blank first due date is acceptable.\nThe maturity date is figured from today if\nleft blank."},
    {"29 loan date day 00", TForm10::CalcApr, aprPage({{"Form10", "Edit22", "06002004"}}),
     "Invalid Loan Date Entered!\nUse MMDDCCYY format--(8 digits total).\nDo not use spaces, slashes, etc.\nThe CENTURY must be included.\nBe sure month, day, and year are valid.\n\nPlease re-enter correctly.\n\nNOTE: A blank loan date is acceptable.\nTodays date will be used if this field\nis left blank."},
    {"30 loan date after the first due date", TForm10::CalcPayment, {{"Form10", "Edit4", "06022004"}, {"Form10", "Edit5", "06012004"}},
     "Loan Date cannot be later than the\nfirst due date!\nPlease re-enter both dates correctly.\n\n"},
    {"30 first due date in an earlier year", TForm10::CalcPayment, {{"Form10", "Edit4", "01012005"}, {"Form10", "Edit5", "12012004"}},
     "Loan Date cannot be later than the\nfirst due date!\nPlease re-enter both dates correctly.\n\n"},
    {"31 three years apart", TForm10::CalcPayment, {{"Form10", "Edit4", "01012004"}, {"Form10", "Edit5", "01012007"}},
     "The difference between the loan date and\nthe first due date cannot be more than 2\nyears.  Please re-enter correctly.\n\n"},
    {"31 two years and a month apart", TForm10::CalcPayment, {{"Form10", "Edit4", "01012004"}, {"Form10", "Edit5", "02012006"}},
     "The difference between the loan date and\nthe first due date cannot be more than 2\nyears.  Please re-enter correctly.\n\n"},
    {"31 more than the balloon term", TForm10::CalcPayment, {{"Form10", "Edit31", "6"}, {"Form10", "Edit5", "06012005"}},
     "The difference between the loan date and the\nfirst due date cannot be more than the loan\nterm.  Please re-enter both correctly.\n\n"},
};
// clang-format on

TEST_F(BalloonForm, EachCheckShowsItsMessageAndCallsNothing) {
    for (const CheckCase& c : kCheckCases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        page(c.page);
        run(c.steps);
        messages_.clear();
        modal_.setHandler([](QDialog* d) { return d->result(); });
        const QStringList before = typed();
        const long calls = balloon::vaulterCalls();
        compute();
        ASSERT_EQ(messages_.messages().size(), 1);
        EXPECT_EQ(messages_.lastText(), QString::fromLatin1(c.message));
        EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Error);
        EXPECT_EQ(balloon::vaulterCalls(), calls);
        EXPECT_EQ(typed(), before);
        EXPECT_EQ(Form10->UnsavedCount, 0);
        EXPECT_TRUE(Form15->Edit1->text().isEmpty());
    }
}

// ---- reading ---------------------------------------------------------------------------------

// clang-format off
const CheckCase kReadingCases[] = {
    {"a loan amount that does not convert", TForm10::CalcPayment, {{"Form10", "Edit1", "abc"}},
     "'abc' is not a valid floating point value"},
    {"an empty amortize period", TForm10::CalcPayout, {{"Form10", "Edit18", ""}},
     "'' is not a valid floating point value"},
    {"skip months with decimals", TForm10::CalcPayment, {{"Form10", "Edit7", "1.5"}},
     "'1.5' is not a valid integer value"},
    {"a balloon term that does not convert", TForm10::CalcApr, aprPage({{"Form10", "Edit13", "x"}}),
     "'x' is not a valid floating point value"},
    {"Calc Payment without a balloon term", TForm10::CalcPayment, {{"Form10", "Edit31", "0"}},
     "You failed to enter a required field properly.  Please correct!"},
    {"Calc Payment with a negative APR", TForm10::CalcPayment, {{"Form10", "Edit6", "-1"}},
     "You failed to enter a required field properly.  Please correct!"},
    {"Calc Payout without a payment", TForm10::CalcPayout, {},
     "You failed to enter a required field.  Please correct!"},
    {"Calc Payout over one payment", TForm10::CalcPayout, {{"Form10", "Edit17", "450"}, {"Form10", "Edit18", "1"}, {"Form10", "Edit32", "1"}},
     "You failed to enter a required field.  Please correct!"},
    {"Calc APR with no box", TForm10::CalcApr, {{"Form10", "Edit12", "450"}},
     "One check box must be selected. Please correct!"},
    {"Calc APR with two boxes", TForm10::CalcApr, aprPage({{"Form10", "CheckBox3", "1"}}),
     "Only one check box can be checked. Please correct!"},
    {"Calc APR with three boxes", TForm10::CalcApr, aprPage({{"Form10", "CheckBox2", "1"}, {"Form10", "CheckBox3", "1"}}),
     "Only one check box can be checked. Please correct!"},
    {"APR only, principal only", TForm10::CalcApr, aprPage({{"Form10", "ComboBox2", "5"}}),
     "Cannot calculate the APR on principal only loans - interest flag 5. Please change your interest flag !"},
    {"APR only, flag 3 without a balloon term", TForm10::CalcApr, aprPage({{"Form10", "ComboBox2", "3"}, {"Form10", "Edit13", "0.5"}}),
     "Balloon term total payments must be entered for interest flag 3 and 4. Please correct !"},
    {"APR only, flag 4 without a finance charge", TForm10::CalcApr, aprPage({{"Form10", "ComboBox2", "4"}, {"Form10", "Edit8", "0"}}),
     "Cannot calculate the interest on fixed principal loans without the finance charge. Please correct !"},
    {"APR only without a finance charge", TForm10::CalcApr, aprPage({{"Form10", "Edit8", "0"}}),
     "You failed to enter a required field. Please correct !"},
    {"APR only without a payment", TForm10::CalcApr, aprPage({{"Form10", "Edit12", "0"}}),
     "You failed to enter a required field. Please correct !"},
    {"finance charge, principal only", TForm10::CalcApr, {{"Form10", "CheckBox2", "1"}, {"Form10", "Edit12", "450"}, {"Form10", "ComboBox2", "5"}},
     "Cannot calculate the APR on principal only loans - interest flag 5. Please change your interest flag !"},
    {"finance charge, fixed principal", TForm10::CalcApr, {{"Form10", "CheckBox2", "1"}, {"Form10", "Edit12", "450"}, {"Form10", "ComboBox2", "3"}},
     "Cannot calculate the APR on fixed principal loans using this option. Please select the option to compute APR only and enter the finance charge for interest flag 3 or 4 loans !"},
    {"finance charge without a balloon term", TForm10::CalcApr, {{"Form10", "CheckBox2", "1"}, {"Form10", "Edit12", "450"}, {"Form10", "Edit13", "0"}},
     "You failed to enter a required field. Please correct !"},
    {"balloon term, principal only", TForm10::CalcApr, {{"Form10", "CheckBox3", "1"}, {"Form10", "Edit12", "450"}, {"Form10", "Edit8", "20000"}, {"Form10", "ComboBox2", "5"}},
     "Cannot calculate the APR on principal only loans - interest flag 5. Please change your interest flag !"},
    {"balloon term, fixed principal", TForm10::CalcApr, {{"Form10", "CheckBox3", "1"}, {"Form10", "Edit12", "450"}, {"Form10", "Edit8", "20000"}, {"Form10", "ComboBox2", "4"}},
     "Cannot calculate the APR on fixed principal loans using this option. Please select the option for compute APR only and enter the balloon term total payments for interest flag 3 or 4 loans !"},
    {"balloon term without a finance charge", TForm10::CalcApr, {{"Form10", "CheckBox3", "1"}, {"Form10", "Edit12", "450"}},
     "You failed to enter a required field. Please correct !"},
};
// clang-format on

TEST_F(BalloonForm, ReadingMessagesArePlainAndCallNothing) {
    for (const CheckCase& c : kReadingCases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        page(c.page);
        run(c.steps);
        messages_.clear();
        const QStringList before = typed();
        const long calls = balloon::vaulterCalls();
        compute();
        ASSERT_EQ(messages_.messages().size(), 1);
        EXPECT_EQ(messages_.lastText(), quotedAsTyped(c.message));
        EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Plain);
        EXPECT_EQ(balloon::vaulterCalls(), calls);
        EXPECT_EQ(typed(), before);
        EXPECT_EQ(Form10->UnsavedCount, 0);
        EXPECT_TRUE(modal_.shown().isEmpty());
    }
}

TEST_F(BalloonForm, DateOddDaysAndTheirBoundaries) {
    const struct {
        const char* loanDate;
        const char* firstDue;
        int oddDays;
    } cases[] = {
        {"01152004", "03012004", 46},  // 61 - 15
        {"12152004", "01152005", 30},  // 15 - 350 + 365: the next year adds 365 whatever the leap years
        {"03012004", "02012006", 701}, // 32 - 61 + 730: two years, the first due month before the loan's
        {"", "", 0},                   // both blank: today
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.loanDate);
        TearDown();
        SetUp();
        run({{"Form10", "Edit4", c.loanDate}, {"Form10", "Edit5", c.firstDue}});
        compute();
        ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
        EXPECT_EQ(Form10->ODDDAYS, c.oddDays);
    }
}

// ---- computing -------------------------------------------------------------------------------

TEST_F(BalloonForm, CalcPaymentShowsTheEngineAnswersAndOpensThePayoutWindow) {
    run({{"Form10", "Edit5", "07012004"}});
    const long calls = balloon::vaulterCalls();
    compute();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    EXPECT_EQ(balloon::vaulterCalls(), calls + 1);

    const BalloonData want = engine(handBlock());
    ASSERT_EQ(want.ERRFLAG, 0);
    // A 50,000 loan at 10 % over 360 months pays 438.79 a month; the balloon is what 60 leave owing.
    EXPECT_NEAR(want.PAYMENT, 438.79, 0.5);
    EXPECT_EQ(want.TERMYEARS, 5.0);

    EXPECT_EQ(Form10->PAYMENT, want.PAYMENT);
    EXPECT_EQ(Form10->SCHEDPAY, want.PAYMENT);
    EXPECT_EQ(Form10->TOTALINTEREST, want.TOTALINTEREST);
    EXPECT_EQ(Form10->LASTPAY, want.LASTPAY);
    EXPECT_EQ(Form10->TERMYEARS, 5.0);
    EXPECT_EQ(Form10->UnsavedCount, 1);
    for (const char* name : {"Edit3", "Edit10", "Edit18"})
        EXPECT_EQ(box("Form10", name), f0(want.NUMPAY)) << name;
    for (const char* name : {"Edit6", "Edit19"})
        EXPECT_EQ(box("Form10", name), f2(want.APR)) << name;
    for (const char* name : {"Edit12", "Edit17"})
        EXPECT_EQ(box("Form10", name), f2(want.PAYMENT)) << name;
    EXPECT_EQ(box("Form10", "Edit8"), f2(want.TOTALINTEREST));
    for (const char* name : {"Edit31", "Edit32", "Edit13"})
        EXPECT_EQ(box("Form10", name), f0(want.BLPAY)) << name;

    ASSERT_EQ(modal_.shown().size(), 1);
    EXPECT_EQ(modal_.shown()[0], Form15);
    const struct {
        const char* name;
        QString text;
    } boxes[] = {
        {"Edit10", testsupport::num("50000.00")},
        {"Edit11", testsupport::num("  10.00")},
        {"Edit12", "    360"},
        {"Edit13", "07/01/2004"},
        {"Edit14", "     12"},
        {"Edit15", testsupport::num("   0.00")},
        {"Edit16", testsupport::num("   0.00")},
        {"Edit17", "06/01/2004"},
        {"Edit18", "  0"},
        {"Edit21", "     60"},
        {"Edit19", "  0"},
        {"Edit20", testsupport::num("50000.00")},
        {"Edit1", f2(want.PAYMENT)},
        {"Edit4", f2(want.TOTALPRINCIPAL)},
        {"Edit5", f2(want.TOTALINTEREST)},
        {"Edit2", f2(want.REGZAPR)},
        {"Edit6", f2(want.TOTALINSURANCE)},
        {"Edit7", f2(want.TOTALTAXES)},
        {"Edit3", f2(want.LASTPAY)},
        {"Edit8", f2(want.TOTALPAYOUT)},
        {"Edit9", date(want.MATURITY)},
    };
    for (const auto& b : boxes)
        EXPECT_EQ(box("Form15", b.name), b.text) << b.name;
    // The maturity is the due date of the 60th payment.
    EXPECT_EQ(box("Form15", "Edit9"), "06/01/2009");
}

TEST_F(BalloonForm, CalcAprSolvesEachOfItsThreeQuestions) {
    // The payment and interest of the default loan, taken from the engine.
    const BalloonData base = engine(handBlock());
    const QString payment = QString::number(base.PAYMENT, 'f', 6);
    const QString charge = QString::number(base.TOTALINTEREST, 'f', 6);

    struct Case {
        const char* name;
        const char* box;
        const char* charge; // "" for the engine's own
        int blpay;
    };
    const Case cases[] = {{"APR only", "CheckBox1", "", 60},
                          {"finance charge and APR", "CheckBox2", nullptr, 60},
                          {"balloon term and APR", "CheckBox3", "", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        page(TForm10::CalcApr);
        const QByteArray p = payment.toLatin1(), fc = charge.toLatin1();
        run({{"Form10", c.box, "1"},
             {"Form10", "Edit12", p.constData()},
             {"Form10", "Edit23", "07012004"},
             {"Form10", "Edit8", c.charge ? fc.constData() : "0"}});
        compute();
        ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();

        BalloonData hand = handBlock();
        hand.APR = 0;
        hand.PAYMENT = payment.toDouble();
        hand.TOTALINTEREST = c.charge ? charge.toDouble() : 0;
        hand.BLPAY = c.blpay;
        const BalloonData want = engine(hand);
        ASSERT_EQ(want.ERRFLAG, 0);
        EXPECT_EQ(Form10->APR, want.APR);
        EXPECT_EQ(Form10->BLPAY, want.BLPAY);
        EXPECT_EQ(Form10->TOTALINTEREST, want.TOTALINTEREST);
        EXPECT_EQ(Form10->LASTPAY, want.LASTPAY);
        // The engine's round trip lands near the 10 % and the 60 payments the figures came from.
        EXPECT_NEAR(want.APR, 10.0, 0.05);
        EXPECT_NEAR(want.BLPAY, 60, 1);
        for (const char* name : {"Edit6", "Edit19"})
            EXPECT_EQ(box("Form10", name), f2(want.APR)) << name;
        for (const char* name : {"Edit31", "Edit32", "Edit13"})
            EXPECT_EQ(box("Form10", name), f0(want.BLPAY)) << name;
        EXPECT_EQ(box("Form10", "Edit8"), f2(want.TOTALINTEREST));
        EXPECT_EQ(box("Form15", "Edit11"), f2(want.APR));
        EXPECT_EQ(Form10->UnsavedCount, 1);
    }
}

TEST_F(BalloonForm, CalcPayoutWithTheDialogsMatchesTheEngine) {
    page(TForm10::CalcPayout);
    run({{"Form10", "Edit17", "450"},
         {"Form10", "Edit18", "240"},
         {"Form10", "Edit19", "8.5"},
         {"Form10", "Edit20", "60000"},
         {"Form10", "Edit28", "2"},
         {"Form10", "Edit29", "05152004"},
         {"Form10", "Edit30", "07012004"},
         {"Form10", "ComboBox4", "1"},
         {"Form10", "Edit32", "36"},
         {"Form11", "Edit1", "10"},
         {"Form11", "Edit4", "300"},
         {"Form11", "Button1", nullptr},
         {"Form12", "Edit1", "0.002"},
         {"Form12", "Edit2", "12"},
         {"Form12", "Edit3", "2"},
         {"Form12", "Button1", nullptr},
         {"Form13", "Edit1", "1200"},
         {"Form13", "Edit2", "600"},
         {"Form13", "Button1", nullptr}});
    modal_.setHandler([](QDialog* d) { return d->result(); });
    compute();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();

    BalloonData hand;
    hand.ORGAMT = 60000;
    hand.DOWNAMT = 6000;
    hand.FEEAMT = 300;
    hand.FINANCEAMT = 60000 + 300 - 6000;
    hand.PAYMENT = 450;
    hand.NUMPAY = 240;
    hand.APR = 8.5;
    hand.SKPMONTH = 2;
    hand.INTMETHOD = 1;
    hand.BLPAY = 36;
    std::strcpy(hand.FIRSTDUE, "07012004");
    hand.LOANDATE[0] = 5, hand.LOANDATE[1] = 15, hand.LOANDATE[2] = 2004;
    hand.ODDDAYS = 183 - 136;
    hand.DSRATE = 0.002, hand.DSFREQ = 12, hand.DSYEARS = 2;
    hand.DSPREM = hand.FINANCEAMT * 0.002, hand.DSNUMPAY = 24;
    hand.TAXES = 1200, hand.HOINS = 600;
    const BalloonData want = engine(hand);
    ASSERT_EQ(want.ERRFLAG, 0);
    EXPECT_EQ(Form10->FINANCEAMT, 54300);
    EXPECT_EQ(Form10->ODDDAYS, 47);
    EXPECT_DOUBLE_EQ(Form10->DSPREM, 108.6);
    EXPECT_EQ(Form10->LASTPAY, want.LASTPAY);
    EXPECT_EQ(Form10->TOTALPAYOUT, want.TOTALPAYOUT);
    EXPECT_EQ(Form10->REGZAPR, want.REGZAPR);
    EXPECT_GT(Form10->TOTALINSURANCE, 0);
    EXPECT_EQ(box("Form15", "Edit3"), f2(want.LASTPAY));
    EXPECT_EQ(box("Form15", "Edit15"), testsupport::num("6000.00"));
    EXPECT_EQ(box("Form15", "Edit16"), testsupport::num(" 300.00"));
    EXPECT_EQ(box("Form15", "Edit17"), "05/15/2004");
    EXPECT_EQ(box("Form15", "Edit18"), "  2");
    EXPECT_EQ(box("Form15", "Edit19"), "  1");
    EXPECT_EQ(box("Form15", "Edit21"), "     36");
    EXPECT_EQ(box("Form15", "Edit9"), date(want.MATURITY));
}

TEST_F(BalloonForm, AnEngineRefusalShowsItsMessageAndChangesNothing) {
    // Calc Payout with a balloon term of 0 reaches the engine's not-enough-data error.
    page(TForm10::CalcPayout);
    run({{"Form10", "Edit17", "450"}, {"Form10", "Edit32", "0"}});
    const QStringList before = typed();
    compute();
    ASSERT_EQ(messages_.messages().size(), 1);
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Error);
    EXPECT_EQ(Form10->ERRFLAG, 0);
    EXPECT_EQ(Form10->UnsavedCount, 0);
    EXPECT_EQ(typed(), before);
    EXPECT_TRUE(modal_.shown().isEmpty());
    EXPECT_TRUE(Form15->Edit1->text().isEmpty());
}

TEST_F(BalloonForm, EachComputeRaisesTheUnsavedCount) {
    run({{"Form10", "Edit5", "07012004"}});
    compute();
    compute();
    EXPECT_EQ(Form10->UnsavedCount, 2);
    EXPECT_EQ(modal_.shown().size(), 2);
}

// ---- the payout window -----------------------------------------------------------------------

TEST_F(BalloonForm, ThePayoutWindowStartsEmptyWithItsCaptionsAndButtons) {
    EXPECT_EQ(Form15->windowTitle(), "Balloon Loan Payout Analysis");
    EXPECT_EQ(Form15->objectName(), "Form15");
    EXPECT_EQ(Form15->Label1->text(), "Balloon Loan Payout Information");
    EXPECT_EQ(Form15->GroupBox1->title(), "Loan Input Data");
    EXPECT_EQ(Form15->GroupBox2->title(), "Payout Analysis Data");
    const struct {
        const char* name;
        const char* label;
        QGroupBox* W::*group;
    } boxes[] = {
        {"Edit10", "Amount Requested", &W::GroupBox1},
        {"Edit11", "APR", &W::GroupBox1},
        {"Edit12", "Amortize Periods", &W::GroupBox1},
        {"Edit13", "First Due Date", &W::GroupBox1},
        {"Edit14", "Payments Per Year", &W::GroupBox1},
        {"Edit15", "Down Payment Total", &W::GroupBox1},
        {"Edit16", "Origination Fees Total", &W::GroupBox1},
        {"Edit17", "Loan Date", &W::GroupBox1},
        {"Edit18", "Skip Months", &W::GroupBox1},
        {"Edit21", "Balloon Term Total Payments", &W::GroupBox1},
        {"Edit19", "Interest Flag", &W::GroupBox1},
        {"Edit20", "Amount Financed", &W::GroupBox1},
        {"Edit1", "Scheduled Payment", &W::GroupBox2},
        {"Edit4", "Total Principal", &W::GroupBox2},
        {"Edit5", "Total Interest ", &W::GroupBox2},
        {"Edit2", "Reg Z Effective APR", &W::GroupBox2},
        {"Edit6", "Total Insurance", &W::GroupBox2},
        {"Edit7", "Total R.E. Taxes", &W::GroupBox2},
        {"Edit3", "Last Payment", &W::GroupBox2},
        {"Edit8", "Total Payout", &W::GroupBox2},
        {"Edit9", "Maturity Date", &W::GroupBox2},
    };
    QHash<QWidget*, QString> buddies;
    for (auto* l : Form15->findChildren<QLabel*>())
        if (l->buddy()) buddies.insert(l->buddy(), l->text());
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.name);
        QLineEdit* e = edit("Form15", b.name);
        ASSERT_NE(e, nullptr);
        EXPECT_TRUE(e->text().isEmpty());
        EXPECT_EQ(buddies.value(e), b.label);
        EXPECT_TRUE((Form15->*b.group)->isAncestorOf(e));
    }
    // The 21 boxes of the two groups, and the four of the Appendix J check below them.
    EXPECT_EQ(Form15->GroupBox1->findChildren<QLineEdit*>().size() +
                  Form15->GroupBox2->findChildren<QLineEdit*>().size(),
              21);
    EXPECT_EQ(Form15->GroupBox3->findChildren<QLineEdit*>().size(), 4);
    EXPECT_EQ(Form15->findChildren<QLineEdit*>().size(), 25);
    QStringList labels;
    for (auto* l : Form15->findChildren<QLabel*>())
        labels << l->text();
    EXPECT_TRUE(labels.contains("(360=0, 365=1)"));
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"Button1", "Prt/Screen"}, {"Button2", "Quit"}, {"Button4", "Save"}};
    for (const auto& b : buttons) {
        auto* w = Form15->findChild<QPushButton*>(QString::fromLatin1(b.name));
        ASSERT_NE(w, nullptr) << b.name;
        EXPECT_EQ(w->text(), b.caption);
    }
    Form15->show();
    press("Form15", "Button2");
    EXPECT_FALSE(Form15->isVisible());
}

TEST_F(BalloonForm, PrintScreenPrintsThePayoutWindowOnlyWhenConfirmed) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("Form15.pdf");
    {
        ui::PrinterDialogInterceptor cancel(false);
        press("Form15", "Button1");
        EXPECT_EQ(cancel.dialogsShown(), 1);
    }
    EXPECT_FALSE(QFileInfo::exists(pdf));
    {
        ui::PrinterDialogInterceptor confirm(true, pdf);
        press("Form15", "Button1");
        EXPECT_EQ(confirm.dialogsShown(), 1);
    }
    EXPECT_GT(QFileInfo(pdf).size(), 0);
}

TEST_F(BalloonForm, F1OpensTheBalloonMenusHelpContext) {
    ui::HelpRecorder help;
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(Form10->Edit31, &f1);
    ASSERT_EQ(help.requests().size(), 1);
    EXPECT_EQ(help.requests().first().kind, ui::HelpRequest::Context);
    EXPECT_EQ(help.requests().first().context, 3);
}

TEST_F(BalloonForm, FormsOpenInTheMiddleOfTheScreen) {
    for (QDialog* f : std::initializer_list<QDialog*>{Form10, Form11, Form12, Form13, Form15}) {
        SCOPED_TRACE(f->objectName().toStdString());
        f->move(0, 0);
        f->show();
        ASSERT_NE(f->screen(), nullptr);
        const QRect screen = f->screen()->availableGeometry();
        ASSERT_LT(f->frameGeometry().width(), screen.width()); // else the middle says nothing
        EXPECT_EQ(f->frameGeometry().center(), screen.center());
        f->hide();
    }
}

// ---- the balloon schedule of a computed loan ------------------------------------------------

// Over loans the form computes: the balloon schedule has BLPAY payment rows, and the principal of
// its rows plus what the last row leaves owing is the amount financed.
TEST_F(BalloonForm, TheScheduleOfAComputedLoanAccountsForTheAmountFinanced) {
    namespace sc = talvero::schedule;
    int loans = 0;
    for (int flag : {0, 1, 2, 3, 4, 6, 7})
        for (const char* term : {"1", "12", "60", "360"})
            for (const char* frequency : {"12", "26"}) {
                SCOPED_TRACE(testing::Message() << "flag " << flag << " term " << term << " f " << frequency);
                TearDown();
                SetUp();
                const QByteArray f = QByteArray::number(flag);
                run({{"Form10", "Edit5", "07012004"},
                     {"Form10", "Edit31", term},
                     {"Form10", "Edit2", frequency},
                     {"Form10", "ComboBox1", f.constData()},
                     {"Form13", "Edit1", "1200"},
                     {"Form13", "Button1", nullptr}});
                modal_.setHandler([](QDialog* d) { return d->result(); });
                compute();
                ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
                ++loans;
                sc::Pass pass(*Form10, Form10->SCHEDPAY, sc::Variant::balloon_term(Form10->BLPAY));
                ASSERT_TRUE(pass.usable());
                double principal = 0, balance = 0;
                long payments = 0;
                sc::for_each_row(pass, [&](const sc::Row& r) {
                    if (r.kind != sc::RowKind::Payment) return;
                    ++payments;
                    principal += r.amounts.PRINAMT;
                    balance = r.BALANCE;
                });
                EXPECT_EQ(payments, std::atol(term));
                EXPECT_NEAR(principal + balance, Form10->FINANCEAMT, 1e-6);
                if (payments > 1) {
                    EXPECT_EQ(balance, 0);
                }
            }
    EXPECT_EQ(loans, 56);
}

} // namespace
