// The disclosure's pages as a loan officer prints them, read back from the PDF file; the examiner's
// page kept apart; the creditor remembered in the data folder.
#include "disclosure/document.h"
#include "reporttest/layout_check.h"

#include "cli/loan.h"
#include "computed_loan.h"
#include "testsupport/pdf_words.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace talvero;

disclosure::Inputs officer() {
    disclosure::Inputs in;
    in.creditor = "Harbor Savings Bank";
    in.creditor_address = "12 Quay Street\nPortland, ME 04101";
    in.borrower = "Dana Whitfield";
    in.date = common::Date{1, 1, 2024};
    in.paid_to_others = {{"County recorder", 45}};
    return in;
}

TEST(DisclosureDocument, BorrowersCopyInTheModelFormsWords) {
    // 10,000 requested, 2,000 down, a 200 fee, 8 % over 36 months: 8,000.00 financed.
    const cli::Loan loan = computed({{"ORGAMT", "10000"},
                                     {"DOWNAMT", "2000"},
                                     {"FEEAMT", "200"},
                                     {"APR", "8"},
                                     {"NUMPAY", "36"},
                                     {"FIRSTDUE", "02012024"},
                                     {"LOANDATE", "01012024"}});
    const disclosure::Disclosure d = disclosure::disclose(loan.block, loan.block.ERRFLAG, loan.block.PAYMENT,
                                                          cli::variant(loan), std::nullopt, officer());
    ASSERT_TRUE(d.usable) << d.error;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tila.pdf"));
    ASSERT_TRUE(disclosure::borrowerCopy(d).writePdf(path));
    const QString text = testsupport::readPdfText(path);
    for (const QString& want : {QStringLiteral("Truth in Lending Disclosure"),
                                QStringLiteral("Harbor Savings Bank"),
                                QStringLiteral("Portland, ME 04101"),
                                QStringLiteral("Borrower: Dana Whitfield"),
                                QStringLiteral("Date: 01/01/2024"),
                                QStringLiteral("ANNUAL PERCENTAGE RATE"),
                                QStringLiteral("FINANCE CHARGE"),
                                QStringLiteral("Amount Financed"),
                                QStringLiteral("Total of Payments"),
                                QStringLiteral("The cost of your credit as a"),
                                QStringLiteral("9.70%"),
                                QStringLiteral("$8,000.00"),
                                QString::fromStdString(disclosure::money(d.finance_charge)),
                                QString::fromStdString(disclosure::money(d.total_of_payments)),
                                QStringLiteral("Your payment schedule will be:"),
                                QStringLiteral("Number of Payments"),
                                QStringLiteral("When Payments Are Due"),
                                QStringLiteral("Monthly beginning 02/01/2024"),
                                QStringLiteral("Security:"),
                                QStringLiteral("Late Charge:"),
                                QStringLiteral("If you pay off early, you will not have to pay a penalty."),
                                QStringLiteral("See your contract documents"),
                                QStringLiteral("Itemization of the Amount Financed of $8,000.00"),
                                QStringLiteral("$7,955.00 Amount given to you directly"),
                                QStringLiteral("$45.00 to County recorder"),
                                QStringLiteral("$200.00 Prepaid finance charge")})
        EXPECT_TRUE(text.contains(want)) << want.toStdString() << "\n" << text.toStdString();
    // Nothing here is an estimate, and the examiner's figures stay off the borrower's copy.
    EXPECT_FALSE(text.contains(QStringLiteral("e means an estimate")));
    EXPECT_FALSE(text.contains(QStringLiteral("Reg Z effective APR")));
}

