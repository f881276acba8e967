// The "Disclosure" button of the loan payout window and the window it opens.
#include "formfixture.h"
#include "formtest/disclosure.h"
#include "loan/forms.h"

#include "loan/disclosure.h"
#include "testsupport/locale_text.h"
#include "ui/filedialog.h"
#include "ui/help.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using LoanDisclosure = loantest::LoanForms;

TEST_F(LoanDisclosure, TheButtonComesAfterTheOthers) {
    ASSERT_NE(Form9->Button5, nullptr);
    EXPECT_EQ(Form9->Button5->text(), "Disclosure");
    EXPECT_EQ(Form9->Button5->accessibleDescription(), "Button5");
    // After the payout window's own buttons; only "What If…" follows it.
    const auto buttons = Form9->findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size() - 2, buttons.indexOf(Form9->Button5));
    EXPECT_EQ(buttons.last(), Form9->Button6);
}

TEST_F(LoanDisclosure, DisclosesTheComputedLoan) {
    // The form's 50,000 at 10 % over 360 months, first due 07/01/2004: level payments of 438.79
    // that Appendix J rates at the note rate, so the engine's APR needs no examiner's page.
    computeDefaultLoan();
    QTemporaryDir dir;
    const formtest::DisclosureRun run =
        formtest::discloseFrom(modal_, Form9, dir.filePath(QStringLiteral("tila.pdf")));
    EXPECT_EQ(run.shown, (QStringList{"Form31", "ReportPreview", "Form31"}));
    // The window's examiner's notice agrees with the payout window's Appendix J verdict.
    EXPECT_EQ(run.examiner, Form9->Edit25->text() == "Outside tolerance");
    EXPECT_EQ(run.notice.isEmpty(), !run.examiner);
    EXPECT_FALSE(run.cancelledPrintWrote);
    EXPECT_TRUE(run.printedText.contains(QStringLiteral("Your payment schedule will be:")))
        << run.printedText.toStdString();
    EXPECT_EQ(run.title, "Truth in Lending Disclosure");
    EXPECT_FALSE(run.examiner);
    EXPECT_TRUE(run.notice.isEmpty());
    for (const char* want : {"Harbor Savings Bank", "Borrower: Dana Whitfield", "Date: 06/01/2004", "10.00%",
                             "$50,000.00", "$438.79 Monthly beginning 07/01/2004", "Prepaid finance charge"})
        EXPECT_TRUE(run.pdfText.contains(QString::fromLatin1(want))) << want << "\n"
                                                                     << run.pdfText.toStdString();
    EXPECT_EQ(run.creditorNextTime, "Harbor Savings Bank");
}

TEST_F(LoanDisclosure, TheExaminersPageIsOfferedApartWhenTheEngineRateFailsTheCheck) {
    // 10,000 at 8 % over 36 months, 365-day interest: the engine's level-payment Reg Z APR lies
    // above the Appendix J rate of its smaller last payment by more than 1/8 point.
    page(0);
    run({{"Form1", "Edit1", "10000"},
         {"Form1", "Edit3", "36"},
         {"Form1", "Edit6", "8"},
         {"Form1", "Edit5", "07012004"},
         {"Form1", "ComboBox1", "1"}});
    compute();
    ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    ASSERT_EQ(Form9->Edit25->text(), "Outside tolerance");
    QStringList shown;
    QString notice;
    bool enabled = false;
    modal_.setHandler([&](QDialog* d) {
        shown << d->objectName();
        if (auto* form = qobject_cast<TForm31*>(d)) {
            notice = form->Label2->text();
            enabled = form->Button4->isEnabled();
            form->Button4->click();
        }
        return 0;
    });
    Form9->Button5->click();
    EXPECT_TRUE(enabled);
    EXPECT_TRUE(notice.contains(QStringLiteral("outside the Appendix J tolerance"))) << notice.toStdString();
    EXPECT_TRUE(notice.contains(Form9->Edit22->text().trimmed())) << notice.toStdString();
    EXPECT_EQ(shown, (QStringList{"Form31", "ReportPreview"}));
}

TEST_F(LoanDisclosure, ABadAmountIsRefusedWithAMessageAndNothingWritten) {
    computeDefaultLoan();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("tila.pdf"));
    ui::FileDialogInterceptor files([pdf](const ui::FileRequest&) { return pdf; });
    struct Case {
        const char* account;
        const char* others;
        QString message;
    };
    const Case cases[] = {
        {"abc", "0", QStringLiteral("'abc' is not a valid floating point value")},
        {"40000", "10000.01",
         QStringLiteral(
             "The amounts paid on the account and to others exceed the Amount Financed of $50,000.00.")},
    };
    ui::HelpRecorder help;
    for (const Case& c : cases) {
        messages_.clear();
        modal_.setHandler([&](QDialog* d) {
            auto* form = qobject_cast<TForm31*>(d);
            if (!form) return 0;
            form->Edit3->setText(testsupport::num(c.account));
            form->Edit5->setText(testsupport::num(c.others));
            form->Button3->click();
            form->Button5->click();
            return 0;
        });
        Form9->Button5->click();
        ASSERT_EQ(messages_.messages().size(), 1);
        EXPECT_EQ(messages_.lastText(), c.message);
        EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Error);
        EXPECT_FALSE(QFile::exists(pdf));
    }
    ASSERT_FALSE(help.requests().isEmpty());
    EXPECT_EQ(help.requests().last().topic, "Truth_in_Lending_Disclosure");
    EXPECT_TRUE(QFile::exists(ui::helpFolder() + QStringLiteral("/Truth_in_Lending_Disclosure.html")));
}

} // namespace
