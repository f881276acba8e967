// Account status and revaluation without widgets: the figures at a new price, the checks in their
// order, "What If?" leaving the database as it was, a posted revaluation with a posting after it,
// and a failure part way through a post leaving the account and its line items as they were.
#include "db/connection.h"
#include "db/error.h"
#include "db/testsupport/fault.h"
#include "db/testsupport/tempdatafolder.h"
#include "invest/revalue.h"
#include "invest/status.h"
#include "invest/store.h"
#include "testsupport/locale_text.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using invest::Notice;
using invest::NoticeKind;
using invest::RevalueCommand;

// clang-format off
const char* const kNotNumeric = "Invalid price entered!\nYou entered a non numeric or unallowed value.\nPlease re-enter.";
const char* const kNotPositive = "Invalid price entered!\nNegative or Zero amount not allowed.\nPlease re-enter.";
const char* const kTooLarge = "Invalid Price entered!\nAmount exceeds allowable value.\nPlease enter a price not greater\n than $999,999,999.99\n";
const char* const kNoShares = "Cannot perform a revalue when\nthe number of shares in the\n database is not greater than\n zero. Cannot revalue this\n account at this time.\n";
// clang-format on

invest::AccountRow holding(double shares, double bookValue, double price) {
    invest::AccountRow a;
    a.TOTSHARES = shares;
    a.TOTBOOKVALUE = bookValue;
    a.CURRENTPRICE = price;
    return a;
}

