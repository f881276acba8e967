// The calculations without their forms: worked values, the reading rules, the loop bounds and
// the floating-point faults.
#include "annuity/business.h"
#include "annuity/investment.h"
#include "annuity/reading.h"
#include "annuity/retirement.h"

#include <gtest/gtest.h>

#include <QString>
#include <cfloat>
#include <functional>

namespace {

using namespace annuity;

QString money(const Answer& a) {
    return QString::asprintf("%7.2f", a.value);
}

struct ReadCase {
    QStringList texts;
    QString required;
    QString message;
    int converted;
};

TEST(Reading, ConvertsInOrderAndStopsAtTheFirstFailure) {
    const ReadCase cases[] = {
        {{" 1000 ", "6", "12", "10"}, kRequiredField, QString(), 4},
        {{"1000", "six", "twelve", "0"}, kRequiredField, "'six' is not a valid floating point value", 1},
        {{"", "6"}, kRequiredField, "'' is not a valid floating point value", 0},
        {{"1000", "0", "12", "10"}, kRequiredField, kRequiredField, 4},
        {{"1000", "6", "-12", "10"}, kRequiredField, kRequiredField, 4},
        {{"   0.00"}, kRequiredApr, kRequiredApr, 1},
        {{"1e-300", "2.5"}, kRequiredField, QString(), 2},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.texts.join(QLatin1Char('|')).toStdString());
        const Reading r = readPositive(c.texts, c.required);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.values.size(), c.converted);
        EXPECT_EQ(r.ok(), c.message.isEmpty());
    }
    EXPECT_EQ(kRequiredField,
              QStringLiteral("You failed to enter a required field properly.  Please correct!"));
}

struct ValueCase {
    const char* what;
    std::function<Answer()> run;
    const char* shown;
};

TEST(Worked, EveryCalculatorGivesItsWorkedValues) {
    const ValueCase cases[] = {
        {"fv single", [] { return fvSingleDeposit(1000, 6, 12, 10); }, "1819.40"},
        {"pv single", [] { return pvSingleDeposit(1000, 6, 12, 10); }, " 549.63"},
        {"fv regular", [] { return fvRegularDeposits(100, 6, 12, 10); }, "16387.93"},
        {"pv regular", [] { return pvRegularDeposits(100, 6, 12, 10); }, "9007.35"},
        {"growth", [] { return growthRate(1000, 2000, 10); }, "   7.18"},
        {"fractional years", [] { return fvSingleDeposit(1000, 5, 4, 2.5); }, "1132.27"},
        {"fv with start", [] { return futureValueWithStart(1000, 100, 6, 12, 10); }, "18289.27"},
        {"fv tiny start", [] { return futureValueWithStart(0.01, 100, 6, 12, 10); }, "16469.89"},
        {"withdraw yearly", [] { return yearsOfWithdrawals(10000, 1000, 6, 1); }, "  15.00"},
        {"withdraw monthly", [] { return yearsOfWithdrawals(100000, 1000, 6, 12); }, "  11.51"},
        {"effective periodic", [] { return effectivePeriodicRate(6, 12); }, "   6.17"},
        {"effective continuous", [] { return effectiveContinuousRate(6); }, "   6.18"},
        {"percent change", [] { return percentChange(100, 125); }, "  25.00"},
        {"percent of total", [] { return percentOfTotal(200, 25); }, "  12.50"},
        {"markup of cost", [] { return markupOfCost(150, 100); }, "  50.00"},
        {"markup of price", [] { return markupOfPrice(150, 100); }, "  33.33"},
        {"price with markup", [] { return priceWithMarkup(80, .25); }, " 100.00"},
        {"below cost, of cost", [] { return markupOfCost(90, 100); }, " -10.00"},
        {"below cost, of price", [] { return markupOfPrice(90, 100); }, " -11.11"},
        {"markup typed as 25", [] { return priceWithMarkup(80, 25); }, "2080.00"},
        {"falling value", [] { return percentChange(100, 80); }, " -20.00"},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Answer a = c.run();
        ASSERT_TRUE(a.ok()) << a.error.toStdString() << a.notice.toStdString();
        EXPECT_EQ(money(a), QString::fromLatin1(c.shown));
    }
}

TEST(Retirement, FractionalPeriodCountsRunOneMorePeriod) {
    // 2.5 years monthly is 30 whole periods; 0.1 years at 5 a year is half a period, run as one.
    const Answer thirty = futureValueWithStart(1000, 100, 6, 12, 2.5);
    double balance = 0;
    for (int k = 0; k < 30; ++k)
        balance = ((k == 0 ? 1000 : balance) + 100) * 1.005;
    EXPECT_NEAR(thirty.value, balance, 1e-9);
    EXPECT_NEAR(futureValueWithStart(1000, 100, 5, 5, 0.1).value, 1100 * 1.01, 1e-9);
}

