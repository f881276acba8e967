// talvero-cli's commands through run(), with string streams for the files and terminals.
#include "cli/commands.h"
#include "cli/loan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using talvero::cli::run;

struct Result {
    int code;
    std::string out, err;
};

Result call(std::vector<std::string> args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = run(args, in, out, err);
    return {code, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream s(text);
    for (std::string l; std::getline(s, l);)
        all.push_back(l);
    return all;
}

const std::vector<std::string> kLoan = {"--FINANCEAMT=100000", "--APR", "10", "--NUMPAY=360",
                                        "--FIRSTDUE=02012024"};

std::vector<std::string> with(std::string command, std::vector<std::string> extra = {}) {
    std::vector<std::string> a{std::move(command)};
    a.insert(a.end(), kLoan.begin(), kLoan.end());
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
}

TEST(Fields, ConversionsAndNames) {
    struct Case {
        const char* name;
        const char* value;
        const char* error; // empty: accepted
    };
    const Case cases[] = {
        {"FINANCEAMT", " 1500.50 ", ""},
        {"financeamt", "1500", ""},
        {"FINANCEAMT", "15OO", "'15OO' is not a valid floating point value"},
        {"APR", "", "'' is not a valid floating point value"},
        {"INTMETHOD", "1.5", "'1.5' is not a valid integer value"},
        {"SKPMONTH", "2", ""},
        {"FIRSTDUE", "02292024", ""},
        {"FIRSTDUE", "02302024", "'02302024' is not a valid date (MMDDCCYY)"},
        {"LOANDATE", "2024-01-01", "'2024-01-01' is not a valid date (MMDDCCYY)"},
        {"NOSUCH", "1", "unknown field 'NOSUCH'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        talvero::cli::Loan loan;
        EXPECT_EQ(talvero::cli::set_field(loan, c.name, c.value), c.error);
    }
}

TEST(Fields, PrepareDerivesWhatTheFormDerives) {
    talvero::cli::Loan loan;
    for (auto [n, v] : {std::pair{"ORGAMT", "10000"},
                        {"FEEAMT", "500"},
                        {"DOWNAMT", "1000"},
                        {"NUMPAY", "36"},
                        {"APR", "8"},
                        {"DSRATE", "0.01"},
                        {"DSFREQ", "12"},
                        {"DSYEARS", "3"},
                        {"LOANDATE", "01012024"},
                        {"FIRSTDUE", "02152024"}})
        ASSERT_EQ(talvero::cli::set_field(loan, n, v), "");
    ASSERT_EQ(talvero::cli::prepare(loan), "");
    EXPECT_DOUBLE_EQ(loan.block.FINANCEAMT, 9500);
    EXPECT_DOUBLE_EQ(loan.block.FREQUENCY, 12);
    EXPECT_DOUBLE_EQ(loan.block.TERMYEARS, 3);
    EXPECT_EQ(loan.block.ODDDAYS, 45);
    EXPECT_DOUBLE_EQ(loan.block.DSPREM, 95);
    EXPECT_DOUBLE_EQ(loan.block.DSNUMPAY, 36);
}

TEST(Fields, PrepareRefusesWhatTheEnginesCannotTake) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> fields;
        const char* error;
    };
    const Case cases[] = {
        {{{"APR", "10"}}, "FINANCEAMT or ORGAMT is required"},
        {{{"FINANCEAMT", "1000"}, {"FREQUENCY", "53"}}, "FREQUENCY must be above 0 and at most 52"},
        {{{"FINANCEAMT", "1000"}, {"INTMETHOD", "8"}}, "INTMETHOD must be 0 to 7"},
        {{{"FINANCEAMT", "1000"}, {"APR", "50"}}, "APR must be 0 to 49.99"},
        {{{"FINANCEAMT", "1000"}, {"NUMPAY", "12"}, {"BLPAY", "24"}}, "BLPAY must not exceed NUMPAY"},
        {{{"FINANCEAMT", "1000"}, {"LOANDATE", "03012024"}, {"FIRSTDUE", "02012024"}},
         "LOANDATE falls after FIRSTDUE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        talvero::cli::Loan loan;
        for (auto [n, v] : c.fields)
            ASSERT_EQ(talvero::cli::set_field(loan, n, v), "");
        EXPECT_EQ(talvero::cli::prepare(loan), c.error);
    }
}

TEST(Compute, PrintsTheEngineResultsAndTheCheck) {
    const Result r = call(with("compute"));
    ASSERT_EQ(r.code, 0) << r.err;
    // The level payment of 100,000 at 10 % over 360 months.
    const double i = 10.0 / 1200;
    char payment[64];
    std::snprintf(payment, sizeof payment, "PAYMENT         %.2f", 100000 * i / (1 - std::pow(1 + i, -360)));
    EXPECT_NE(r.out.find(payment), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("PAYMENT         877.57"), std::string::npos);
    EXPECT_NE(r.out.find("MATURITY        01/01/2054"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Appendix J check"), std::string::npos);
    EXPECT_NE(r.out.find("UNITPERIOD      month"), std::string::npos);
    EXPECT_NE(r.out.find("ACTUARIAL       10.000"), std::string::npos);
    EXPECT_NE(r.out.find("TRANSACTION     Regular"), std::string::npos);
    EXPECT_NE(r.out.find("TOLERANCE       0.125"), std::string::npos);
}

TEST(Compute, PrintsTheDerivedInputsItPassed) {
    const Result r = call({"compute", "--ORGAMT=100000", "--DOWNAMT=11000", "--FEEAMT=1750", "--APR=10",
                           "--NUMPAY=360", "--DSRATE=0.002", "--DSFREQ=12", "--DSYEARS=5", "--LFRATE=0.003",
                           "--LFFREQ=12", "--LFYEARS=3", "--LOANDATE=02012024", "--FIRSTDUE=02012025"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto all = lines(r.out);
    const auto at = std::find(all.begin(), all.end(), "Derived inputs");
    ASSERT_NE(at, all.end()) << r.out;
    // The loan form's count: 365 days for the leap year from 02/01/2024.
    const std::vector<std::string> derived(at + 1, at + 5);
    EXPECT_EQ(derived, (std::vector<std::string>{"FINANCEAMT      90750.00", "ODDDAYS         365",
                                                 "DSPREM          181.50", "LFPREM          272.25"}));
    EXPECT_NE(r.out.find("MATURITY        "), std::string::npos);
    // Given outright, ODDDAYS and FINANCEAMT pass as they are.
    const Result given = call(with("compute", {"--ODDDAYS=12"}));
    ASSERT_EQ(given.code, 0) << given.err;
    EXPECT_NE(given.out.find("FINANCEAMT      100000.00\nODDDAYS         12\nDSPREM          0.00\n"
                             "LFPREM          0.00\n"),
              std::string::npos)
        << given.out;
}

TEST(Compute, BalloonLoan) {
    const Result r = call(with("compute", {"--BLPAY=60"}));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("BLPAY           60"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("MATURITY        01/01/2029"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("ACTUARIAL       10.000"), std::string::npos) << r.out;
}

TEST(Compute, AMonthlyLoanDueOnTheFifteenthIsRegular) {
    // The schedule dates flag 0's payments on the 1st; the check takes the contract's 15th.
    const Result r = call({"compute", "--FINANCEAMT=10000", "--APR=8", "--NUMPAY=36", "--FIRSTDUE=02152024",
                           "--LOANDATE=01152024"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("REGZAPR         8.010"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("ACTUARIAL       8.013"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("TRANSACTION     Regular"), std::string::npos);
    EXPECT_NE(r.out.find("TOLERANCE       0.125"), std::string::npos);
    EXPECT_NE(r.out.find("VERDICT         Within tolerance"), std::string::npos);
}

// 10,000 at 8 % in 5 yearly payments, the first a year after the loan date: the level payment of
// yearly periods, yearly dates, and without fees a Reg Z APR that is the APR and passes the check.
TEST(Compute, AYearlyLoanIsAnAnnuityOfYears) {
    for (const char* flag : {"--INTMETHOD=0", "--INTMETHOD=1", "--INTMETHOD=6", "--INTMETHOD=7"}) {
        SCOPED_TRACE(flag);
        const Result r = call({"compute", "--FINANCEAMT=10000", "--APR=8", "--NUMPAY=5", "--FREQUENCY=1",
                               "--FIRSTDUE=02012025", "--LOANDATE=02012024", flag});
        ASSERT_EQ(r.code, 0) << r.err;
        for (const char* line :
             {"PAYMENT         2504.56", "TOTALINTEREST   2522.82", "LASTPAY         2504.56",
              "REGZAPR         8.000", "MATURITY        02/01/2029", "ODDDAYS         365",
              "UNITPERIOD      year", "ACTUARIAL       8.000", "TRANSACTION     Regular",
              "DIFFERENCE      0.000", "VERDICT         Within tolerance"})
            EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
    }
}

TEST(Compute, ErrorsGoToStandardErrorWithExitCode2) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    };
    const Case cases[] = {
        {{"compute", "--FINANCEAMT=abc"}, "--FINANCEAMT: 'abc' is not a valid floating point value"},
        {{"compute", "--FINANCEAMT"}, "--FINANCEAMT needs a value"},
        {{"compute", "FINANCEAMT=5"}, "unexpected argument 'FINANCEAMT=5'"},
        {{"compute", "--FINANCEAMT=5000", "--FIRSTDUE=02012024"},
         "the engine refused the loan: Loan Input Error!"},
        {{"launch"}, "unknown command 'launch'"},
        {{}, "usage: talvero-cli <command>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        const Result r = call(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
    }
}

TEST(Help, EachCommandDescribesItself) {
    for (const char* command : {"compute", "schedule", "whatif", "apr-check"}) {
        SCOPED_TRACE(command);
        const Result r = call({command, "--help"});
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.out.rfind(std::string("usage: talvero-cli ") + command, 0), 0u) << r.out;
    }
    EXPECT_EQ(call({"--help"}).code, 0);
    EXPECT_NE(call({"compute", "--help"}).out.find("(FINANCEAMT ODDDAYS DSPREM LFPREM)"), std::string::npos);
}

TEST(Schedule, CsvWithTheDetailColumnsAndTotals) {
    const Result r = call(with("schedule", {"--NUMPAY=24"}));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto rows = lines(r.out);
    // Header, 24 payments, TOTALS 2024 after December, the closing TOTALS 2026, GRAND TOTALS.
    ASSERT_EQ(rows.size(), 1u + 24 + 3);
    EXPECT_EQ(rows[0], "PAYDATE,INTAMT,PRINAMT,DSINS,LFINS,TAXES,HOINS,OTINS,PAYMENT,BALANCE");
    EXPECT_EQ(rows[1].rfind("02/01/2024,833.33,", 0), 0u) << rows[1];
    EXPECT_EQ(rows[12].rfind("TOTALS 2024,", 0), 0u) << rows[12];
    EXPECT_EQ(rows[rows.size() - 2].rfind("TOTALS 2026,", 0), 0u);
    const std::string& grand = rows.back();
    EXPECT_EQ(grand.rfind("GRAND TOTALS,", 0), 0u);
    EXPECT_NE(grand.find(",100000.00,"), std::string::npos) << grand;
    EXPECT_EQ(grand.back(), ',');                         // no balance on a total row
    EXPECT_NE(rows[24].find(",0.00"), std::string::npos); // the last payment leaves nothing
}

// The KEY value lines of a command's output.
std::map<std::string, std::string> keys(const std::string& text) {
    std::map<std::string, std::string> all;
    for (const std::string& l : lines(text)) {
        std::istringstream s(l);
        std::string key, value;
        s >> key >> value;
        all[key] = value;
    }
    return all;
}

TEST(WhatIf, KeysOfAFixedMonthlyExtra) {
    // 100,000.00 at 10% over 30 years, flag 0: interest on the balance at 10/12% a month. With 300.00
    // more from the first payment the balance after m payments is A(1+i)^m - (P+E)((1+i)^m - 1)/i.
    const Result r = call(with("whatif", {"--EXTRA=300"}));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto k = keys(r.out);
    const std::vector<std::string> order = {"PAYMENT",       "NUMPAY",        "NEWNUMPAY",
                                            "PAYMENTSSAVED", "TOTALINTEREST", "NEWTOTALINTEREST",
                                            "INTERESTSAVED", "MATURITY",      "NEWMATURITY"};
    std::vector<std::string> printed;
    for (const std::string& l : lines(r.out))
        printed.push_back(l.substr(0, l.find(' ')));
    EXPECT_EQ(printed, order);
    const double P = std::stod(k.at("PAYMENT")), i = 0.10 / 12, A = 100000;
    const double n = std::ceil(-std::log(1 - A * i / (P + 300)) / std::log(1 + i));
    EXPECT_EQ(k.at("NUMPAY"), "360");
    EXPECT_EQ(std::stod(k.at("NEWNUMPAY")), n);
    EXPECT_EQ(std::stod(k.at("PAYMENTSSAVED")), 360 - n);
    const double g = std::pow(1 + i, n - 1), left = A * g - (P + 300) * (g - 1) / i;
    // PAYMENT is printed to the cent: up to half a cent a payment apart.
    EXPECT_NEAR(std::stod(k.at("NEWTOTALINTEREST")), (n - 1) * (P + 300) + left * (1 + i) - A, 0.005 * n);
    EXPECT_NEAR(std::stod(k.at("INTERESTSAVED")),
                std::stod(k.at("TOTALINTEREST")) - std::stod(k.at("NEWTOTALINTEREST")), 0.011);
    EXPECT_EQ(k.at("MATURITY"), "01/01/2054");
}

TEST(WhatIf, CsvOfTheNewScheduleWithLumpSums) {
    const Result r =
        call(with("whatif", {"--NUMPAY=24", "--LUMP=03152024:20000", "--LUMP", "12012024:5000", "--csv"}));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto rows = lines(r.out);
    EXPECT_EQ(rows[0], call(with("schedule", {"--NUMPAY=24"})).out.substr(0, rows[0].size()));
    // The 15 March lump goes with the April payment, the December one with December's.
    EXPECT_EQ(rows[3].rfind("04/01/2024,", 0), 0u);
    EXPECT_NE(rows[3].find(",24614.49,"), std::string::npos) << rows[3]; // the payment with 20,000 more
    const std::string& grand = rows.back();
    EXPECT_NE(grand.find(",100000.00,"), std::string::npos) << grand;
    EXPECT_EQ(rows[rows.size() - 3].substr(rows[rows.size() - 3].rfind(',')), ",0.00");
    EXPECT_LT(rows.size(), 1u + 24 + 3);
}

TEST(WhatIf, BadInputIsAMessageAndExitCode2) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    } const cases[] = {
        {{"--EXTRA=-5"}, "The extra amount cannot be negative."},
        {{"--EXTRA=abc"}, "--EXTRA: 'abc' is not a valid floating point value"},
        {{"--EXTRA"}, "--EXTRA needs a value"},
        {{"--EXTRA=50", "--EXTRAFROM=0"}, "must start with a payment from 1 to 360"},
        {{"--EXTRA=50", "--EXTRAEVERY=1.5"}, "--EXTRAEVERY: '1.5' is not a valid integer value"},
        {{"--LUMP=13012025:5"}, "--LUMP: '13012025' is not a valid date (MMDDCCYY)"},
        {{"--LUMP=02012025"}, "is not a date and an amount (MMDDCCYY:AMOUNT)"},
        {{"--LUMP=02012025:500000"}, "is more than the balance of "},
        {{"--LUMP=02012060:50"}, "falls outside the loan (02/01/2024 to 01/01/2054)"},
        {{"--EXTRA=100001"}, "is more than the balance of 100000.00"},
    };
    for (const Case& c : cases) {
        const Result r = call(with("whatif", c.args));
        EXPECT_EQ(r.code, 2) << c.error;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
    }
}

TEST(AprCheck, VerdictRowsBadRowsAndExitCodes) {
    const std::string header = "LOAN,FINANCEAMT,APR,NUMPAY,FIRSTDUE,REGZAPR\n";
    struct Case {
        const char* name;
        std::string csv;
        int code;
        std::vector<std::string> out, err;
    };
    const Case cases[] = {
        {"all within",
         header + "A,100000,10,360,02012024,10.1\n\nB,50000,10,120,02012024,\n",
         0,
         {"2,A,Regular,0.125,10.100,10.000,0.100,Within tolerance,", "4,B,Regular,0.125,"},
         {"2 loans checked, 0 outside tolerance, 0 rows skipped"}},
        {"one outside",
         header + "A,100000,10,360,02012024,9.8\n",
         1,
         {"2,A,Regular,0.125,9.800,10.000,-0.200,Outside tolerance,"},
         {}},
        {"bad rows skipped",
         header + "A,100000,10,360,02012024,10\nB,1e5,10,360,0201,10\nC,1,2\nD,\"x,5\n",
         3,
         {"2,A,"},
         {"row 3: FIRSTDUE: '0201' is not a valid date (MMDDCCYY) (skipped)",
          "row 4: 3 fields where the header has 6 (skipped)", "row 5: a field has an open quote (skipped)",
          "1 loans checked, 0 outside tolerance, 3 rows skipped"}},
        {"engine refusal", header + "A,5000,,,02012024,\n", 3, {}, {"row 2: the engine refused the loan:"}},
        {"unknown column", "LOAN,AMOUNT\nA,5\n", 2, {}, {"the header names an unknown field 'AMOUNT'"}},
        {"empty input", "", 2, {}, {"the CSV has no header row"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result r = call({"apr-check"}, c.csv);
        EXPECT_EQ(r.code, c.code) << r.err;
        for (const std::string& o : c.out)
            EXPECT_NE(r.out.find(o), std::string::npos) << o << "\n" << r.out;
        for (const std::string& e : c.err)
            EXPECT_NE(r.err.find(e), std::string::npos) << e << "\n" << r.err;
    }
}

TEST(AprCheck, UnreadableFileAndBadOptions) {
    EXPECT_EQ(call({"apr-check", "/nonexistent/loans.csv"}).code, 2);
    EXPECT_EQ(call({"apr-check", "--output"}).code, 2);
    EXPECT_EQ(call({"apr-check", "a.csv", "b.csv"}).code, 2);
}

} // namespace
