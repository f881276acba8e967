// Each engine's totals against the sums of the schedule rows the program shows for the loan it
// computed, over a grid of interest flags, frequencies and loans.
#include "schedule/schedule.h"
#include "tessera/engine.h"
#include "vaulter/engine.h"

#include "common/loan_amounts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

using talvero::common::BalloonBlock;
using talvero::common::LoanBlock;
using talvero::common::RegularBlock;
namespace sc = talvero::schedule;

struct Terms {
    double amount, apr, numpay_years, taxes, hoins, otins, dsrate, lfrate;
    int odddays;
};

const Terms kTerms[] = {
    {50000, 10, 5, 0, 0, 0, 0, 0, 0},
    {120000, 6.5, 15, 1800, 600, 240, 0.002, 0.003, 0},
    {8000, 18, 2, 300, 0, 120, 0, 0.004, 17},
};
const int kFlags[] = {0, 1, 2, 3, 4, 5, 6, 7};
const double kFrequencies[] = {1, 2, 4, 12, 24, 26, 52};

LoanBlock loanOf(const Terms& t, int flag, double f) {
    LoanBlock b;
    b.FINANCEAMT = b.ORGAMT = t.amount;
    b.APR = t.apr;
    b.NUMPAY = std::round(t.numpay_years * f);
    b.FREQUENCY = f;
    b.INTMETHOD = flag;
    std::snprintf(b.FIRSTDUE, sizeof b.FIRSTDUE, "%s", "03152004");
    b.ODDDAYS = t.odddays;
    b.TAXES = t.taxes, b.HOINS = t.hoins, b.OTINS = t.otins;
    b.DSRATE = t.dsrate, b.LFRATE = t.lfrate;
    b.DSFREQ = t.dsrate > 0 ? f : 0, b.LFFREQ = t.lfrate > 0 ? f : 0;
    b.DSYEARS = t.dsrate > 0 ? 2 : 0, b.LFYEARS = t.lfrate > 0 ? 3 : 0;
    b.TERMYEARS = std::max(b.NUMPAY / f, 1.0);
    talvero::common::set_insurance_bases(b);
    return b;
}

sc::Amounts grand(const LoanBlock& b, double schedpay, const sc::Variant& v) {
    sc::Pass pass(b, schedpay, v);
    for (sc::Row row; pass.next(row);)
        if (row.kind == sc::RowKind::GrandTotal) return row.amounts;
    ADD_FAILURE() << "no grand total";
    return {};
}

void noMessage(void*, int, const char* text) {
    ADD_FAILURE() << text;
}
void noBalloonMessage(void*, const char* text) {
    ADD_FAILURE() << text;
}

struct Totals {
    double principal, interest, insurance, taxes;
};

Totals engineTotals(const LoanBlock& b) {
    return {b.TOTALPRINCIPAL, b.TOTALINTEREST, b.TOTALINSURANCE, b.TOTALTAXES};
}

Totals scheduleTotals(const sc::Amounts& s) {
    return {s.PRINAMT, s.INTAMT, s.DSINS + s.LFINS + s.HOINS + s.OTINS, s.TAXES};
}

void expectCents(const Totals& engine, const Totals& shown, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_NEAR(shown.principal, engine.principal, 0.005) << "TOTALPRINCIPAL";
    EXPECT_NEAR(shown.interest, engine.interest, 0.005) << "TOTALINTEREST";
    EXPECT_NEAR(shown.insurance, engine.insurance, 0.005) << "TOTALINSURANCE";
    EXPECT_NEAR(shown.taxes, engine.taxes, 0.005) << "TOTALTAXES";
}

// The rule-of-78 interest the schedule shows over `rows` payment rows: each row's share m of the
// digit sum 1 + ... + K, K being twelve per year of the rows (at least one year), one per year
// for a yearly loan.
double ruleOf78Interest(double totalInterest, double rows, double f) {
    const double years = std::max(rows / f, 1.0);
    const double perYear = f == 1 ? 1 : 12; // a yearly loan's digits are its years
    const double K = std::trunc(years * perYear);
    const double digits = K * (K + 1) / 2;
    double sum = 0;
    for (double k = 1; k <= rows; ++k) {
        double m = rows >= perYear ? rows - (k - 1) : perYear - (k - 1);
        if (m <= 0) m = 1;
        sum += m / digits * totalInterest;
    }
    return sum;
}

