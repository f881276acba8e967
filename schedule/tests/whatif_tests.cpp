#include "schedule/whatif.h"

#include "testloans.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using schedtest::loan;
using schedtest::textbook_payment;

using talvero::common::Date;
using talvero::common::LoanBlock;
namespace sc = talvero::schedule;

sc::ExtraPrincipal every(double amount, long from = 1, long step = 1) {
    sc::ExtraPrincipal e;
    e.amount = amount;
    e.from = from;
    e.every = step;
    return e;
}

std::vector<sc::Row> payments(const LoanBlock& b, double schedpay, const sc::Variant& v) {
    std::vector<sc::Row> rows;
    sc::Pass pass(b, schedpay, v);
    for (sc::Row r; pass.next(r);)
        if (r.kind == sc::RowKind::Payment) rows.push_back(r);
    return rows;
}

// A loan at rate i a period paying P + E from the first payment, written out: the balance after m
// payments is A(1+i)^m - (P+E)((1+i)^m - 1)/i; the last payment is the balance left with its interest.
struct Worked {
    double payments;
    double interest;
};
Worked worked_out(double A, double i, double pay) {
    const double n = -std::log(1 - A * i / pay) / std::log(1 + i);
    const double N = std::ceil(n - 1e-9);
    const double g = std::pow(1 + i, N - 1);
    const double left = A * g - pay * (g - 1) / i;
    return {N, (N - 1) * pay + left * (1 + i) - A};
}

TEST(WhatIf, FixedMonthlyExtraAsWorkedOut) {
    // 100,000.00 at 6% over 30 years, 200.00 more every month.
    const double P = textbook_payment(100000, 6, 12, 360);
    const LoanBlock b = loan(100000, 6, 360, 12, 0, "02012025");
    const sc::WhatIf w = sc::what_if(b, P, sc::Variant::regular(), every(200));
    ASSERT_TRUE(w.ok()) << w.error;
    const Worked plain = worked_out(100000, 0.005, P);
    const Worked more = worked_out(100000, 0.005, P + 200);
    EXPECT_EQ(w.NUMPAY, 360);
    EXPECT_EQ(w.NEWNUMPAY, more.payments);
    EXPECT_EQ(w.PAYMENTSSAVED, 360 - more.payments);
    EXPECT_NEAR(w.TOTALINTEREST, plain.interest, 1e-6);
    EXPECT_NEAR(w.NEWTOTALINTEREST, more.interest, 1e-6);
    EXPECT_NEAR(w.INTERESTSAVED, plain.interest - more.interest, 1e-6);
    // 360 payments from 02/01/2025 end 01/01/2055; the new term ends NEWNUMPAY payments on.
    EXPECT_EQ(w.MATURITY, (Date{1, 1, 2055}));
    const int months = static_cast<int>(more.payments) - 1;
    EXPECT_EQ(w.NEWMATURITY, (Date{(1 + months) % 12 + 1, 1, 2025 + (1 + months) / 12}));
}

// The Nest, "Can You Pay off a 30-Year Mortgage Sooner by Making Bigger Payments?"
// (budgeting.thenest.com): 150,000 at 6% over 30 years; 100 more at the start saves 502 of interest,
// 100 more with each of the first nine payments more than 4,300. Their 100 goes in a month before the
// first payment and grows to 100 x 1.005^360 by the end; paid with the first payment it grows for a
// month less: 502.26 = 1.005 x saved + 0.50.
TEST(WhatIf, PublishedLumpSumExample) {
    const double P = textbook_payment(150000, 6, 12, 360);
    const LoanBlock b = loan(150000, 6, 360, 12, 0, "01012026");
    sc::ExtraPrincipal one;
    one.lumps = {{{1, 1, 2026}, 100}};
    const sc::WhatIf w1 = sc::what_if(b, P, sc::Variant::regular(), one);
    ASSERT_TRUE(w1.ok()) << w1.error;
    EXPECT_NEAR(w1.INTERESTSAVED, 100 * std::pow(1.005, 359) - 100, 1e-6);
    EXPECT_EQ(std::round(1.005 * w1.INTERESTSAVED + 0.5), 502);
    EXPECT_EQ(w1.PAYMENTSSAVED, 0); // the last payment is smaller, not gone

    sc::ExtraPrincipal nine;
    for (int m = 1; m <= 9; ++m)
        nine.lumps.push_back({{m, 1, 2026}, 100});
    const sc::WhatIf w9 = sc::what_if(b, P, sc::Variant::regular(), nine);
    ASSERT_TRUE(w9.ok()) << w9.error;
    EXPECT_GT(w9.INTERESTSAVED, 4300);
    EXPECT_LT(w9.INTERESTSAVED, 4400);
}

