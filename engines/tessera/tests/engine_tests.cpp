#include "tessera/engine.h"

#include "common/annuity.h"
#include "common/period_days.h"
#include "common/today.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using tessera::Block;

using talvero::common::Date;
using tessera::Engine;

struct Message {
    int kind;
    std::string text;
};

std::vector<Message>& messages() {
    static std::vector<Message> recorded;
    return recorded;
}

void record(void*, int kind, const char* text) {
    messages().push_back({kind, text});
}

void set_firstdue(Block& b, const char* text) {
    std::memset(b.FIRSTDUE, 0, sizeof b.FIRSTDUE);
    std::memcpy(b.FIRSTDUE, text, std::min(std::strlen(text), sizeof b.FIRSTDUE - 1));
}

class TesseraCore : public ::testing::Test {
protected:
    void SetUp() override {
        talvero::common::set_today(Date{6, 1, 2004});
        messages().clear();
        engine.on_message = record;
    }
    void TearDown() override { talvero::common::clear_today(); }

    static Block loan(double amount, double apr, double numpay, double freq, int flag,
                      const char* firstdue = "01152003") {
        Block b;
        b.FINANCEAMT = amount;
        b.ORGAMT = amount;
        b.APR = apr;
        b.NUMPAY = numpay;
        b.FREQUENCY = freq;
        b.INTMETHOD = flag;
        set_firstdue(b, firstdue);
        return b;
    }

    Block& run(const Block& b) {
        engine.block = b;
        engine.run();
        return engine.block;
    }

    Engine engine;
};

double textbook_payment(double A, double apr, double n, double f) {
    const double i = apr / 100.0 / f;
    return A * i / (1.0 - std::pow(1.0 + i, -n));
}

