// The balloon engine's cases: which one a block reaches, and what each computes.
#include "vaulter/texts.h"
#include "vaulter_test_support.h"

#include <cmath>

namespace talvero::vaulter::testing {
namespace {

enum class Outcome { Payment, GivenPayment, BalloonTerm, AprOnly, AprAndCharge, NotEnoughData };

struct ChoiceRow {
    const char* name;
    double payment, numpay, blpay, charge, apr, amount, frequency;
    Outcome outcome;
};

class CaseChoice : public VaulterTest {};

TEST_F(CaseChoice, WhichValuesAreZeroDecidesTheCase) {
    const ChoiceRow rows[] = {
        {"calc payment", 0, 360, 60, 0, 10, 50000, 12, Outcome::Payment},
        {"calc payout", 500, 360, 60, 0, 10, 50000, 12, Outcome::GivenPayment},
        {"payout with a balloon term of 0", 500, 360, 0, 0, 10, 50000, 12, Outcome::NotEnoughData},
        {"payout needs more than one payment", 500, 1, 1, 0, 10, 50000, 12, Outcome::NotEnoughData},
        {"payment and finance charge both blank", 0, 360, 60, 100, 10, 50000, 12, Outcome::NotEnoughData},
        {"no amount financed", 0, 360, 60, 0, 10, 0, 12, Outcome::NotEnoughData},
        {"apr and finance charge", 500, 360, 60, 0, 0, 50000, 12, Outcome::AprAndCharge},
        {"apr only", 500, 360, 60, 20000, 0, 50000, 12, Outcome::AprOnly},
        {"balloon term from 0", 500, 360, 0, 20000, 0, 50000, 12, Outcome::BalloonTerm},
        {"balloon term from a fraction", 500, 360, 0.5, 20000, 0, 50000, 12, Outcome::BalloonTerm},
        {"balloon term of exactly 1", 500, 360, 1, 20000, 0, 50000, 12, Outcome::NotEnoughData},
        {"nothing but the amount", 0, 360, 60, 0, 0, 50000, 12, Outcome::NotEnoughData},
        {"negative payment", -5, 360, 60, 0, 0, 50000, 12, Outcome::NotEnoughData},
        {"no frequency", 500, 360, 60, 0, 0, 50000, 0, Outcome::NotEnoughData},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Block b = starting_block(1);
        b.PAYMENT = row.payment;
        b.NUMPAY = row.numpay;
        b.BLPAY = row.blpay;
        b.TOTALINTEREST = row.charge;
        b.APR = row.apr;
        b.FINANCEAMT = row.amount;
        b.FREQUENCY = row.frequency;
        const auto messages = run(b);
        switch (row.outcome) {
        case Outcome::NotEnoughData:
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0], texts::kNotEnoughData);
            EXPECT_EQ(b.ERRFLAG, 1);
            continue;
        case Outcome::Payment:
            EXPECT_GT(b.PAYMENT, 0.0);
            EXPECT_EQ(b.APR, row.apr);
            break;
        case Outcome::GivenPayment:
            EXPECT_EQ(b.PAYMENT, row.payment);
            EXPECT_EQ(b.APR, row.apr);
            EXPECT_GT(b.TOTALINTEREST, 0.0);
            break;
        case Outcome::AprAndCharge:
            EXPECT_GT(b.APR, 0.0);
            EXPECT_GT(b.TOTALINTEREST, 0.0);
            EXPECT_EQ(b.BLPAY, row.blpay);
            break;
        case Outcome::AprOnly:
            EXPECT_GT(b.APR, 0.0);
            EXPECT_EQ(b.TOTALINTEREST, row.charge);
            EXPECT_EQ(b.BLPAY, row.blpay);
            break;
        case Outcome::BalloonTerm:
            EXPECT_GT(b.APR, 0.0);
            EXPECT_EQ(b.TOTALINTEREST, row.charge);
            EXPECT_GE(b.BLPAY, 1.0);
            break;
        }
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(b.ERRFLAG, 0);
    }
}