TEST(Retirement, WithdrawalPeriodLengths) {
    const struct {
        double perYear;
        long double length;
    } cases[] = {{1, 1.0L},    {2, 0.5L},    {3, 0.334L}, {4, 0.25L}, {6, 0.167L},       {12, 0.0834L},
                 {24, 0.042L}, {26, 0.039L}, {52, 0.02L}, {5, 0.2L},  {365, 1.0L / 365}, {0.5, 2.0L}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.perYear);
        EXPECT_NEAR(static_cast<double>(withdrawalPeriodLength(c.perYear)), static_cast<double>(c.length),
                    1e-15);
    }
}

TEST(Retirement, WithdrawalsThatNeverExhaustTheBalanceEndWithTheFiftyYearMessage) {
    const struct {
        const char* what;
        double start, withdrawal, rate, perYear;
    } cases[] = {
        {"withdrawal equals the interest", 1010, 10, 12, 12},
        {"withdrawal below the interest", 10000, 100, 6, 1},
        {"periods too short for fifty years to pass", 1000, 1e-12, 6, 1e12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Answer a = yearsOfWithdrawals(c.start, c.withdrawal, c.rate, c.perYear);
        EXPECT_EQ(a.notice, kFiftyYears);
        EXPECT_TRUE(a.error.isEmpty());
    }
}

TEST(Retirement, WithdrawalsSlightlyAboveTheInterestRunBeyondFiftyYears) {
    const Answer a = yearsOfWithdrawals(1010, 10.01, 12, 12);
    ASSERT_TRUE(a.ok());
    EXPECT_GT(a.value, 50.0);
    EXPECT_LT(a.value, 200.0);
}

TEST(Retirement, TheExhaustingPeriodIsCounted) {
    // 100 at 1000 a year: the first withdrawal already turns the balance negative.
    EXPECT_EQ(money(yearsOfWithdrawals(100, 1000, 6, 1)), QStringLiteral("   1.00"));
    // 5 a year: 0.2 a period; 1000 less 300 a period lasts 4 periods.
    EXPECT_EQ(money(yearsOfWithdrawals(1000, 300, 1e-9, 5)), QStringLiteral("   0.80"));
}

TEST(Retirement, TooManyDepositPeriodsAreRefused) {
    const Answer a = futureValueWithStart(1000, 100, 6, 1e9, 1);
    EXPECT_EQ(a.notice, kTooManyPeriods);
    EXPECT_TRUE(futureValueWithStart(1000, 100, 1e-6, 365, 100).ok());
}

struct FaultCase {
    const char* what;
    std::function<Answer()> run;
    const char* error;
};

TEST(Faults, OverflowIsReportedNeverShownAsANumber) {
    const FaultCase cases[] = {
        {"fv single", [] { return fvSingleDeposit(1e300, 1e6, 1, 1000); }, "Floating point overflow"},
        {"fv regular", [] { return fvRegularDeposits(100, 1e6, 1, 1000); }, "Floating point overflow"},
        {"growth", [] { return growthRate(1e-300, 1e300, 0.1); }, "Floating point overflow"},
        {"fv with start", [] { return futureValueWithStart(1e300, 1e300, 1e6, 1, 100); },
         "Floating point overflow"},
        {"withdrawals", [] { return yearsOfWithdrawals(1e300, 1, 1e308, 1); }, "Floating point overflow"},
        {"continuous", [] { return effectiveContinuousRate(1e6); }, "Floating point overflow"},
        {"periodic", [] { return effectivePeriodicRate(1e6, 1e3); }, "Floating point overflow"},
        {"percent change", [] { return percentChange(1e-300, DBL_MAX); }, "Floating point overflow"},
        {"markup", [] { return priceWithMarkup(DBL_MAX, DBL_MAX); }, "Floating point overflow"},
        {"rate lost to underflow", [] { return fvRegularDeposits(100, 4.9e-324, 1e10, 1); },
         "Invalid floating point operation"},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Answer a = c.run();
        EXPECT_EQ(a.error, QString::fromLatin1(c.error));
        EXPECT_FALSE(a.ok());
    }
    // A present value of an enormous growth factor is simply small.
    EXPECT_EQ(money(pvSingleDeposit(1000, 1e6, 1, 1000)), QStringLiteral("   0.00"));
}

} // namespace