TEST_F(TesseraCore, MaturityDates) {
    struct Case {
        const char* what;
        int flag;
        double freq, numpay;
        const char* firstdue;
        int skip, odddays;
        Date expected;
    } const cases[] = {
        {"monthly 365", 1, 12, 3, "01152003", 0, 0, {3, 15, 2003}},
        {"monthly 365 over a leap February", 1, 12, 3, "01152004", 0, 0, {3, 14, 2004}},
        {"monthly 360 sets the first", 0, 12, 3, "01152004", 0, 0, {3, 1, 2004}},
        {"monthly fixed 360 sets the first", 3, 12, 3, "01152004", 0, 0, {3, 1, 2004}},
        {"monthly keeps a 31st", 1, 12, 4, "01312003", 0, 0, {4, 31, 2003}},
        {"biweekly across the year end", 1, 26, 2, "12252003", 0, 0, {1, 8, 2004}},
        {"quarterly 91 days", 1, 4, 2, "01152003", 0, 0, {4, 16, 2003}},
        {"skip months past a year", 0, 12, 14, "06012004", 14, 0, {9, 1, 2006}},
        {"annual steps a year after the first payment", 1, 1, 3, "01152003", 0, 0, {1, 15, 2005}},
        {"annual 360 keeps the day", 0, 1, 3, "01152003", 0, 0, {1, 15, 2005}},
        {"annual with odd days steps the same", 1, 1, 3, "01152003", 0, 10, {1, 15, 2005}},
        {"annual five payments", 0, 1, 5, "02012025", 0, 0, {2, 1, 2029}},
        {"annual from February 29 in a common year", 3, 1, 2, "02292004", 0, 0, {2, 28, 2005}},
        {"annual from February 29 in a leap year", 1, 1, 5, "02292004", 0, 0, {2, 29, 2008}},
        {"annual after skip months", 2, 1, 2, "01152003", 3, 0, {4, 15, 2004}},
        {"blank first due date is today", 1, 12, 3, "", 0, 0, {8, 1, 2004}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Block b = loan(10000, 10, c.numpay, c.freq, c.flag, c.firstdue);
        b.SKPMONTH = c.skip;
        b.ODDDAYS = c.odddays;
        const Block& out = run(b);
        ASSERT_EQ(out.ERRFLAG, 0);
        EXPECT_EQ((Date{out.MATURITY[0], out.MATURITY[1], out.MATURITY[2]}), c.expected);
    }
    // Skip months above twelve go to the year first: 14 from June 2004 starts the count at 08/01/2005.
    Block single = loan(10000, 10, 14, 12, 0, "06012004");
    single.SKPMONTH = 14;
    single.NUMPAY = 1;
    const Block& out = run(single);
    EXPECT_EQ((Date{out.MATURITY[0], out.MATURITY[1], out.MATURITY[2]}), (Date{8, 1, 2005}));
}

// A yearly loan is an annuity of yearly periods: 10,000 at 8 % in 5 yearly payments. With a first
// period of exactly a year (ODDDAYS 0, or the 365 days the form counts from 02/01/2024) the level
// flags pay the textbook payment, the last payment is level too, and the Reg Z APR without fees is
// the APR; flag 3 pays a fifth of the principal and interest on the declining balance.
TEST_F(TesseraCore, YearlyLoansAreAnnuitiesOfYears) {
    const double A = 10000, i = 0.08;
    const double level = A * i / (1 - std::pow(1 + i, -5)); // 2,504.56
    double declining = 0;                                   // 8 % of 10,000, 8,000, ..., 2,000
    for (int k = 0; k < 5; ++k)
        declining += i * (A - k * A / 5);
    for (int odd : {0, 365}) {
        for (int flag : {0, 1, 3, 6, 7}) {
            SCOPED_TRACE(::testing::Message() << "flag " << flag << " odd days " << odd);
            Block b = loan(A, 8, 5, 1, flag, "02012025");
            b.ODDDAYS = odd;
            const Block& out = run(b);
            ASSERT_EQ(out.ERRFLAG, 0);
            EXPECT_NEAR(out.REGZAPR, 8.0, 1e-9);
            EXPECT_EQ((Date{out.MATURITY[0], out.MATURITY[1], out.MATURITY[2]}), (Date{2, 1, 2029}));
            EXPECT_NEAR(out.TOTALPRINCIPAL, A, 1e-6);
            if (flag == 3) {
                EXPECT_DOUBLE_EQ(out.PAYMENT, 2000.0);
                EXPECT_NEAR(out.TOTALINTEREST, declining, 1e-6);
                EXPECT_NEAR(out.LASTPAY, 2000 + i * 2000, 1e-6);
            } else {
                EXPECT_NEAR(out.PAYMENT, level, 1e-6);
                EXPECT_NEAR(out.TOTALINTEREST, 5 * level - A, 1e-6);
                EXPECT_NEAR(out.LASTPAY, level, 1e-6);
            }
        }
    }
    EXPECT_NEAR(level, 2504.56, 0.005);
    EXPECT_NEAR(5 * level - A, 2522.82, 0.005);
}

// A yearly loan's first period of more or fewer days than the counted year carries their interest.
TEST_F(TesseraCore, YearlyOddDaysAreTheDaysBeyondAYear) {
    struct Case {
        int flag, odd;
        double extra; // interest on 10,000 of the days beyond 365
    } const cases[] = {
        {1, 395, 30 * 0.08 / 365 * 10000},
        {1, 335, -30 * 0.08 / 365 * 10000},
        {3, 395, 30 * 0.08 / 360 * 10000},
        {3, 335, -30 * 0.08 / 360 * 10000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "flag " << c.flag << " odd days " << c.odd);
        Block b = loan(10000, 8, 5, 1, c.flag, "02012025");
        b.PAYMENT = 2600;
        const double regular = run(b).TOTALINTEREST;
        b.ODDDAYS = c.odd;
        const Block& odd = run(b);
        ASSERT_EQ(odd.ERRFLAG, 0);
        // Flag 1's first payment pays the extra interest off the principal: the later balances
        // carry it; flag 3's principal is fixed.
        if (c.flag == 3)
            EXPECT_NEAR(odd.TOTALINTEREST - regular, c.extra, 1e-6);
        else
            EXPECT_GT((odd.TOTALINTEREST - regular) * c.extra, 0.0);
    }
}

TEST_F(TesseraCore, RateSearchesStepLikeTheLoanOfficersTables) {
    // 1-percent steps pass 17, fall back to 16, and the tenth steps stop at the whole dollar.
    EXPECT_NEAR(tessera::pvapr(100, 12, 1100, 12, 0, 0), 16.3, 1e-9);
    EXPECT_NEAR(tessera::pvapr(1000, 360, 100000, 12, 0, 0), 11.63, 1e-9);
    // Payments worth less than the target bring the rate back at or below 0.
    EXPECT_LE(tessera::pvapr(100, 10, 5000, 12, 0, 0), 0.0);
    // Finance charge of a fixed-principal loan is linear in the rate: 65 dollars per percent here.
    EXPECT_NEAR(tessera::fcapr(12, 12000, 12, 3, 0, 650.0), 10.0, 1e-9);
    EXPECT_NEAR(tessera::fcapr(12, 12000, 12, 3, 0, 653.3), 10.05, 1e-9);
    EXPECT_EQ(tessera::fcapr(12, 12000, 12, 5, 0, 653.3), 0.0);
    // Targets far beyond any rate return at the search's ceiling instead of stepping for ever.
    EXPECT_TRUE(std::isfinite(tessera::pvapr(1e6, 360, 1.0, 12, 0, 0)));
    EXPECT_TRUE(std::isfinite(tessera::pvapr(100, 360, -5.0, 12, 0, 0)));
    EXPECT_TRUE(std::isfinite(tessera::fcapr(12, 1.0, 12, 3, 0, 1e9)));
}

// The searches exactly as the loan officers' tables step them: one rate after the other. The
// period rate comes from the shared table; SearchesRateAPeriodByItsDays checks it against hand values.
double periodic(double R, double f, bool basis365) {
    const double r = R * 0.01;
    if (basis365) return talvero::common::period_days(f).annuity_365.of(f) * (r / 365.0);
    return r / f;
}

// One payment worth `target` at the period rate i of the rate R: both searches land on R itself.
TEST_F(TesseraCore, SearchesRateAPeriodByItsDays) {
    struct Case {
        const char* what;
        double f;
        int flag, odd;
        double R, i; // i: the period rate of R, by hand
    } const cases[] = {
        {"quarterly, 365-day year: 91.25 days", 4, 1, 0, 10, 0.10 * 91.25 / 365},
        {"monthly, 365-day year: 30.4463 days", 12, 1, 0, 12, 0.12 * 30.4463 / 365},
        {"biweekly, 365-day year: 14 days", 26, 7, 0, 73, 0.73 * 14 / 365},
        {"weekly, 365-day year: 7 days", 52, 1, 0, 73, 0.73 * 7 / 365},
        {"yearly, 365-day year, no odd days: 365 days", 1, 1, 0, 10, 0.10 * 365 / 365},
        {"yearly, 365-day year: odd days leave the year", 1, 1, 45, 10, 0.10 * 365 / 365},
        {"yearly, 360-day year, no odd days: the nominal year", 1, 0, 0, 10, 0.10},
        {"yearly, 360-day year: odd days leave the year", 1, 0, 45, 10, 0.10},
        {"monthly, nominal", 12, 0, 0, 12, 0.12 / 12},
        {"semimonthly, nominal even on odd days", 24, 2, 20, 12, 0.12 / 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Half a dollar above a whole one, so the dollar comparison of the searches is not on an edge.
        const double target = 100050.5;
        EXPECT_EQ(tessera::pvapr(target * (1 + c.i), 1, target, c.f, c.flag, c.odd), c.R);
        // A finance charge of one period's interest on an amount whose charge is off whole dollars.
        const int fixed_flag = c.flag == 1 || c.flag == 7 ? 4 : 3;
        EXPECT_EQ(tessera::fcapr(1, 100010, c.f, fixed_flag, c.odd, 100010 * c.i), c.R);
    }
}

double stepwise_pvapr(double payment, double count, double target, double f, int flag) {
    auto V = [&](double R) {
        const double i = periodic(R, f, flag == 1 || flag == 7);
        double sum = 0;
        for (double t = 1; t <= count; t += 1)
            sum += payment / std::pow(1 + i, t);
        return sum;
    };
    auto same = [&](double v) { return std::trunc(v) == std::trunc(target); };
    double R = 1.0, v = V(R);
    while (v > target) {
        R += 1;
        v = V(R);
        if (same(v)) return R;
        if (v < target) break;
    }
    R -= 1;
    v = V(R);
    while (v > target) {
        R += 0.1;
        v = V(R);
        if (same(v)) return R;
        if (v < target) break;
    }
    R -= 0.1;
    v = V(R);
    while (v > target) {
        R += 0.01;
        v = V(R);
        if (v < target || same(v)) return R;
    }
    return R;
}

double stepwise_fcapr(double count, double amount, double f, int flag, double target) {
    if (flag == 5) return 0;
    auto G = [&](double R) {
        const double i = periodic(R, f, flag == 4);
        double b = amount, sum = 0;
        for (double t = 1; t <= count; t += 1) {
            sum += i * b;
            b -= amount / count;
        }
        return sum;
    };
    auto same = [&](double g) { return std::trunc(g) == std::trunc(target); };
    double R = 1.0, g = G(R);
    if (same(g)) return R;
    if (!(g > target)) {
        while (g < target) {
            R += 1;
            g = G(R);
            if (same(g)) return R;
            if (g > target) break;
        }
    }
    R -= 1;
    g = G(R);
    while (g < target) {
        R += 0.1;
        g = G(R);
        if (same(g)) return R;
        if (g > target) break;
    }
    R -= 0.1;
    g = G(R);
    while (g < target) {
        R += 0.01;
        g = G(R);
        if (same(g) || g > target) return R;
    }
    return R;
}

// Odd days leave every search's period as it is: the stepping takes none.
TEST_F(TesseraCore, RateSearchesFindWhatSteppingFinds) {
    std::mt19937 random(99);
    const double freqs[] = {1, 4, 12, 24, 26, 52};
    for (int trial = 0; trial < 1500; ++trial) {
        const double f = freqs[random() % 6];
        const int flag = static_cast<int>(random() % 8);
        const int odd = random() % 3 ? 0 : static_cast<int>(random() % 60);
        const double count = 1 + random() % 400;
        const double payment = 10 + random() % 5000 + (random() % 100) / 100.0;
        // Targets from a rate of 0 to about 120 percent, and some right at whole dollars.
        const double rate = (random() % 12000) / 100.0;
        const double i = periodic(rate, f, flag == 1 || flag == 7);
        double target = i > 0 ? payment * (1 - std::pow(1 + i, -count)) / i : payment * count;
        if (trial % 5 == 0) target = std::floor(target);
        SCOPED_TRACE(::testing::Message() << "payment " << payment << " count " << count << " target "
                                          << target << " f " << f << " flag " << flag << " odd " << odd);
        ASSERT_EQ(tessera::pvapr(payment, count, target, f, flag, odd),
                  stepwise_pvapr(payment, count, target, f, flag));
        const double charge = target / 10 + (random() % 1000);
        ASSERT_EQ(tessera::fcapr(count, payment * 10, f, flag, odd, charge),
                  stepwise_fcapr(count, payment * 10, f, flag, charge));
    }
}

TEST_F(TesseraCore, LevelPaymentMatchesTheTextbookAnnuity) {
    struct Loan {
        double A, apr, n, f;
    } const loans[] = {{10000, 10, 36, 12},   {250000, 6.5, 360, 12}, {5000, 18, 12, 12},
                       {80000, 7.25, 120, 4}, {15000, 9, 104, 26},    {999999.99, 49.99, 600, 12}};
    for (const auto& l : loans) {
        SCOPED_TRACE(::testing::Message() << l.A << " at " << l.apr << " over " << l.n << "/" << l.f);
        const Block& out = run(loan(l.A, l.apr, l.n, l.f, 0));
        ASSERT_EQ(out.ERRFLAG, 0);
        EXPECT_NEAR(out.PAYMENT, textbook_payment(l.A, l.apr, l.n, l.f), 0.005);
        EXPECT_NEAR(out.TOTALPRINCIPAL, l.A, 1e-6 * l.A);
        EXPECT_NEAR(out.TOTALPAYOUT, out.PAYMENT * l.n, 0.01 * l.n);
        // The level payment's present value at the loan's own rate is the amount: Reg Z finds that rate.
        EXPECT_NEAR(out.REGZAPR, l.apr, 1e-9);
    }
}

TEST_F(TesseraCore, PaymentCaseForFixedPrincipalAndFlagZero) {
    for (int flag : {3, 4, 5}) {
        SCOPED_TRACE(flag);
        const Block& out = run(loan(12000, 9, 48, 12, flag));
        EXPECT_DOUBLE_EQ(out.PAYMENT, 250.0);
        EXPECT_DOUBLE_EQ(engine.fixed_principal(), 250.0);
        EXPECT_NEAR(out.TOTALPRINCIPAL, 12000.0, 1e-6);
    }
    // Flag 0: the payment covers the last run's interest, principal, insurance and taxes.
    Block b = loan(20000, 8, 60, 12, 0);
    b.TAXES = 600;
    b.HOINS = 300;
    const Block& out = run(b);
    EXPECT_NEAR(out.PAYMENT, textbook_payment(20000, 8, 60, 12) + 900.0 * 5 / 60, 0.005);
    EXPECT_DOUBLE_EQ(out.TOTALTAXES, 3000.0);
    EXPECT_DOUBLE_EQ(out.TOTALINSURANCE, 1500.0);
}

TEST_F(TesseraCore, TaxesAreSpreadOverTheTermInYears) {
    Block b = loan(6000, 10, 6, 12, 5);
    b.TAXES = 1200;
    const Block& out = run(b);
    ASSERT_EQ(out.ERRFLAG, 0);
    EXPECT_DOUBLE_EQ(out.TERMYEARS, 1.0);
    EXPECT_DOUBLE_EQ(out.PAYMENT, 1000.0);
    EXPECT_DOUBLE_EQ(out.LASTPAY, 1200.0); // 1000 principal + 200 taxes
    EXPECT_DOUBLE_EQ(out.TOTALTAXES, 1200.0);
    EXPECT_DOUBLE_EQ(out.TOTALPAYOUT, 7200.0);
}

TEST_F(TesseraCore, OnePaymentLoan) {
    struct Case {
        int odddays;
        double days;
    } const cases[] = {{0, 31}, {45, 45}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.odddays);
        Block b = loan(1000, 12, 1, 12, 1, "01152003");
        b.ODDDAYS = c.odddays;
        const Block& out = run(b);
        ASSERT_EQ(out.ERRFLAG, 0);
        EXPECT_EQ(out.LASTPAY, 0.0);
        EXPECT_DOUBLE_EQ(out.TOTALPRINCIPAL, 1000.0);
        EXPECT_NEAR(out.TOTALINTEREST, c.days * 0.12 / 365.0 * 1000.0, 1e-9);
    }
    // With every other term given, one payment fits no case.
    Block payout = loan(1000, 12, 1, 12, 0);
    payout.PAYMENT = 500;
    EXPECT_EQ(run(payout).ERRFLAG, 1);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, 1);
    EXPECT_EQ(messages()[0].text, tessera::kNotEnoughDataText);
}

