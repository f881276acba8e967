// Importing and exporting transactions as CSV: a file gives the rows the forms give for the same
// inputs; a file with bad rows lists each and leaves the database file as it was, byte for byte;
// an export imports into a fresh database as the same accounts and line items.
#include "db/connection.h"
#include "db/testsupport/tempdatafolder.h"
#include "invest/revalue.h"
#include "invest/store.h"
#include "invest/transfer.h"
#include "investdb.h"

#include <QFile>
#include <gtest/gtest.h>

#include <optional>

namespace {

using investtest::InvestDb;

const invest::Date kToday{6, 15, 2024};

// The inputs of each row as the forms take them.
struct Typed {
    const char *actno, *name, *date, *type, *shares, *price, *commission, *fee, *dividend;
};

// clang-format off
const Typed kRows[] = {
    {"7",  "Growth Fund",     "03012004", "N", "100",  "10",   "0", "0", "0"},
    {"8",  "O'Hara's Income", "03022004", "N", "10.5", "5.25", "0", "0", "0"},
    {"9",  "Empty Fund",      "03032004", "N", "0",    "0",    "0", "0", "0"},
    {"7",  "",                "04012004", "B", "50",   "12",   "5", "0", "0"},
    {"7",  "",                "05012004", "S", "30",   "15",   "5", "2", "0"},
    {"7",  "",                "06012004", "C", "0",    "15",   "0", "0", "40"},
    {"7",  "",                "07012004", "D", "2",    "16",   "0", "0", "0"},
    {"8",  "",                "07022004", "F", "0",    "0",    "0", "3", "0"},
    {"7",  "",                "08012004", "U", "1",    "16.5", "0", "0", "0"},
    {"9",  "",                "08022004", "B", "20",   "4",    "0", "1", "0"},
    {"7",  "",                "09012004", "R", "0",    "18",   "0", "0", "0"},
    {"8",  "",                "10012004", "C", "0",    "5.5",  "0", "0", "2.5"},
};
// clang-format on

QString csvOf(const Typed* begin, const Typed* end) {
    QString csv = QLatin1String(invest::kTransferHeader) + QLatin1Char('\n');
    for (const Typed* t = begin; t != end; ++t)
        csv += QStringList{t->actno, t->name,       t->date, t->type,    t->shares,
                           t->price, t->commission, t->fee,  t->dividend}
                   .join(QLatin1Char(',')) +
               QLatin1Char('\n');
    return csv;
}

// The same inputs typed into the add, posting and revaluation forms' commands.
void throughTheForms() {
    for (const Typed& t : kRows) {
        SCOPED_TRACE(std::string(t.type) + " " + t.date);
        const QString type = QString::fromLatin1(t.type);
        if (type == QLatin1String("N")) {
            const bool blank = QLatin1String(t.shares) == QLatin1String("0");
            invest::AccountTexts texts{t.actno, t.name, t.price, t.shares, "", t.date, blank};
            texts.balance = invest::transferNumber(QString::fromLatin1(t.shares).toDouble() *
                                                   QString::fromLatin1(t.price).toDouble());
            const auto outcome = invest::addAccount(texts, kToday);
            ASSERT_FALSE(outcome.notice) << outcome.notice->text.toStdString();
        } else if (type == QLatin1String("R")) {
            const auto outcome = invest::revalue({t.actno, t.price}, invest::RevalueCommand::Post,
                                                 invest::readDate(QString::fromLatin1(t.date), kToday));
            ASSERT_TRUE(outcome.notices.isEmpty()) << outcome.notices.front().text.toStdString();
        } else {
            invest::PostingTexts texts;
            texts.account = t.actno;
            texts.typePosition = static_cast<int>(QStringLiteral("BCDFSU").indexOf(type));
            texts.date = t.date;
            texts.shares = t.shares;
            texts.price = t.price;
            texts.commission = t.commission;
            texts.fee = t.fee;
            texts.dividend = t.dividend;
            const auto outcome = invest::postTransaction(texts, kToday);
            ASSERT_FALSE(outcome.notice) << outcome.notice->text.toStdString();
        }
    }
}

invest::ImportResult import(const QString& csv, bool commit = true) {
    db::Connection connection(db::Alias::IBInvest);
    return invest::importCsv(connection, csv, kToday, commit);
}

QByteArray databaseFile() {
    QFile file(db::resolveAlias(db::Alias::IBInvest).database);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

TEST(Import, GivesTheRowsTheFormsGive) {
    QList<QVariantList> typed;
    {
        db::testing::TempDataFolder folder;
        ASSERT_NO_FATAL_FAILURE(throughTheForms());
        typed = InvestDb::everything();
    }
    db::testing::TempDataFolder folder;
    const invest::ImportResult result = import(csvOf(std::begin(kRows), std::end(kRows)));
    EXPECT_EQ(result.refused, QStringList{});
    EXPECT_EQ(result.written, static_cast<int>(std::size(kRows)));
    EXPECT_EQ(InvestDb::everything(), typed);
}

TEST(Import, APreviewChecksEveryRowAndWritesNothing) {
    db::testing::TempDataFolder folder;
    InvestDb::openAccounts();
    const QByteArray before = databaseFile();
    const invest::ImportResult result = import(csvOf(std::begin(kRows) + 3, std::end(kRows)), false);
    // Account 9 is not there without its opening row.
    EXPECT_EQ(result.refused, QStringList{"row 8: Account 9 is not in the investment database"});
    EXPECT_EQ(result.written, 0);
    EXPECT_EQ(databaseFile(), before);
}

TEST(Import, BadRowsAreEachListedAndNothingIsWritten) {
    db::testing::TempDataFolder folder;
    InvestDb::openAccounts();
    const QByteArray before = databaseFile();
    const QString csv = QStringLiteral("ACTNO,NAME,DATE,TYPE,SHARES,PRICE,COMMISSION,FEE,DIVIDEND\n"
                                       "10,New Fund,01022005,N,10,5,0,0,0\n" // row 2: good, and seen by row 9
                                       "7,,01032005,B,50,twelve,0,0,0\n"     // row 3
                                       "7,Growth Fund,01042005,N,10,5,0,0,0\n" // row 4: 7 is there
                                       "7,,13012005,S,5,12,0,0,0\n"            // row 5
                                       "7,,01052005,C,0,12,0,0,0\n"            // row 6
                                       "7,,01062005,X,1,1,0,0,0\n"             // row 7
                                       "7,,01072005,B,1\n"                     // row 8
                                       "10,,01082005,B,5,6,1,0,0\n" // row 9: good, on the account of row 2
                                       "42,,01092005,S,5,6,0,0,0\n" // row 10
                                       "8,,01102005,R,0,-3,0,0,0\n" // row 11
                                       "11,Bad1 Name,01112005,N,1,1,0,0,0\n" // row 12
                                       "7,,01122005,C,0,0,0,0,5\n"); // row 13: division by zero at price 0
    const invest::ImportResult result = import(csv);
    const QStringList expected{
        "row 3: 'twelve' is not a valid floating point value",
        "row 4: Duplicate Account Number entered. Please correct!",
        "row 5: Invalid Transaction Date Entered! Use MMDDCCYY format--(8 digits total). Do not use spaces, "
        "slashes, etc. The CENTURY must be included. Be sure month, day, and year are valid. Please re-enter "
        "correctly. NOTE: A blank transaction date is acceptable. This field will automatically be todays "
        "date "
        "if left blank.",
        "row 6: You failed to enter a required field. You must enter the dividend to complete. this "
        "tranaction. "
        "Please correct!",
        "row 7: TYPE \"X\" is none of N, B, C, D, F, S, U, R",
        "row 8: 5 cells where the header has 9",
        "row 10: Account 42 is not in the investment database",
        "row 11: Invalid price entered! You entered a non numeric or unallowed value. Please re-enter.",
        "row 12: Invalid Account Name entered! You entered a non-alphabetic character. Spaces and hyphens "
        "are "
        "allowable. Do not exceed 20 characters. Please re-enter.",
        "row 13: Floating point division by zero",
    };
    EXPECT_EQ(result.refused, expected);
    EXPECT_EQ(result.written, 0);
    EXPECT_EQ(databaseFile(), before) << "byte for byte";
}

TEST(Import, TheHeaderIsRequired) {
    db::testing::TempDataFolder folder;
    InvestDb::openAccounts();
    const QByteArray before = databaseFile();
    const invest::ImportResult result = import(QStringLiteral("7,Growth Fund,01022005,N,10,5,0,0,0\n"));
    EXPECT_EQ(
        result.refused,
        QStringList{"row 1: the header must be ACTNO,NAME,DATE,TYPE,SHARES,PRICE,COMMISSION,FEE,DIVIDEND"});
    EXPECT_EQ(databaseFile(), before);
}

TEST(Import, EmptyAmountsAreZeroAndQuotedCellsRead) {
    db::testing::TempDataFolder folder;
    const invest::ImportResult result =
        import(QStringLiteral("actno,name,date,type,shares,price,commission,fee,dividend\r\n"
                              "5,\"Apple Growth\",01022005,N,10,5,,,\r\n"
                              "5,,01032005,F,,,,2.5,\r\n"));
    ASSERT_EQ(result.refused, QStringList{});
    db::Connection connection(db::Alias::IBInvest);
    const invest::AccountRow a = invest::readAccount(connection, 5).value();
    EXPECT_EQ(a.NAME.trimmed(), QStringLiteral("Apple Growth"));
    EXPECT_DOUBLE_EQ(a.TOTBOOKVALUE, 52.5) << "the opening cost and the fee";
}

// Exporting the history and importing it into a fresh database gives the same accounts and line
// items (only the key numbers are drawn anew), and exporting that gives the same file again.
TEST(Export, ImportsAgainUnchanged) {
    QString history, accounts;
    QList<QVariantList> summary, items;
    const QString select = QStringLiteral(
        "SELECT ACTNO, NAME, CURRENTPRICE, TOTSHARES, TOTBOOKVALUE, TOTVALUE, GAINDOLLARS, GAINPERCENT, "
        "AVERAGECOST, LASTPRICE FROM INVESTSUMMARY ORDER BY ACTNO");
    const QString selectItems = QStringLiteral(
        "SELECT ACTNO, NAME, TRANSDATE, TRANSTYPE, SHARES, PRICE, COMMISSION, FEE, DIVIDEND, BOOKVALUE "
        "FROM LINEITEM ORDER BY ACTNO, RECNO");
    {
        db::testing::TempDataFolder folder;
        ASSERT_EQ(import(csvOf(std::begin(kRows), std::end(kRows))).refused, QStringList{});
        db::Connection connection(db::Alias::IBInvest);
        history = invest::exportHistoryCsv(connection);
        accounts = invest::exportAccountsCsv(connection, kToday);
        summary = InvestDb::rows(select);
        items = InvestDb::rows(selectItems);
    }
    EXPECT_TRUE(history.contains(QStringLiteral("\n7,Growth Fund,06012004,C,0,15,0,0,40\n")))
        << "a cash dividend carries the price before it";
    EXPECT_TRUE(history.contains(QStringLiteral("\n8,O'Hara's Income,10012004,C,0,5.5,0,0,2.5\n")))
        << "the last line item carries the account's price";
    EXPECT_TRUE(accounts.contains(QStringLiteral("\n7,Growth Fund,09012004,N,121,18,0,0,0\n")))
        << accounts.toStdString();
    {
        db::testing::TempDataFolder folder;
        ASSERT_EQ(import(history).refused, QStringList{});
        EXPECT_EQ(InvestDb::rows(select), summary);
        EXPECT_EQ(InvestDb::rows(selectItems), items);
        db::Connection connection(db::Alias::IBInvest);
        EXPECT_EQ(invest::exportHistoryCsv(connection), history);
    }
    {
        db::testing::TempDataFolder folder;
        ASSERT_EQ(import(accounts).refused, QStringList{});
        const QList<QVariantList> opened = InvestDb::rows(QStringLiteral(
            "SELECT ACTNO, TOTSHARES, CURRENTPRICE, TOTVALUE FROM INVESTSUMMARY ORDER BY ACTNO"));
        ASSERT_EQ(opened.size(), summary.size());
        for (qsizetype n = 0; n < summary.size(); ++n) {
            EXPECT_EQ(opened[n][0], summary[n][0]);
            EXPECT_DOUBLE_EQ(opened[n][1].toDouble(), summary[n][3].toDouble()) << "shares";
            EXPECT_NEAR(opened[n][3].toDouble(), summary[n][5].toDouble(), 1e-9) << "value";
        }
    }
}

TEST(Export, NumbersReadBackAsTheSameDouble) {
    for (const double v : {0.0, 12.0, 2000.0 / 11, 0.1 + 0.2, 999999999.99, 1e-7}) {
        const QString text = invest::transferNumber(v);
        EXPECT_FALSE(text.contains(QLatin1Char('e'))) << text.toStdString();
        EXPECT_EQ(text.toDouble(), v) << text.toStdString();
    }
}

} // namespace