TEST(WhatIf, YearlyThirteenthPayment) {
    // One more regular payment with each December payment; balance interest at 0.5% a month.
    const double P = textbook_payment(200000, 6, 12, 360);
    const LoanBlock b = loan(200000, 6, 360, 12, 0, "01012025");
    sc::ExtraPrincipal e;
    e.amount = P;
    e.month = 12;
    const sc::WhatIf w = sc::what_if(b, P, sc::Variant::regular(), e);
    ASSERT_TRUE(w.ok()) << w.error;
    double balance = 200000, interest = 0, count = 0;
    for (int month = 1; balance > 0; month = month % 12 + 1) {
        const double i = balance * 0.005;
        const double paid = std::fmin(P + (month == 12 ? P : 0), balance + i);
        interest += i;
        balance += i - paid;
        ++count;
    }
    EXPECT_EQ(w.NEWNUMPAY, count);
    EXPECT_NEAR(w.NEWTOTALINTEREST, interest, 1e-6);
    for (const sc::Row& r : payments(b, P, w.variant)) {
        const bool december = r.date.month == 12;
        if (r.BALANCE > 0) {
            EXPECT_EQ(r.extra > 0, december) << r.PAYDATE;
        }
    }
}

TEST(WhatIf, LumpSums) {
    const double P = textbook_payment(50000, 8, 12, 120);
    const LoanBlock b = loan(50000, 8, 120, 12, 1, "03152025");
    // Several, given out of order, each with the payment due on its date or the first after it.
    sc::ExtraPrincipal several;
    several.lumps = {{{7, 20, 2027}, 3000}, {{3, 15, 2025}, 1000}, {{12, 1, 2025}, 2000}};
    const sc::WhatIf w = sc::what_if(b, P, sc::Variant::regular(), several);
    ASSERT_TRUE(w.ok()) << w.error;
    std::vector<std::string> dates;
    double extra = 0;
    for (const sc::Row& r : payments(b, P, w.variant))
        if (r.extra > 0) {
            dates.emplace_back(r.PAYDATE);
            extra += r.extra;
        }
    EXPECT_EQ(dates, (std::vector<std::string>{"03/15/2025", "12/15/2025", "08/15/2027"}));
    EXPECT_DOUBLE_EQ(extra, 6000);
    EXPECT_GT(w.PAYMENTSSAVED, 0);
    EXPECT_GT(w.INTERESTSAVED, 0);

    struct Case {
        const char* name;
        sc::Lump lump;
        const char* message;
    } const refused[] = {
        {"more than the balance",
         {{3, 1, 2030}, 40000},
         "The lump sum of 40000.00 dated 03/01/2030 is more than the balance of "},
        {"before the loan",
         {{3, 14, 2025}, 100},
         "The lump sum dated 03/14/2025 falls outside the loan (03/15/2025 to "},
        {"after the last payment",
         {{3, 16, 2035}, 100},
         "The lump sum dated 03/16/2035 falls outside the loan"},
        {"nothing", {{3, 15, 2026}, 0}, "The lump sum dated 03/15/2026 must be more than 0."},
        {"no date", {{2, 30, 2026}, 10}, "A lump sum needs a valid date."},
    };
    for (const Case& c : refused) {
        sc::ExtraPrincipal e;
        e.lumps = {c.lump};
        const sc::WhatIf r = sc::what_if(b, P, sc::Variant::regular(), e);
        EXPECT_EQ(r.error.rfind(c.message, 0), 0u) << c.name << ": " << r.error;
        EXPECT_EQ(r.NEWNUMPAY, 0) << c.name;
        EXPECT_EQ(r.variant.extra, std::nullopt) << c.name;
    }
    // A lump sum the earlier extra leaves no loan for.
    sc::ExtraPrincipal late = every(2000);
    late.lumps = {{{1, 1, 2034}, 10}};
    EXPECT_EQ(sc::what_if(b, P, sc::Variant::regular(), late)
                  .error.rfind("The lump sum dated 01/01/2034 comes after the loan is paid off on ", 0),
              0u);
}

