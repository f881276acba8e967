// The "Disclosure" button of the loan payout window and the window it opens.
#include "formfixture.h"
#include "formtest/disclosure.h"
#include "loan/forms.h"

#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using LoanDisclosure = loantest::LoanForms;

TEST_F(LoanDisclosure, TheButtonFollowsTheSpecifiedOnes) {
    ASSERT_NE(Form9->Button5, nullptr);
    EXPECT_EQ(Form9->Button5->text(), "Disclosure");
    EXPECT_EQ(Form9->Button5->accessibleDescription(), "Button5");
    const auto buttons = Form9->findChildren<QPushButton*>();
    EXPECT_EQ(buttons.indexOf(Form9->Button5), buttons.size() - 1);
}

TEST_F(LoanDisclosure, DisclosesTheComputedLoan) {
    // The form's 50,000 at 10 % over 360 months, first due 07/01/2004: level payments of 438.79
    // that Appendix J rates at the note rate, so the engine's APR needs no examiner's page.
    computeDefaultLoan();
    QTemporaryDir dir;
    const formtest::DisclosureRun run =
        formtest::discloseFrom(modal_, Form9, dir.filePath(QStringLiteral("tila.pdf")));
    EXPECT_EQ(run.shown, (QStringList{"Form31", "ReportPreview", "Form31"}));
    EXPECT_EQ(run.title, "Truth in Lending Disclosure");
    EXPECT_FALSE(run.examiner);
    EXPECT_TRUE(run.notice.isEmpty());
    for (const char* want : {"Harbor Savings Bank", "Borrower: Dana Whitfield", "Date: 06/01/2004", "10.00%",
                             "$50,000.00", "$438.79 Monthly beginning 07/01/2004", "Prepaid finance charge"})
        EXPECT_TRUE(run.pdfText.contains(QString::fromLatin1(want))) << want << "\n"
                                                                     << run.pdfText.toStdString();
    EXPECT_EQ(run.creditorNextTime, "Harbor Savings Bank");
}

} // namespace
