#include "dbtest.h"

#include "db/datafolder.h"
#include "db/statements.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <utility>
#include <vector>

namespace {

struct Column {
    const char* name;
    const char* type;
};

struct Table {
    db::Alias alias;
    const char* name;
    std::vector<Column> columns;
};

// clang-format off
const std::vector<Table> expectedTables = {
    {db::Alias::IBLoan, "LOANSUMMARY", {
        {"LOANNO", "INTEGER"}, {"SUMNO", "INTEGER"}, {"ORGAMT", "DOUBLE PRECISION"},
        {"ORIGDT", "VARCHAR(15)"}, {"FIRSTDUEDT", "VARCHAR(15)"}, {"APR", "DOUBLE PRECISION"},
        {"FREQUENCY", "DOUBLE PRECISION"}, {"NUMPAY", "DOUBLE PRECISION"}, {"REGZAPR", "DOUBLE PRECISION"},
        {"PAYMENT", "DOUBLE PRECISION"}, {"SKPMONTH", "SMALLINT"}, {"INTMETHOD", "SMALLINT"},
        {"DOWNAMT", "DOUBLE PRECISION"}, {"FEEAMT", "DOUBLE PRECISION"}, {"FEEPCT", "DOUBLE PRECISION"},
        {"FINANCEAMT", "DOUBLE PRECISION"}, {"TOTALINTEREST", "DOUBLE PRECISION"},
        {"TOTALINSURANCE", "DOUBLE PRECISION"}, {"TOTALTAXES", "DOUBLE PRECISION"},
        {"TOTALPAYOUT", "DOUBLE PRECISION"}, {"BLPAY", "DOUBLE PRECISION"}}},
    {db::Alias::IBLoan, "LOANDETAIL", {
        {"RECNO", "INTEGER"}, {"LOANNO", "INTEGER"}, {"PAYDATE", "VARCHAR(20)"},
        {"INTAMT", "DOUBLE PRECISION"}, {"PRINAMT", "DOUBLE PRECISION"}, {"DSINS", "DOUBLE PRECISION"},
        {"LFINS", "DOUBLE PRECISION"}, {"TAXES", "DOUBLE PRECISION"}, {"HOINS", "DOUBLE PRECISION"},
        {"OTINS", "DOUBLE PRECISION"}, {"PAYMENT", "DOUBLE PRECISION"}, {"BALANCE", "DOUBLE PRECISION"}}},
    {db::Alias::IBInvest, "INVESTSUMMARY", {
        {"FUNDNO", "INTEGER"}, {"ACTNO", "INTEGER"}, {"NAME", "CHAR(20)"},
        {"CURRENTPRICE", "DOUBLE PRECISION"}, {"TOTSHARES", "DOUBLE PRECISION"},
        {"TOTBOOKVALUE", "DOUBLE PRECISION"}, {"TOTVALUE", "DOUBLE PRECISION"},
        {"GAINDOLLARS", "DOUBLE PRECISION"}, {"GAINPERCENT", "DOUBLE PRECISION"},
        {"AVERAGECOST", "DOUBLE PRECISION"}, {"LASTPRICE", "DOUBLE PRECISION"}}},
    {db::Alias::IBInvest, "LINEITEM", {
        {"RECNO", "INTEGER"}, {"FUNDNO", "INTEGER"}, {"ACTNO", "INTEGER"}, {"NAME", "CHAR(20)"},
        {"TRANSDATE", "CHAR(15)"}, {"TRANSTYPE", "CHAR(1)"}, {"SHARES", "DOUBLE PRECISION"},
        {"PRICE", "DOUBLE PRECISION"}, {"COMMISSION", "DOUBLE PRECISION"}, {"FEE", "DOUBLE PRECISION"},
        {"DIVIDEND", "DOUBLE PRECISION"}, {"BOOKVALUE", "DOUBLE PRECISION"}}},
};
// clang-format on

std::vector<std::pair<std::string, std::string>> tableInfo(db::Connection& connection, const char* table) {
    std::vector<std::pair<std::string, std::string>> columns;
    QSqlQuery query(connection.database());
    EXPECT_TRUE(query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(table))));
    while (query.next())
        columns.emplace_back(query.value(1).toString().toStdString(),
                             query.value(2).toString().toStdString());
    return columns;
}

