// The plain pieces: display masks, the column table, the accounting rules with their faults, the
// date texts.
#include "db/connection.h"
#include "db/testsupport/tempdatafolder.h"
#include "invest/accountchart.h"
#include "invest/accounting.h"
#include "invest/checks.h"
#include "invest/columns.h"
#include "testsupport/locale_text.h"
#include "ui/convert.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using invest::PostingType;

TEST(FormatMask, DigitsBeforeThePointAreOptionalWithHash) {
    testsupport::DefaultLocale english("en_US");
    const struct {
        const char* mask;
        double value;
        const char* shown;
    } cases[] = {
        {"#.00", 12.5, "12.50"},   {"#.00", 0.5, ".50"},         {"#.00", 0, ".00"},
        {"#.00", -0.5, "-.50"},    {"#.00", -0.001, ".00"},      {"#.00", 1234567.891, "1234567.89"},
        {"#.000", 150, "150.000"}, {"#.000", 0.1083333, ".108"}, {"#.00", -638, "-638.00"},
        {"0.00", 0.5, "0.50"},     {"0.000", 0, "0.000"},        {"#.00", 9.995, "9.99"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " " + std::to_string(c.value));
        EXPECT_EQ(invest::formatMask(QString::fromLatin1(c.mask), c.value), QLatin1String(c.shown));
    }
}

TEST(FormatMask, ShowsTheUserSeparatorWhateverTheProcessLocale) {
    const struct {
        const char* locale;
        const char* mask;
        double value;
        const char* shown;
    } cases[] = {
        {"de_DE", "#.00", 1234567.891, "1234567,89"},
        {"de_DE", "#.00", -0.5, "-,50"},
        {"de_DE", "#.000", 150, "150,000"},
        {"de_DE", "0.00", 0.5, "0,50"},
        {"de_DE", "", 12.5, "12,5"},
        {"en_US", "", 12.5, "12.5"},
        {"en_US", "", 1234567, "1234567"},
        {"fr_FR", "#.00", 9.995, "9,99"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " " + c.mask + " " + std::to_string(c.value));
        testsupport::DefaultLocale locale(c.locale);
        EXPECT_EQ(invest::formatMask(QString::fromLatin1(c.mask), c.value), QString::fromUtf8(c.shown));
    }
}

// Any query through the grids' model: each investment column, named in any letter case, shows its
// caption over its values in its format; another column keeps its name and its value as it is.
TEST(ColumnTable, EveryColumnShowsItsCaptionAndFormat) {
    testsupport::DefaultLocale english("en_US");
    db::testing::TempDataFolder folder;
    db::Connection connection(db::Alias::IBInvest);
    const struct {
        const char* column;
        const char* caption;
        const char* format;
        const char* shown; // 1234.5 under the format
    } expected[] = {
        {"FUNDNO", "Fund No", "", "1234.5"},
        {"ACTNO", "Account No", "", "1234.5"},
        {"NAME", "Name", "", "1234.5"},
        {"CURRENTPRICE", "Current Price", "#.00", "1234.50"},
        {"TOTSHARES", "Total Shares", "#.000", "1234.500"},
        {"TOTBOOKVALUE", "Total Cost", "#.00", "1234.50"},
        {"TOTVALUE", "Balance", "#.00", "1234.50"},
        {"GAINDOLLARS", "Gain Dollars", "#.00", "1234.50"},
        {"GAINPERCENT", "Gain Percent", "#.00", "1234.50"},
        {"AVERAGECOST", "Average Share Cost", "#.00", "1234.50"},
        {"LASTPRICE", "Last Price", "#.00", "1234.50"},
        {"RECNO", "Rec No", "", "1234.5"},
        {"TRANSDATE", "Date", "", "1234.5"},
        {"TRANSTYPE", "Type", "", "1234.5"},
        {"SHARES", "Shares", "#.000", "1234.500"},
        {"PRICE", "Price", "#.00", "1234.50"},
        {"COMMISSION", "Commission", "#.00", "1234.50"},
        {"FEE", "Fee", "#.00", "1234.50"},
        {"DIVIDEND", "Dividend", "#.00", "1234.50"},
        {"BOOKVALUE", "Item Cost", "#.00", "1234.50"},
        {"LOANNO", "loanno", "", "1234.5"},
    };
    QStringList columns;
    for (const auto& e : expected)
        columns << QStringLiteral("1234.5 AS %1").arg(QString::fromLatin1(e.column).toLower());
    QSqlQueryModel source;
    source.setQuery(QStringLiteral("select ") + columns.join(QStringLiteral(", ")), connection.database());
    ASSERT_FALSE(source.lastError().isValid()) << source.lastError().text().toStdString();
    invest::ColumnFormatModel shown;
    shown.setSourceModel(&source);
    ASSERT_EQ(shown.columnCount(), int(std::size(expected)));
    for (int column = 0; column < shown.columnCount(); ++column) {
        const auto& e = expected[column];
        SCOPED_TRACE(e.column);
        EXPECT_EQ(shown.headerData(column, Qt::Horizontal).toString(), QLatin1String(e.caption));
        EXPECT_EQ(shown.index(0, column).data().toString(), QLatin1String(e.shown));
        if (*e.format) {
            EXPECT_EQ(shown.index(0, column).data(Qt::TextAlignmentRole).toInt(),
                      int(Qt::AlignRight | Qt::AlignVCenter));
        }
    }
    source.clear();
}