TEST_F(TesseraCore, OddDayCorrectionsOfFlagZero) {
    // Flag 0's interest does not follow the balance, so totals differ by exactly the odd days: those
    // beyond a 30-day month, or for a yearly loan beyond the counted year of 365 days.
    struct Case {
        double freq;
        int odddays;
        double extra_days; // against ODDDAYS = 0
    } const cases[] = {{12, 45, 15}, {12, 10, -20}, {12, 30, 0}, {1, 380, 15}, {1, 345, -20}, {1, 365, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.freq << " " << c.odddays);
        Block b = loan(10000, 9, 24, c.freq, 0);
        b.PAYMENT = 300;
        const double plain = run(b).TOTALINTEREST;
        b.ODDDAYS = c.odddays;
        const double odd = run(b).TOTALINTEREST;
        EXPECT_NEAR(odd - plain, c.extra_days * 0.09 / 360.0 * 10000.0, 1e-7);
    }
}

TEST_F(TesseraCore, MonthlyDayCountsFollowTheCalendar) {
    // Flag 1 from January 31, 2003: periods of 31, 28, 31 and 30 days; flag 2 counts them on 360.
    struct Case {
        int flag;
        const char* firstdue;
        double days[4];
        double year;
    } const cases[] = {{1, "01312003", {31, 28, 31, 30}, 365},
                       {2, "01312003", {31, 28, 31, 30}, 360},
                       {1, "01152004", {31, 29, 31, 30}, 365},
                       {3, "01152004", {30, 30, 30, 30}, 360}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.flag << " " << c.firstdue);
        Block b = loan(1000, 12, 4, 12, c.flag, c.firstdue);
        b.PAYMENT = 300;
        const Block& out = run(b);
        ASSERT_EQ(out.ERRFLAG, 0);
        const double d = 0.12 / c.year;
        const bool fixed = c.flag == 3;
        double balance = 1000, interest = 0;
        for (int k = 0; k < 4; ++k) {
            const double I = c.days[k] * d * balance;
            interest += I;
            balance -= (fixed ? 250.0 : 300.0 - I);
        }
        EXPECT_NEAR(out.TOTALINTEREST, interest, 1e-9);
    }
}