std::vector<std::string> tableNames(db::Connection& connection) {
    std::vector<std::string> names;
    QSqlQuery query(connection.database());
    EXPECT_TRUE(
        query.exec(QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name")));
    while (query.next())
        names.push_back(query.value(0).toString().toStdString());
    return names;
}

} // namespace

TEST_F(DbTest, FirstUseCreatesEveryTableAndColumn) {
    db::Connection loan(db::Alias::IBLoan);
    db::Connection invest(db::Alias::IBInvest);
    EXPECT_EQ(tableNames(loan), (std::vector<std::string>{"KEYGEN", "LOANDETAIL", "LOANSUMMARY"}));
    EXPECT_EQ(tableNames(invest), (std::vector<std::string>{"INVESTSUMMARY", "KEYGEN", "LINEITEM"}));
    for (const Table& table : expectedTables) {
        SCOPED_TRACE(table.name);
        db::Connection& connection = table.alias == db::Alias::IBLoan ? loan : invest;
        std::vector<std::pair<std::string, std::string>> expected;
        for (const Column& column : table.columns)
            expected.emplace_back(column.name, column.type);
        EXPECT_EQ(tableInfo(connection, table.name), expected);
    }
}

TEST_F(DbTest, EachAliasIsOneFileInAPrivateDataFolder) {
    const QString home = folder.path();
    EXPECT_EQ(db::dataFolderPath(), home);
    EXPECT_FALSE(QFileInfo::exists(home));
    {
        db::Connection loan(db::Alias::IBLoan);
        EXPECT_EQ(loan.target().driver, QStringLiteral("QSQLITE"));
        EXPECT_EQ(loan.target().database, home + QStringLiteral("/loan.db"));
        db::Connection invest(db::Alias::IBInvest);
        EXPECT_EQ(invest.target().database, home + QStringLiteral("/invest.db"));
    }
    EXPECT_TRUE(QFileInfo::exists(home + QStringLiteral("/loan.db")));
    EXPECT_TRUE(QFileInfo::exists(home + QStringLiteral("/invest.db")));
    EXPECT_EQ(QFileInfo(home).permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                               QFile::ReadOther | QFile::WriteOther | QFile::ExeOther),
              QFile::Permissions());
}

TEST_F(DbTest, ReopeningKeepsTheRows) {
    {
        db::Connection loan(db::Alias::IBLoan);
        QSqlQuery insert = db::prepare(loan, db::sql::insertLoanDetail);
        insert.bindValue(QStringLiteral(":RECNO"), 7);
        insert.bindValue(QStringLiteral(":LOANNO"), 3);
        insert.bindValue(QStringLiteral(":PAYDATE"), QStringLiteral("GRAND TOTALS"));
        db::exec(insert);
    }
    db::Connection again(db::Alias::IBLoan);
    EXPECT_EQ(rowCount(again, QStringLiteral("LOANDETAIL")), 1);
    EXPECT_EQ(scalar(again, QStringLiteral("SELECT PAYDATE FROM LOANDETAIL")).toString(),
              QStringLiteral("GRAND TOTALS"));
}