TEST(ColumnTable, TheModelShowsCaptionsAndFormatsOfAnyQuery) {
    testsupport::DefaultLocale english("en_US");
    db::testing::TempDataFolder folder;
    db::Connection connection(db::Alias::IBInvest);
    QSqlQuery insert(connection.database());
    ASSERT_TRUE(insert.exec(QStringLiteral(
        "INSERT INTO LINEITEM VALUES (1, 1, 7, 'O''Neil', '03/01/2004', 'B', 50, 0.5, 5, 0, 0, 605)")));

    QSqlQueryModel source;
    source.setQuery(QStringLiteral("select recno, actno, name, shares, price, bookvalue from LINEITEM"),
                    connection.database());
    invest::ColumnFormatModel shown(nullptr, {{"ACTNO", "Accout No"}, {"PRICE", nullptr, "0.000"}});
    shown.setSourceModel(&source);
    const char* captions[] = {"Rec No", "Accout No", "Name", "Shares", "Price", "Item Cost"};
    const QString texts[] = {"1",      "7",     QStringLiteral("O'Neil").leftJustified(20),
                             "50.000", "0.500", "605.00"};
    for (int column = 0; column < 6; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(shown.headerData(column, Qt::Horizontal).toString(), QLatin1String(captions[column]));
        EXPECT_EQ(shown.index(0, column).data().toString(), texts[column]);
    }
    EXPECT_EQ(shown.index(0, 3).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    {
        testsupport::DefaultLocale german("de_DE");
        EXPECT_EQ(shown.index(0, 3).data().toString(), QStringLiteral("50,000"));
        EXPECT_EQ(shown.index(0, 5).data().toString(), QStringLiteral("605,00"));
    }
    source.clear();
}

// Figures worked by hand from the holding before the posting.
struct Expected {
    double cost, price, shares, value, bookValue, gain, gainRatio, averageCost;
    invest::Trade item;
};

void expectPosting(const invest::Posting& p, const Expected& e) {
    EXPECT_DOUBLE_EQ(p.cost, e.cost);
    EXPECT_DOUBLE_EQ(p.price, e.price);
    EXPECT_DOUBLE_EQ(p.shares, e.shares);
    EXPECT_DOUBLE_EQ(p.value, e.value);
    EXPECT_DOUBLE_EQ(p.bookValue, e.bookValue);
    EXPECT_DOUBLE_EQ(p.gain, e.gain);
    EXPECT_NEAR(p.gainRatio, e.gainRatio, 1e-12);
    EXPECT_NEAR(p.averageCost, e.averageCost, 1e-12);
    EXPECT_DOUBLE_EQ(p.item.shares, e.item.shares);
    EXPECT_DOUBLE_EQ(p.item.price, e.item.price);
    EXPECT_DOUBLE_EQ(p.item.commission, e.item.commission);
    EXPECT_DOUBLE_EQ(p.item.fee, e.item.fee);
    EXPECT_DOUBLE_EQ(p.item.dividend, e.item.dividend);
}

TEST(Accounting, TheWorkedExampleBuysSellsAndSellsOut) {
    invest::Posting p;
    ASSERT_EQ(invest::computePosting(PostingType::Bought, {100, 10, 1000}, {50, 12, 5, 0, 0}, p), nullptr);
    expectPosting(p, {605, 12, 150, 1800, 1605, 195, 195.0 / 1800, 10.70, {50, 12, 5, 0, 0}});
    ASSERT_EQ(invest::computePosting(PostingType::Sold, {150, 12, 1605}, {30, 15, 5, 2, 0}, p), nullptr);
    expectPosting(p, {-443, 15, 120, 1800, 1162, 638, 638.0 / 1800, 1162.0 / 120, {30, 15, 5, 2, 0}});
    ASSERT_EQ(invest::computePosting(PostingType::Sold, {120, 15, 1162}, {120, 15, 0, 0, 0}, p), nullptr);
    expectPosting(p, {-1800, 15, 0, 0, -638, 638, 638.0 / 1800, (1800.0 - 638) / 120, {120, 15, 0, 0, 0}});
}

TEST(Accounting, TypeRulesChangeTheLineItem) {
    invest::Posting p;
    // A cash dividend adds typed shares to the account but stores none, and no price.
    ASSERT_EQ(invest::computePosting(PostingType::CashDividend, {100, 10, 1000}, {4, 11, 0, 0, 30}, p),
              nullptr);
    expectPosting(p, {-30, 11, 104, 1144, 970, 174, 174.0 / 1144, 970.0 / 104, {0, 0, 0, 0, 30}});
    // A fee in cash values the holding at the account's price and stores neither shares nor price.
    ASSERT_EQ(invest::computePosting(PostingType::FeeInCash, {100, 10, 1000}, {7, 99, 1, 15, 2}, p), nullptr);
    expectPosting(p, {15, 10, 100, 1000, 1015, -15, -15.0 / 1000, 10.15, {0, 0, 1, 15, 2}});
    // A sale after which the value is below zero: the ratio on the value before, the average cost
    // on the shares before (book value above zero).
    ASSERT_EQ(invest::computePosting(PostingType::Sold, {10, 10, 500}, {20, 10, 0, 0, 0}, p), nullptr);
    expectPosting(p, {-200, 10, -10, -100, 300, -400, -400.0 / 100, 300.0 / 10, {20, 10, 0, 0, 0}});
    // A unit fee over every share: no value left, book value below zero.
    ASSERT_EQ(invest::computePosting(PostingType::UnitSharesFee, {10, 10, -50}, {10, 5, 0, 0, 0}, p),
              nullptr);
    expectPosting(p, {50, 5, 0, 0, 0, 0, 0, (50.0 + 0) / 10, {10, 5, 0, 50, 0}});
}

TEST(Accounting, DivisionsByZeroStopThePostingWithTheFrameworkText) {
    const struct {
        const char* what;
        PostingType type;
        invest::Holding before;
        invest::Trade typed;
        const char* fault;
    } cases[] = {
        {"cash dividend at price 0",
         PostingType::CashDividend,
         {100, 10, 1000},
         {0, 0, 0, 0, 30},
         invest::kDivisionByZero},
        {"cash dividend, nothing held",
         PostingType::CashDividend,
         {0, 10, 0},
         {0, 10, 0, 0, 0},
         invest::kInvalidOperation},
        {"fee in cash on a blank account",
         PostingType::FeeInCash,
         {0, 0, 0},
         {0, 0, 0, 5, 0},
         invest::kDivisionByZero},
        {"fee in cash, sold out",
         PostingType::FeeInCash,
         {0, 15, -638},
         {0, 0, 0, 5, 0},
         invest::kDivisionByZero},
        {"purchase back to zero shares",
         PostingType::Bought,
         {-10, 5, -50},
         {10, 5, 0, 0, 0},
         invest::kInvalidOperation},
        {"dividend in shares back to zero shares",
         PostingType::DividendInShares,
         {-5, 5, 100},
         {5, 2, 0, 0, 0},
         invest::kDivisionByZero},
        {"sale out of an empty account",
         PostingType::Sold,
         {0, 0, 0},
         {10, 5, 0, 0, 0},
         invest::kInvalidOperation},
        {"unit fee out of an empty account",
         PostingType::UnitSharesFee,
         {0, 0, 20},
         {1, 5, 0, 0, 0},
         invest::kDivisionByZero},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        invest::Posting p;
        const char* fault = invest::computePosting(c.type, c.before, c.typed, p);
        ASSERT_NE(fault, nullptr);
        EXPECT_STREQ(fault, c.fault);
    }
}

TEST(Accounting, EveryFigureIsFiniteWhenThePostingPasses) {
    // Holdings and trades across the types, including empty and sold-out accounts.
    const invest::Holding holdings[] = {{0, 0, 0}, {0, 15, -638}, {100, 10, 1000}, {1, 0.01, 999999999.99}};
    const invest::Trade trades[] = {
        {0, 0, 0, 0, 0}, {1, 1, 0, 0, 1}, {100, 15, 5, 2, 3}, {0.001, 999999999.99, 1, 1, 1}};
    for (int type = 0; type < 6; ++type)
        for (const auto& h : holdings)
            for (const auto& t : trades) {
                invest::Posting p;
                if (invest::computePosting(invest::postingTypeAt(type), h, t, p)) continue;
                for (double v :
                     {p.cost, p.price, p.shares, p.value, p.bookValue, p.gain, p.gainRatio, p.averageCost})
                    EXPECT_TRUE(std::isfinite(v)) << type;
            }
}

TEST(PostingTypes, EachTypeHasItsCodeLetter) {
    // In the order of the post form's list.
    const char codes[] = {'B', 'C', 'D', 'F', 'S', 'U'};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(invest::typeCode(invest::postingTypeAt(i)), codes[i]) << i;
}

TEST(NumericText, DigitsBlanksAndTheDecimalPointsTheReadingTakes) {
    const QStringList dot{QStringLiteral(".")}, comma{QStringLiteral(",")};
    const QStringList both{QStringLiteral(","), QStringLiteral(".")};
    const struct {
        const char* text;
        const QStringList& points;
        bool numeric;
    } cases[] = {
        {"", dot, true},         {"12.50", dot, true},    {" 1 2\t", dot, true}, {"12,50", dot, false},
        {"1e1", dot, false},     {"+5", dot, false},      {"-5", dot, false},    {"12,50", comma, true},
        {"12.50", comma, false}, {"1.000", comma, false}, {"12,50", both, true}, {"12.50", both, true},
        {"1'000", both, false},  {"..", dot, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(invest::isNumericText(QString::fromLatin1(c.text), c.points), c.numeric)
            << c.text << " with " << c.points.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(invest::isNumericText(u"12.50"));
    EXPECT_FALSE(invest::isNumericText(u"12,50"));
}

TEST(NumericText, TheDecimalPointsFollowTheUserLocale) {
    const struct {
        const char* locale;
        QStringList points;
    } cases[] = {
        {"en_US", {"."}},
        // '.' groups thousands there, so only the comma is a decimal point.
        {"de_DE", {","}},
        // The comma is the separator, and '.' is read too as it groups nothing.
        {"fr_FR", {",", "."}},
    };
    for (const auto& c : cases) {
        testsupport::DefaultLocale locale(c.locale);
        EXPECT_EQ(invest::decimalPoints(), c.points) << c.locale;
    }
}

TEST(Dates, TextsAndTheDateCheck) {
    EXPECT_EQ(invest::transDate({3, 1, 2004}), QStringLiteral("03/01/2004"));
    EXPECT_EQ(invest::dateBoxText({3, 1, 2004}), QStringLiteral("03012004"));
    const struct {
        const char* text;
        bool valid;
    } cases[] = {{"", true},          {"12312004", true},  {"02312004", true},  {"01019998", true},
                 {"13012004", false}, {"01002004", false}, {"00012004", false}, {"01320004", false},
                 {"01010999", false}, {"01019999", false}, {"0101200", false},  {"010120045", false},
                 {"01/01/04", false}, {" 1012004", false}};
    for (const auto& c : cases)
        EXPECT_EQ(invest::isValidDateText(QString::fromLatin1(c.text)), c.valid) << c.text;

    const invest::Date today{6, 15, 2004};
    EXPECT_EQ(invest::readDate(QString(), today), today);
    EXPECT_EQ(invest::readDate(QStringLiteral("03012004"), today), (invest::Date{3, 1, 2004}));
    try {
        invest::readDate(QStringLiteral("0x012004"), today);
        FAIL() << "no conversion error";
    } catch (const ui::ConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'0x' is not a valid integer value"));
    }
}

// The account chart's points: shares by the sign of each type, the last price kept through the
// items without one, a revaluation moving the price and keeping the book value.
TEST(AccountChart, PointsFollowTheLineItems) {
    auto item = [](const char* date, const char* type, double shares, double price, double cost) {
        invest::LineItemRow r;
        r.TRANSDATE = QString::fromLatin1(date);
        r.TRANSTYPE = QString::fromLatin1(type);
        r.SHARES = shares;
        r.PRICE = price;
        r.BOOKVALUE = cost;
        return r;
    };
    const QList<invest::LineItemRow> items = {
        item("01/02/2004", "N", 100, 10, 1000), item("02/02/2004", "B", 50, 12, 605),
        item("03/01/2004", "C", 0, 0, -40),     item("04/01/2004", "R", 0, 14, 0),
        item("05/03/2004", "S", 30, 15, -443),  item("06/01/2004", "F", 0, 0, 12),
        item("07/01/2004", "U", 2, 16, 0),      item("08/02/2004", "D", 3, 16, 0),
    };
    const struct {
        double value, book;
    } expected[] = {{1000, 1000}, {1800, 1605}, {1800, 1565}, {2100, 1565},
                    {1800, 1122}, {1800, 1134}, {1888, 1134}, {1936, 1134}};
    const std::vector<talvero::charts::AccountPoint> points = invest::accountPoints(items);
    ASSERT_EQ(points.size(), std::size(expected));
    for (std::size_t k = 0; k < points.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(points[k].date, items[static_cast<qsizetype>(k)].TRANSDATE.toStdString());
        EXPECT_DOUBLE_EQ(points[k].value, expected[k].value);
        EXPECT_DOUBLE_EQ(points[k].book, expected[k].book);
    }
}

} // namespace