// Flag 0 with no odd days, fees or escrow is the textbook annuity: the payment is the level payment
// over the amortize period, and the balloon is the balance after T - 1 payments with a last period
// of interest on it.
struct AnnuityRow {
    double amount, apr, numpay, blpay, frequency;
};

class TextbookAnnuity : public VaulterTest {};

TEST_F(TextbookAnnuity, PaymentAndBalloonMatchTheLevelAmortization) {
    const AnnuityRow rows[] = {
        {50000, 10, 360, 60, 12},     {120000, 6.5, 180, 84, 12}, {10000, 18, 48, 12, 24},
        {250000, 4.25, 520, 260, 26}, {8000, 12, 104, 52, 52},    {30000, 8, 40, 20, 4},
        {50000, 10, 360, 360, 12},    {999999, 49.99, 99, 2, 12}, {15000, 0.75, 36, 35, 12},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.amount << " at " << row.apr << " over " << row.numpay << "/"
                                          << row.blpay << " f " << row.frequency);
        Block b = starting_block(0);
        b.FINANCEAMT = b.ORGAMT = row.amount;
        b.APR = row.apr;
        b.NUMPAY = row.numpay;
        b.BLPAY = row.blpay;
        b.FREQUENCY = row.frequency;
        ASSERT_TRUE(run(b).empty());

        const double i = row.apr / row.frequency / 100.0;
        const double level = annuity_payment(row.amount, i, row.numpay);
        double balance = row.amount;
        double interest = 0.0;
        for (int k = 1; k < row.blpay; ++k) {
            interest += balance * i;
            balance = balance * (1.0 + i) - level;
        }
        interest += balance * i;
        EXPECT_NEAR(b.PAYMENT, level, level * 1e-10);
        EXPECT_NEAR(b.LASTPAY, balance * (1.0 + i), row.amount * 1e-9);
        EXPECT_NEAR(b.TOTALINTEREST, interest, row.amount * 1e-9);
        EXPECT_NEAR(b.TOTALPRINCIPAL, row.amount, row.amount * 1e-12);
        EXPECT_NEAR(b.TOTALPAYOUT, row.amount + interest, row.amount * 1e-9);
        EXPECT_EQ(b.TERMYEARS, std::max(1.0, row.blpay / row.frequency));
        // Figured back from the payment on the amount requested, the Reg Z rate is the note rate.
        EXPECT_NEAR(b.REGZAPR, row.apr, 0.02);
    }
}

TEST_F(TextbookAnnuity, BalloonTermEqualToTheAmortizePeriodEndsWithTheLastRegularPayment) {
    for (int flag : {0, 6}) {
        SCOPED_TRACE(flag);
        Block b = starting_block(flag);
        b.BLPAY = b.NUMPAY;
        ASSERT_TRUE(run(b).empty());
        EXPECT_NEAR(b.LASTPAY, b.PAYMENT, 1e-7);
        EXPECT_NEAR(b.TOTALPRINCIPAL, b.FINANCEAMT, 1e-7);
    }
}

class PaymentCase : public VaulterTest {};

TEST_F(PaymentCase, SinglePaymentLoanPaysEverythingAtOnce) {
    Block b = starting_block(1);
    b.FINANCEAMT = b.ORGAMT = 10000.0;
    b.APR = 12.0;
    b.NUMPAY = b.BLPAY = 1.0;
    b.FREQUENCY = 1.0;
    set_first_due(b, "01152003");
    b.TAXES = 1200.0;
    b.HOINS = 600.0;
    b.OTINS = 120.0;
    b.DSRATE = 0.002;
    b.DSFREQ = 12.0;
    b.DSPREM = b.FINANCEAMT * b.DSRATE;
    b.DSNUMPAY = 1.0;
    b.LFRATE = 0.001;
    b.LFFREQ = 12.0;
    b.LFPREM = b.FINANCEAMT * b.LFRATE;
    b.LFNUMPAY = 1.0;
    ASSERT_TRUE(run(b).empty());

    const double interest = 365.0 * d365(12.0) * 10000.0; // a year's interest
    const double premiums = 20.0 / 12.0 + 10.0 / 12.0;
    EXPECT_NEAR(b.PAYMENT, 10000.0 + interest + premiums + 1200.0 + 600.0 + 120.0, 1e-9);
    EXPECT_EQ(b.LASTPAY, 0.0);
    EXPECT_EQ(b.TOTALPRINCIPAL, 10000.0);
    EXPECT_NEAR(b.TOTALINTEREST, interest, 1e-9);
    EXPECT_NEAR(b.TOTALINSURANCE, premiums + 720.0, 1e-9);
    EXPECT_EQ(b.TOTALTAXES, 1200.0);
    EXPECT_NEAR(b.TOTALPAYOUT, 10000.0 + interest + premiums + 1920.0, 1e-9);
    EXPECT_EQ(b.TERMYEARS, 1.0);
}