TEST(DisclosureDocument, BalloonInsuranceEscrowAndTheStatementOfTheRightToAnItemization) {
    const cli::Loan loan = computed({{"FINANCEAMT", "20000"},
                                     {"APR", "7.5"},
                                     {"NUMPAY", "360"},
                                     {"BLPAY", "60"},
                                     {"LFRATE", "0.01"},
                                     {"LFFREQ", "12"},
                                     {"LFYEARS", "5"},
                                     {"TAXES", "1200"},
                                     {"FIRSTDUE", "02012024"},
                                     {"LOANDATE", "01012024"}});
    disclosure::Inputs in = officer();
    in.itemize = false;
    in.statements.late_charge = "If a payment is late, you will be charged $25.";
    const disclosure::Disclosure d = disclosure::disclose(loan.block, loan.block.ERRFLAG, loan.block.PAYMENT,
                                                          cli::variant(loan), std::nullopt, in);
    ASSERT_TRUE(d.usable) << d.error;
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("copy.pdf"));
    ASSERT_TRUE(disclosure::borrowerCopy(d).writePdf(copy));
    const QString text = testsupport::readPdfText(copy);
    const QString balloon = QString::fromStdString(disclosure::money(d.schedule.back().amount));
    for (const QString& want :
         {QStringLiteral("Final Balloon Payment due 01/01/2029: ") + balloon,
          QStringLiteral("01/01/2029 (balloon payment)"), QStringLiteral("I want credit life insurance."),
          QStringLiteral(
              "Credit life insurance and credit disability insurance are not required to obtain credit"),
          QStringLiteral("Signature"), QString::fromStdString(disclosure::money(d.life_premium)),
          QStringLiteral("$100.00 e for real-estate taxes"), QStringLiteral("e means an estimate"),
          QStringLiteral("If a payment is late, you will be charged $25."),
          QStringLiteral("You have the right to receive at this time an itemization of the Amount Financed."),
          QStringLiteral("I do not want an itemization.")})
        EXPECT_TRUE(text.contains(want)) << want.toStdString() << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("I want credit disability insurance.")));
    // The pages read cleanly: no two words overlap, all inside the margins.
    EXPECT_EQ(
        reporttest::layoutFaults(disclosure::borrowerCopy(d), dir.filePath(QStringLiteral("layout.pdf"))),
        QStringList());
}

TEST(DisclosureDocument, ExaminersPageWhenTheEngineRateIsOutsideTolerance) {
    // 10,000 at 8 % over 36 months under the 365-day method: the engine's level-payment REGZAPR
    // overstates the smaller last payment's rate by more than 1/8 point.
    const cli::Loan loan = computed({{"FINANCEAMT", "10000"},
                                     {"APR", "8"},
                                     {"NUMPAY", "36"},
                                     {"INTMETHOD", "1"},
                                     {"FIRSTDUE", "02152024"},
                                     {"LOANDATE", "01152024"}});
    const disclosure::Disclosure d = disclosure::disclose(loan.block, loan.block.ERRFLAG, loan.block.PAYMENT,
                                                          cli::variant(loan), std::nullopt, officer());
    ASSERT_TRUE(d.usable) << d.error;
    ASSERT_TRUE(d.examiner_page);
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("examiner.pdf"));
    ASSERT_TRUE(disclosure::examinerPage(d).writePdf(page));
    const QString e = testsupport::readPdfText(page);
    const QString regz =
        QString::fromStdString(disclosure::fixed(loan.block.REGZAPR, 3)) + QStringLiteral("%");
    for (const QString& want :
         {QStringLiteral("Examiner's Page"), QStringLiteral("Reg Z effective APR of the calculation ") + regz,
          QStringLiteral("Outside tolerance"), QStringLiteral("Regular")})
        EXPECT_TRUE(e.contains(want)) << want.toStdString() << "\n" << e.toStdString();
}

TEST(DisclosureDocument, CreditorIsRememberedInTheDataFolder) {
    QTemporaryDir dir;
    EXPECT_TRUE(disclosure::loadCreditor(dir.path()).name.isEmpty());
    ASSERT_TRUE(disclosure::saveCreditor(dir.path(), {QStringLiteral("Harbor Savings Bank"),
                                                      QStringLiteral("12 Quay Street\nPortland, ME 04101")}));
    const disclosure::Creditor c = disclosure::loadCreditor(dir.path());
    EXPECT_EQ(c.name, QStringLiteral("Harbor Savings Bank"));
    EXPECT_EQ(c.address, QStringLiteral("12 Quay Street\nPortland, ME 04101"));
    EXPECT_TRUE(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("disclosure.ini"))));
}

} // namespace
