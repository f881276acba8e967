#include "schedule/schedule.h"

#include "common/today.h"

#include "testloans.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

using schedtest::loan;
using schedtest::textbook_payment;

using talvero::common::LoanBlock;
namespace sc = talvero::schedule;
using sc::RowKind;
using sc::Variant;

std::vector<sc::Row> rows_of(const LoanBlock& b, double schedpay, const Variant& v = Variant::regular()) {
    sc::Pass pass(b, schedpay, v);
    std::vector<sc::Row> rows;
    sc::for_each_row(pass, [&](const sc::Row& r) { rows.push_back(r); });
    return rows;
}

std::vector<std::string> labels(const std::vector<sc::Row>& rows) {
    std::vector<std::string> out;
    for (const auto& r : rows)
        out.emplace_back(r.PAYDATE);
    return out;
}

using Labels = std::vector<std::string>;

TEST(Schedule, DatesAndSubtotalLabels) {
    struct Case {
        const char* name;
        LoanBlock block;
        Labels expected;
    } const cases[] = {
        {"one payment", loan(1000, 12, 1, 12, 1, "02152005"), {"02/15/2005", "TOTALS 2005", "GRAND TOTALS"}},
        {"second-to-last payment in December",
         loan(1000, 12, 3, 12, 1, "11152005"),
         {"11/15/2005", "12/15/2005", "01/15/2006", "TOTALS 2006", "GRAND TOTALS"}},
        {"December three payments before the end",
         loan(1000, 12, 4, 12, 1, "11152005"),
         {"11/15/2005", "12/15/2005", "TOTALS 2005", "01/15/2006", "02/15/2006", "TOTALS 2006",
          "GRAND TOTALS"}},
        {"flag 0 steps to the 1st",
         loan(1000, 12, 3, 12, 0, "01152005"),
         {"01/15/2005", "02/01/2005", "03/01/2005", "TOTALS 2005", "GRAND TOTALS"}},
        {"flag 3 steps to the 1st",
         loan(1000, 12, 2, 12, 3, "01152005"),
         {"01/15/2005", "02/01/2005", "TOTALS 2005", "GRAND TOTALS"}},
        {"flag 6 steps to the 1st",
         loan(1000, 12, 2, 12, 6, "01152005"),
         {"01/15/2005", "02/01/2005", "TOTALS 2005", "GRAND TOTALS"}},
        {"the 31st in a common year keeps its day",
         loan(1000, 12, 4, 12, 1, "01312005"),
         {"01/31/2005", "02/31/2005", "03/31/2005", "04/31/2005", "TOTALS 2005", "GRAND TOTALS"}},
        {"the 31st in a leap year drops to the 30th after February",
         loan(1000, 12, 4, 12, 7, "01312004"),
         {"01/31/2004", "02/31/2004", "03/30/2004", "04/30/2004", "TOTALS 2004", "GRAND TOTALS"}},
        {"quarterly from 01/15/2005",
         loan(1000, 12, 3, 4, 2, "01152005"),
         {"01/15/2005", "04/16/2005", "07/16/2005", "TOTALS 2005", "GRAND TOTALS"}},
        {"annual flag 0 steps a year a row on the first due date's day, each row its year's",
         loan(1000, 12, 2, 1, 0, "03102005"),
         {"03/10/2005", "TOTALS 2005", "03/10/2006", "TOTALS 2006", "GRAND TOTALS"}},
        {"annual flag 1 steps the same",
         loan(1000, 12, 2, 1, 1, "03102005"),
         {"03/10/2005", "TOTALS 2005", "03/10/2006", "TOTALS 2006", "GRAND TOTALS"}},
        {"annual with odd days from February 29",
         loan(1000, 12, 5, 1, 1, "02292004", 12),
         {"02/29/2004", "TOTALS 2004", "02/28/2005", "TOTALS 2005", "02/28/2006", "TOTALS 2006", "02/28/2007",
          "TOTALS 2007", "02/29/2008", "TOTALS 2008", "GRAND TOTALS"}},
        {"biweekly across the year end",
         loan(1000, 12, 4, 26, 1, "12042005"),
         {"12/04/2005", "12/18/2005", "TOTALS 2005", "01/01/2006", "01/15/2006", "TOTALS 2006",
          "GRAND TOTALS"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(labels(rows_of(c.block, 400)), c.expected);
    }
}

TEST(Schedule, EmptyFirstDueDateStartsToday) {
    talvero::common::set_today({7, 4, 2010});
    const auto rows = rows_of(loan(1000, 12, 2, 12, 1, ""), 510);
    talvero::common::clear_today();
    ASSERT_GE(rows.size(), 2u);
    EXPECT_STREQ(rows[0].PAYDATE, "07/04/2010");
    EXPECT_STREQ(rows[1].PAYDATE, "08/04/2010");
    // The caller's clock comes first.
    sc::Pass pass(loan(1000, 12, 2, 12, 1, ""), 510, Variant::regular(), talvero::common::Date{2, 29, 2008});
    sc::Row row;
    ASSERT_TRUE(pass.next(row));
    EXPECT_STREQ(row.PAYDATE, "02/29/2008");
}

TEST(Schedule, LevelPaymentRowsFollowTheTextbookAmortization) {
    // 10,000 at 12 % over 12 months: interest of row k is 1 % of the balance after k - 1 payments.
    const double P = textbook_payment(10000, 12, 12, 12);
    for (int flag : {0, 2}) {
        SCOPED_TRACE(flag);
        LoanBlock b = loan(10000, 12, 12, 12, flag, "01012005");
        const auto rows = rows_of(b, P);
        ASSERT_EQ(rows.size(), 14u);
        for (int k = 1; k <= 11; ++k) {
            const double grow = std::pow(1.01, k - 1);
            const double before = 10000 * grow - P * (grow - 1) / 0.01;
            const auto& r = rows[k - 1];
            if (flag == 0) {
                EXPECT_NEAR(r.amounts.INTAMT, before * 0.01, 1e-9) << k;
            }
            EXPECT_DOUBLE_EQ(r.amounts.PAYMENT, P);
            EXPECT_NEAR(r.amounts.PRINAMT, P - r.amounts.INTAMT, 1e-9);
        }
        EXPECT_EQ(rows[11].BALANCE, 0.0);
    }
    // Flag 2: 360-day year, days of the month: January's 31 days on 10,000.
    const auto rows = rows_of(loan(10000, 12, 12, 12, 2, "01152005"), P);
    EXPECT_NEAR(rows[0].amounts.INTAMT, 0.12 / 360 * 31 * 10000, 1e-9);
    EXPECT_NEAR(rows[1].amounts.INTAMT, 0.12 / 360 * 28 * (10000 - (P - 0.12 / 360 * 31 * 10000)), 1e-9);
}

TEST(Schedule, FirstRowInterestWithOddDays) {
    struct Case {
        int flag;
        double f;
        int odd;
        double expected;
    } const cases[] = {
        // Flag 1: odd days at r / 365 on the amount financed.
        {1, 12, 45, 45 * 0.12 / 365 * 10000},
        {4, 12, 0, 0.12 / 365 * 31 * 10000},
        {2, 12, 20, 20 * 0.12 / 360 * 10000},
        {3, 12, 0, 0.12 / 360 * 30 * 10000},
        {3, 4, 0, 0.12 / 360 * 90 * 10000},
        // Flag 0: one period's interest on 10,000 (1 %), plus or minus the odd days past 30.
        {0, 12, 0, 100},
        {0, 12, 45, 100 + 0.12 / 360 * 15 * 10000},
        {0, 12, 20, 100 - 0.12 / 360 * 10 * 10000},
        // Yearly: a year's interest (12 %), the odd days against the counted year of 365 days.
        {0, 1, 0, 1200},
        {0, 1, 365, 1200},
        {0, 1, 380, 1200 + 0.12 / 360 * 15 * 10000},
        {0, 1, 345, 1200 - 0.12 / 360 * 20 * 10000},
        {1, 1, 0, 0.12 / 365 * 365 * 10000},
        {1, 1, 375, 0.12 / 365 * 375 * 10000},
        {2, 1, 0, 0.12 / 360 * 366 * 10000}, // 01/15/2004 to 01/15/2005 holds February 29
        {2, 1, 375, 0.12 / 360 * 376 * 10000},
        {3, 1, 0, 0.12 / 360 * 360 * 10000},
        {3, 1, 365, 0.12 / 360 * 360 * 10000},
        {5, 12, 40, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "flag " << c.flag << " f " << c.f << " odd " << c.odd);
        const auto rows = rows_of(loan(10000, 12, 12, c.f, c.flag, "01152005", c.odd), 900);
        EXPECT_NEAR(rows[0].amounts.INTAMT, c.expected, 1e-9);
    }
}

TEST(Schedule, RuleOf78SharesOfTheFinanceCharge) {
    LoanBlock b = loan(1200, 12, 12, 12, 6, "01152005");
    b.TOTALINTEREST = 78;
    const auto rows = rows_of(b, 106.5);
    for (int k = 1; k <= 12; ++k)
        EXPECT_DOUBLE_EQ(rows[k - 1].amounts.INTAMT, 13 - k) << k;
    // A balloon term of 60 on 360 payments: K = 60, digit sum 1830.
    LoanBlock l = loan(100000, 9, 360, 12, 6, "01152005");
    l.TOTALINTEREST = 1830;
    const auto b60 = rows_of(l, 800, Variant::balloon_term(60));
    EXPECT_DOUBLE_EQ(b60[0].amounts.INTAMT, 60);
    EXPECT_DOUBLE_EQ(b60[1].amounts.INTAMT, 59);
}

TEST(Schedule, EscrowPremiumsAndTheirCounts) {
    LoanBlock b = loan(12000, 12, 4, 12, 1, "01152005");
    b.TERMYEARS = 1;
    b.TAXES = 1200;
    b.HOINS = 600;
    b.OTINS = 0;
    b.DSRATE = 0.01;
    b.DSFREQ = 12;
    b.DSPREM = 120;
    b.DSNUMPAY = 2;
    b.LFRATE = 0.02;
    b.LFFREQ = 12;
    b.LFPREM = 0; // no life insurance whatever the rate
    b.LFNUMPAY = 4;
    const auto rows = rows_of(b, 4000);
    EXPECT_DOUBLE_EQ(rows[0].amounts.TAXES, 300);
    EXPECT_DOUBLE_EQ(rows[0].amounts.HOINS, 150);
    EXPECT_DOUBLE_EQ(rows[0].amounts.OTINS, 0);
    EXPECT_DOUBLE_EQ(rows[0].amounts.DSINS, 10);
    EXPECT_NEAR(rows[1].amounts.DSINS, rows[0].BALANCE * 0.01 / 12, 1e-12);
    EXPECT_EQ(rows[2].amounts.DSINS, 0);
    EXPECT_EQ(rows[3].amounts.DSINS, 0);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(rows[k].amounts.LFINS, 0);
    // Principal is what the payment leaves after every other part.
    const auto& a = rows[1].amounts;
    EXPECT_NEAR(a.PRINAMT, 4000 - 300 - 150 - a.DSINS - a.INTAMT, 1e-9);
    // A premium frequency of 0 gives no premium rather than a division by zero.
    b.DSFREQ = 0;
    EXPECT_EQ(rows_of(b, 4000)[0].amounts.DSINS, 0);
}

TEST(Schedule, SettlementOfTheFirstAndLastRows) {
    LoanBlock one = loan(1000, 12, 1, 12, 1, "02152005");
    one.TAXES = 1200;
    one.TERMYEARS = 1;
    const auto r1 = rows_of(one, 5);
    const double interest = 0.12 / 365 * 28 * 1000;
    EXPECT_DOUBLE_EQ(r1[0].amounts.PRINAMT, 1000);
    EXPECT_NEAR(r1[0].amounts.PAYMENT, 1000 + 1200 + interest, 1e-9);
    EXPECT_EQ(r1[0].BALANCE, 0);
    EXPECT_NEAR(r1[1].amounts.PAYMENT, r1[0].amounts.PAYMENT, 1e-12);
    EXPECT_NEAR(r1[2].amounts.PAYMENT, r1[0].amounts.PAYMENT, 1e-12);

    // Fixed principal: the last row takes the balance as principal, its payment the fixed part.
    const auto r5 = rows_of(loan(1000, 12, 3, 12, 5, "01152005"), 0);
    EXPECT_DOUBLE_EQ(r5[0].amounts.PRINAMT, 1000.0 / 3);
    EXPECT_DOUBLE_EQ(r5[2].amounts.PRINAMT, r5[1].BALANCE);
    EXPECT_DOUBLE_EQ(r5[2].amounts.PAYMENT, 1000.0 / 3);
    EXPECT_EQ(r5[2].BALANCE, 0);
}

TEST(Schedule, BalloonTerm) {
    const double P = textbook_payment(100000, 9, 12, 360);
    const auto rows = rows_of(loan(100000, 9, 360, 12, 0, "01152005"), P, Variant::balloon_term(60));
    int payments = 0;
    for (const auto& r : rows)
        payments += r.kind == RowKind::Payment;
    ASSERT_EQ(payments, 60);
    // The balance after 59 level payments, in closed form.
    const double g = std::pow(1.0075, 59);
    const double before = 100000 * g - P * (g - 1) / 0.0075;
    const sc::Row* last = nullptr;
    for (const auto& r : rows)
        if (r.kind == RowKind::Payment) last = &r;
    EXPECT_NEAR(last->amounts.PRINAMT, before, 1e-6);
    EXPECT_NEAR(last->amounts.PAYMENT, before + last->amounts.INTAMT, 1e-9);
    EXPECT_EQ(last->BALANCE, 0);

    // A term of one payment leaves the balloon owing.
    const auto one = rows_of(loan(100000, 9, 360, 12, 0, "01152005"), P, Variant::balloon_term(1));
    ASSERT_EQ(one.size(), 3u);
    EXPECT_DOUBLE_EQ(one[0].amounts.PAYMENT, P);
    EXPECT_NEAR(one[0].BALANCE, 100000 - (P - 750), 1e-9);

    // Escrow is a full share of the term's total: 1,200 a year over 5 years and 60 payments.
    LoanBlock t = loan(100000, 9, 360, 12, 1, "01152005");
    t.TAXES = 1200;
    t.TERMYEARS = 5;
    EXPECT_DOUBLE_EQ(rows_of(t, P, Variant::balloon_term(60))[0].amounts.TAXES, 100);
}

TEST(Schedule, BalloonSavingRows) {
    // Flag 3 keeps the day of the month and takes the flag-0 interest; the fixed group is gone.
    const double P = textbook_payment(10000, 12, 12, 24);
    const auto rows = rows_of(loan(10000, 12, 24, 12, 3, "11152005"), P, Variant::balloon_saving(3));
    EXPECT_EQ(labels(rows), (Labels{"11/15/2005", "12/15/2005", "TOTALS 2005", "01/15/2006", "TOTALS 2006",
                                    "GRAND TOTALS"}));
    EXPECT_NEAR(rows[0].amounts.INTAMT, 100, 1e-9);
    EXPECT_DOUBLE_EQ(rows[0].amounts.PAYMENT, P);
    // The December row is also the last: its subtotal comes before the closing one.
    const auto dec = rows_of(loan(10000, 12, 24, 12, 1, "11152005"), P, Variant::balloon_saving(2));
    EXPECT_EQ(labels(dec),
              (Labels{"11/15/2005", "12/15/2005", "TOTALS 2005", "TOTALS 2005", "GRAND TOTALS"}));
    EXPECT_EQ(dec[3].amounts.PAYMENT, 0);
}

TEST(Schedule, LoanYearGrouping) {
    const auto rows = rows_of(loan(10000, 12, 30, 12, 1, "01152005"), textbook_payment(10000, 12, 12, 30),
                              Variant::loan_year());
    std::vector<long> after;
    std::vector<int> groups;
    long last_k = 0;
    for (const auto& r : rows) {
        if (r.kind == RowKind::Payment) last_k = r.k;
        if (r.kind == RowKind::Subtotal) {
            after.push_back(last_k);
            groups.push_back(r.group);
        }
        EXPECT_STREQ(r.kind == RowKind::GrandTotal ? "GRAND TOTALS" : "", r.PAYDATE);
    }
    EXPECT_EQ(after, (std::vector<long>{12, 24, 30}));
    EXPECT_EQ(groups, (std::vector<int>{1, 2, 3}));
}

TEST(Schedule, UnusableLoansGiveNoRows) {
    LoanBlock b = loan(1000, 12, 12, 0, 1, "01152005");
    EXPECT_TRUE(rows_of(b, 100).empty());
    b = loan(1000, NAN, 12, 12, 1, "01152005");
    EXPECT_TRUE(rows_of(b, 100).empty());
    b = loan(1000, 12, 0, 12, 1, "01152005");
    EXPECT_TRUE(rows_of(b, 100).empty());
    EXPECT_FALSE(sc::Pass(b, 100).usable());
}

// Checks that hold for every loan: principal sums to the amount financed, the last balance is 0,
// every subtotal and total is the plain column sum, and no amount is undefined.
TEST(Schedule, InvariantsOverAGridOfLoans) {
    int loans = 0;
    for (int flag = 0; flag <= 7; ++flag)
        for (double f : {1.0, 4.0, 12.0, 24.0, 26.0, 52.0})
            for (int odd : {0, 17, 45})
                for (double apr : {0.0, 7.5})
                    for (bool extras : {false, true})
                        for (double n : {1.0, 2.0, 37.0}) {
                            LoanBlock b = loan(25000, apr, n, f, flag, "12282004", odd);
                            if (extras) {
                                b.TAXES = 900;
                                b.HOINS = 300;
                                b.OTINS = 120;
                                b.DSRATE = 0.001;
                                b.DSFREQ = f;
                                b.DSPREM = 25;
                                b.DSNUMPAY = n / 2;
                                b.LFRATE = 0.002;
                                b.LFFREQ = f;
                                b.LFPREM = 50;
                                b.LFNUMPAY = n;
                            }
                            b.TOTALINTEREST = 2000;
                            const double pay = apr > 0 ? textbook_payment(25000, apr, f, n) : 25000 / n;
                            SCOPED_TRACE(testing::Message()
                                         << "flag " << flag << " f " << f << " odd " << odd << " apr " << apr
                                         << " n " << n << " extras " << extras);
                            const auto rows = rows_of(b, pay + 40);
                            ++loans;
                            sc::Amounts year, all;
                            double principal = 0, balance = -1;
                            int payments = 0;
                            for (const auto& r : rows) {
                                for (double v : {r.amounts.INTAMT, r.amounts.PRINAMT, r.amounts.DSINS,
                                                 r.amounts.LFINS, r.amounts.TAXES, r.amounts.HOINS,
                                                 r.amounts.OTINS, r.amounts.PAYMENT, r.BALANCE})
                                    ASSERT_TRUE(std::isfinite(v));
                                if (r.kind == RowKind::Payment) {
                                    ++payments;
                                    principal += r.amounts.PRINAMT;
                                    balance = r.BALANCE;
                                    year += r.amounts;
                                    all += r.amounts;
                                    continue;
                                }
                                const sc::Amounts& want = r.kind == RowKind::Subtotal ? year : all;
                                EXPECT_EQ(r.amounts.INTAMT, want.INTAMT);
                                EXPECT_EQ(r.amounts.PRINAMT, want.PRINAMT);
                                EXPECT_EQ(r.amounts.DSINS, want.DSINS);
                                EXPECT_EQ(r.amounts.LFINS, want.LFINS);
                                EXPECT_EQ(r.amounts.TAXES, want.TAXES);
                                EXPECT_EQ(r.amounts.HOINS, want.HOINS);
                                EXPECT_EQ(r.amounts.OTINS, want.OTINS);
                                EXPECT_EQ(r.amounts.PAYMENT, want.PAYMENT);
                                if (r.kind == RowKind::Subtotal) year = {};
                            }
                            EXPECT_EQ(payments, static_cast<int>(n));
                            EXPECT_NEAR(principal, 25000, 1e-6);
                            EXPECT_EQ(balance, 0.0);
                            ASSERT_FALSE(rows.empty());
                            EXPECT_EQ(rows.back().kind, RowKind::GrandTotal);
                        }
    EXPECT_EQ(loans, 8 * 6 * 3 * 2 * 2 * 3);
}

} // namespace