TEST_F(PaymentCase, BalloonAfterOnePaymentIsTheBalanceLeft) {
    const struct {
        int flag;
        double taxes, home;
    } rows[] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {1, 1200, 600}, {0, 1200, 600}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "flag " << row.flag << " taxes " << row.taxes);
        Block b = starting_block(row.flag);
        b.BLPAY = 1.0;
        b.TAXES = row.taxes;
        b.HOINS = row.home;
        ASSERT_TRUE(run(b).empty());
        // One payment: a year of taxes in it, home-owner insurance spread over the amortize period.
        const double escrow = row.taxes + row.home / 360.0;
        EXPECT_NEAR(b.TOTALPRINCIPAL, b.PAYMENT - escrow - b.TOTALINTEREST, 1e-9);
        EXPECT_NEAR(b.LASTPAY, b.FINANCEAMT - b.TOTALPRINCIPAL, 1e-9);
        EXPECT_EQ(b.TERMYEARS, 1.0);
    }
}

// Yearly payments on a 30-year amortization with the balloon after 5: the textbook level payment of
// yearly periods, the fifth payment with the balance it leaves as the last, the maturity four years
// after the first due date.
TEST_F(PaymentCase, YearlyBalloonLoanIsAnAnnuityOfYears) {
    const double A = 100000, i = 0.08;
    const double level = A * i / (1 - std::pow(1 + i, -30));
    const double grown = std::pow(1 + i, 5);
    const double balloon = A * grown - level * (grown - 1) / i;
    for (int flag : {0, 1, 7}) {
        SCOPED_TRACE(flag);
        Block b = starting_block(flag);
        b.FINANCEAMT = b.ORGAMT = A;
        b.APR = 8.0;
        b.NUMPAY = 30.0;
        b.BLPAY = 5.0;
        b.FREQUENCY = 1.0;
        b.TERMYEARS = 30.0;
        set_first_due(b, "02012025");
        ASSERT_TRUE(run(b).empty());
        EXPECT_NEAR(b.PAYMENT, level, 1e-6);
        EXPECT_NEAR(b.LASTPAY, level + balloon, 1e-4);
        EXPECT_NEAR(b.TOTALPRINCIPAL, A, 1e-4);
        EXPECT_NEAR(b.REGZAPR, 8.0, 1e-9);
        EXPECT_EQ((common::Date{b.MATURITY[0], b.MATURITY[1], b.MATURITY[2]}), (common::Date{2, 1, 2029}));
    }
}

TEST_F(PaymentCase, FixedPrincipalFlagsReturnTheFixedPart) {
    for (int flag : {3, 4, 5}) {
        SCOPED_TRACE(flag);
        Block b = starting_block(flag);
        ASSERT_TRUE(run(b).empty());
        EXPECT_DOUBLE_EQ(b.PAYMENT, 50000.0 / 360.0);
        EXPECT_NEAR(b.TOTALPRINCIPAL, 50000.0, 1e-6);
        if (flag == 5) {
            EXPECT_EQ(b.TOTALINTEREST, 0.0);
            EXPECT_NEAR(b.LASTPAY, 50000.0 - 59.0 * 50000.0 / 360.0, 1e-9);
        }
    }
}

