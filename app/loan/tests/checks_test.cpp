// The loan form's checks and payoff arithmetic over plain values: the cases no typed text can reach
// (a negative value always fails its character check first), the date rules and the payoff worked
// examples.
#include "loan/checks.h"
#include "loan/pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using loan::CheckTexts;
using loan::LoanData;

// A monthly loan of 50,000 at 10 % over 360 payments, as the Calc Payment page reads it.
LoanData validLoan() {
    LoanData d;
    d.FIRSTDUEDATE[0] = 2, d.FIRSTDUEDATE[1] = 1, d.FIRSTDUEDATE[2] = 2004;
    d.LOANDATE[0] = 1, d.LOANDATE[1] = 1, d.LOANDATE[2] = 2004;
    return d;
}

CheckTexts validTexts() {
    CheckTexts t;
    t.loanAmount = "50000.00";
    t.apr = " 10.000";
    t.numPay = "    360";
    t.frequency = "     12";
    t.skipMonths = "  0";
    t.firstDue = "02012004";
    t.loanDate = "01012004";
    return t;
}

TEST(LoanChecks, ValidLoanPassesAndSetsDerivedAmounts) {
    LoanData d = validLoan();
    d.DOWNPAYPCT = 10;   // 5,000
    d.DOWNPAYAMT = 1000; // + 1,000
    d.FEEPCT = 1;        // 500
    d.FEEPAYAMT = 250;   // + 250
    EXPECT_EQ(loan::checkLoanInputs(d, validTexts()), nullptr);
    EXPECT_DOUBLE_EQ(d.DOWNAMT, 6000.0);
    EXPECT_DOUBLE_EQ(d.FEEAMT, 750.0);
    EXPECT_DOUBLE_EQ(d.FINANCEAMT, 50000.0 + 750.0 - 6000.0);
    EXPECT_EQ(d.ODDDAYS, 31);
    EXPECT_STREQ(d.FIRSTDUE, "02012004");
}

// Values no typed text reaches: each would first fail its character check on the form.
TEST(LoanChecks, RefusesValuesBehindTheCharacterChecks) {
    struct Case {
        const char* name;
        std::function<void(LoanData&)> set;
        const char* message;
    };
    const Case cases[] = {
        {"check 2", [](LoanData& d) { d.ORGAMT = -5; },
         "Invalid Loan Amount entered!\nNegative or Zero Amount not allowed.\nPlease re-enter."},
        {"check 20", [](LoanData& d) { d.APR = -1; },
         "Invalid Annual Percentage Rate entered!\nNegative amount not allowed.\nPlease re-enter."},
        {"check 23", [](LoanData& d) { d.TOTALINTEREST = -1; },
         "Invalid Finance Charge entered!\nNegative Amount not allowed.\nPlease re-enter."},
        {"check 24", [](LoanData& d) { d.TOTALINTEREST = 1000000; },
         "Invalid Finance Charge entered!\nAmount exceeds allowable value.\nPlease enter an amount less "
         "than\n$999,999.00"},
        {"check 26", [](LoanData& d) { d.NUMPAY = -1; },
         "Invalid Number of Payments entered!\nNegative Amount not allowed.\nPlease re-enter."},
        {"check 29", [](LoanData& d) { d.PAYMENT = -1; },
         "Invalid Scheduled Payment entered!\nNegative Amount not allowed.\nPlease re-enter."},
        {"check 34", [](LoanData& d) { d.INTMETHOD = 8; },
         "Interest flag cannot exceed seven!\nYou entered a value greater than\nseven.  Please "
         "re-enter.\n\n"},
        {"check 36", [](LoanData& d) { d.FREQUENCY = 0; },
         "Invalid Loan Frequency entered!\nNegative or Zero Amount not allowed.\nPlease re-enter."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoanData d = validLoan();
        c.set(d);
        const char* message = loan::checkLoanInputs(d, validTexts());
        ASSERT_NE(message, nullptr);
        EXPECT_STREQ(message, c.message);
    }
}

TEST(LoanChecks, RefusedSkipMonthsAndFlagAreCleared) {
    LoanData d = validLoan();
    d.SKPMONTH = 400;
    EXPECT_NE(loan::checkLoanInputs(d, validTexts()), nullptr);
    EXPECT_EQ(d.SKPMONTH, 0);
    d = validLoan();
    d.INTMETHOD = 9;
    EXPECT_NE(loan::checkLoanInputs(d, validTexts()), nullptr);
    EXPECT_EQ(d.INTMETHOD, 0);
}

TEST(LoanChecks, PayoffRefusesZeroPaymentOrRate) {
    LoanData d = validLoan();
    d.PAYMENT = 400, d.APR = 0, d.CURBAL = 100, d.PAYSMADE = 1;
    const char* message = loan::checkPayoffInputs(d, "");
    ASSERT_NE(message, nullptr);
    EXPECT_STREQ(
        message,
        "Invalid scheduled payment entered!\nNegative or Zero Amount not allowed.\nPlease re-enter.");
}

TEST(LoanChecks, PayoffBoundariesThatPass) {
    LoanData d = validLoan();
    d.PAYMENT = 438.79, d.CURBAL = 50000, d.PAYSMADE = 360; // all payments made, balance = amount financed
    d.TODAYDATE[0] = 6, d.TODAYDATE[1] = 1, d.TODAYDATE[2] = 2004;
    d.PAYOFFDATE[0] = 5, d.PAYOFFDATE[1] = 20, d.PAYOFFDATE[2] = 2004; // earlier this year than today
    EXPECT_EQ(loan::checkPayoffInputs(d, "05202004"), nullptr);
    d.PAYOFFDATE[0] = 2, d.PAYOFFDATE[1] = 1; // on the first due date
    EXPECT_EQ(loan::checkPayoffInputs(d, "02012004"), nullptr);
    d.PAYSMADE = 361;
    EXPECT_NE(loan::checkPayoffInputs(d, "02012004"), nullptr);
}

TEST(LoanDates, DateTextRule) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"", true},          {"02302004", true},  {"12312004", true},  {"01019998", true},
        {"00012004", false}, {"13012004", false}, {"01002004", false}, {"01322004", false},
        {"01010999", false}, {"01019999", false}, {"0101200", false},  {"010120041", false},
        {"01/12004", false}, {" 1012004", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(loan::isValidDateText(c.text), c.valid);
    }
}

