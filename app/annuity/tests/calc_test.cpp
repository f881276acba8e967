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
#include <map>
#include <set>
#include <string>

namespace {

using namespace annuity;

QString money(const Answer& a) {
    return QString::asprintf("%7.2f", a.value);
}

// Stands in for the program's number reading, which the forms hand in: blanks around the number
// allowed, the whole text the number, and the conversion's message otherwise.
Converted plainNumber(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (ok) return {v, QString()};
    return {0, QStringLiteral("'%1' is not a valid floating point value").arg(text)};
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
        const Reading r = readPositive(c.texts, plainNumber, c.required);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.values.size(), c.converted);
        EXPECT_EQ(r.ok(), c.message.isEmpty());
    }
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

TEST(Reading, NoTextIsConvertedAfterTheFirstFailure) {
    QStringList seen;
    const Converter counting = [&seen](const QString& text) {
        seen << text;
        return plainNumber(text);
    };
    readPositive({"1000", "6%", "12", "10"}, counting);
    EXPECT_EQ(seen, (QStringList{"1000", "6%"}));
}

// The texts of a tab by box name; a box not named holds its initial zero.
using Texts = std::map<std::string, QString>;

template <class V> Answer runOn(const Calculator<V>& calculator, int index, V& values, const Texts& texts) {
    const TextOf textOf = [&texts](const char* name) {
        const auto it = texts.find(name);
        return it == texts.end() ? QStringLiteral("   0.00") : it->second;
    };
    return runTab(calculator.tabs[index], index, values, textOf, plainNumber);
}

TEST(TabTables, EachBoxIsReadIntoItsOwnWorkingValue) {
    {
        BusinessValues v;
        // The partial amount stands first and is B; the total is A.
        const Answer a = runOn(businessCalculator(), 1, v, {{"Edit4", "25"}, {"Edit5", "200"}});
        ASSERT_TRUE(a.ok());
        EXPECT_EQ(money(a), QStringLiteral("  12.50"));
        EXPECT_EQ(v.A, 200);
        EXPECT_EQ(v.B, 25);
        EXPECT_EQ(v.result, 12.5);
        EXPECT_EQ(v.tab, 1);
    }
    {
        RetirementValues v;
        v.balance = 7;
        const Answer a = runOn(retirementCalculator(), 1, v,
                               {{"Edit7", "10000"}, {"Edit8", "1000"}, {"Edit9", "6"}, {"Edit10", "1"}});
        ASSERT_TRUE(a.ok());
        EXPECT_EQ(money(a), QStringLiteral("  15.00"));
        EXPECT_EQ(v.startBalance, 10000);
        EXPECT_EQ(v.amount, 1000);
        EXPECT_EQ(v.rate, 6);
        EXPECT_EQ(v.perYear, 1);
        EXPECT_EQ(v.years, a.value) << "the withdrawal tab keeps its answer in years";
        EXPECT_EQ(v.balance, 0);
    }
    {
        RetirementValues v;
        const Answer a =
            runOn(retirementCalculator(), 0, v,
                  {{"Edit1", "1000"}, {"Edit2", "100"}, {"Edit3", "6"}, {"Edit4", "12"}, {"Edit5", "10"}});
        EXPECT_EQ(money(a), QStringLiteral("18289.27"));
        EXPECT_EQ(v.periods, 120);
        EXPECT_EQ(v.balance, a.value);
    }
    {
        InvestmentValues v;
        v.perYear = 12;
        const Answer a =
            runOn(investmentCalculator(), 4, v, {{"Edit21", "1000"}, {"Edit22", "2000"}, {"Edit23", "10"}});
        EXPECT_EQ(money(a), QStringLiteral("   7.18"));
        EXPECT_EQ(v.startValue, 1000);
        EXPECT_EQ(v.amount, 2000);
        EXPECT_EQ(v.years, 10);
        EXPECT_EQ(v.periods, 120) << "periods come from the per-year count left by another tab";
        EXPECT_EQ(v.result, a.value);
        EXPECT_EQ(v.tab, 4);
    }
}

TEST(TabTables, AFailedReadingKeepsWhatItConvertedAndComputesNothing) {
    InvestmentValues v;
    v.result = 1819.4;
    const Answer a =
        runOn(investmentCalculator(), 0, v, {{"Edit1", "500"}, {"Edit2", "6%"}, {"Edit3", "12"}});
    EXPECT_EQ(a.notice, QStringLiteral("'6%' is not a valid floating point value"));
    EXPECT_TRUE(a.error.isEmpty());
    EXPECT_EQ(v.amount, 500);
    EXPECT_EQ(v.perYear, 0) << "boxes after the failure are not read";
    EXPECT_EQ(v.result, 1819.4);
    EXPECT_EQ(v.failed, 0);

    RetirementValues r;
    EXPECT_EQ(runOn(retirementCalculator(), 3, r, {}).notice, kRequiredApr);
    EXPECT_EQ(runOn(retirementCalculator(), 2, r, {}).notice, kRequiredField);
}

TEST(TabTables, AnEndlessWithdrawalLeavesNoAnswer) {
    RetirementValues v;
    v.years = 3;
    const Answer a = runOn(retirementCalculator(), 1, v,
                           {{"Edit7", "1010"}, {"Edit8", "10"}, {"Edit9", "12"}, {"Edit10", "12"}});
    EXPECT_EQ(a.notice, kFiftyYears);
    EXPECT_EQ(v.years, 0);
}

// Every box and button name stands once in its calculator, every tab ends with its one answer box
// and every input starts from a format.
template <class V> void expectWellFormed(const Calculator<V>& calculator, int tabs, int edits, int buttons) {
    SCOPED_TRACE(calculator.name);
    ASSERT_EQ(int(calculator.tabs.size()), tabs);
    std::set<std::string> editNames, buttonNames{"Button1"};
    for (const Tab<V>& tab : calculator.tabs) {
        SCOPED_TRACE(tab.caption);
        ASSERT_FALSE(tab.rows.empty());
        EXPECT_EQ(answerBox(tab), tab.rows.back().name);
        for (std::size_t k = 0; k + 1 < tab.rows.size(); ++k) {
            EXPECT_NE(tab.rows[k].value, nullptr) << tab.rows[k].name;
            EXPECT_NE(tab.rows[k].format, nullptr) << tab.rows[k].name;
        }
        EXPECT_EQ(tab.rows.back().format, nullptr);
        for (const Row<V>& r : tab.rows)
            EXPECT_TRUE(editNames.insert(r.name).second) << r.name;
        for (const char* b : {tab.buttons.compute, tab.buttons.print, tab.buttons.help})
            EXPECT_TRUE(buttonNames.insert(b).second) << b;
        EXPECT_NE(tab.required, nullptr);
        EXPECT_NE(tab.compute, nullptr);
        EXPECT_NE(tab.answer, nullptr);
    }
    EXPECT_EQ(int(editNames.size()), edits);
    EXPECT_EQ(int(buttonNames.size()), buttons);
    for (int k = 1; k <= edits; ++k)
        EXPECT_TRUE(editNames.count("Edit" + std::to_string(k))) << k;
    for (int k = 1; k <= buttons; ++k)
        EXPECT_TRUE(buttonNames.count("Button" + std::to_string(k))) << k;
}

TEST(TabTables, NamesStandOnceAndEveryTabEndsWithItsAnswer) {
    expectWellFormed(investmentCalculator(), 5, 24, 16);
    expectWellFormed(retirementCalculator(), 4, 16, 13);
    expectWellFormed(businessCalculator(), 5, 15, 16);
}

} // namespace