// Outside payoffs the engines take flag 6 like flag 0 and flag 7 like flag 1.
int engineRuleOf(int flag) {
    return flag == 6 ? 0 : flag == 7 ? 1 : flag;
}

// Checks the engine's totals against the schedule the program shows (`variant` over `rows` rows)
// and, where the two differ on purpose, against the difference the rules intend. `asRun` is the loan as
// the engine ran it: its own interest rule, and for the balloon engine the home-owner and other
// insurance on the amortize period.
void expectTotals(const LoanBlock& b, const LoanBlock& asRun, double rows, const sc::Variant& variant) {
    const Totals engine = engineTotals(b);
    const sc::Amounts shown = grand(b, b.PAYMENT, variant);
    const int flag = b.INTMETHOD;
    if (flag == 6 || flag == 7) {
        SCOPED_TRACE("known case: the schedule takes the rule of 78 from TOTALINTEREST");
        EXPECT_NEAR(shown.INTAMT, ruleOf78Interest(b.TOTALINTEREST, rows, b.FREQUENCY), 0.005);
    }
    sc::Pass pass(asRun, b.PAYMENT, variant);
    sc::Row first;
    ASSERT_TRUE(pass.next(first));
    sc::Amounts ran = first.amounts;
    for (sc::Row row; pass.next(row);)
        if (row.kind == sc::RowKind::GrandTotal) ran = row.amounts;
    // The engine counts HOINS and OTINS of the whole term, whatever it spread over the rows.
    Totals asRunTotals = scheduleTotals(ran);
    asRunTotals.insurance = ran.DSINS + ran.LFINS + (b.HOINS + b.OTINS) * b.TERMYEARS;

    expectCents(engine, asRunTotals, "the schedule as the engine ran it");
    if (asRun.INTMETHOD == flag && asRun.HOINS == b.HOINS && asRun.OTINS == b.OTINS)
        expectCents(engine, scheduleTotals(shown), "the schedule shown");
}

TEST(Grid, TesseraTotalsAreTheScheduleSums) {
    for (const Terms& t : kTerms)
        for (int flag : kFlags)
            for (double f : kFrequencies) {
                SCOPED_TRACE(::testing::Message() << "amount " << t.amount << " flag " << flag << " f " << f);
                tessera::Engine e;
                e.on_message = noMessage;
                static_cast<LoanBlock&>(e.block) = loanOf(t, flag, f);
                e.run();
                const RegularBlock& b = e.block;
                ASSERT_EQ(b.ERRFLAG, 0);
                LoanBlock asRun = b;
                asRun.INTMETHOD = engineRuleOf(flag);
                expectTotals(b, asRun, b.NUMPAY, sc::Variant::regular());
            }
}

TEST(Grid, VaulterTotalsAreTheBalloonScheduleSums) {
    for (const Terms& t : kTerms)
        for (int flag : kFlags)
            for (double f : kFrequencies) {
                SCOPED_TRACE(::testing::Message() << "amount " << t.amount << " flag " << flag << " f " << f);
                BalloonBlock b;
                static_cast<LoanBlock&>(b) = loanOf(t, flag, f);
                b.BLPAY = std::max(1.0, std::round(b.NUMPAY / 3));
                talvero::vaulter::solve(b, {noBalloonMessage, nullptr});
                ASSERT_EQ(b.ERRFLAG, 0);
                // Known case: the final pass spreads the home-owner and other insurance over the
                // amortize period, the schedule over the balloon term.
                LoanBlock asRun = b;
                asRun.INTMETHOD = engineRuleOf(flag);
                asRun.HOINS = b.HOINS * b.BLPAY / b.NUMPAY;
                asRun.OTINS = b.OTINS * b.BLPAY / b.NUMPAY;
                expectTotals(b, asRun, b.BLPAY, sc::Variant::balloon_term(b.BLPAY));
            }
}

} // namespace
