// The "Appendix J check" group of the loan payout window, filled by Compute on the loan form.
#include "formfixture.h"
#include "loan/forms.h"

#include "tessera/tessera.h"
#include "testsupport/locale_text.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/today.h"

#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using testsupport::num;

using LoanAprCheck = loantest::LoanForms;

TEST_F(LoanAprCheck, TheGroupSitsBelowTheFiguresAndStartsEmpty) {
    ASSERT_NE(Form9->GroupBox3, nullptr);
    EXPECT_EQ(Form9->GroupBox3->title(), "Appendix J check");
    EXPECT_EQ(Form9->GroupBox3->objectName(), "GroupBox3");
    const std::pair<QLineEdit*, const char*> boxes[] = {{Form9->Edit22, "Appendix J APR"},
                                                        {Form9->Edit23, "Transaction"},
                                                        {Form9->Edit24, "Tolerance"},
                                                        {Form9->Edit25, "Verdict"}};
    for (auto [e, caption] : boxes) {
        ASSERT_NE(e, nullptr) << caption;
        EXPECT_EQ(formtest::labelOf(Form9, e), caption);
        EXPECT_TRUE(e->text().isEmpty());
        EXPECT_TRUE(e->isReadOnly());
        EXPECT_EQ(e->parentWidget(), Form9->GroupBox3);
    }
    Form9->layout()->activate();
    EXPECT_GT(Form9->GroupBox3->geometry().top(), Form9->GroupBox2->geometry().bottom());
    EXPECT_LT(Form9->GroupBox3->geometry().bottom(), Form9->Button1->geometry().top());
    // The payoff window has no such group.
    EXPECT_EQ(Form19->GroupBox3, nullptr);
    EXPECT_EQ(Form19->findChild<QGroupBox*>("GroupBox3"), nullptr);
}

TEST_F(LoanAprCheck, ComputeFillsTheGroup) {
    // The form's 50,000 at 10 % over 360 months, lent today and first due 07/01/2004: every payment
    // falls on the 1st a month apart, so the actuarial rate is the note rate.
    computeDefaultLoan();
    ASSERT_EQ(modal_.shown().size(), 1);
    EXPECT_EQ(Form9->Edit22->text(), num(" 10.000"));
    EXPECT_EQ(Form9->Edit23->text(), "Regular");
    EXPECT_EQ(Form9->Edit24->text(), num("  0.125"));
    EXPECT_EQ(Form9->Edit25->text(), "Within tolerance");
    // The disclosed figure stays where it was, beside the check.
    EXPECT_FALSE(Form9->Edit2->text().isEmpty());
}

} // namespace