TEST_F(DbTest, SqliteRunsWithRollbackJournalAndFullSync) {
    db::Connection loan(db::Alias::IBLoan);
    EXPECT_EQ(scalar(loan, QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
    EXPECT_EQ(scalar(loan, QStringLiteral("PRAGMA synchronous")).toInt(), 2); // FULL
    EXPECT_EQ(scalar(loan, QStringLiteral("PRAGMA foreign_keys")).toInt(), 1);
}

// Every statement of the program prepares against the blank schema: the column names match.
TEST_F(DbTest, EveryStatementPreparesOnItsDatabase) {
    struct Case {
        db::Alias alias;
        QStringView statement;
        const char* name;
    };
    // clang-format off
    const Case cases[] = {
        {db::Alias::IBLoan, db::sql::drawKeys, "drawKeys loan"},
        {db::Alias::IBLoan, db::sql::insertLoanSummary, "insertLoanSummary"},
        {db::Alias::IBLoan, db::sql::insertLoanDetail, "insertLoanDetail"},
        {db::Alias::IBLoan, db::sql::loanPreview, "loanPreview"},
        {db::Alias::IBLoan, db::sql::balloonPreview, "balloonPreview"},
        {db::Alias::IBLoan, db::sql::portfolioList, "portfolioList"},
        {db::Alias::IBLoan, db::sql::portfolioReport, "portfolioReport"},
        {db::Alias::IBLoan, db::sql::compareLoan1, "compareLoan1"},
        {db::Alias::IBLoan, db::sql::compareLoan2, "compareLoan2"},
        {db::Alias::IBLoan, db::sql::compareLoan3, "compareLoan3"},
        {db::Alias::IBInvest, db::sql::drawKeys, "drawKeys invest"},
        {db::Alias::IBInvest, db::sql::insertInvestSummary, "insertInvestSummary"},
        {db::Alias::IBInvest, db::sql::insertLineItem, "insertLineItem"},
        {db::Alias::IBInvest, db::sql::accountList, "accountList"},
        {db::Alias::IBInvest, db::sql::account, "account"},
        {db::Alias::IBInvest, db::sql::lineItemsByAccount, "lineItemsByAccount"},
        {db::Alias::IBInvest, db::sql::lineItemsByFund, "lineItemsByFund"},
        {db::Alias::IBInvest, db::sql::accountLineItems, "accountLineItems"},
        {db::Alias::IBInvest, db::sql::lineItem, "lineItem"},
    };
    // clang-format on
    db::Connection loan(db::Alias::IBLoan);
    db::Connection invest(db::Alias::IBInvest);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db::Connection& connection = c.alias == db::Alias::IBLoan ? loan : invest;
        EXPECT_NO_THROW(db::prepare(connection, c.statement));
    }
}

// Rows joined by loan number come back in RECNO order and only for that loan; a loan without
// detail rows gives nothing.
TEST_F(DbTest, PreviewReadsOneLoanInRecnoOrder) {
    db::Connection loan(db::Alias::IBLoan);
    QSqlQuery summary = db::prepare(loan, db::sql::insertLoanSummary);
    for (int loanNo : {1, 2, 3}) {
        summary.bindValue(QStringLiteral(":LOANNO"), loanNo);
        summary.bindValue(QStringLiteral(":SUMNO"), loanNo);
        summary.bindValue(QStringLiteral(":ORGAMT"), 1000.0 * loanNo);
        db::exec(summary);
    }
    QSqlQuery detail = db::prepare(loan, db::sql::insertLoanDetail);
    // Written out of order on purpose; loan 3 has no rows.
    const std::pair<int, int> rows[] = {{12, 1}, {10, 2}, {11, 1}, {13, 2}, {9, 1}};
    for (const auto& [recNo, loanNo] : rows) {
        detail.bindValue(QStringLiteral(":RECNO"), recNo);
        detail.bindValue(QStringLiteral(":LOANNO"), loanNo);
        detail.bindValue(QStringLiteral(":INTAMT"), recNo * 1.5);
        db::exec(detail);
    }
    struct Case {
        QStringView statement;
        const char* parameter;
        int loanNo;
        std::vector<double> interest;
    };
    const Case cases[] = {
        {db::sql::loanPreview, ":Param1", 1, {13.5, 16.5, 18.0}},
        {db::sql::balloonPreview, ":Param1", 2, {15.0, 19.5}},
        {db::sql::portfolioReport, ":Param4", 1, {13.5, 16.5, 18.0}},
        {db::sql::loanPreview, ":Param1", 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loanNo);
        QSqlQuery query = db::prepare(loan, c.statement);
        query.bindValue(QLatin1String(c.parameter), c.loanNo);
        db::exec(query);
        std::vector<double> interest;
        while (query.next()) {
            interest.push_back(query.value(QStringLiteral("INTAMT")).toDouble());
            EXPECT_EQ(query.value(QStringLiteral("ORGAMT")).toDouble(), 1000.0 * c.loanNo);
        }
        EXPECT_EQ(interest, c.interest);
    }
}

TEST_F(DbTest, MoneyStaysDoubleAndEmptyStaysNull) {
    db::Connection loan(db::Alias::IBLoan);
    QSqlQuery detail = db::prepare(loan, db::sql::insertLoanDetail);
    detail.bindValue(QStringLiteral(":RECNO"), 1);
    detail.bindValue(QStringLiteral(":LOANNO"), 1);
    detail.bindValue(QStringLiteral(":PAYDATE"), QStringLiteral("01/15/2004"));
    detail.bindValue(QStringLiteral(":PAYMENT"), 100); // an integer value is kept as a double
    detail.bindValue(QStringLiteral(":INTAMT"), 0.1 + 0.2);
    db::exec(detail);
    EXPECT_EQ(scalar(loan, QStringLiteral("SELECT typeof(PAYMENT) FROM LOANDETAIL")).toString(),
              QStringLiteral("real"));
    EXPECT_EQ(scalar(loan, QStringLiteral("SELECT INTAMT FROM LOANDETAIL")).toDouble(), 0.1 + 0.2);
    EXPECT_EQ(scalar(loan, QStringLiteral("SELECT typeof(BALANCE) FROM LOANDETAIL")).toString(),
              QStringLiteral("null"));
    EXPECT_EQ(scalar(loan, QStringLiteral("SELECT PAYDATE FROM LOANDETAIL")).toString(),
              QStringLiteral("01/15/2004"));
}

TEST_F(DbTest, TextLongerThanItsColumnIsRejected) {
    db::Connection loan(db::Alias::IBLoan);
    QSqlQuery summary = db::prepare(loan, db::sql::insertLoanSummary);
    summary.bindValue(QStringLiteral(":LOANNO"), 1);
    summary.bindValue(QStringLiteral(":SUMNO"), 1);
    summary.bindValue(QStringLiteral(":ORIGDT"), QStringLiteral("0123456789ABCDEF")); // 16 characters
    EXPECT_THROW(db::exec(summary), db::Error);
    summary.bindValue(QStringLiteral(":ORIGDT"), QStringLiteral("0123456789ABCDE")); // 15
    EXPECT_NO_THROW(db::exec(summary));
}

// NAME is a fixed 20-character column: shorter names read back padded, 20 characters stay whole.
TEST_F(DbTest, AccountNamesArePaddedToTwenty) {
    db::Connection invest(db::Alias::IBInvest);
    struct Case {
        QString typed;
        QString stored;
    };
    const Case cases[] = {
        {QStringLiteral("Acme Growth"), QStringLiteral("Acme Growth         ")},
        {QStringLiteral("O'Neil-Smith Balance"), QStringLiteral("O'Neil-Smith Balance")},
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        ++number;
        QSqlQuery account = db::prepare(invest, db::sql::insertInvestSummary);
        account.bindValue(QStringLiteral(":FUNDNO"), number);
        account.bindValue(QStringLiteral(":ACTNO"), 100 + number);
        account.bindValue(QStringLiteral(":NAME"), c.typed);
        db::exec(account);
        QSqlQuery item = db::prepare(invest, db::sql::insertLineItem);
        item.bindValue(QStringLiteral(":RECNO"), number);
        item.bindValue(QStringLiteral(":NAME"), c.typed);
        item.bindValue(QStringLiteral(":TRANSDATE"), QStringLiteral("03/01/2004"));
        db::exec(item);
        EXPECT_EQ(
            scalar(invest, QStringLiteral("SELECT NAME FROM INVESTSUMMARY WHERE FUNDNO = %1").arg(number))
                .toString(),
            c.stored);
        EXPECT_EQ(scalar(invest, QStringLiteral("SELECT NAME FROM LINEITEM WHERE RECNO = %1").arg(number))
                      .toString(),
                  c.stored);
    }
    EXPECT_EQ(scalar(invest, QStringLiteral("SELECT TRANSDATE FROM LINEITEM WHERE RECNO = 1")).toString(),
              QStringLiteral("03/01/2004"));
    QSqlQuery rename(invest.database());
    ASSERT_TRUE(rename.exec(QStringLiteral("UPDATE INVESTSUMMARY SET NAME = 'Short' WHERE FUNDNO = 1")));
    EXPECT_EQ(scalar(invest, QStringLiteral("SELECT NAME FROM INVESTSUMMARY WHERE FUNDNO = 1")).toString(),
              QStringLiteral("Short               "));
}