TEST(LoanDates, NumericTextAllowsDigitsPointAndBlanksOnly) {
    EXPECT_TRUE(loan::isNumericText(" 12.50 "));
    EXPECT_TRUE(loan::isNumericText(""));
    EXPECT_FALSE(loan::isNumericText("-5"));
    EXPECT_FALSE(loan::isNumericText("1e5"));
    EXPECT_FALSE(loan::isNumericText("1,000"));
}

TEST(LoanDates, NumericTextTakesTheDecimalPointsItIsGiven) {
    const std::vector<std::string> comma{","};            // de_DE: '.' groups thousands
    const std::vector<std::string> commaAndDot{",", "."}; // fr_FR: '.' is read as well
    const std::vector<std::string> momayyez{"\u066b"};    // a separator of two bytes
    const struct {
        const char* text;
        const std::vector<std::string>& points;
        bool numeric;
    } cases[] = {
        {" 12,50 ", comma, true},
        {"12.50", comma, false},
        {"1.000", comma, false},
        {",5", comma, true},
        {"12,5", commaAndDot, true},
        {"12.5", commaAndDot, true},
        {"12;5", commaAndDot, false},
        {"12\u066b5", momayyez, true},
        {"12\xd9"
         "5",
         momayyez, false},
        {"12.5", momayyez, false},
        {"", comma, true},
        {"-1,5", comma, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(loan::isNumericText(c.text, c.points), c.numeric);
    }
}

TEST(LoanChecks, CommaTextsPassWhereTheCommaIsTheDecimalPoint) {
    CheckTexts t = validTexts();
    t.loanAmount = "50000,00";
    t.apr = " 10,000";
    t.downAmount = "   0,00";
    t.dsRate = "  0,000";
    t.taxes = "   0,00";
    LoanData d = validLoan();
    EXPECT_NE(loan::checkLoanInputs(d, t), nullptr) << "',' is no decimal point by default";
    t.decimalPoints = {","};
    d = validLoan();
    EXPECT_EQ(loan::checkLoanInputs(d, t), nullptr);
    t.loanAmount = "50.000";
    d = validLoan();
    EXPECT_STREQ(loan::checkLoanInputs(d, t),
                 "Invalid Loan Amount entered!\nYou entered a non numeric value.\nPlease re-enter.");
}

TEST(LoanDates, DayOfYear) {
    EXPECT_EQ(loan::dayOfYear(6, 1, 2004), 153);
    EXPECT_EQ(loan::dayOfYear(7, 16, 2004), 198);
    EXPECT_EQ(loan::dayOfYear(12, 15, 2005), 349);
    EXPECT_EQ(loan::dayOfYear(3, 1, 2005), 60);
    EXPECT_EQ(loan::dayOfYear(12, 31, 2000), 366);
    EXPECT_EQ(loan::dayOfYear(12, 31, 1900), 365);
}

TEST(LoanPayoff, DaysAndPeriodWorkedExamples) {
    const struct {
        const char* name;
        int today[3];
        int payoff[3];
        double frequency;
        int days, whole, oddDays;
    } cases[] = {
        {"monthly, June 1 to July 16, 2004", {6, 1, 2004}, {7, 16, 2004}, 12, 45, 1, 15},
        {"December 15 of next year from March 1", {3, 1, 2005}, {12, 15, 2006}, 12, 365 + 349 - 60, 21, 24},
        {"biweekly, 30 days", {6, 1, 2004}, {7, 1, 2004}, 26, 30, 2, 2},
        {"semimonthly", {6, 1, 2004}, {7, 16, 2004}, 24, 45, 3, 0},
        {"weekly", {6, 1, 2004}, {7, 16, 2004}, 52, 45, 6, 3},
        {"earlier this year: truncation toward zero", {6, 1, 2004}, {5, 20, 2004}, 12, -12, 0, -12},
        {"quarterly: the payoff month's length", {1, 1, 2004}, {3, 15, 2004}, 4, 74, 2, 12},
        {"quarterly, under one month", {1, 1, 2004}, {1, 20, 2004}, 4, 19, 0, 19},
        {"yearly: whole years of 365 days, the rest in days", {6, 1, 2004}, {7, 16, 2006}, 1, 774, 2, 44},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoanData d;
        std::copy(c.today, c.today + 3, d.TODAYDATE);
        std::copy(c.payoff, c.payoff + 3, d.PAYOFFDATE);
        d.FREQUENCY = c.frequency;
        d.PAYSMADE = 10;
        const int days = loan::daysToPayoff(d);
        EXPECT_EQ(days, c.days);
        loan::setPayoffPeriod(d, days);
        EXPECT_EQ(d.PAYOFFDAYS, c.oddDays);
        EXPECT_DOUBLE_EQ(d.PAYOFFPER, 10.0 + c.whole);
    }
}

TEST(LoanPayoff, NextDueDate) {
    const struct {
        const char* name;
        const char* firstDue;
        double frequency;
        int flag, skip, oddDays;
        double paid;
        int expected[3];
    } cases[] = {
        {"monthly, flag 0: first of the month", "01152004", 12, 0, 0, 31, 3, {4, 1, 2004}},
        {"monthly, flag 6 like flag 0", "01152004", 12, 6, 0, 31, 3, {4, 1, 2004}},
        {"monthly, flag 1 keeps the day, leap February lowers it",
         "01152004",
         12,
         1,
         0,
         31,
         3,
         {4, 14, 2004}},
        {"monthly, flag 1, common year", "01152003", 12, 1, 0, 31, 3, {4, 15, 2003}},
        {"biweekly across the year end", "12252003", 26, 1, 0, 31, 2, {2, 8, 2004}},
        {"skip 14 months", "06012004", 12, 0, 14, 31, 1, {9, 1, 2005}},
        {"no payments made: one month on", "06152004", 12, 1, 0, 31, 0, {7, 15, 2004}},
        {"yearly: a year per payment made, flag 0 keeps the day", "03152004", 1, 0, 0, 0, 2, {3, 15, 2006}},
        {"yearly with odd days steps the same", "03152004", 1, 1, 0, 10, 2, {3, 15, 2006}},
        {"yearly, no payments made: the first due date", "03152004", 1, 1, 0, 0, 0, {3, 15, 2004}},
        {"yearly from February 29 into a common year", "02292004", 1, 2, 0, 0, 1, {2, 28, 2005}},
        {"yearly after skip months", "01152004", 1, 1, 3, 0, 1, {4, 15, 2005}},
        {"quarterly by 91 days", "01152003", 4, 1, 0, 31, 2, {5, 16, 2003}},
    };
    const int today[3] = {6, 1, 2004};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoanData d;
        loan::storeDateText(c.firstDue, d.FIRSTDUE);
        d.FREQUENCY = c.frequency;
        d.INTMETHOD = c.flag;
        d.SKPMONTH = c.skip;
        d.ODDDAYS = c.oddDays;
        d.PAYSMADE = c.paid;
        loan::setNextDueDate(d, today);
        EXPECT_EQ(d.NEXTDUEDATE[0], c.expected[0]);
        EXPECT_EQ(d.NEXTDUEDATE[1], c.expected[1]);
        EXPECT_EQ(d.NEXTDUEDATE[2], c.expected[2]);
    }
}

