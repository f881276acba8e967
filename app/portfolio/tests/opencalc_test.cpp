// "Open in Calculator" on the portfolio: a saved loan's inputs back on the loan form, or the
// balloon form for a balloon loan, computed again.
#include "balloon/forms.h"
#include "db/testsupport/tempdatafolder.h"
#include "formtest/forms.h"
#include "loan/forms.h"
#include "portfolio/forms.h"
#include "savedloans.h"
#include "tessera/tessera.h"
#include "ui/grids.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/today.h"
#include "vaulter/vaulter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class OpenInCalculator : public ::testing::Test {
protected:
    void SetUp() override {
        TesseraSetMessageHandler(&ui::engineMessage);
        VaulterSetMessageHandler(&ui::engineMessage);
        VaulterSetToday(6, 1, 2004);
        Form1 = new TForm1;
        Form2 = new TForm2(*Form1, *Form1);
        Form3 = new TForm3(*Form1, *Form1);
        Form4 = new TForm4(*Form1, *Form1);
        Form9 = new TForm9;
        Form10 = new TForm10;
        Form11 = balloon::makeForm11(*Form10);
        Form12 = balloon::makeForm12(*Form10);
        Form13 = balloon::makeForm13(*Form10);
        Form15 = new TForm15;
        Form17 = new TForm17;
    }
    void TearDown() override {
        for (QDialog* f : std::initializer_list<QDialog*>{Form17, Form15, Form13, Form12, Form11, Form10,
                                                          Form9, Form4, Form3, Form2, Form1})
            delete f;
        Form1 = nullptr, Form2 = nullptr, Form3 = nullptr, Form4 = nullptr, Form9 = nullptr;
        Form10 = nullptr, Form11 = nullptr, Form12 = nullptr, Form13 = nullptr, Form15 = nullptr;
        Form17 = nullptr;
        VaulterSetToday(0, 0, 0);
    }
    void open(const char* loanNo) {
        Form17->FormActivate();
        ASSERT_TRUE(Form17->DBLookupListBox4->selectText(QString::fromLatin1(loanNo)));
        messages_.clear();
        Form17->Button5->click();
    }
    db::testing::TempDataFolder folder_;
    ui::TodayOverride today_{QDate(2004, 6, 1)};
    ui::MessageRecorder messages_;
    ui::ModalInterceptor modal_{[](QDialog* d) { return d->result(); }};
};

TEST_F(OpenInCalculator, ARegularLoanOnTheLoanFormComputedAgain) {
    // 10,000.00 with 500.00 down and a fee of 100.00 over 36 months at 12%, first due 01/15/2004.
    ASSERT_EQ(portfoliotest::saveRegular({10000, 36, 100, 1000, 0, 0}), 1);
    open("1");
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    EXPECT_EQ(modal_.shown(), (QList<QDialog*>{Form9, Form1}));
    EXPECT_EQ(Form1->PageControl1->currentIndex(), 0);
    EXPECT_EQ(Form1->Edit1->text(), formtest::f2(10000));
    EXPECT_EQ(Form1->Edit2->text(), formtest::f0(12));
    EXPECT_EQ(Form1->Edit3->text(), formtest::f2(36)); // shown again after the calculation
    EXPECT_EQ(Form1->Edit5->text(), QStringLiteral("01152004"));
    EXPECT_EQ(Form1->Edit4->text(), QStringLiteral("12152003")); // a regular month before
    EXPECT_EQ(Form1->ComboBox1->currentIndex(), 0);
    EXPECT_EQ(Form2->Edit2->text(), formtest::f2(500));
    EXPECT_EQ(Form2->Edit4->text(), formtest::f2(100));
    // Financed: 10,000 - 500 + 100; the level payment of 9,600.00 at 1% a month over 36 months, and
    // flag 0's first period of 31 days (12/15 to 01/15) one day of interest at 12/360% over it.
    EXPECT_DOUBLE_EQ(Form1->FINANCEAMT, 9600);
    EXPECT_NEAR(Form1->PAYMENT, 9600 * 0.01 / (1 - std::pow(1.01, -36)) + 9600 * 0.12 / 360 / 36, 0.0005);
    EXPECT_EQ(Form9->Edit1->text(), formtest::f2(Form1->PAYMENT));
    EXPECT_EQ(Form1->UnsavedCount, 1);
}

TEST_F(OpenInCalculator, ABalloonLoanOnTheBalloonForm) {
    ASSERT_EQ(portfoliotest::saveBalloon({20000, 60, 200, 2000, 0, 0}, 12), 1);
    open("1");
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    EXPECT_EQ(modal_.shown(), (QList<QDialog*>{Form15, Form10}));
    EXPECT_EQ(Form10->Edit1->text(), formtest::f2(20000));
    EXPECT_EQ(Form10->Edit31->text(), formtest::f0(12));
    EXPECT_EQ(Form10->BLPAY, 12);
    EXPECT_EQ(Form10->NUMPAY, 60);
    EXPECT_GT(Form10->PAYMENT, 0);
}

TEST_F(OpenInCalculator, WithoutALoanPickedNothingOpens) {
    ASSERT_EQ(portfoliotest::saveRegular({10000, 36, 100, 1000, 0, 0}), 1);
    Form17->FormActivate();
    Form17->Button5->click();
    EXPECT_EQ(messages_.lastText(), QStringLiteral("'' is not a valid integer value"));
    EXPECT_TRUE(modal_.shown().isEmpty());
}

} // namespace