TEST_F(TesseraCore, LastPaymentSignShowsTheFit) {
    // Payout on a payment larger than needed: negative last payment, term kept.
    Block over = loan(1000, 12, 12, 12, 1);
    over.PAYMENT = 100;
    const Block& out = run(over);
    EXPECT_EQ(engine.last_case(), tessera::Case::Payout);
    EXPECT_EQ(out.NUMPAY, 12.0);
    EXPECT_LT(out.LASTPAY, 0.0);

    // The rate from the payment: the searched rate, and the finance charge of its schedule. At 35 %
    // on the 365-day count (i = 0.35 / 365 * 30.4463) twelve payments of 100 are worth
    // 100 * (1 - (1 + i)^-12) / i = 1000.20, the first whole rate with the amount's whole dollars.
    Block charge = loan(1000, 0, 12, 12, 1);
    charge.PAYMENT = 100;
    const Block& fit = run(charge);
    EXPECT_EQ(engine.last_case(), tessera::Case::RateCharge);
    EXPECT_NEAR(fit.APR, 35.0, 1e-9);
    EXPECT_GE(fit.LASTPAY, 0.0);
    EXPECT_NEAR(fit.TOTALINTEREST, fit.TOTALPAYOUT - 1000.0, 1e-9);

    // A payment well above what a rate of 1 percent would need drops below 1 percent: the payout
    // run then overpays, and the loan is shortened until its last payment is no longer negative.
    Block cheap = loan(1000, 0, 12, 12, 0);
    cheap.PAYMENT = 90;
    const Block& shortened = run(cheap);
    EXPECT_EQ(engine.last_case(), tessera::Case::RateCharge);
    EXPECT_LE(shortened.NUMPAY, 12.0);
    EXPECT_GE(shortened.LASTPAY, 0.0);

    // A payment too small leaves a last payment above it.
    Block under = loan(1000, 12, 12, 12, 1);
    under.PAYMENT = 80;
    EXPECT_GT(run(under).LASTPAY, 80.0);

    // Counting: nine full payments and a smaller tenth.
    Block count = loan(1000, 12, 0, 12, 0);
    count.PAYMENT = 110;
    const Block& counted = run(count);
    EXPECT_EQ(engine.last_case(), tessera::Case::Count);
    ASSERT_EQ(counted.ERRFLAG, 0);
    EXPECT_EQ(counted.NUMPAY, 10.0);
    EXPECT_GT(counted.LASTPAY, 0.0);
    EXPECT_LT(counted.LASTPAY, 110.0);
    EXPECT_NEAR(counted.TOTALPRINCIPAL, 1000.0, 1e-9);
}

