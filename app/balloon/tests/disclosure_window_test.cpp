// The "Disclosure" button of the balloon payout window: the same window, on the balloon schedule.
#include "balloon/forms.h"
#include "formfixture.h"
#include "formtest/disclosure.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using BalloonDisclosure = balloontest::BalloonForms;

TEST_F(BalloonDisclosure, DisclosesTheBalloonPayment) {
    // 50,000 at 10 % amortized over 360 months with a balloon after 60, first due 07/01/2004.
    computeDefaultLoan();
    ASSERT_NE(Form15->Button5, nullptr);
    EXPECT_EQ(Form15->Button5->text(), "Disclosure");
    QTemporaryDir dir;
    const formtest::DisclosureRun run =
        formtest::discloseFrom(modal_, Form15, dir.filePath(QStringLiteral("tila.pdf")));
    EXPECT_EQ(run.shown, (QStringList{"Form31", "ReportPreview", "Form31"}));
    // The window's examiner's notice agrees with the payout window's Appendix J verdict.
    EXPECT_EQ(run.examiner, Form15->Edit25->text() == "Outside tolerance");
    EXPECT_EQ(run.notice.isEmpty(), !run.examiner);
    EXPECT_FALSE(run.cancelledPrintWrote);
    EXPECT_TRUE(run.printedText.contains(QStringLiteral("Your payment schedule will be:")))
        << run.printedText.toStdString();
    for (const char* want : {"Harbor Savings Bank", "10.00%", "59 $438.79 Monthly beginning 07/01/2004",
                             "06/01/2009 (balloon payment)", "Final Balloon Payment due 06/01/2009"})
        EXPECT_TRUE(run.pdfText.contains(QString::fromLatin1(want))) << want << "\n"
                                                                     << run.pdfText.toStdString();
}

} // namespace