TEST(LoanPayoff, NextDueDateFromTodayWhenFirstDueIsBlank) {
    LoanData d;
    d.FREQUENCY = 12;
    d.INTMETHOD = 1;
    d.PAYSMADE = 2;
    const int today[3] = {6, 10, 2004};
    loan::setNextDueDate(d, today);
    EXPECT_EQ(d.NEXTDUEDATE[0], 8);
    EXPECT_EQ(d.NEXTDUEDATE[1], 10);
    EXPECT_EQ(d.NEXTDUEDATE[2], 2004);
}

// ---- reading a page from its texts -------------------------------------------------------------

namespace page_reading {

using loan::Page;
using loan::PageInput;

// A stand-in for the program's conversion: whole-text strtod/strtol, with a message of its own so
// the tests see that the reading passes the conversion's message through unchanged.
std::optional<double> toFloat(const std::string& text, std::string& message) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0') {
        message = "float? " + text;
        return std::nullopt;
    }
    return v;
}
std::optional<int> toInt(const std::string& text, std::string& message) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0') {
        message = "int? " + text;
        return std::nullopt;
    }
    return int(v);
}
const loan::Conversion kConversion{toFloat, toInt};

PageInput input(std::map<std::string, std::string> texts, int flag = 0) {
    PageInput in;
    in.texts = std::move(texts);
    in.flag = flag;
    in.today[0] = 6, in.today[1] = 1, in.today[2] = 2004;
    return in;
}

