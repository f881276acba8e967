// Returns and realized gains: published XIRR and time-weighted examples set up as accounts, the
// cases without a money-weighted return, and average cost against FIFO on a hand-worked sequence.
#include "db/connection.h"
#include "db/testsupport/tempdatafolder.h"
#include "invest/returns.h"
#include "investdb.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using invest::AccountHistory;
using invest::CashFlow;
using invest::LineItemRow;

LineItemRow item(const char* date, const char* type, double shares, double price, double commission = 0,
                 double fee = 0, double dividend = 0) {
    LineItemRow i;
    i.TRANSDATE = QString::fromLatin1(date);
    i.TRANSTYPE = QString::fromLatin1(type);
    i.SHARES = shares;
    i.PRICE = price;
    i.COMMISSION = commission;
    i.FEE = fee;
    i.DIVIDEND = dividend;
    return i;
}

// An account whose row holds what its line items leave: `shares` at `price`.
AccountHistory account(int actno, double shares, double price, QList<LineItemRow> items) {
    AccountHistory h;
    h.account.ACTNO = actno;
    h.account.TOTSHARES = shares;
    h.account.CURRENTPRICE = price;
    for (const LineItemRow& i : items)
        h.items.push_back(invest::returnItemOf(i));
    return h;
}

long day(int month, int dayOfMonth, int year) {
    return talvero::common::day_number({month, dayOfMonth, year});
}

// The example of Excel's XIRR function (support.microsoft.com, "XIRR function"): -10,000 on
// 1/1/2008, 2,750 on 3/1/2008, 4,250 on 10/30/2008, 3,250 on 2/15/2009, 2,750 on 4/1/2009 give
// 0.373362535 (37.34 %), computed by Excel to within 0.000001 %. LibreOffice Calc's help gives the
// same flows and 0.3734 rounded.
const double kExcelXirr = 0.373362535;

TEST(Xirr, TheSpreadsheetExample) {
    const std::vector<CashFlow> flows{{day(1, 1, 2008), -10000},
                                      {day(3, 1, 2008), 2750},
                                      {day(10, 30, 2008), 4250},
                                      {day(2, 15, 2009), 3250},
                                      {day(4, 1, 2009), 2750}};
    const auto r = invest::xirr(flows);
    ASSERT_TRUE(r);
    EXPECT_NEAR(*r, kExcelXirr, 1e-8);
}

TEST(Xirr, TheSpreadsheetExampleAsAnAccount) {
    // 1,000 shares at 10 opened, three cash dividends (posted at the price 10), then revalued so
    // the holding is worth the last amount.
    const AccountHistory h =
        account(1, 1000, 2.75,
                {item("01/01/2008", "N", 1000, 10), item("03/01/2008", "C", 0, 0, 0, 0, 2750),
                 item("10/30/2008", "C", 0, 0, 0, 0, 4250), item("02/15/2009", "C", 0, 0, 0, 0, 3250),
                 item("04/01/2009", "R", 1000, 2.75)});
    const invest::Returns r = invest::returnsOf({h}, {4, 1, 2009});
    EXPECT_DOUBLE_EQ(r.value, 2750);
    ASSERT_TRUE(r.xirr);
    EXPECT_NEAR(*r.xirr, kExcelXirr, 1e-8);
}