TEST_F(PaymentCase, FlagThreeChargesThirtyDaysOnTheFallingBalance) {
    Block b = starting_block(3);
    ASSERT_TRUE(run(b).empty());
    // Balances F, F - F/N, ... over the 60 periods of the balloon term, each at 30 days of d360.
    const double part = 50000.0 / 360.0;
    const double balances = 60.0 * 50000.0 - part * 59.0 * 60.0 / 2.0;
    EXPECT_NEAR(b.TOTALINTEREST, 30.0 * d360(10.0) * balances, 1e-6);
    EXPECT_NEAR(b.LASTPAY, 50000.0 - 59.0 * part + 30.0 * d360(10.0) * (50000.0 - 59.0 * part), 1e-6);
}

TEST_F(PaymentCase, TermYearsFollowTheBalloonTermAndNeverDropBelowOne) {
    const struct {
        double blpay, frequency, years;
    } rows[] = {{60, 12, 5.0}, {6, 12, 1.0}, {18, 12, 1.5}, {26, 26, 1.0}, {13, 26, 1.0}, {3, 4, 1.0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.blpay << " payments at " << row.frequency);
        Block b = starting_block(1);
        b.BLPAY = row.blpay;
        b.FREQUENCY = row.frequency;
        b.TAXES = 2400.0;
        b.HOINS = 500.0;
        ASSERT_TRUE(run(b).empty());
        EXPECT_EQ(b.TERMYEARS, row.years);
        EXPECT_DOUBLE_EQ(b.TOTALTAXES, 2400.0 * row.years);
        EXPECT_NEAR(b.TOTALINSURANCE, 500.0 * row.years, 1e-9);
    }
}

// With flags 1, 2 and 7 the search leaves a last payment between 0 and the level payment (within
// the last nudge of less than two dollars) when the balloon term runs the whole loan.
TEST_F(PaymentCase, SearchEndsWithALastPaymentTheLevelPaymentCovers) {
    const struct {
        double amount, apr, numpay, frequency;
        int odd_days;
        const char* first_due;
    } rows[] = {
        {50000, 10, 360, 12, 0, "01152004"},    {50000, 10, 360, 12, 45, "01152004"},
        {125000, 6.25, 180, 12, 0, "03312003"}, {20000, 12, 60, 12, 10, "07012005"},
        {8000, 9, 104, 26, 0, "01152004"},      {300000, 7.5, 240, 24, 0, "02012004"},
        {15000, 11, 20, 4, 0, "01152004"},      {40000, 8, 10, 1, 0, "06012004"},
    };
    for (int flag : {1, 2, 7})
        for (const auto& row : rows) {
            SCOPED_TRACE(::testing::Message() << "flag " << flag << ", " << row.amount << " at " << row.apr
                                              << " over " << row.numpay << " f " << row.frequency);
            Block b = starting_block(flag);
            b.FINANCEAMT = b.ORGAMT = row.amount;
            b.APR = row.apr;
            b.NUMPAY = b.BLPAY = row.numpay;
            b.FREQUENCY = row.frequency;
            b.ODDDAYS = row.odd_days;
            set_first_due(b, row.first_due);
            ASSERT_TRUE(run(b).empty());
            EXPECT_GE(b.LASTPAY, 0.0);
            EXPECT_LE(b.LASTPAY, b.PAYMENT + 2.0);
            EXPECT_NEAR(b.TOTALPRINCIPAL, row.amount, 1e-6);
        }
}

// Small payments against a long amortize period: no cent step lands the last payment between 0
// and the level payment, so the search alternates; it stops and keeps its level payment.
TEST_F(PaymentCase, SearchWithNoFittingCentStepEnds) {
    const struct {
        double amount, apr;
        int flag;
    } rows[] = {{700, 20, 1}, {100, 10, 2}, {1, 24, 7}, {5, 5, 2}, {400, 24, 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.amount << " at " << row.apr << " flag " << row.flag);
        Block b = starting_block(row.flag);
        b.FINANCEAMT = b.ORGAMT = row.amount;
        b.APR = row.apr;
        ASSERT_TRUE(run(b).empty());
        EXPECT_EQ(b.ERRFLAG, 0);
        // The level payment stays within a dime of the annuity payment it started from.
        const double annuity = annuity_payment(row.amount, d365(row.apr) * 30.4463, 360.0);
        EXPECT_NEAR(b.PAYMENT, annuity, 0.15);
        EXPECT_TRUE(std::isfinite(b.LASTPAY));
    }
}