TEST(Revaluation, FiguresAtTheNewPrice) {
    const struct {
        const char* what;
        double shares, bookValue, oldPrice, price;
        double value, gain, ratio, averageCost;
    } cases[] = {
        {"the worked example", 150, 1605, 12, 14, 2100, 495, 495.0 / 2100, 10.70},
        {"a loss", 100, 1000, 10, 8, 800, -200, -0.25, 10},
        {"a book value below zero after sales", 10, -50, 4, 5, 50, 100, 2, -5},
        {"part of a share", 0.5, 3, 6, 7, 3.5, 0.5, 1.0 / 7, 6},
        {"the same price again", 100, 1000, 12.5, 12.5, 1250, 250, 0.2, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const invest::Revaluation r =
            invest::computeRevaluation(holding(c.shares, c.bookValue, c.oldPrice), c.price);
        EXPECT_DOUBLE_EQ(r.figures.price, c.price);
        EXPECT_DOUBLE_EQ(r.figures.shares, c.shares) << "shares stay";
        EXPECT_DOUBLE_EQ(r.figures.bookValue, c.bookValue) << "book value stays";
        EXPECT_NEAR(r.figures.value, c.value, 1e-9);
        EXPECT_NEAR(r.figures.gain, c.gain, 1e-9);
        EXPECT_NEAR(r.figures.gainRatio, c.ratio, 1e-12);
        EXPECT_NEAR(r.figures.averageCost, c.averageCost, 1e-12);
        EXPECT_DOUBLE_EQ(r.lastPrice, c.oldPrice);
    }
}

TEST(Revaluation, ChecksInTheirOrder) {
    const QStringList dot{QStringLiteral(".")};
    const QStringList comma{QStringLiteral(",")};
    const struct {
        const char* text;
        double price;
        double shares;
        QStringList points;
        const char* message; // nullptr: passes
    } cases[] = {
        {"14", 14, 150, dot, nullptr},
        {" 14.50 ", 14.5, 150, dot, nullptr},
        {"14,5", 14.5, 150, comma, nullptr},
        {"14,5", 14.5, 150, dot, kNotNumeric},
        {"+14", 14, 150, dot, kNotNumeric},
        {"-14", -14, 150, dot, kNotNumeric},
        {"1e3", 1000, 150, dot, kNotNumeric},
        {"-14", -14, 0, dot, kNotNumeric},
        {"0", 0, 150, dot, kNotPositive},
        {"0.00", 0, 0, dot, kNotPositive},
        {"0.001", 0.001, 150, dot, nullptr},
        {"999999999.99", 999999999.99, 150, dot, nullptr},
        {"999999999.991", 999999999.991, 150, dot, kTooLarge},
        {"1000000000", 1e9, 0, dot, kTooLarge},
        {"14", 14, 0, dot, kNoShares},
        {"14", 14, -5, dot, kNoShares},
        {"14", 14, 0.001, dot, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " shares " + std::to_string(c.shares));
        const std::optional<Notice> notice =
            invest::checkRevaluation(QString::fromLatin1(c.text), c.price, c.shares, c.points);
        if (!c.message) {
            EXPECT_FALSE(notice) << notice->text.toStdString();
            continue;
        }
        ASSERT_TRUE(notice);
        EXPECT_EQ(notice->kind, NoticeKind::Error);
        EXPECT_EQ(notice->text, QString::fromLatin1(c.message));
    }
}

TEST(StatusFigures, TheBoxFormats) {
    testsupport::DefaultLocale english("en_US");
    const invest::FigureTexts shown = invest::figureTexts({150, 12, 1800, 195, 195.0 / 1800, 10.70, 1605});
    const invest::FigureTexts expected{"150.000", "  12.00", "1800.00", " 195.00",
                                       " 0.11",   "10.70",   "1605.00"};
    EXPECT_EQ(shown, expected) << "the gain ratio shows as the ratio, 0.11, not 10.83";
    testsupport::DefaultLocale german("de_DE");
    EXPECT_EQ(invest::figureTexts({}).price, QStringLiteral("   0,00"));
}

// A fresh investment database: account 7 with 100 shares at 10 and a book value of 1000, one
// purchase of 50 at 12 (commission 5) on 04/01/2004; account 8 untouched beside it; account 9
// opened blank.
class Store : public ::testing::Test {
protected:
    void SetUp() override {
        db::Connection connection(db::Alias::IBInvest);
        invest::writeNewAccount(connection,
                                {7, QStringLiteral("Growth Fund"), 10, 100, 1000, {3, 1, 2004}, false});
        invest::writeNewAccount(connection,
                                {8, QStringLiteral("Income Fund"), 5, 10, 50, {3, 2, 2004}, false});
        invest::writeNewAccount(connection, {9, QStringLiteral("Empty Fund"), 0, 0, 0, {3, 3, 2004}, true});
        invest::PostedTransaction posted;
        ASSERT_EQ(invest::writePosting(
                      connection, {7, invest::PostingType::Bought, {50, 12, 5, 0, 0}, {4, 1, 2004}}, posted),
                  nullptr);
    }

    static QList<QVariantList> rows(const QString& statement) {
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
    static QList<QVariantList> everything() {
        return rows(QStringLiteral("SELECT * FROM INVESTSUMMARY ORDER BY ACTNO")) +
               rows(QStringLiteral("SELECT * FROM LINEITEM ORDER BY RECNO"));
    }
    static invest::AccountRow account(int actno) {
        db::Connection connection(db::Alias::IBInvest);
        return invest::readAccount(connection, actno).value();
    }
    static QList<invest::LineItemRow> items(int actno) {
        db::Connection connection(db::Alias::IBInvest);
        return invest::readLineItems(connection, actno);
    }

    db::testing::TempDataFolder folder_;
    const invest::Date started_{6, 15, 2004};
};

TEST_F(Store, WhatIfWritesNothing) {
    const QList<QVariantList> before = everything();
    const invest::RevalueOutcome outcome = invest::revalue({"7", "14"}, RevalueCommand::WhatIf, started_);
    EXPECT_TRUE(outcome.notices.isEmpty());
    ASSERT_TRUE(outcome.shown);
    EXPECT_DOUBLE_EQ(outcome.shown->figures.value, 2100);
    EXPECT_DOUBLE_EQ(outcome.shown->figures.gain, 495);
    EXPECT_EQ(outcome.lastDate, QStringLiteral("04/01/2004"));
    EXPECT_FALSE(outcome.posted);
    EXPECT_EQ(everything(), before);
}

TEST_F(Store, PostStoresThePriceAndAnRLineAndKeepsSharesAndBookValue) {
    const QList<QVariantList> other = rows(QStringLiteral("SELECT * FROM INVESTSUMMARY WHERE ACTNO <> 7")) +
                                      rows(QStringLiteral("SELECT * FROM LINEITEM WHERE ACTNO <> 7"));
    const invest::RevalueOutcome outcome = invest::revalue({"7", "14"}, RevalueCommand::Post, started_);
    EXPECT_TRUE(outcome.notices.isEmpty());
    ASSERT_TRUE(outcome.posted);

    // 150 shares, book value 1605, price 12 before; at 14: 2100, gain 495, ratio 495/2100, 10.70.
    const invest::AccountRow a = account(7);
    EXPECT_EQ(a.FUNDNO, 1);
    EXPECT_DOUBLE_EQ(a.TOTSHARES, 150);
    EXPECT_DOUBLE_EQ(a.TOTBOOKVALUE, 1605);
    EXPECT_DOUBLE_EQ(a.CURRENTPRICE, 14);
    EXPECT_DOUBLE_EQ(a.TOTVALUE, 2100);
    EXPECT_DOUBLE_EQ(a.GAINDOLLARS, 495);
    EXPECT_NEAR(a.GAINPERCENT, 0.235714285714, 1e-12);
    EXPECT_NEAR(a.AVERAGECOST, 10.70, 1e-12);
    EXPECT_DOUBLE_EQ(a.LASTPRICE, 12) << "the price before the revaluation";

    const QList<invest::LineItemRow> lines = items(7);
    ASSERT_EQ(lines.size(), 3);
    const invest::LineItemRow& r = lines.last();
    EXPECT_EQ(r.RECNO, 5);
    EXPECT_EQ(r.FUNDNO, 1);
    EXPECT_EQ(r.ACTNO, 7);
    EXPECT_EQ(r.NAME, QStringLiteral("Growth Fund").leftJustified(20));
    EXPECT_EQ(r.TRANSDATE, QStringLiteral("06/15/2004"));
    EXPECT_EQ(r.TRANSTYPE, QStringLiteral("R"));
    EXPECT_DOUBLE_EQ(r.SHARES, 150);
    EXPECT_DOUBLE_EQ(r.PRICE, 14);
    EXPECT_EQ(r.COMMISSION, 0);
    EXPECT_EQ(r.FEE, 0);
    EXPECT_EQ(r.DIVIDEND, 0);
    EXPECT_EQ(r.BOOKVALUE, 0);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM INVESTSUMMARY WHERE ACTNO <> 7")) +
                  rows(QStringLiteral("SELECT * FROM LINEITEM WHERE ACTNO <> 7")),
              other);

    // The status query now shows the revaluation and its date.
    const invest::AccountStatus status = invest::queryStatus(QStringLiteral("7"));
    EXPECT_TRUE(status.notices.isEmpty());
    ASSERT_TRUE(status.account);
    EXPECT_DOUBLE_EQ(status.account->CURRENTPRICE, 14);
    EXPECT_EQ(status.lastDate, QStringLiteral("06/15/2004"));
}

TEST_F(Store, ARevaluationThenPostings) {
    ASSERT_TRUE(invest::revalue({"7", "14"}, RevalueCommand::Post, started_).posted);
    db::Connection connection(db::Alias::IBInvest);
    invest::PostedTransaction posted;

    // Sell 30 at 15, commission 5, fee 2, from 150 shares, book value 1605, price 14:
    // cost -450 + 7 = -443; 120 shares; value 1800; book value 1162; gain 638; 638/1800; 1162/120.
    ASSERT_EQ(invest::writePosting(connection,
                                   {7, invest::PostingType::Sold, {30, 15, 5, 2, 0}, {6, 20, 2004}}, posted),
              nullptr);
    invest::AccountRow a = account(7);
    EXPECT_DOUBLE_EQ(a.TOTSHARES, 120);
    EXPECT_NEAR(a.TOTBOOKVALUE, 1162, 1e-9);
    EXPECT_NEAR(a.TOTVALUE, 1800, 1e-9);
    EXPECT_NEAR(a.GAINDOLLARS, 638, 1e-9);
    EXPECT_NEAR(a.GAINPERCENT, 638.0 / 1800, 1e-12);
    EXPECT_NEAR(a.AVERAGECOST, 1162.0 / 120, 1e-12);
    EXPECT_DOUBLE_EQ(a.CURRENTPRICE, 15);
    EXPECT_DOUBLE_EQ(a.LASTPRICE, 14) << "the revalued price";

    // A fee in cash keeps the account's price: revalue to 16 first, then a fee of 20 on 120 shares:
    // value 1920, book value 1182, gain 738, 738/1920, 1182/120.
    ASSERT_TRUE(invest::revalue({"7", "16"}, RevalueCommand::Post, started_).posted);
    ASSERT_EQ(invest::writePosting(
                  connection, {7, invest::PostingType::FeeInCash, {0, 0, 0, 20, 0}, {6, 21, 2004}}, posted),
              nullptr);
    a = account(7);
    EXPECT_DOUBLE_EQ(a.CURRENTPRICE, 16);
    EXPECT_DOUBLE_EQ(a.TOTSHARES, 120);
    EXPECT_NEAR(a.TOTBOOKVALUE, 1182, 1e-9);
    EXPECT_NEAR(a.TOTVALUE, 1920, 1e-9);
    EXPECT_NEAR(a.GAINDOLLARS, 738, 1e-9);
    EXPECT_NEAR(a.GAINPERCENT, 738.0 / 1920, 1e-12);
    EXPECT_NEAR(a.AVERAGECOST, 1182.0 / 120, 1e-12);

    QStringList types;
    for (const invest::LineItemRow& i : items(7))
        types << i.TRANSTYPE;
    EXPECT_EQ(types, (QStringList{"N", "B", "R", "S", "R", "F"}));
}

TEST_F(Store, ReadingAndCheckingStopBeforeAnythingIsComputed) {
    const QList<QVariantList> before = everything();
    const struct {
        const char* what;
        invest::RevalueTexts texts;
        NoticeKind kind;
        const char* message;
    } cases[] = {
        {"no account selected", {"", "14"}, NoticeKind::Exception, "'' is not a valid integer value"},
        {"a price that is no number",
         {"7", "abc"},
         NoticeKind::Exception,
         "'abc' is not a valid floating point value"},
        {"an empty price", {"7", ""}, NoticeKind::Exception, "'' is not a valid floating point value"},
        {"a negative price", {"7", "-3"}, NoticeKind::Error, kNotNumeric},
        {"a zero price", {"7", "0"}, NoticeKind::Error, kNotPositive},
        {"a price too large", {"7", "1000000000"}, NoticeKind::Error, kTooLarge},
        {"a blank account", {"9", "14"}, NoticeKind::Error, kNoShares},
        {"an account no longer there", {"99", "14"}, NoticeKind::Error, kNoShares},
    };
    for (const auto& c : cases) {
        for (const RevalueCommand command : {RevalueCommand::WhatIf, RevalueCommand::Post}) {
            SCOPED_TRACE(c.what);
            const invest::RevalueOutcome outcome = invest::revalue(c.texts, command, started_);
            ASSERT_EQ(outcome.notices.size(), 1);
            EXPECT_EQ(outcome.notices[0], (Notice{c.kind, QString::fromLatin1(c.message)}));
            EXPECT_FALSE(outcome.shown);
            EXPECT_FALSE(outcome.lastDate);
            EXPECT_FALSE(outcome.posted);
            EXPECT_EQ(everything(), before);
        }
    }
}

TEST_F(Store, AFailedLineItemLeavesTheAccountAsItWas) {
    const QList<QVariantList> before = everything();
    db::testing::InsertFault fault(db::Alias::IBInvest, QStringLiteral("LINEITEM"), 0);
    const invest::RevalueOutcome outcome = invest::revalue({"7", "14"}, RevalueCommand::Post, started_);
    ASSERT_EQ(outcome.notices.size(), 1);
    EXPECT_EQ(outcome.notices[0], (Notice{NoticeKind::Plain, db::testing::InsertFault::faultMessage(0)}));
    EXPECT_FALSE(outcome.posted);
    EXPECT_TRUE(outcome.shown) << "the what-if figures were shown before the write";
    EXPECT_EQ(everything(), before);
    EXPECT_DOUBLE_EQ(account(7).CURRENTPRICE, 12);
}

TEST_F(Store, WritingForAnAccountNoLongerThereWritesNothing) {
    invest::AccountRow gone = account(7);
    gone.ACTNO = 99;
    const QList<QVariantList> before = everything();
    db::Connection connection(db::Alias::IBInvest);
    EXPECT_THROW(invest::writeRevaluation(connection, gone, invest::computeRevaluation(gone, 14), started_),
                 db::Error);
    EXPECT_EQ(everything(), before);
}

TEST_F(Store, StatusQueryReadsTheRowAndTheLastDate) {
    invest::AccountStatus status = invest::queryStatus(QStringLiteral("7"));
    EXPECT_TRUE(status.notices.isEmpty());
    ASSERT_TRUE(status.account);
    EXPECT_EQ(status.account->ACTNO, 7);
    EXPECT_DOUBLE_EQ(status.account->TOTVALUE, 1800);
    EXPECT_EQ(status.lastDate, QStringLiteral("04/01/2004"));

    // An account without line items leaves the date alone.
    {
        db::Connection connection(db::Alias::IBInvest);
        QSqlQuery q(connection.database());
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM LINEITEM WHERE ACTNO = 8")));
    }
    status = invest::queryStatus(QStringLiteral("8"));
    ASSERT_TRUE(status.account);
    EXPECT_EQ(status.account->ACTNO, 8);
    EXPECT_FALSE(status.lastDate);

    status = invest::queryStatus(QString());
    EXPECT_EQ(status.notices,
              (QList<Notice>{{NoticeKind::Exception, QStringLiteral("'' is not a valid integer value")}}));
    EXPECT_FALSE(status.account);
}

} // namespace