TEST(LoanPages, EachPageReadsItsControlsIntoTheMembers) {
    // Calc Payout: every control carries its own value, so a mix-up of names shows.
    LoanData d;
    d.TOTALINTEREST = 99;
    const auto message = loan::readPage(loan::CalcPayout,
                                        input({{"Edit17", "450"},
                                               {"Edit18", "48"},
                                               {"Edit19", "7.5"},
                                               {"Edit20", "18000"},
                                               {"Edit21", "26"},
                                               {"Edit28", "3"},
                                               {"Edit29", "05012004"},
                                               {"Edit30", "06152004"}},
                                              4),
                                        kConversion, d);
    EXPECT_FALSE(message.has_value()) << *message;
    EXPECT_DOUBLE_EQ(d.PAYMENT, 450);
    EXPECT_DOUBLE_EQ(d.NUMPAY, 48);
    EXPECT_DOUBLE_EQ(d.APR, 7.5);
    EXPECT_DOUBLE_EQ(d.ORGAMT, 18000);
    EXPECT_DOUBLE_EQ(d.FREQUENCY, 26);
    EXPECT_EQ(d.SKPMONTH, 3);
    EXPECT_EQ(d.INTMETHOD, 4);
    EXPECT_DOUBLE_EQ(d.TOTALINTEREST, 0); // cleared before reading
    EXPECT_STREQ(d.LOANDATETXT, "05012004");
    EXPECT_EQ(d.LOANDATE[0], 5);
    EXPECT_EQ(d.LOANDATE[1], 1);
    EXPECT_STREQ(d.FIRSTDUE, "06152004");
    EXPECT_EQ(d.FIRSTDUEDATE[1], 15);
}