class GivenPaymentCase : public VaulterTest {};

TEST_F(GivenPaymentCase, FixedPrincipalFlagsReplaceTheEnteredPayment) {
    for (int flag : {3, 4, 5}) {
        SCOPED_TRACE(flag);
        Block b = starting_block(flag);
        b.PAYMENT = 777.0;
        ASSERT_TRUE(run(b).empty());
        EXPECT_DOUBLE_EQ(b.PAYMENT, 50000.0 / 360.0);
        if (flag == 5) {
            EXPECT_EQ(b.TOTALINTEREST, 0.0);
        }
    }
}

// Monthly actual-day interest follows the calendar from the first due date: after January comes a
// February of 29 days in a leap year and of 28 otherwise.
TEST_F(GivenPaymentCase, SecondPeriodCountsTheDaysOfFebruary) {
    const struct {
        int flag;
        const char* first_due;
        double february;
        double daily;
    } rows[] = {{1, "01152004", 29, d365(10)},
                {1, "01152003", 28, d365(10)},
                {7, "01312004", 29, d365(10)},
                {2, "01152004", 29, d360(10)},
                {4, "01152004", 29, d365(10)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "flag " << row.flag << " from " << row.first_due);
        Block b = starting_block(row.flag);
        b.PAYMENT = 600.0;
        b.BLPAY = 2.0;
        set_first_due(b, row.first_due);
        ASSERT_TRUE(run(b).empty());
        const double first = 31.0 * row.daily * 50000.0;
        const double paid = row.flag == 4 ? 50000.0 / 360.0 : 600.0 - first;
        const double second = row.february * row.daily * (50000.0 - paid);
        EXPECT_NEAR(b.TOTALINTEREST, first + second, 1e-9);
    }
}

TEST_F(GivenPaymentCase, OddDaysReplaceTheFirstPeriod) {
    const struct {
        int flag;
        int odd_days;
        double first_interest;
    } rows[] = {{1, 45, 45 * d365(10) * 50000},
                {2, 45, 45 * d360(10) * 50000},
                {3, 20, 20 * d360(10) * 50000},
                {1, 0, 31 * d365(10) * 50000},
                {3, 0, 30 * d360(10) * 50000}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "flag " << row.flag << " odd days " << row.odd_days);
        Block b = starting_block(row.flag);
        b.PAYMENT = 600.0;
        b.BLPAY = 1.0;
        b.ODDDAYS = row.odd_days;
        ASSERT_TRUE(run(b).empty());
        EXPECT_NEAR(b.TOTALINTEREST, row.first_interest, 1e-9);
    }
}

TEST_F(GivenPaymentCase, SkipMonthsMoveTheMaturityDate) {
    Block plain = starting_block(1);
    plain.PAYMENT = 600.0;
    plain.BLPAY = 3.0;
    set_first_due(plain, "01152003");
    Block skipped = plain;
    skipped.SKPMONTH = 14;
    ASSERT_TRUE(run(plain).empty());
    ASSERT_TRUE(run(skipped).empty());
    EXPECT_EQ((common::Date{plain.MATURITY[0], plain.MATURITY[1], plain.MATURITY[2]}),
              (common::Date{3, 15, 2003}));
    EXPECT_EQ((common::Date{skipped.MATURITY[0], skipped.MATURITY[1], skipped.MATURITY[2]}),
              (common::Date{5, 15, 2004}));
    EXPECT_EQ(skipped.TOTALINTEREST, plain.TOTALINTEREST);
}

