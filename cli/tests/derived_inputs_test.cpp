// The command line and the loan form derive the same engine inputs from the same loan.
#include "cli/loan.h"
#include "common/loan_amounts.h"
#include "loan/checks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Typed {
    const char* loanDate;
    const char* firstDue;
    int odddays; // the form's count
};

// 100,000 with 11,000 down and 1,750 of fees, disability and life insurance.
loan::LoanData formLoan(const Typed& dates) {
    loan::LoanData d;
    d.ORGAMT = 100000;
    d.DOWNPAYAMT = 11000;
    d.FEEPAYAMT = 1750;
    d.APR = 10;
    d.NUMPAY = 360;
    d.FREQUENCY = 12;
    d.DSRATE = 0.002, d.DSFREQ = 12, d.DSYEARS = 5;
    d.LFRATE = 0.0035, d.LFFREQ = 12, d.LFYEARS = 3;
    loan::readDateParts(dates.loanDate, d.LOANDATE);
    loan::readDateParts(dates.firstDue, d.FIRSTDUEDATE);
    return d;
}

loan::CheckTexts formTexts(const Typed& dates) {
    loan::CheckTexts t;
    t.loanAmount = "100000.00";
    t.apr = "10.000";
    t.numPay = "360";
    t.frequency = "12";
    t.skipMonths = "  0";
    t.firstDue = dates.firstDue;
    t.loanDate = dates.loanDate;
    t.downAmount = "11000", t.downPct = "0", t.feeAmount = "1750", t.feePct = "0";
    t.dsRate = "0.002", t.dsFreq = "12", t.dsYears = "5";
    t.lfRate = "0.0035", t.lfFreq = "12", t.lfYears = "3";
    t.taxes = t.hoIns = t.otIns = "0";
    return t;
}

talvero::cli::Loan cliLoan(const Typed& dates) {
    talvero::cli::Loan loan;
    const std::pair<const char*, std::string> fields[] = {
        {"ORGAMT", "100000"},
        {"DOWNAMT", "11000"},
        {"FEEAMT", "1750"},
        {"APR", "10"},
        {"NUMPAY", "360"},
        {"DSRATE", "0.002"},
        {"DSFREQ", "12"},
        {"DSYEARS", "5"},
        {"LFRATE", "0.0035"},
        {"LFFREQ", "12"},
        {"LFYEARS", "3"},
        {"LOANDATE", dates.loanDate},
        {"FIRSTDUE", dates.firstDue},
    };
    for (const auto& [name, value] : fields)
        EXPECT_EQ(talvero::cli::set_field(loan, name, value), "") << name;
    return loan;
}

TEST(DerivedInputs, FormAndCommandLineAgree) {
    const Typed cases[] = {
        {"02012024", "02012025", 365}, // a whole leap year: the calendar has 366 days
        {"12012024", "01012025", 30},  // past a leap year's end: the calendar has 31
        {"01152004", "03012004", 46},  // across February 29
        {"06012004", "06012004", 0},
    };
    for (const Typed& c : cases) {
        SCOPED_TRACE(std::string(c.loanDate) + " to " + c.firstDue);
        loan::LoanData form = formLoan(c);
        ASSERT_EQ(loan::checkLoanInputs(form, formTexts(c)), nullptr);
        talvero::common::set_insurance_bases(form); // as Compute does after the checks

        talvero::cli::Loan cli = cliLoan(c);
        ASSERT_EQ(talvero::cli::prepare(cli), "");
        const talvero::common::RegularBlock& b = cli.block;

        EXPECT_EQ(form.ODDDAYS, c.odddays);
        EXPECT_EQ(b.ODDDAYS, form.ODDDAYS);
        EXPECT_EQ(b.DOWNAMT, form.DOWNAMT);
        EXPECT_EQ(b.FEEAMT, form.FEEAMT);
        EXPECT_EQ(b.FINANCEAMT, form.FINANCEAMT);
        EXPECT_EQ(b.FINANCEAMT, 90750.0);
        EXPECT_EQ(b.DSPREM, form.DSPREM);
        EXPECT_EQ(b.LFPREM, form.LFPREM);
        EXPECT_EQ(b.DSNUMPAY, form.DSNUMPAY);
        EXPECT_EQ(b.LFNUMPAY, form.LFNUMPAY);
        EXPECT_EQ(std::string(b.FIRSTDUE), std::string(form.FIRSTDUE));
    }
}

TEST(DerivedInputs, AFeePercentAddsToTheFeesAsTheFeesDialogDoes) {
    const Typed dates{"01152004", "03012004", 46};
    loan::LoanData form = formLoan(dates);
    form.FEEPCT = 1.5;
    loan::CheckTexts texts = formTexts(dates);
    texts.feePct = "1.5";
    ASSERT_EQ(loan::checkLoanInputs(form, texts), nullptr);

    talvero::cli::Loan cli = cliLoan(dates);
    ASSERT_EQ(talvero::cli::set_field(cli, "FEEPCT", "1.5"), "");
    ASSERT_EQ(talvero::cli::prepare(cli), "");
    // 1,750 + 1.5 % of 100,000.
    EXPECT_EQ(form.FEEAMT, 3250.0);
    EXPECT_EQ(cli.block.FEEAMT, form.FEEAMT);
    EXPECT_EQ(cli.block.FINANCEAMT, form.FINANCEAMT);
    EXPECT_EQ(cli.FEEPCT, form.FEEPCT);
}

} // namespace
