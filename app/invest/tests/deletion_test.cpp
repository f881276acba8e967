// Deleting without widgets: the roll-back rule of every type code, posting then deleting each type
// through the database, deleting an account, and faults that must leave everything as it was.
#include "db/connection.h"
#include "db/statements.h"
#include "db/testsupport/tempdatafolder.h"
#include "invest/deletion.h"
#include "invest/rollback.h"
#include "invest/store.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

// Every row a statement returns, each as its values in column order.
QList<QVariantList> rows(const QString& statement) {
    db::Connection connection(db::Alias::IBInvest);
    QSqlQuery query(connection.database());
    EXPECT_TRUE(query.exec(statement)) << statement.toStdString();
    QList<QVariantList> all;
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << query.value(i);
        all << row;
    }
    return all;
}

QList<QVariantList> everything() {
    return rows(QStringLiteral("SELECT * FROM INVESTSUMMARY ORDER BY ACTNO")) +
           rows(QStringLiteral("SELECT * FROM LINEITEM ORDER BY RECNO"));
}

void execute(const QString& statement) {
    db::Connection connection(db::Alias::IBInvest);
    QSqlQuery query(connection.database());
    ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
}

// The totals written after a roll-back: CURRENTPRICE (= LASTPRICE), TOTSHARES, TOTBOOKVALUE,
// TOTVALUE, GAINDOLLARS, GAINPERCENT, AVERAGECOST.
struct Totals {
    double price, shares, bookValue, value, gain, ratio, average;
};

void expectTotals(const invest::AccountRow& a, const Totals& t) {
    EXPECT_NEAR(a.CURRENTPRICE, t.price, 1e-9);
    EXPECT_NEAR(a.LASTPRICE, t.price, 1e-9);
    EXPECT_NEAR(a.TOTSHARES, t.shares, 1e-9);
    EXPECT_NEAR(a.TOTBOOKVALUE, t.bookValue, 1e-9);
    EXPECT_NEAR(a.TOTVALUE, t.value, 1e-9);
    EXPECT_NEAR(a.GAINDOLLARS, t.gain, 1e-9);
    EXPECT_NEAR(a.GAINPERCENT, t.ratio, 1e-9);
    EXPECT_NEAR(a.AVERAGECOST, t.average, 1e-9);
    for (double v : {a.CURRENTPRICE, a.TOTSHARES, a.TOTBOOKVALUE, a.TOTVALUE, a.GAINDOLLARS, a.GAINPERCENT,
                     a.AVERAGECOST, a.LASTPRICE})
        EXPECT_TRUE(std::isfinite(v));
}

TEST(RollBack, EachTypeByItsRule) {
    // Stored: P 12, S1 150, B1 1605, G1 195, L 10; the line item's s and k vary with the case.
    const invest::StoredTotals stored{12, 150, 1605, 195, 10};
    const struct {
        char type;
        double s, k;
        Totals expected; // worked by hand
    } cases[] = {
        {'B', 50, 605, {12, 100, 1000, 1000, 0, 0, 10}},
        {'C', 0, -30, {12, 150, 1635, 1800, 165, 165.0 / 1800, 1635.0 / 150}},
        {'D', 5, -80, {12, 145, 1685, 1450, -235, -235.0 / 1450, 1685.0 / 145}},
        {'F', 0, 20, {12, 150, 1585, 1800, 215, 215.0 / 1800, 1585.0 / 150}},
        {'S', 30, -443, {12, 180, 2048, 1800, -248, -248.0 / 1800, 2048.0 / 180}},
        {'U', 2, 36, {12, 152, 1569, 1520, -49, -49.0 / 1520, 1569.0 / 152}},
        {'N', 100, 1000, {12, 50, 605, 600, 195, 195.0 / 600, 12.1}},
        {'R', 150, 0, {10, 150, 1605, 1500, -105, -105.0 / 1500, 10.7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.type));
        const std::optional<invest::RolledBack> r = invest::rollBack(c.type, c.s, c.k, stored);
        ASSERT_TRUE(r);
        invest::AccountRow a;
        a.CURRENTPRICE = a.LASTPRICE = r->price;
        a.TOTSHARES = r->shares;
        a.TOTBOOKVALUE = r->bookValue;
        a.TOTVALUE = r->value;
        a.GAINDOLLARS = r->gain;
        a.GAINPERCENT = r->gainRatio;
        a.AVERAGECOST = r->averageCost;
        expectTotals(a, c.expected);
    }
}