TEST(LoanPages, ReadingStopsAtTheFirstTextThatDoesNotConvertInReadOrder) {
    // Calc No. Pmts. reads the loan amount, frequency, dates, APR, skip months, payment, flag.
    LoanData d;
    d.PAYMENT = 7;
    d.NUMPAY = 360;
    const auto message = loan::readPage(
        loan::CalcNumPay,
        input({{"Edit13", "x"}, {"Edit14", "9"}, {"Edit15", "30000"}, {"Edit16", "12"}, {"Edit27", "1.5"}}),
        kConversion, d);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message, "int? 1.5"); // skip months come before the payment
    EXPECT_DOUBLE_EQ(d.ORGAMT, 30000);
    EXPECT_DOUBLE_EQ(d.APR, 9);
    EXPECT_DOUBLE_EQ(d.PAYMENT, 7); // not reached
    EXPECT_DOUBLE_EQ(d.NUMPAY, 0);  // cleared before reading on this page
}

TEST(LoanPages, BlankDatesAreTodayOfTheFormAndThePayoffTakesTodayAgain) {
    LoanData d;
    d.TODAYDATE[0] = 5, d.TODAYDATE[1] = 20, d.TODAYDATE[2] = 2004; // when the form was created
    const auto message = loan::readPage(loan::CalcPayoff,
                                        input({{"Edit31", "536.82"},
                                               {"Edit32", "360"},
                                               {"Edit33", "10"},
                                               {"Edit34", "50000"},
                                               {"Edit35", "12"},
                                               {"Edit36", "0"},
                                               {"Edit41", "4"},
                                               {"Edit40", "49800"}}),
                                        kConversion, d);
    EXPECT_FALSE(message.has_value()) << *message;
    EXPECT_EQ(d.PAYOFFMODE, 1);
    EXPECT_EQ(d.LOANDATE[1], 20);
    EXPECT_EQ(d.FIRSTDUEDATE[1], 20);
    EXPECT_EQ(d.PAYOFFDATE[1], 20);
    EXPECT_EQ(d.TODAYDATE[0], 6); // then today's date
    EXPECT_EQ(d.TODAYDATE[1], 1);
    EXPECT_DOUBLE_EQ(d.PAYSMADE, 4);
    EXPECT_DOUBLE_EQ(d.CURBAL, 49800);
}