TEST_F(TesseraCore, CountThatNeverEndsStopsAtTheCap) {
    Block b = loan(100000, 12, 0, 12, 1);
    b.PAYMENT = 1;
    const Block& out = run(b);
    EXPECT_EQ(out.ERRFLAG, 1);
    EXPECT_EQ(out.NUMPAY, 1.0);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, 1);
    EXPECT_EQ(messages()[0].text, tessera::kEndlessPaymentText);
}

TEST_F(TesseraCore, CountWithFixedPrincipalUsesTheEnteredPayment) {
    // A fixed part left by an earlier loan must not leak into this count.
    run(loan(600, 10, 12, 12, 5));
    ASSERT_DOUBLE_EQ(engine.fixed_principal(), 50.0);
    for (int flag : {3, 4, 5}) {
        SCOPED_TRACE(flag);
        Block b = loan(1250, 10, 0, 12, flag);
        b.PAYMENT = 100;
        const Block& out = run(b);
        ASSERT_EQ(out.ERRFLAG, 0);
        EXPECT_TRUE(messages().empty());
        EXPECT_EQ(out.NUMPAY, 13.0); // twelve parts of 100 leave 50, paid in a thirteenth period
        EXPECT_DOUBLE_EQ(out.PAYMENT, 1250.0 / 13.0);
    }
}

TEST_F(TesseraCore, RateFromFinanceCharge) {
    // The number of payments is q rounded to cents with its fraction dropped. The rate is the first on
    // the hundredths at which the payments' present value 100 * (1 - (1 + i)^-n) / i, i = APR / 1200,
    // reaches the amount's whole dollars: 5000.01 at 7.42 % over 60 (5001.20 at 7.41 %), 5000.75 at
    // 6.82 % over 59 (5001.92 at 6.81 %).
    struct Case {
        double charge;
        double numpay;
        double apr;
    } const cases[] = {{999.6, 60, 7.42}, {999.4, 59, 6.82}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.charge);
        Block b = loan(5000, 0, 0, 12, 0);
        b.PAYMENT = 100;
        b.TOTALINTEREST = c.charge;
        b.TERMYEARS = 7.5;
        const Block& out = run(b);
        EXPECT_EQ(engine.last_case(), tessera::Case::RateCount);
        ASSERT_EQ(out.ERRFLAG, 0);
        EXPECT_EQ(out.NUMPAY, c.numpay);
        EXPECT_NEAR(out.APR, c.apr, 1e-9);
        EXPECT_EQ(out.TERMYEARS, 7.5);
        EXPECT_DOUBLE_EQ(out.TOTALINTEREST, c.charge);
        EXPECT_DOUBLE_EQ(out.TOTALPRINCIPAL, 5000.0);
    }
    // Fixed principal: the unrounded q = 5000 / 83.34 = 59.995 goes into the finance-charge search.
    // Its 59 periods carry i * 5000 * (59 - 59 * 58 / (2 * q)) of interest, i = APR / 1200: 1200.19
    // at 9.45 %, 1198.92 at 9.44 %.
    Block fixed = loan(5000, 0, 0, 12, 3);
    fixed.PAYMENT = 83.34;
    fixed.TOTALINTEREST = 1200;
    const Block& out = run(fixed);
    EXPECT_EQ(out.NUMPAY, 60.0);
    EXPECT_NEAR(out.APR, 9.45, 1e-9);
}

