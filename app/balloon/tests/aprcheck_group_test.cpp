// The "Appendix J check" group of the balloon payout window, filled by Compute on the balloon form.
#include "balloon/forms.h"
#include "formfixture.h"

#include "testsupport/locale_text.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/today.h"
#include "vaulter/vaulter.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using testsupport::num;

using BalloonAprCheck = balloontest::BalloonForms;

TEST_F(BalloonAprCheck, TheGroupSitsBelowTheFiguresAndStartsEmpty) {
    ASSERT_NE(Form15->GroupBox3, nullptr);
    EXPECT_EQ(Form15->GroupBox3->title(), "Appendix J check");
    for (QLineEdit* e : {Form15->Edit22, Form15->Edit23, Form15->Edit24, Form15->Edit25}) {
        ASSERT_NE(e, nullptr);
        EXPECT_TRUE(e->text().isEmpty());
        EXPECT_EQ(e->parentWidget(), Form15->GroupBox3);
    }
    EXPECT_EQ(Form15->findChildren<QGroupBox*>().size(), 3);
}

TEST_F(BalloonAprCheck, ComputeFillsTheGroup) {
    // 50,000 at 10 % amortized over 360 months, a balloon after 60, lent today and first due
    // 07/01/2004: the balloon is an odd final payment, the transaction stays regular.
    computeDefaultLoan();
    ASSERT_EQ(modal_.shown().size(), 1);
    EXPECT_EQ(Form15->Edit22->text(), num(" 10.000"));
    EXPECT_EQ(Form15->Edit23->text(), "Regular");
    EXPECT_EQ(Form15->Edit24->text(), num("  0.125"));
    EXPECT_FALSE(Form15->Edit25->text().isEmpty());
    EXPECT_FALSE(Form15->Edit2->text().isEmpty());
}

} // namespace
