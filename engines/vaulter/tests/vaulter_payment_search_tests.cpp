// The payment search of case 1 against a plain rendering of its rules: the level payment it ends
// with includes the raise by the last payment's excess, its shortcuts land where the pass-by-pass
// search lands, and no call runs past the search's budget.
#include "common/period_days.h"
#include "vaulter_test_support.h"

#include <algorithm>
#include <random>

namespace talvero::vaulter::testing {
namespace {

struct Plain {
    double payment = 0, lastpay = 0, interest = 0;
    bool last_step_raised = false; // the search's last pass raised L by a shortfall under 2.00
};

// Case 1 for flags 1, 2 and 7 at frequencies other than 1, step by step as the rules read, in plain
// doubles: estimate, odd days, level payment, amortization pass, pre-adjustment, search, final pass.
Plain plain_case_1(const Block& in) {
    const int flag = in.INTMETHOD;
    const double F = in.FINANCEAMT, R = in.APR, N = in.NUMPAY, T = in.BLPAY, f = in.FREQUENCY;
    const int o = in.ODDDAYS;
    const double Y = std::max(T / f, 1.0);
    const bool year365 = flag != 2;
    const double d = R * 0.01 / (year365 ? 365.0 : 360.0);
    // The days per period of the factors, from the shared table (common_tests checks them).
    const talvero::common::PeriodDays& row = talvero::common::period_days(f);
    const double days = row.balloon_annuity_365.of(f);
    const double days360 = row.annuity_360.of(f);
    auto factor = [&](double n) {
        const double i = d * (year365 ? days : days360);
        return (1.0 - 1.0 / std::pow(1.0 + i, n)) / i;
    };
    auto premium = [&](double base, double count, double rate, double per_year, double k, double balance) {
        if (!(base > 0) || k > count) return 0.0;
        return k == 1 ? base / per_year : balance * rate / per_year;
    };
    const double P = F / factor(N);
    double sI = 0, sP = 0, sD = 0, sL = 0, sH = 0, sW = 0, last = 0;
    double B = F;
    for (double k = 1; k <= N; ++k) {
        const double I = R / f * 0.01 * P * factor(N - k + 1);
        const double p = P - I;
        sP += p;
        sI += I;
        B = k == 1 ? F - p : B - p;
        sD += premium(in.DSPREM, in.DSNUMPAY, in.DSRATE, in.DSFREQ, k, B);
        sL += premium(in.LFPREM, in.LFNUMPAY, in.LFRATE, in.LFFREQ, k, B);
    }
    if (o > 0) sI += o * d * F;
    const double escrow_years = in.HOINS * Y + in.OTINS * Y + in.TAXES * Y;
    double L = (sI + sP + sD + sL + escrow_years) / N;

    auto pass = [&](double n, double tax_div, double ins_div, bool balloon) {
        sI = sP = sD = sL = sH = sW = last = 0;
        double balance = 0;
        int month = (in.FIRSTDUE[0] - '0') * 10 + (in.FIRSTDUE[1] - '0');
        int year = std::atoi(in.FIRSTDUE + 4);
        const double t = in.TAXES > 0 ? in.TAXES * Y / tax_div : 0;
        const double h = in.HOINS > 0 ? in.HOINS * Y / ins_div : 0;
        const double w = in.OTINS > 0 ? in.OTINS * Y / ins_div : 0;
        for (double k = 1; k <= n; ++k) {
            if (f == 12 && k > 1 && ++month > 12) month = 1, ++year;
            const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
            const int month_days[] = {0, 31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
            const double rate = d * (f == 12 ? month_days[month] : year365 ? days : days360);
            const double I = k == 1 ? (o >= 1 ? o * d * F : rate * F) : rate * balance;
            sI += I;
            const double D = premium(in.DSPREM, in.DSNUMPAY, in.DSRATE, in.DSFREQ, k, balance);
            const double Lf = premium(in.LFPREM, in.LFNUMPAY, in.LFRATE, in.LFFREQ, k, balance);
            sD += D, sL += Lf, sH += h, sW += w;
            double p = L - t - h - w - D - Lf - I;
            sP += p;
            if (k == 1 && k == T && balloon) {
                sP = p, balance = F - p, last = balance;
            } else if (k == 1) {
                balance = F - p;
            } else if (k == n) {
                sP = sP - p + balance, last = balance + t + h + w + D + Lf + I, balance = 0;
            } else {
                balance -= p;
            }
        }
    };

    pass(N, N, N, false);
    if (last > L) {
        const double over = last - L;
        if (over < 2.0)
            L += over / N;
        else if (R >= 13.0)
            L += 0.1;
        else if (sD <= 0 && sL <= 0 && sH <= 0 && sW <= 0 && flag != 2)
            L = (sI + sP + sD + sL + escrow_years) / N;
    }
    if (last < 0) L -= 1.0;

    Plain out;
    bool stepped = false;
    for (int passes = 0; passes < 1000000; ++passes) {
        pass(N, N, N, false);
        out.last_step_raised = false;
        if (last > L) {
            const double over = last - L;
            if (over < 2.0) {
                L += over / N;
                out.last_step_raised = true;
            } else if (!stepped) {
                L += over >= 2.0 * L ? 1.0 : 0.01;
                continue;
            }
        }
        if (last < 0) {
            L -= last <= -2.0 * L ? (R < 25.0 ? 0.1 : 0.01) : 0.01;
            stepped = true;
            continue;
        }
        if (stepped && R < 25.0 && last > L) {
            L += 0.01;
            continue;
        }
        break;
    }
    pass(T, T, N, true);
    out.payment = L;
    out.lastpay = last;
    out.interest = sI;
    return out;
}

class PaymentSearch : public VaulterTest {};

TEST_F(PaymentSearch, EndsWithTheRaiseOfItsLastStep) {
    // The reported case, with the figures worked out by hand from the rules.
    Block b = starting_block(2);
    b.FINANCEAMT = 25000.0;
    b.ORGAMT = 24000.0;
    b.APR = 9.0;
    b.NUMPAY = 60.0;
    b.BLPAY = 24.0;
    set_first_due(b, "01312004");
    ASSERT_TRUE(run(b).empty());
    EXPECT_NEAR(b.PAYMENT, 520.524885, 5e-7);
    EXPECT_NEAR(b.LASTPAY, 16861.269049, 5e-7);
    EXPECT_NEAR(b.TOTALINTEREST, 3833.341408, 5e-7);
    EXPECT_NEAR(b.REGZAPR, 10.90, 1e-9);
}

TEST_F(PaymentSearch, LastRaiseAgreesWithThePlainRules) {
    const struct {
        int flag;
        double f, amount, apr, numpay, blpay;
        int odd_days;
        double taxes, home, other, disability, life;
        const char* first_due;
    } rows[] = {
        {2, 12, 25000, 9, 60, 24, 0, 0, 0, 0, 0, 0, "01312004"},
        {1, 12, 60000, 8.5, 120, 36, 0, 1800, 600, 0, 0.0006, 0.0003, "03152004"},
        {7, 12, 42000, 11.25, 84, 24, 17, 1200, 480, 120, 0.0005, 0, "11302003"},
        {1, 26, 30000, 7.75, 260, 52, 0, 900, 300, 0, 0.0004, 0.0002, "01152004"},
        {7, 26, 18000, 10.5, 130, 26, 0, 600, 0, 60, 0, 0.0003, "02292004"},
        {2, 26, 22000, 6.5, 156, 52, 0, 0, 0, 0, 0, 0, "06012005"},
        {1, 4, 75000, 9.5, 40, 12, 0, 2400, 700, 0, 0.0005, 0, "01152004"},
        {7, 4, 50000, 12.0, 60, 20, 45, 1500, 500, 100, 0, 0.0004, "07012004"},
        {2, 4, 90000, 8.0, 48, 16, 0, 0, 0, 0, 0, 0, "04302004"},
        {2, 12, 35000, 10.0, 180, 60, 0, 1000, 400, 0, 0.0005, 0.0002, "01312004"},
    };
    int raised[8] = {};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "flag " << row.flag << " f " << row.f << " amount " << row.amount);
        Block b = starting_block(row.flag);
        b.FINANCEAMT = row.amount;
        b.ORGAMT = row.amount * 0.96;
        b.APR = row.apr;
        b.NUMPAY = row.numpay;
        b.BLPAY = row.blpay;
        b.FREQUENCY = row.f;
        b.ODDDAYS = row.odd_days;
        b.TAXES = row.taxes;
        b.HOINS = row.home;
        b.OTINS = row.other;
        b.DSRATE = row.disability;
        b.DSFREQ = row.disability > 0 ? row.f : 0;
        b.DSPREM = row.amount * row.disability;
        b.DSNUMPAY = row.numpay;
        b.LFRATE = row.life;
        b.LFFREQ = row.life > 0 ? 12 : 0;
        b.LFPREM = row.amount * row.life;
        b.LFNUMPAY = row.numpay / 2;
        set_first_due(b, row.first_due);
        const Plain expected = plain_case_1(b);
        ASSERT_TRUE(run(b).empty());
        EXPECT_NEAR(b.PAYMENT, expected.payment, 1e-7);
        EXPECT_NEAR(b.LASTPAY, expected.lastpay, 1e-6);
        EXPECT_NEAR(b.TOTALINTEREST, expected.interest, 1e-6);
        if (expected.last_step_raised) ++raised[row.flag];
    }
    // Each flag has a loan whose search ends on that raise.
    EXPECT_GE(raised[1], 1);
    EXPECT_GE(raised[2], 1);
    EXPECT_GE(raised[7], 1);
}

// Random case-1 loans whose pass-by-pass search ends quickly: the leaps over runs of equal steps and
// the runs known from a few of their passes give the same block bit for bit.
TEST_F(PaymentSearch, LeapsLandWhereThePassByPassSearchLands) {
    std::mt19937 random(77);
    const double frequencies[] = {1, 2, 4, 12, 24, 26, 52};
    int compared = 0, leapt = 0;
    double known = 0.0;
    for (int trial = 0; trial < 300; ++trial) {
        Block b = starting_block(static_cast<int>(random() % 8));
        b.FREQUENCY = frequencies[random() % 7];
        b.FINANCEAMT = b.ORGAMT = 50.0 + static_cast<double>(random() % 90000000) / 100.0;
        b.APR = 0.5 + static_cast<double>(random() % 4949) / 100.0;
        b.NUMPAY = 1.0 + static_cast<double>(random() % 120);
        b.BLPAY = 1.0 + static_cast<double>(random() % static_cast<int>(b.NUMPAY));
        b.ODDDAYS = random() % 3 == 0 ? static_cast<int>(random() % 800) : 0;
        if (random() % 3 == 0) {
            b.TAXES = static_cast<double>(random() % 4000);
            b.HOINS = static_cast<double>(random() % 1500);
        }
        Block quick = b, plain = b;
        Work quick_work, plain_work;
        Tuning stepping;
        stepping.skip_repeated_steps = false;
        stepping.period_budget = 2e6;
        Tuning leaping;
        leaping.period_budget = 2e6;
        solve(plain, Messages{}, stepping, &plain_work);
        if (plain_work.budget_reached) continue; // the plain search does not end in reasonable time
        solve(quick, Messages{}, leaping, &quick_work);
        SCOPED_TRACE(::testing::Message()
                     << "trial " << trial << " flag " << b.INTMETHOD << " f " << b.FREQUENCY);
        EXPECT_EQ(std::memcmp(&quick, &plain, sizeof(Block)), 0);
        EXPECT_EQ(quick.PAYMENT, plain.PAYMENT);
        EXPECT_EQ(quick_work.passes, plain_work.passes);
        if (quick_work.periods < plain_work.periods) ++leapt;
        EXPECT_EQ(plain_work.passes_known, 0.0);
        known += quick_work.passes_known;
        ++compared;
    }
    EXPECT_GT(compared, 250);
    EXPECT_GT(leapt, 10);
    EXPECT_GT(known, 1000.0);
}

// Random blocks of every shape the balloon form sends, 99,999 payments included: the search never
// runs more periods than its budget, and a call that reaches it ends rejected.
TEST_F(PaymentSearch, NoCallRunsPastItsBudget) {
    std::mt19937 random(5150);
    const double frequencies[] = {1, 2, 4, 12, 24, 26, 52, 3};
    for (int trial = 0; trial < 80; ++trial) {
        Block b = starting_block(static_cast<int>(random() % 8));
        b.FREQUENCY = frequencies[random() % 8];
        b.FINANCEAMT = b.ORGAMT = 0.01 + static_cast<double>(random() % 100000000) / 100.0;
        b.APR = 0.01 + static_cast<double>(random() % 4999) / 100.0;
        b.NUMPAY = 1.0 + static_cast<double>(random() % (trial % 4 == 0 ? 99999 : 2000));
        b.BLPAY = 1.0 + static_cast<double>(random() % static_cast<int>(b.NUMPAY));
        b.ODDDAYS = random() % 2 ? static_cast<int>(random() % 999) : 0;
        b.SKPMONTH = static_cast<int>(random() % 13);
        if (random() % 2 == 0) {
            b.TAXES = static_cast<double>(random() % 5000);
            b.OTINS = static_cast<double>(random() % 800);
        }
        Work work;
        Recorder recorder;
        solve(b, recorder.messages(), Tuning{}, &work);
        SCOPED_TRACE(::testing::Message() << "trial " << trial);
        EXPECT_LE(work.periods, kSearchPeriodBudget);
        EXPECT_LE(work.passes, kSearchPassBudget);
        if (work.budget_reached) {
            EXPECT_EQ(b.ERRFLAG, 1);
            ASSERT_EQ(recorder.texts.size(), 1u);
        }
    }
}

// A search stopped by its budget reports no payment: the not-enough-data message and ERRFLAG 1.
TEST_F(PaymentSearch, SpentBudgetEndsRejected) {
    Block b = starting_block(2);
    b.NUMPAY = 99999.0;
    b.BLPAY = 360.0;
    b.APR = 4.0;
    Tuning tight;
    tight.period_budget = 300000.0;
    Work work;
    Recorder recorder;
    solve(b, recorder.messages(), tight, &work);
    EXPECT_TRUE(work.budget_reached);
    EXPECT_LE(work.periods, 300000.0);
    EXPECT_EQ(b.ERRFLAG, 1);
    ASSERT_EQ(recorder.texts.size(), 1u);
    EXPECT_NE(recorder.texts[0].find("Not enought data"), std::string::npos);
}

// The balloon blocks that froze the program end with a payment after an enormous number of equal
// steps, counted but not made one by one.
TEST_F(PaymentSearch, FormerlySlowSearchesLeapTheirLongRuns) {
    Block first = starting_block(1);
    first.FREQUENCY = 4;
    first.FINANCEAMT = 486940.52;
    first.ORGAMT = 0;
    first.APR = 11.5801;
    first.NUMPAY = 617;
    first.BLPAY = 222;
    first.ODDDAYS = 351;
    set_first_due(first, "05142012");
    Block second = starting_block(7);
    second.FREQUENCY = 24;
    second.FINANCEAMT = 35058.26;
    second.ORGAMT = 0;
    second.APR = 12.5;
    second.NUMPAY = 4000;
    second.BLPAY = 1;
    second.ODDDAYS = 400;
    second.SKPMONTH = 3;
    set_first_due(second, "01312004");
    for (Block* b : {&first, &second}) {
        Work work;
        solve(*b, Messages{}, Tuning{}, &work);
        EXPECT_EQ(b->ERRFLAG, 0);
        EXPECT_FALSE(work.budget_reached);
        EXPECT_GT(work.passes, 1e9);
        EXPECT_LT(work.periods, 1e6);
        EXPECT_TRUE(std::isfinite(b->PAYMENT));
    }
}

} // namespace
} // namespace talvero::vaulter::testing