TEST_F(TesseraCore, PrincipalOnlyHasNoRate) {
    Block payment = loan(6000, 0, 12, 12, 5);
    payment.TOTALINTEREST = 300;
    const Block& a = run(payment);
    EXPECT_EQ(engine.last_case(), tessera::Case::RatePayment);
    EXPECT_EQ(a.APR, 0.0);
    EXPECT_EQ(a.TOTALINTEREST, 0.0);
    EXPECT_DOUBLE_EQ(a.PAYMENT, 500.0);

    Block charge = loan(6000, 0, 12, 12, 5);
    charge.PAYMENT = 500;
    const Block& b = run(charge);
    EXPECT_EQ(engine.last_case(), tessera::Case::RateCharge);
    EXPECT_EQ(b.APR, 0.0);
    EXPECT_EQ(b.TOTALINTEREST, 0.0);
}

TEST_F(TesseraCore, FixedPrincipalRateNeedsTheFinanceCharge) {
    for (int flag : {3, 4}) {
        SCOPED_TRACE(flag);
        messages().clear();
        Block b = loan(6000, 0, 12, 12, flag);
        b.PAYMENT = 500;
        const Block& out = run(b);
        EXPECT_EQ(out.ERRFLAG, 0);
        EXPECT_EQ(out.APR, 0.0);
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].kind, 0);
        EXPECT_EQ(messages()[0].text, tessera::kFixedPrincipalAprText);
    }
}

TEST_F(TesseraCore, NotEnoughData) {
    const Block& out = run(Block{});
    EXPECT_EQ(engine.last_case(), tessera::Case::NotEnoughData);
    EXPECT_EQ(out.ERRFLAG, 1);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, 1);
}

class Payoff : public TesseraCore {
protected:
    Block payoff(int flag, double numpay, double paysmade, double payoffper, int days) {
        Block b = loan(10000, 12, numpay, 12, flag);
        b.PAYMENT = 300;
        b.PAYOFFMODE = 1;
        b.PAYSMADE = paysmade;
        b.PAYOFFPER = payoffper;
        b.PAYOFFDAYS = days;
        b.CURBAL = 5000;
        return b;
    }
};

TEST_F(Payoff, WithinTheCurrentPeriodOnlyOddDaysCount) {
    struct Case {
        int flag;
        int days;
        double year;
    } const cases[] = {{0, 15, 360}, {2, 15, 360}, {3, 15, 360}, {1, 15, 365}, {4, 15, 365}, {0, 0, 360}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.flag << " " << c.days);
        Block b = payoff(c.flag, 36, 5, 5, c.days);
        b.TAXES = 360; // 30.00 per monthly payment
        b.HOINS = 600;
        const Block& out = run(b);
        EXPECT_EQ(engine.last_case(), tessera::Case::Payoff);
        ASSERT_EQ(out.ERRFLAG, 0);
        EXPECT_NEAR(out.TOTALINTEREST, 0.12 * c.days * 5000 / c.year, 1e-9);
        EXPECT_NEAR(out.TOTALTAXES, 30.0 / 30.0 * c.days, 1e-9);
        EXPECT_EQ(out.TOTALINSURANCE, 0.0); // escrowed insurance gets no odd-day amount
        EXPECT_NEAR(out.TOTALPAYOUT, out.TOTALINTEREST + out.TOTALTAXES, 1e-9);
    }
}

TEST_F(Payoff, OddDayPremiumAndTaxShares) {
    Block b = payoff(0, 12, 0, 1, 10);
    b.FINANCEAMT = b.ORGAMT = 12000;
    b.DSRATE = 0.012;
    b.DSFREQ = 12;
    b.DSPREM = 12000 * 0.012;
    b.DSNUMPAY = 12;
    b.TAXES = 360; // 30.00 per payment
    const Block& out = run(b);
    ASSERT_EQ(out.ERRFLAG, 0);
    EXPECT_NEAR(out.TOTALINSURANCE, 12.0 + 1.2, 1e-9); // premium 12.00, plus 12.00 / 10 days
    EXPECT_NEAR(out.TOTALTAXES, 30.0 + 10.0, 1e-9);    // share 30.00, plus 30.00 / 30 * 10
}

TEST_F(Payoff, RuleOf78Shares) {
    struct Case {
        double numpay, paysmade, payoffper;
        double digits;
        double months_weight; // sum of the periods' digits
    } const cases[] = {{60, 0, 1, 1830, 60},
                       {60, 10, 12, 1830, 50 + 49},
                       {6, 2, 3, 78, 10},
                       {6, 0, 6, 78, 12 + 11 + 10 + 9 + 8 + 7}};
    for (int flag : {6, 7}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << flag << " n " << c.numpay << " made " << c.paysmade);
            Block regular = loan(10000, 12, c.numpay, 12, flag);
            regular.PAYMENT = 300;
            const double charge = run(regular).TOTALINTEREST;
            const Block& out = run(payoff(flag, c.numpay, c.paysmade, c.payoffper, 0));
            ASSERT_EQ(out.ERRFLAG, 0);
            EXPECT_NEAR(out.TOTALINTEREST, c.months_weight / c.digits * charge, 1e-9);
        }
    }
}

