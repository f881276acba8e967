// talvero-cli disclose: the PDF read back, and every input it cannot disclose refused with a
// message and no file.
#include "cli/disclose.h"
#include "testsupport/pdf_words.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sstream>

namespace {

using talvero::cli::disclose_command;

const std::vector<std::string> kLoan = {"--ORGAMT",   "10000",    "--DOWNAMT",  "2000",     "--FEEAMT",
                                        "200",        "--APR",    "8",          "--NUMPAY", "36",
                                        "--FIRSTDUE", "02012024", "--LOANDATE", "01012024"};

std::vector<std::string> with(std::vector<std::string> args, std::initializer_list<std::string> more) {
    args.insert(args.end(), more);
    return args;
}

TEST(Disclose, WritesTheBorrowersCopyAndTheExaminersPage) {
    QTemporaryDir dir;
    const std::string copy = dir.filePath(QStringLiteral("copy.pdf")).toStdString();
    const std::string page = dir.filePath(QStringLiteral("examiner.pdf")).toStdString();
    std::ostringstream out, err;
    const int rc =
        disclose_command(with(kLoan, {"--creditor", "Harbor Savings Bank", "--creditor-address",
                                      "12 Quay Street\\nPortland, ME 04101", "--borrower", "Dana Whitfield",
                                      "--date=03152024", "--output", copy, "--examiner", page}),
                         out, err);
    ASSERT_EQ(rc, 0) << err.str();
    const QString text = testsupport::readPdfText(QString::fromStdString(copy));
    // 8,000 financed; 35 payments of 257.01 and a last of 256.97 make 9,252.32.
    for (const char* want : {"Harbor Savings Bank", "12 Quay Street Portland, ME 04101",
                             "Borrower: Dana Whitfield", "Date: 03/15/2024", "9.70%", "$1,252.32",
                             "$8,000.00", "$9,252.32", "35 $257.01 Monthly beginning 02/01/2024",
                             "1 $256.97 01/01/2027", "$200.00 Prepaid finance charge"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(want))) << want << "\n" << text.toStdString();
    // The engine's REGZAPR of this loan lies far from the Appendix J APR.
    const QString e = testsupport::readPdfText(QString::fromStdString(page));
    EXPECT_TRUE(e.contains(QStringLiteral("Outside tolerance"))) << e.toStdString();
    EXPECT_TRUE(e.contains(QStringLiteral("not part of the borrower's copy")));
}

TEST(Disclose, RefusesWhatItCannotDisclose) {
    QTemporaryDir dir;
    const std::string pdf = dir.filePath(QStringLiteral("d.pdf")).toStdString();
    struct Case {
        const char* what;
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {"no output", kLoan, "disclose needs --output FILE.pdf"},
        {"refused by the engine",
         {"--FINANCEAMT", "10000", "--APR", "8", "--output", pdf},
         "the engine refused"},
        {"payments short of the loan",
         {"--FINANCEAMT", "10000", "--PAYMENT", "10", "--NUMPAY", "12", "--output", pdf},
         "cannot state this loan"},
        {"unwritable path", with(kLoan, {"--output", "/nonexistent-folder/d.pdf"}), "cannot write"},
        {"bad date", with(kLoan, {"--date", "13012024", "--output", pdf}), "not a valid date"},
        {"unknown option", with(kLoan, {"--colour", "red", "--output", pdf}), "unknown field"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::ostringstream out, err;
        EXPECT_EQ(disclose_command(c.args, out, err), 2);
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
        EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
    }
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/nonexistent-folder/d.pdf")));
}

} // namespace