TEST(RollBack, NoValueLeftGivesZeroRatioAndAverageCost) {
    const struct {
        const char* what;
        char type;
        double s, k;
        invest::StoredTotals stored;
        Totals expected;
    } cases[] = {
        {"last shares bought", 'B', 10, 50, {5, 10, 50, 0, 0}, {5, 0, 0, 0, 0, 0, 0}},
        {"shares held, last price 0", 'D', 10, -50, {5, 20, 60, 40, 0}, {5, 10, 110, 0, -110, 0, 0}},
        {"more shares removed than held",
         'B',
         30,
         300,
         {10, 20, 250, 0, 10},
         {10, -10, -50, -100, -50, 0, 0}},
        {"opening row of an empty account", 'N', 0, 0, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}},
        {"revaluation of an empty account", 'R', 0, 0, {7, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<invest::RolledBack> r = invest::rollBack(c.type, c.s, c.k, c.stored);
        ASSERT_TRUE(r);
        invest::AccountRow a;
        a.CURRENTPRICE = a.LASTPRICE = r->price;
        a.TOTSHARES = r->shares;
        a.TOTBOOKVALUE = r->bookValue;
        a.TOTVALUE = r->value;
        a.GAINDOLLARS = r->gain;
        a.GAINPERCENT = r->gainRatio;
        a.AVERAGECOST = r->averageCost;
        expectTotals(a, c.expected);
    }
}

TEST(RollBack, CodesWithoutARuleGiveNothing) {
    for (char type : {' ', 'X', 'b', '\0'})
        EXPECT_FALSE(invest::rollBack(type, 1, 1, {1, 1, 1, 1, 1})) << int(type);
}

class Deleting : public ::testing::Test {
protected:
    void SetUp() override {
        db::Connection connection(db::Alias::IBInvest);
        // Account 7: 100 shares at 10, book value 1000; account 8 must never change.
        invest::writeNewAccount(connection,
                                {7, QStringLiteral("Growth Fund"), 10, 100, 1000, {3, 1, 2004}, false});
        invest::writeNewAccount(connection,
                                {8, QStringLiteral("O'Hara's Income"), 5, 10, 50, {3, 2, 2004}, false});
    }

    static invest::AccountRow account(int actno) {
        db::Connection connection(db::Alias::IBInvest);
        return invest::readAccount(connection, actno).value_or(invest::AccountRow{});
    }
    static qint64 lastRecno(int actno) {
        db::Connection connection(db::Alias::IBInvest);
        return invest::readLineItems(connection, actno).last().RECNO;
    }
    static void post(int actno, invest::PostingType type, const invest::Trade& trade) {
        db::Connection connection(db::Alias::IBInvest);
        invest::PostedTransaction posted;
        ASSERT_EQ(invest::writePosting(connection, {actno, type, trade, {4, 1, 2004}}, posted), nullptr);
    }
    // A revaluation at `price` as the revaluation form stores it: the account's new price, value,
    // gain, ratio and average cost with shares and book value kept, and an "R" line item.
    static void revalue(int actno, double price) {
        const invest::AccountRow a = account(actno);
        const double V = a.TOTSHARES * price, G = price * a.TOTSHARES - a.TOTBOOKVALUE;
        execute(QStringLiteral("UPDATE INVESTSUMMARY SET CURRENTPRICE = %1, TOTVALUE = %2, GAINDOLLARS = %3, "
                               "GAINPERCENT = %4, AVERAGECOST = %5, LASTPRICE = %6 WHERE ACTNO = %7")
                    .arg(price)
                    .arg(V)
                    .arg(G)
                    .arg(G / V, 0, 'g', 17)
                    .arg(a.TOTBOOKVALUE / a.TOTSHARES, 0, 'g', 17)
                    .arg(a.CURRENTPRICE)
                    .arg(actno));
        execute(QStringLiteral("UPDATE KEYGEN SET NUM = NUM + 1 WHERE NAME = 'GETRECNOGEN'"));
        execute(
            QStringLiteral("INSERT INTO LINEITEM (RECNO, FUNDNO, ACTNO, NAME, TRANSDATE, TRANSTYPE, SHARES, "
                           "PRICE, COMMISSION, FEE, DIVIDEND, BOOKVALUE) SELECT (SELECT NUM FROM KEYGEN "
                           "WHERE NAME = 'GETRECNOGEN'), FUNDNO, ACTNO, NAME, '06/15/2004', 'R', TOTSHARES, "
                           "CURRENTPRICE, 0, 0, 0, 0 FROM INVESTSUMMARY WHERE ACTNO = %1")
                .arg(actno));
    }

    db::testing::TempDataFolder folder_;
};

TEST_F(Deleting, PostingThenDeletingEachTypeRollsTheAccountBack) {
    // Account 7 before each posting: 100 shares, book value 1000, price 10. After the deletion the
    // shares and book value are those again; prices and derived figures follow the type's rule.
    using T = invest::PostingType;
    const struct {
        const char* what;
        std::optional<T> type; // none: a revaluation
        invest::Trade trade;   // shares, price, commission, fee, dividend; for R the price
        Totals expected;       // worked by hand
    } cases[] = {
        {"bought 50 at 12, commission 5 (value at the last price 10)",
         T::Bought,
         {50, 12, 5, 0, 0},
         {12, 100, 1000, 1000, 0, 0, 10}},
        {"cash dividend 30 at 11 (value at the current price 11)",
         T::CashDividend,
         {0, 11, 0, 0, 30},
         {11, 100, 1000, 1100, 100, 100.0 / 1100, 10}},
        {"dividend of 5 shares at 16",
         T::DividendInShares,
         {5, 16, 0, 0, 0},
         {16, 100, 1000, 1000, 0, 0, 10}},
        {"fee in cash 20", T::FeeInCash, {3, 99, 0, 20, 0}, {10, 100, 1000, 1000, 0, 0, 10}},
        {"sold 30 at 15, commission 5, fee 2", T::Sold, {30, 15, 5, 2, 0}, {15, 100, 1000, 1000, 0, 0, 10}},
        {"unit fee of 2 shares at 18", T::UnitSharesFee, {2, 18, 0, 0, 0}, {18, 100, 1000, 1000, 0, 0, 10}},
        {"revaluation at 14 (both prices back to 10)",
         std::nullopt,
         {0, 14, 0, 0, 0},
         {10, 100, 1000, 1000, 0, 0, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const db::testing::TempDataFolder fresh; // each case from the same two accounts
        SetUp();
        const QList<QVariantList> other =
            rows(QStringLiteral("SELECT * FROM INVESTSUMMARY WHERE ACTNO = 8")) +
            rows(QStringLiteral("SELECT * FROM LINEITEM WHERE ACTNO = 8"));
        const QList<QVariantList> itemsBefore = rows(QStringLiteral("SELECT * FROM LINEITEM ORDER BY RECNO"));
        if (c.type)
            post(7, *c.type, c.trade);
        else
            revalue(7, c.trade.price);
        const qint64 recno = lastRecno(7);
        ASSERT_EQ(recno, 3);

        db::Connection connection(db::Alias::IBInvest);
        const invest::DeletedTransaction deleted = invest::deleteTransaction(connection, recno);
        EXPECT_EQ(deleted.item.RECNO, recno);
        ASSERT_TRUE(deleted.after);
        const invest::AccountRow a = account(7);
        expectTotals(a, c.expected);
        expectTotals(*deleted.after, c.expected);
        EXPECT_EQ(rows(QStringLiteral("SELECT * FROM LINEITEM ORDER BY RECNO")), itemsBefore);
        EXPECT_EQ(rows(QStringLiteral("SELECT * FROM INVESTSUMMARY WHERE ACTNO = 8")) +
                      rows(QStringLiteral("SELECT * FROM LINEITEM WHERE ACTNO = 8")),
                  other);
    }
}

TEST_F(Deleting, TheWorkedExampleAndTheOpeningRow) {
    post(7, invest::PostingType::Bought, {50, 12, 5, 0, 0});
    {
        // The opening "N" row goes: its 100 shares and 1000 of book value leave, the gain stays.
        db::Connection connection(db::Alias::IBInvest);
        invest::deleteTransaction(connection, 1);
    }
    expectTotals(account(7), {12, 50, 605, 600, 195, 195.0 / 600, 12.1});
    {
        // Then the purchase: nothing is left, and no quotient by zero is stored.
        db::Connection connection(db::Alias::IBInvest);
        invest::deleteTransaction(connection, 3);
    }
    expectTotals(account(7), {12, 0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(rows(QStringLiteral("SELECT * FROM LINEITEM WHERE ACTNO = 7")).isEmpty());
}

TEST_F(Deleting, AnUnknownRecordNumberDeletesNothing) {
    const QList<QVariantList> before = everything();
    db::Connection connection(db::Alias::IBInvest);
    try {
        invest::deleteTransaction(connection, 99);
        FAIL() << "no line item 99";
    } catch (const invest::DeletionError& e) {
        EXPECT_EQ(e.step(), invest::DeletionStep::Deleting);
        EXPECT_EQ(e.message(), QStringLiteral("Transaction 99 is not in the investment database"));
    }
    EXPECT_EQ(everything(), before);
}

TEST_F(Deleting, ALineItemOfAnUnknownTypeOrWithoutItsAccountGoesAlone) {
    execute(
        QStringLiteral("INSERT INTO LINEITEM (RECNO, FUNDNO, ACTNO, NAME, TRANSDATE, TRANSTYPE, SHARES, "
                       "PRICE, COMMISSION, FEE, DIVIDEND, BOOKVALUE) VALUES (50, 1, 7, 'Growth Fund', "
                       "'06/15/2004', 'X', 5, 5, 0, 0, 0, 25), (51, 40, 40, 'Gone', '06/15/2004', 'B', 5, "
                       "5, 0, 0, 0, 25)"));
    const QList<QVariantList> accounts = rows(QStringLiteral("SELECT * FROM INVESTSUMMARY ORDER BY ACTNO"));
    db::Connection connection(db::Alias::IBInvest);
    const invest::DeletedTransaction unknown = invest::deleteTransaction(connection, 50);
    EXPECT_TRUE(unknown.before);
    EXPECT_FALSE(unknown.after);
    const invest::DeletedTransaction orphan = invest::deleteTransaction(connection, 51);
    EXPECT_FALSE(orphan.before);
    EXPECT_FALSE(orphan.after);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM INVESTSUMMARY ORDER BY ACTNO")), accounts);
    EXPECT_TRUE(rows(QStringLiteral("SELECT * FROM LINEITEM WHERE RECNO >= 50")).isEmpty());
}

TEST_F(Deleting, AnAccountGoesWithExactlyItsLineItems) {
    {
        db::Connection connection(db::Alias::IBInvest);
        invest::writeNewAccount(connection, {9, QStringLiteral("Third"), 1, 1, 1, {3, 3, 2004}, false});
    }
    // Account 8's rows lie between the others' and next to each other: its opening row directly
    // followed by two postings.
    post(8, invest::PostingType::Bought, {5, 6, 0, 0, 0});
    post(8, invest::PostingType::Sold, {1, 7, 0, 0, 0});
    post(7, invest::PostingType::Bought, {1, 11, 0, 0, 0});
    post(9, invest::PostingType::Bought, {1, 2, 0, 0, 0});
    const QList<QVariantList> kept =
        rows(QStringLiteral("SELECT * FROM INVESTSUMMARY WHERE ACTNO <> 8 ORDER BY ACTNO")) +
        rows(QStringLiteral("SELECT * FROM LINEITEM WHERE ACTNO <> 8 ORDER BY RECNO"));
    ASSERT_EQ(kept.size(), 2 + 4);

    db::Connection connection(db::Alias::IBInvest);
    const invest::DeletedAccount deleted = invest::deleteAccount(connection, 8);
    EXPECT_EQ(deleted.account.ACTNO, 8);
    EXPECT_EQ(deleted.account.FUNDNO, 2);
    EXPECT_EQ(deleted.lineItems, 3);
    EXPECT_EQ(everything(), kept);
}

TEST_F(Deleting, AnUnknownAccountDeletesNothing) {
    const QList<QVariantList> before = everything();
    db::Connection connection(db::Alias::IBInvest);
    EXPECT_THROW(invest::deleteAccount(connection, 99), db::Error);
    EXPECT_EQ(everything(), before);
}

TEST_F(Deleting, AFaultLeavesEverythingAsItWas) {
    post(7, invest::PostingType::Bought, {50, 12, 5, 0, 0});
    const QList<QVariantList> before = everything();
    const struct {
        const char* what;
        const char* trigger;
        bool account; // delete the account, else the purchase
        std::optional<invest::DeletionStep> step;
    } cases[] = {
        {"rewriting the totals fails after the line item is gone", "BEFORE UPDATE ON INVESTSUMMARY", false,
         invest::DeletionStep::RollingBack},
        {"deleting the line item fails", "BEFORE DELETE ON LINEITEM", false, invest::DeletionStep::Deleting},
        {"deleting the line items fails after the account row is gone", "BEFORE DELETE ON LINEITEM", true,
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        execute(QStringLiteral(
                    "CREATE TRIGGER INJECTED_FAULT %1 BEGIN SELECT RAISE(ABORT, 'injected fault'); END")
                    .arg(QLatin1String(c.trigger)));
        db::Connection connection(db::Alias::IBInvest);
        try {
            if (c.account)
                invest::deleteAccount(connection, 7);
            else
                invest::deleteTransaction(connection, 3);
            ADD_FAILURE() << "no fault";
        } catch (const invest::DeletionError& e) {
            ASSERT_TRUE(c.step);
            EXPECT_EQ(e.step(), *c.step);
            EXPECT_TRUE(e.message().contains(QStringLiteral("injected fault"))) << e.message().toStdString();
        } catch (const db::Error& e) {
            EXPECT_FALSE(c.step);
            EXPECT_TRUE(e.message().contains(QStringLiteral("injected fault"))) << e.message().toStdString();
        }
        execute(QStringLiteral("DROP TRIGGER INJECTED_FAULT"));
        EXPECT_EQ(everything(), before);
    }
}

} // namespace