TEST_F(Payoff, IgnoresZerosAndKeepsTheLastMaturity) {
    Block b = payoff(0, 36, 5, 6, 10);
    b.PAYMENT = 0;
    b.MATURITY[0] = 5;
    b.MATURITY[1] = 5;
    b.MATURITY[2] = 2005;
    const Block& fresh = run(b);
    EXPECT_EQ(engine.last_case(), tessera::Case::Payoff);
    EXPECT_EQ((Date{fresh.MATURITY[0], fresh.MATURITY[1], fresh.MATURITY[2]}), (Date{0, 0, 0}));

    run(loan(10000, 10, 3, 12, 1, "01152003"));
    const Block& after = run(b);
    EXPECT_EQ((Date{after.MATURITY[0], after.MATURITY[1], after.MATURITY[2]}), (Date{3, 15, 2003}));
}

TEST_F(TesseraCore, UnreadPositionsChangeNothing) {
    Block b = loan(25000, 9.5, 48, 12, 1);
    b.DSRATE = 0.001;
    b.DSFREQ = 12;
    b.DSPREM = 25;
    b.DSNUMPAY = 24;
    b.DSYEARS = 2;
    const Block first = run(b);
    Block changed = b;
    changed.LOANDATE[0] = 3;
    changed.LOANDATE[1] = 9;
    changed.LOANDATE[2] = 2002;
    changed.FEEAMT = 400;
    changed.DOWNAMT = 900;
    changed.DSYEARS = 7;
    changed.LFYEARS = 9;
    Block second = run(changed);
    second.LOANDATE[0] = first.LOANDATE[0];
    second.LOANDATE[1] = first.LOANDATE[1];
    second.LOANDATE[2] = first.LOANDATE[2];
    second.FEEAMT = first.FEEAMT;
    second.DOWNAMT = first.DOWNAMT;
    second.DSYEARS = first.DSYEARS;
    second.LFYEARS = first.LFYEARS;
    EXPECT_EQ(std::memcmp(&first, &second, sizeof(Block)), 0);
}

// Skipping runs of identical steps must reach exactly what the pass-by-pass iteration reaches.
TEST_F(TesseraCore, SkippedPassesGiveTheSameResultsAsEveryPass) {
    int compared = 0;
    for (int flag : {1, 2})
        for (double f : {1.0, 2.0, 4.0, 12.0})
            for (double apr : {8.0, 25.0, 49.99})
                for (double n : {5.0, 60.0})
                    for (int odd : {0, 45})
                        for (bool escrow : {false, true})
                            for (double amount : {2500.0, 40000.0}) {
                                Block b = loan(amount, apr, n, f, flag, "01312004");
                                b.ODDDAYS = odd;
                                if (escrow) {
                                    b.TAXES = 1200;
                                    b.HOINS = 480;
                                    b.DSRATE = 0.0008;
                                    b.DSFREQ = f;
                                    b.DSPREM = amount * b.DSRATE;
                                    b.DSNUMPAY = n;
                                }
                                Engine skipping, stepping;
                                skipping.block = stepping.block = b;
                                skipping.pass_bound = stepping.pass_bound = 200000;
                                skipping.run_bound = stepping.run_bound = 10000000;
                                stepping.skip_repeated_steps = false;
                                skipping.run();
                                stepping.run();
                                SCOPED_TRACE(::testing::Message()
                                             << "flag " << flag << " f " << f << " apr " << apr << " n " << n
                                             << " odd " << odd << " escrow " << escrow << " amount "
                                             << amount);
                                EXPECT_EQ(skipping.last_passes(), stepping.last_passes());
                                EXPECT_EQ(skipping.last_pass_bound_hit(), stepping.last_pass_bound_hit());
                                EXPECT_EQ(skipping.block.PAYMENT, stepping.block.PAYMENT);
                                EXPECT_EQ(std::memcmp(&skipping.block, &stepping.block, sizeof(Block)), 0);
                                ++compared;
                            }
    EXPECT_EQ(compared, 384);
}

TEST_F(TesseraCore, RepeatedAdditionMatchesAdditionOneByOne) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> start(-2e6, 2e6);
    for (double step : {1.0, 0.01, -0.01, -0.1}) {
        for (int trial = 0; trial < 200; ++trial) {
            const double from = trial % 10 == 0 ? std::ldexp(1.0, trial % 40) - 3 * step : start(random);
            const long count = 1 + static_cast<long>(random() % 20000);
            double expected = from;
            for (long i = 0; i < count; ++i)
                expected = expected + step;
            ASSERT_EQ(tessera::repeat_add(from, step, count), expected)
                << from << " " << step << " " << count;
        }
    }
}