TEST(WhatIf, RefusesBadInput) {
    const LoanBlock b = loan(10000, 10, 24, 12, 1, "01152025");
    const double P = textbook_payment(10000, 10, 12, 24);
    sc::ExtraPrincipal yearly;
    yearly.amount = 10;
    yearly.month = 13;
    struct Case {
        sc::ExtraPrincipal extra;
        const char* message;
    } const cases[] = {
        {every(-1), "The extra amount cannot be negative."},
        {every(10, 0), "The extra payments must start with a payment from 1 to 24."},
        {every(10, 25), "The extra payments must start with a payment from 1 to 24."},
        {every(10, 1, 0), "The extra amount must come every 1 or more payments."},
        {yearly, "The month of the yearly extra must be 1 to 12."},
        {every(10000.01), "The extra amount of 10000.01 is more than the balance of 10000.00."},
        {every(NAN), "The extra amount cannot be negative."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sc::what_if(b, P, sc::Variant::regular(), c.extra).error, c.message);
}

// Every flag pays off sooner with 150.00 more each payment, interest following the balance left; the
// fixed-principal flags too. Without extra the flags whose interest follows the balance keep their
// regular schedule row for row.
TEST(WhatIf, EachInterestFlag) {
    for (int flag = 0; flag <= 7; ++flag) {
        LoanBlock b = loan(12000, 12, 36, 12, flag, "01152025");
        b.ODDDAYS = 40;
        b.TOTALINTEREST = 2300;
        const bool fixed = flag >= 3 && flag <= 5;
        const double pay = fixed ? 12000.0 / 36 : textbook_payment(12000, 12, 12, 36);
        const sc::WhatIf w = sc::what_if(b, pay, sc::Variant::regular(), every(150));
        ASSERT_TRUE(w.ok()) << flag << ": " << w.error;
        EXPECT_LT(w.NEWNUMPAY, 36) << flag;
        if (flag == 5)
            EXPECT_EQ(w.INTERESTSAVED, 0);
        else
            EXPECT_GT(w.INTERESTSAVED, 0) << flag;
        const std::vector<sc::Row> rows = payments(b, pay, w.variant);
        EXPECT_EQ(rows.back().BALANCE, 0) << flag;
        if (flag == 1 || flag == 2 || flag == 3 || flag == 4 || flag == 5) {
            const std::vector<sc::Row> plain = payments(b, pay, sc::Variant::regular());
            const std::vector<sc::Row> none = payments(b, pay, sc::Variant::with_extra({}, {}));
            ASSERT_EQ(plain.size(), none.size()) << flag;
            for (std::size_t k = 0; k < plain.size(); ++k) {
                EXPECT_EQ(plain[k].amounts.INTAMT, none[k].amounts.INTAMT) << flag << " row " << k;
                EXPECT_EQ(plain[k].amounts.PAYMENT, none[k].amounts.PAYMENT) << flag << " row " << k;
                EXPECT_EQ(plain[k].BALANCE, none[k].BALANCE) << flag << " row " << k;
            }
        }
    }
    // Flags 0 and 6: the first period's interest is the nominal period interest with the odd days'
    // correction (40 days: 10 days beyond a month at the 360-day rate).
    LoanBlock b = loan(12000, 12, 36, 12, 6, "01152025");
    b.ODDDAYS = 40;
    const sc::WhatIf w = sc::what_if(b, 400, sc::Variant::regular(), every(10));
    EXPECT_NEAR(payments(b, 400, w.variant).front().amounts.INTAMT, 120 + 10 * 0.12 / 360 * 12000, 1e-9);
}

TEST(WhatIf, BalloonTerm) {
    // 60 payments of a loan amortized over 360; the balloon shrinks by the 59 extras before it with
    // their interest (100 a month at 7/12% a month) and, with enough extra, goes.
    const double P = textbook_payment(100000, 7, 12, 360);
    const LoanBlock b = loan(100000, 7, 360, 12, 0, "01012025");
    const sc::Variant term = sc::Variant::balloon_term(60);
    const sc::WhatIf small = sc::what_if(b, P, term, every(100));
    ASSERT_TRUE(small.ok()) << small.error;
    EXPECT_EQ(small.NUMPAY, 60);
    EXPECT_EQ(small.NEWNUMPAY, 60);
    EXPECT_GT(small.INTERESTSAVED, 0);
    const std::vector<sc::Row> plain = payments(b, P, sc::Variant::with_extra(term, {}));
    const std::vector<sc::Row> fewer = payments(b, P, small.variant);
    const double i = 0.07 / 12;
    EXPECT_NEAR(plain.back().amounts.PRINAMT - fewer.back().amounts.PRINAMT,
                100 * (std::pow(1 + i, 59) - 1) / i, 1e-6);
    const sc::WhatIf big = sc::what_if(b, P, term, every(2000));
    ASSERT_TRUE(big.ok()) << big.error;
    EXPECT_LT(big.NEWNUMPAY, 60);
    EXPECT_EQ(payments(b, P, big.variant).back().BALANCE, 0);
}

// Over a grid of loans: principal paid is the amount financed, the new interest never exceeds the
// original, no amount is NaN.
TEST(WhatIf, InvariantsOverAGrid) {
    const double amounts[] = {500, 25000, 350000};
    const double rates[] = {0, 3.5, 18};
    const double terms[] = {1, 12, 61, 360};
    const double freqs[] = {12, 26, 1, 4};
    const double extras[] = {0, 25, 1000};
    for (double A : amounts)
        for (double apr : rates)
            for (double n : terms)
                for (double f : freqs)
                    for (int flag = 0; flag <= 7; ++flag)
                        for (double x : extras) {
                            LoanBlock b = loan(A, apr, n, f, flag, "06302025");
                            b.TOTALINTEREST = A * apr / 100 * n / f / 2;
                            const bool fixed = flag >= 3 && flag <= 5;
                            const double pay = fixed || apr == 0 ? A / n : textbook_payment(A, apr, f, n);
                            sc::ExtraPrincipal e = every(x);
                            e.lumps = {{{12, 31, 2025}, A / 10}};
                            const sc::WhatIf w = sc::what_if(b, pay, sc::Variant::regular(), e);
                            const std::string at = std::to_string(A) + " " + std::to_string(apr) + " " +
                                                   std::to_string(n) + " f" + std::to_string(f) + " flag" +
                                                   std::to_string(flag) + " x" + std::to_string(x);
                            if (!w.ok()) {
                                // Only an extra beyond a balance or a lump sum after the last payment.
                                EXPECT_TRUE(w.error.find("more than the balance") != std::string::npos ||
                                            w.error.find("lump sum dated") != std::string::npos)
                                    << at << w.error;
                                continue;
                            }
                            EXPECT_LE(w.NEWTOTALINTEREST, w.TOTALINTEREST + 1e-9 * A) << at;
                            EXPECT_LE(w.NEWNUMPAY, w.NUMPAY) << at;
                            double principal = 0;
                            sc::Pass pass(b, pay, w.variant);
                            for (sc::Row r; pass.next(r);) {
                                const sc::Amounts& a = r.amounts;
                                for (double v : {a.INTAMT, a.PRINAMT, a.PAYMENT, a.DSINS, r.BALANCE})
                                    ASSERT_TRUE(std::isfinite(v)) << at;
                                if (r.kind == sc::RowKind::Payment) principal += a.PRINAMT;
                            }
                            EXPECT_NEAR(principal, A, 1e-7 * A) << at;
                        }
}

} // namespace