TEST(LoanPages, RequiredValuesPerPage) {
    const char* const required = "You failed to enter a required field.  Please correct!";
    const struct {
        const char* name;
        Page page;
        std::map<std::string, std::string> texts;
        const char* message; // null: passes
    } cases[] = {
        {"Calc Payment complete",
         loan::CalcPayment,
         {{"Edit1", "1"}, {"Edit2", "12"}, {"Edit3", "2"}, {"Edit6", "5"}, {"Edit7", "0"}},
         nullptr},
        {"Calc Payment without a rate",
         loan::CalcPayment,
         {{"Edit1", "1"}, {"Edit2", "12"}, {"Edit3", "2"}, {"Edit6", "0"}, {"Edit7", "0"}},
         required},
        {"Calc Payout with one payment",
         loan::CalcPayout,
         {{"Edit17", "5"},
          {"Edit18", "1"},
          {"Edit19", "5"},
          {"Edit20", "100"},
          {"Edit21", "12"},
          {"Edit28", "0"}},
         required},
        {"Calc Payout with two payments",
         loan::CalcPayout,
         {{"Edit17", "5"},
          {"Edit18", "2"},
          {"Edit19", "5"},
          {"Edit20", "100"},
          {"Edit21", "12"},
          {"Edit28", "0"}},
         nullptr},
        {"Calc No. Pmts. with a negative payment goes on to the checks",
         loan::CalcNumPay,
         {{"Edit13", "-5"}, {"Edit14", "5"}, {"Edit15", "100"}, {"Edit16", "12"}, {"Edit27", "0"}},
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoanData d;
        const auto message = loan::readPage(c.page, input(c.texts), kConversion, d);
        if (c.message) {
            ASSERT_TRUE(message.has_value());
            EXPECT_EQ(*message, c.message);
        } else {
            EXPECT_FALSE(message.has_value()) << *message;
        }
    }
}

TEST(LoanPages, CalcAprCheckMarksDecideWhatIsCleared) {
    const std::map<std::string, std::string> texts = {{"Edit8", "5000"}, {"Edit9", "11000"}, {"Edit10", "36"},
                                                      {"Edit11", "12"},  {"Edit12", "400"},  {"Edit24", "0"}};
    const struct {
        const char* name;
        bool marks[3];
        double apr, payment, charge, numPay;
    } cases[] = {
        {"Compute Payment", {true, false, false}, 0, 0, 5000, 36},
        {"Compute Finance Charge", {false, true, false}, 0, 400, 0, 36},
        {"Compute Total Payments", {false, false, true}, 0, 400, 5000, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoanData d;
        PageInput in = input(texts);
        std::copy(c.marks, c.marks + 3, in.checkMarks);
        const auto message = loan::readPage(loan::CalcApr, in, kConversion, d);
        EXPECT_FALSE(message.has_value()) << *message;
        EXPECT_DOUBLE_EQ(d.APR, c.apr);
        EXPECT_DOUBLE_EQ(d.PAYMENT, c.payment);
        EXPECT_DOUBLE_EQ(d.TOTALINTEREST, c.charge);
        EXPECT_DOUBLE_EQ(d.NUMPAY, c.numPay);
    }
}

TEST(LoanPages, CheckTextsComeFromThePageAndTheDialogs) {
    loan::DialogTexts dialogs;
    dialogs.downAmount = "abc";
    dialogs.otIns = "7";
    const PageInput in = input({{"Edit8", "1"},
                                {"Edit9", "2"},
                                {"Edit10", "3"},
                                {"Edit11", "4"},
                                {"Edit12", "5"},
                                {"Edit22", "6"},
                                {"Edit23", "7"},
                                {"Edit24", "8"}});
    const CheckTexts apr = loan::checkTexts(loan::CalcApr, in, dialogs);
    EXPECT_EQ(apr.financeCharge, "1");
    EXPECT_EQ(apr.loanAmount, "2");
    EXPECT_EQ(apr.numPay, "3");
    EXPECT_EQ(apr.frequency, "4");
    EXPECT_EQ(apr.payment, "5");
    EXPECT_EQ(apr.loanDate, "6");
    EXPECT_EQ(apr.firstDue, "7");
    EXPECT_EQ(apr.skipMonths, "8");
    EXPECT_FALSE(apr.apr.has_value()); // no APR edit on Calc APR
    EXPECT_EQ(apr.downAmount, "abc");
    EXPECT_EQ(apr.otIns, "7");

    const CheckTexts payment = loan::checkTexts(loan::CalcPayment, input({}), dialogs);
    EXPECT_FALSE(payment.payment.has_value());
    EXPECT_FALSE(payment.financeCharge.has_value());
    EXPECT_EQ(payment.apr, ""); // the page has the edit; it is empty
    EXPECT_EQ(payment.decimalPoints, std::vector<std::string>{"."});

    PageInput comma = input({});
    comma.decimalPoints = {","};
    EXPECT_EQ(loan::checkTexts(loan::CalcPayment, comma, dialogs).decimalPoints,
              std::vector<std::string>{","});
}

TEST(LoanPages, TableIsConsistent) {
    std::set<std::string> names;
    for (const loan::PageTable& table : loan::kPages) {
        SCOPED_TRACE(table.caption);
        std::set<int> orders;
        int flags = 0;
        for (const loan::PageField& f : table.fields) {
            EXPECT_TRUE(names.insert(f.name).second) << f.name << " on two pages";
            orders.insert(f.readOrder);
            flags += f.target.kind == loan::Target::Flag;
            if (f.resultFormat) {
                EXPECT_EQ(f.target.kind, loan::Target::Number) << f.name;
            }
            if (f.target.kind == loan::Target::Number || f.target.kind == loan::Target::Integer) {
                EXPECT_NE(f.format, nullptr) << f.name;
            }
        }
        EXPECT_EQ(flags, 1);
        // Read orders run 1..n without gaps or repeats.
        EXPECT_EQ(orders.size(), table.fields.size());
        EXPECT_EQ(*orders.begin(), 1);
        EXPECT_EQ(*orders.rbegin(), int(table.fields.size()));
    }
    EXPECT_EQ(names.size(), 41u + 5u); // Edit1 to Edit41 and the five lists
}

} // namespace page_reading

} // namespace