TEST_F(TesseraCore, PaymentIterationIsBounded) {
    // Yearly payments on the 360-day rate of 365 and 366-day years step up from the trial payment of
    // 360-day years for many passes.
    Block b = loan(100000, 8, 12, 1, 2, "01012005");
    engine.pass_bound = 50;
    const Block& cut = run(b);
    EXPECT_TRUE(engine.last_pass_bound_hit());
    EXPECT_TRUE(engine.last_budget_reached());
    EXPECT_EQ(engine.last_passes(), 50);
    // A bound that stops the iteration leaves no payment: the call ends rejected.
    EXPECT_EQ(cut.ERRFLAG, 1);

    engine.pass_bound = 0;
    const Block& settled = run(b);
    EXPECT_FALSE(engine.last_pass_bound_hit());
    EXPECT_GT(engine.last_passes(), 50);
    EXPECT_GE(settled.LASTPAY, 0.0);
    EXPECT_LE(settled.LASTPAY, settled.PAYMENT + 2.0);

    // A long loan never settles: it returns with the last level payment when its swing is recognised,
    // ends rejected when a budget stops it, and refuses a schedule whose amounts overflow.
    const Block& swinging = run(loan(1000000, 8, 99999, 12, 1));
    EXPECT_TRUE(engine.last_pass_bound_hit() || engine.last_cycle_found());
    EXPECT_EQ(swinging.ERRFLAG, engine.last_pass_bound_hit() ? 1 : 0);
    EXPECT_TRUE(std::isfinite(swinging.PAYMENT));
    const Block& overflowing = run(loan(1000000, 49.99, 99999, 12, 1));
    EXPECT_EQ(overflowing.ERRFLAG, 1);
}

TEST_F(TesseraCore, EndlessSwingIsRecognised) {
    // Nine steps up by 0.01, one down by 0.1, and round again: the passes never stop on their own.
    const Block& out = run(loan(1000, 20, 360, 12, 7, "01312004"));
    EXPECT_TRUE(engine.last_cycle_found());
    EXPECT_FALSE(engine.last_pass_bound_hit());
    EXPECT_LT(engine.last_runs(), 100);
    EXPECT_EQ(out.ERRFLAG, 0);
    EXPECT_NEAR(out.PAYMENT, 16.7, 0.05);
}

TEST_F(TesseraCore, NoInputCrashesOrHangs) {
    std::mt19937 random(20240611);
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto amount = [&](double typical) {
        switch (random() % 10) {
        case 0:
            return 0.0;
        case 1:
            return -typical * (random() % 100) / 10.0;
        case 2:
            return typical * 1e6;
        case 3: {
            const double odd[] = {nan, inf, -inf, 1e300, -1e300, 5e-324};
            return odd[random() % 6];
        }
        default:
            return typical * (random() % 2001) / 1000.0;
        }
    };
    auto integer = [&](int typical) {
        switch (random() % 8) {
        case 0:
            return 0;
        case 1:
            return -static_cast<int>(random() % 1000);
        case 2:
            return static_cast<int>(random() % 2 ? 2147483647 : -2147483647);
        default:
            return static_cast<int>(random() % (typical + 1));
        }
    };
    const double counts[] = {0, 1, 2, 12, 60, 360, 1000, 99999, 100000, -5};
    const double freqs[] = {1, 2, 4, 12, 24, 26, 52, 0, 0.5, 53};
    for (int i = 0; i < 3000; ++i) {
        Block b;
        b.FINANCEAMT = amount(50000);
        b.ORGAMT = random() % 4 ? b.FINANCEAMT : amount(50000);
        b.APR = random() % 3 ? 0.0 : amount(10);
        b.NUMPAY = random() % 5 ? counts[random() % 10] : amount(60);
        b.PAYMENT = random() % 2 ? 0.0 : amount(500);
        b.FREQUENCY = random() % 5 ? freqs[random() % 10] : amount(12);
        b.INTMETHOD = random() % 6 ? static_cast<int>(random() % 8) : integer(9);
        b.TOTALINTEREST = random() % 2 ? 0.0 : amount(5000);
        b.DSRATE = random() % 2 ? 0.0 : amount(0.001);
        b.DSFREQ = amount(12);
        b.DSPREM = b.DSRATE * b.FINANCEAMT;
        b.DSNUMPAY = amount(24);
        b.LFRATE = random() % 2 ? 0.0 : amount(0.001);
        b.LFFREQ = amount(12);
        b.LFPREM = random() % 2 ? b.LFRATE * b.FINANCEAMT : amount(10);
        b.LFNUMPAY = amount(24);
        b.TAXES = random() % 2 ? 0.0 : amount(1200);
        b.HOINS = random() % 2 ? 0.0 : amount(600);
        b.OTINS = random() % 2 ? 0.0 : amount(100);
        b.TERMYEARS = amount(5);
        b.SKPMONTH = random() % 2 ? 0 : integer(24);
        b.ODDDAYS = random() % 2 ? 0 : integer(60);
        const char* dates[] = {"01152003", "", "02292004", "13452003", "  -1x", "00000000", "12319999"};
        set_firstdue(b, dates[random() % 7]);
        b.PAYOFFMODE = random() % 4 ? 0 : integer(1);
        b.PAYSMADE = amount(10);
        b.PAYOFFPER = b.PAYSMADE + (random() % 3);
        b.PAYOFFDAYS = integer(30);
        b.CURBAL = amount(20000);

        engine.block = b;
        engine.run();
        const Block& out = engine.block;
        if (out.ERRFLAG == 1) continue;
        const double results[] = {
            out.PAYMENT,    out.NUMPAY,  out.TERMYEARS,      out.TOTALINTEREST,  out.APR,
            out.LASTPAY,    out.REGZAPR, out.TOTALPRINCIPAL, out.TOTALINSURANCE, out.TOTALTAXES,
            out.TOTALPAYOUT};
        for (double r : results)
            ASSERT_TRUE(std::isfinite(r)) << "block " << i;
    }
}

} // namespace