TEST_F(GivenPaymentCase, MaturityIsTheDueDateOfTheLastBalloonTermPayment) {
    const struct {
        int flag;
        double frequency, blpay;
        const char* first_due;
        common::Date due;
    } rows[] = {
        {1, 12, 3, "01152004", {3, 14, 2004}},   {3, 12, 3, "01152004", {3, 14, 2004}},
        {0, 12, 3, "01152004", {3, 1, 2004}},    {1, 12, 3, "01152003", {3, 15, 2003}},
        {1, 26, 2, "12252003", {1, 8, 2004}},    {1, 4, 2, "01152003", {4, 16, 2003}},
        {1, 12, 60, "01152004", {12, 13, 2008}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "flag " << row.flag << " f " << row.frequency << " from " << row.first_due);
        Block b = starting_block(row.flag);
        b.PAYMENT = 600.0;
        b.FREQUENCY = row.frequency;
        b.BLPAY = row.blpay;
        set_first_due(b, row.first_due);
        ASSERT_TRUE(run(b).empty());
        EXPECT_EQ((common::Date{b.MATURITY[0], b.MATURITY[1], b.MATURITY[2]}), row.due);
    }
}

TEST_F(GivenPaymentCase, EmptyFirstDueDateMeansToday) {
    common::set_today(common::Date{1, 15, 2004});
    for (int flag = 0; flag <= 7; ++flag) {
        SCOPED_TRACE(flag);
        Block typed = starting_block(flag);
        Block blank = typed;
        std::memset(blank.FIRSTDUE, 0, sizeof blank.FIRSTDUE);
        std::memcpy(blank.FIRSTDUE + 1, "9999999", 7); // only the first byte counts
        run(typed);
        run(blank);
        EXPECT_EQ(blank.PAYMENT, typed.PAYMENT);
        EXPECT_EQ(blank.LASTPAY, typed.LASTPAY);
        EXPECT_EQ(blank.TOTALINTEREST, typed.TOTALINTEREST);
        EXPECT_EQ((common::Date{blank.MATURITY[0], blank.MATURITY[1], blank.MATURITY[2]}),
                  (common::Date{typed.MATURITY[0], typed.MATURITY[1], typed.MATURITY[2]}));
    }
}

// Positions the engine carries but never reads.
TEST_F(GivenPaymentCase, CarriedPositionsChangeNoResult) {
    auto variants = [](Block b) {
        std::vector<Block> out;
        Block v = b;
        v.LOANDATE[0] = 7, v.LOANDATE[1] = 4, v.LOANDATE[2] = 1999;
        out.push_back(v);
        v = b, v.FEEAMT = 1234.5;
        out.push_back(v);
        v = b, v.DOWNAMT = 999.0;
        out.push_back(v);
        v = b, v.DSYEARS = 7.0;
        out.push_back(v);
        v = b, v.LFYEARS = 3.0;
        out.push_back(v);
        return out;
    };
    std::vector<Block> loans;
    for (int flag = 0; flag <= 7; ++flag) {
        Block b = starting_block(flag);
        b.DSRATE = 0.001, b.DSFREQ = 12, b.DSPREM = 50, b.DSNUMPAY = 24;
        loans.push_back(b);
        b.PAYMENT = 600.0;
        loans.push_back(b);
    }
    Block apr_only = starting_block(0);
    apr_only.APR = 0.0, apr_only.PAYMENT = 500.0, apr_only.TOTALINTEREST = 20000.0;
    loans.push_back(apr_only);
    for (const Block& loan : loans) {
        Block base = loan;
        run(base);
        for (Block v : variants(loan)) {
            run(v);
            EXPECT_EQ(v.PAYMENT, base.PAYMENT);
            EXPECT_EQ(v.LASTPAY, base.LASTPAY);
            EXPECT_EQ(v.TOTALINTEREST, base.TOTALINTEREST);
            EXPECT_EQ(v.TOTALPAYOUT, base.TOTALPAYOUT);
            EXPECT_EQ(v.REGZAPR, base.REGZAPR);
            EXPECT_EQ(v.APR, base.APR);
            EXPECT_EQ(v.MATURITY[1], base.MATURITY[1]);
        }
    }
}

} // namespace
} // namespace talvero::vaulter::testing