TEST(Xirr, NoRateWithoutBothSigns) {
    const struct {
        const char* what;
        std::vector<CashFlow> flows;
    } cases[] = {
        {"nothing", {}},
        {"only money in", {{day(1, 1, 2020), -100}, {day(6, 1, 2020), -50}}},
        {"only money out", {{day(1, 1, 2020), 100}, {day(6, 1, 2020), 50}}},
        {"all on one day", {{day(1, 1, 2020), -100}, {day(1, 1, 2020), 100}}},
        {"a loss of more than everything",
         {{day(1, 1, 2020), -100}, {day(1, 1, 2021), -1}, {day(1, 1, 2021), 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(invest::xirr(c.flows));
    }
}

TEST(Xirr, ALossAndAGainOverOneYear) {
    const struct {
        double in, out, rate;
    } cases[] = {{-1000, 1100, 0.10}, {-1000, 500, -0.5}, {-1000, 1000, 0}, {-1, 1e6, 999999}};
    for (const auto& c : cases) {
        const auto r = invest::xirr({{day(1, 1, 2021), c.in}, {day(1, 1, 2022), c.out}});
        ASSERT_TRUE(r);
        EXPECT_NEAR(*r, c.rate, 1e-9 * std::max(1.0, c.rate));
    }
}

TEST(Returns, AnAccountWithoutMoneyOutHasNoXirr) {
    // A blank account: nothing in, nothing out, no value.
    const AccountHistory blank = account(9, 0, 0, {item("03/03/2004", "N", 0, 0)});
    const invest::Returns r = invest::returnsOf({blank}, {1, 1, 2005});
    EXPECT_FALSE(r.xirr);
    EXPECT_FALSE(r.ttwror);
    EXPECT_EQ(invest::rateText(r.xirr), QStringLiteral("n/a"));
}

// The time-weighted example of Cindicator's help centre ("How are returns calculated if I add or
// withdraw funds"): Alice puts in 1,000 and gains 10 %, adds 2,000 and gains 5 %, ending with
// 3,255; Bob puts in 1,000, gains 10 %, withdraws 100 and gains 5 %, ending with 1,050. Both have
// a time-weighted return of (1 + 0.1) x (1 + 0.05) - 1 = 15.5 %.
TEST(Returns, TheTimeWeightedExample) {
    const double added = 2000.0 / 11, taken = 100.0 / 11;
    const AccountHistory alice =
        account(1, 100 + added, 11.55,
                {item("01/01/2021", "N", 100, 10), item("02/01/2021", "R", 100, 11),
                 item("02/01/2021", "B", added, 11), item("03/01/2021", "R", 100 + added, 11.55)});
    const AccountHistory bob = account(2, 100 - taken, 11.55,
                                       {item("01/01/2021", "N", 100, 10), item("02/01/2021", "S", taken, 11),
                                        item("03/01/2021", "R", 100 - taken, 11.55)});
    const struct {
        const char* what;
        std::vector<AccountHistory> accounts;
        double value;
    } cases[] = {{"Alice", {alice}, 3255}, {"Bob", {bob}, 1050}, {"both together", {alice, bob}, 4305}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const invest::Returns r = invest::returnsOf(c.accounts, {3, 1, 2021});
        EXPECT_NEAR(r.value, c.value, 1e-9);
        ASSERT_TRUE(r.ttwror);
        EXPECT_NEAR(*r.ttwror, 0.155, 1e-12);
        // The money-weighted return solves the same stream: its sum is 0 at the rate found.
        ASSERT_TRUE(r.xirr);
        double sum = 0;
        for (const CashFlow& f : r.flows)
            sum += f.amount / std::pow(1 + *r.xirr, (f.day - day(1, 1, 2021)) / 365.0);
        EXPECT_NEAR(sum, 0, 1e-7);
    }
    // Alice added money before the weaker month and Bob took some out: his money earned more.
    EXPECT_LT(*invest::returnsOf({alice}, {3, 1, 2021}).xirr, *invest::returnsOf({bob}, {3, 1, 2021}).xirr);
}

TEST(Returns, CommissionsAndFeesCountAgainstTheTimeWeightedReturn) {
    // 100 at 10, then 100 more at 10 with a commission of 10: the price never moves, so the
    // commission alone is the loss: 2,000 / 2,010 - 1.
    const AccountHistory h =
        account(1, 200, 10, {item("01/01/2021", "N", 100, 10), item("02/01/2021", "B", 100, 10, 10)});
    const invest::Returns r = invest::returnsOf({h}, {3, 1, 2021});
    ASSERT_TRUE(r.ttwror);
    EXPECT_NEAR(*r.ttwror, 2000.0 / 2010 - 1, 1e-12);
    ASSERT_TRUE(r.xirr);
    EXPECT_LT(*r.xirr, 0);
}

TEST(Returns, TheAsOfDateLeavesLaterItemsOut) {
    const AccountHistory h = account(1, 100, 20,
                                     {item("01/01/2020", "N", 100, 10), item("01/01/2021", "R", 100, 11),
                                      item("01/01/2022", "R", 100, 20)});
    const invest::Returns r = invest::returnsOf({h}, {1, 1, 2021});
    EXPECT_DOUBLE_EQ(r.value, 1100) << "the shares at the price of the last item by then";
    ASSERT_TRUE(r.xirr);
    EXPECT_NEAR(*r.xirr, std::pow(1.1, 365.0 / 366) - 1, 1e-9) << "2020 has 366 days";
    EXPECT_NEAR(*r.ttwror, 0.1, 1e-12);
}

// A hand-worked sequence: 100 at 10 (cost 1,000); 100 at 20 with commission 10 (cost 2,010);
// 2021: 150 sold at 25 with commission 15 (proceeds 3,735); 10 shares paid as a fee at 28; 2022:
// the last 40 sold at 30 (1,200).
//   Average cost: 200 shares cost 3,010 (15.05 each); the sale takes 2,257.50: gain 1,477.50; the
//   fee takes 10 of the 50 left (752.50): -150.50; the last 40 cost 602: gain 598.
//   FIFO: the sale takes 100 at 10 and 50 at 20.10 (2,005): gain 1,730; the fee 10 at 20.10:
//   -201; the last 40 at 20.10 (804): gain 396.
// Both total 1,925, the money out (4,935) less the money in (3,010).
TEST(Returns, AverageCostAgainstFifo) {
    const AccountHistory h =
        account(1, 0, 30,
                {item("01/02/2020", "N", 100, 10), item("06/01/2020", "B", 100, 20, 10),
                 item("03/01/2021", "S", 150, 25, 15), item("06/01/2021", "U", 10, 28, 0, 280),
                 item("02/01/2022", "S", 40, 30)});
    const invest::Returns r = invest::returnsOf({h}, {12, 31, 2022});
    ASSERT_EQ(r.gains.size(), 2u);
    EXPECT_NEAR(r.gains.at(2021).averageCost, 1327, 1e-9);
    EXPECT_NEAR(r.gains.at(2021).fifo, 1529, 1e-9);
    EXPECT_NEAR(r.gains.at(2022).averageCost, 598, 1e-9);
    EXPECT_NEAR(r.gains.at(2022).fifo, 396, 1e-9);
    EXPECT_DOUBLE_EQ(r.value, 0);
}

// Three alike purchases of 10 at 10, then 10 at 20 (40 shares, cost 500). 2021: 25 sold at 30
// (750); 2022: 10 sold at 30 (300).
//   FIFO: two whole lots and half the third (250): gain 500; the third's other half and half the
//   fourth (50 + 100): gain 150.
//   Average cost (12.50 each): 312.50, gain 437.50; 125, gain 175.
TEST(Returns, AlikePurchasesAreSoldLotByLot) {
    const AccountHistory h = account(1, 5, 30,
                                     {item("01/04/2021", "B", 10, 10), item("01/05/2021", "B", 10, 10),
                                      item("01/06/2021", "B", 10, 10), item("02/01/2021", "B", 10, 20),
                                      item("06/01/2021", "S", 25, 30), item("03/01/2022", "S", 10, 30)});
    const invest::Returns r = invest::returnsOf({h}, {12, 31, 2022});
    EXPECT_EQ(r.gains.at(2021), (invest::YearGains{437.5, 500}));
    EXPECT_EQ(r.gains.at(2022), (invest::YearGains{175, 150}));
}

TEST(Returns, DividendsInSharesCarryTheirPriceAsCost) {
    // 100 at 10, 10 more as a dividend at 11 (cost 110), then 55 sold at 12: average cost
    // 1,110 / 110 = 10.0909 each; FIFO 55 of the first 100 at 10.
    const AccountHistory h =
        account(1, 55, 12,
                {item("01/01/2020", "N", 100, 10), item("02/01/2020", "D", 10, 11, 0, 0, 110),
                 item("03/01/2020", "S", 55, 12)});
    const invest::Returns r = invest::returnsOf({h}, {12, 31, 2020});
    EXPECT_NEAR(r.gains.at(2020).averageCost, 660 - 555, 1e-9);
    EXPECT_NEAR(r.gains.at(2020).fifo, 660 - 550, 1e-9);
}

TEST(Returns, TransDateDays) {
    EXPECT_EQ(invest::transDateDay(QStringLiteral("03/01/2004")), day(3, 1, 2004));
    EXPECT_EQ(invest::transDateDay(QStringLiteral("03/01/2004     ")), day(3, 1, 2004)) << "the column pads";
    EXPECT_FALSE(invest::transDateDay(QStringLiteral("13/01/2004")));
    EXPECT_FALSE(invest::transDateDay(QStringLiteral("03012004")));
}

// Random histories of one account: mostly in date order with several items a day, now and then
// one dated back, every type, some undated, some after the as-of date, some with no price.
std::vector<LineItemRow> randomItems(std::mt19937& g) {
    std::vector<LineItemRow> items;
    const int count = static_cast<int>(g() % 14);
    long d = day(12, 20, 2018);
    for (int k = 0; k < count; ++k) {
        if (g() % 30 == 0)
            d -= 1 + g() % 3;
        else if (g() % 2)
            d += g() % 3;
        LineItemRow i;
        i.RECNO = k + 1;
        const auto ymd = std::chrono::year_month_day{std::chrono::sys_days{std::chrono::days{d}}};
        i.TRANSDATE = g() % 15 == 0
                          ? QStringLiteral("pending")
                          : QString::asprintf("%02u/%02u/%04d", static_cast<unsigned>(ymd.month()),
                                              static_cast<unsigned>(ymd.day()), static_cast<int>(ymd.year()));
        i.TRANSTYPE = QString(QLatin1Char("NBSCDFUR"[g() % 8]));
        i.SHARES = g() % 100;
        i.PRICE = g() % 6 == 0 ? 0 : (g() % 400) / 8.0;
        i.COMMISSION = g() % 3 == 0 ? g() % 20 : 0;
        i.FEE = g() % 3 == 0 ? g() % 10 : 0;
        i.DIVIDEND = g() % 3 == 0 ? static_cast<int>(g() % 100) - 20 : 0;
        items.push_back(i);
    }
    return items;
}

AccountHistory historyOf(int actno, const std::vector<LineItemRow>& items) {
    AccountHistory h;
    h.account.ACTNO = actno;
    h.account.TOTSHARES = 150;
    h.account.CURRENTPRICE = 12.5;
    for (const LineItemRow& i : items)
        h.items.push_back(invest::returnItemOf(i));
    return h;
}

void expectSame(const invest::Returns& a, const invest::Returns& b) {
    EXPECT_EQ(a.value, b.value);
    EXPECT_EQ(a.xirr, b.xirr);
    EXPECT_EQ(a.ttwror, b.ttwror);
    EXPECT_EQ(a.gains, b.gains);
    ASSERT_EQ(a.flows.size(), b.flows.size());
    for (std::size_t k = 0; k < a.flows.size(); ++k) {
        EXPECT_EQ(a.flows[k].day, b.flows[k].day);
        EXPECT_EQ(a.flows[k].amount, b.flows[k].amount);
    }
}

// One account is counted as its items come, the accounts together after sorting every item: an
// account beside one without items gives the very same figures.
TEST(Returns, OneAccountCountedAsItComesEqualsTheSortedCount) {
    std::mt19937 g(29);
    AccountHistory blank;
    blank.account.ACTNO = 2;
    for (int round = 0; round < 3000; ++round) {
        SCOPED_TRACE(round);
        const AccountHistory h = historyOf(1, randomItems(g));
        const invest::Date asOf = g() % 3 ? invest::Date{1, 1, 2019} : invest::Date{3, 1, 2019};
        expectSame(invest::returnsOf({h}, asOf), invest::returnsOf({h, blank}, asOf));
        if (HasFailure()) break;
    }
}

// The account read from its file while counting gives what its history read whole gives, with the
// line items in date order, one dated back, and a day's rows stored out of RECNO order.
TEST(Returns, AnAccountCountedWhileItsRowsAreRead) {
    db::testing::TempDataFolder folder;
    investtest::InvestDb::openAccounts();
    std::mt19937 g(31);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        std::vector<LineItemRow> items = randomItems(g);
        if (round % 3 == 1 && items.size() > 2) items.insert(items.begin() + 1, items.back()); // dated back
        // Stored in date order, a day's items numbered last first: posting order is RECNO order.
        std::vector<int> recnos(items.size());
        for (std::size_t k = 0, run = 0; k < items.size(); ++k) {
            if (k > 0 && items[k].TRANSDATE != items[k - 1].TRANSDATE) run = k;
            std::size_t end = k;
            while (end + 1 < items.size() && items[end + 1].TRANSDATE == items[k].TRANSDATE)
                ++end;
            recnos[k] = 100 + static_cast<int>(round % 3 == 2 ? run + end - k : k); // above account 8's
        }
        db::Connection connection(db::Alias::IBInvest);
        QSqlQuery q(connection.database());
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM LINEITEM WHERE ACTNO = 7")));
        ASSERT_TRUE(q.prepare(
            QStringLiteral("INSERT INTO LINEITEM VALUES (?, 1, 7, 'Growth Fund', ?, ?, ?, ?, ?, ?, ?, 0)")));
        for (std::size_t k = 0; k < items.size(); ++k) {
            const LineItemRow& i = items[k];
            q.addBindValue(recnos[k]);
            q.addBindValue(i.TRANSDATE);
            q.addBindValue(i.TRANSTYPE);
            for (double v : {i.SHARES, i.PRICE, i.COMMISSION, i.FEE, i.DIVIDEND})
                q.addBindValue(v);
            ASSERT_TRUE(q.exec());
        }
        const invest::Date asOf{2, 1, 2019};
        expectSame(invest::accountReturns(connection, 7, asOf),
                   invest::returnsOf(invest::readHistories(connection, 7), asOf));
        if (HasFailure()) break;
    }
    db::Connection connection(db::Alias::IBInvest);
    const invest::Returns missing = invest::accountReturns(connection, 99, {2, 1, 2019});
    EXPECT_EQ(missing.value, 0);
    EXPECT_FALSE(missing.xirr);
    EXPECT_FALSE(missing.ttwror);
}

} // namespace
