// One contract for the database layer, run on every backend: SQLite always, Firebird when the
// environment names a server (firebirdserver.h). The program's own routines do the writing
// (loan::writeLoan, the investment store), so what passes here is what the forms get.
#include "firebirdserver.h"

#include "common/today.h"
#include "db/connection.h"
#include "db/error.h"
#include "db/keys.h"
#include "db/retry.h"
#include "db/statements.h"
#include "db/testsupport/fault.h"
#include "db/testsupport/tempdatafolder.h"
#include "db/transaction.h"
#include "invest/deletion.h"
#include "invest/returns.h"
#include "invest/revalue.h"
#include "invest/store.h"
#include "invest/transfer.h"
#include "loan/save.h"
#include "ui/grids.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <set>
#include <vector>

namespace {

using db::Alias;
using db::Generator;
using talvero::common::LoanBlock;

enum class Backend { SQLite, Firebird };

// An account opened on 03/01/2004 with 100 shares at 10.
invest::NewAccount hundredAtTen(int actno, const QString& name) {
    invest::NewAccount opening;
    opening.ACTNO = actno;
    opening.NAME = name;
    opening.price = 10;
    opening.shares = 100;
    opening.balance = 1000;
    opening.date = {3, 1, 2004};
    return opening;
}

// 10,000 at 12 % over 36 months from 01/15/2004: 36 payment rows, 3 year totals, the grand total.
LoanBlock thirtySix(double orgamt) {
    LoanBlock b;
    b.FINANCEAMT = 10000;
    b.ORGAMT = orgamt;
    b.DOWNAMT = 700;
    b.FEEAMT = 200;
    b.APR = 12;
    b.NUMPAY = 36;
    b.FREQUENCY = 12;
    b.INTMETHOD = 0;
    b.SKPMONTH = 2;
    b.TERMYEARS = 3;
    b.PAYMENT = 332.1430981;
    b.REGZAPR = 12.5;
    b.TOTALINTEREST = 1957.15;
    b.TOTALPAYOUT = 11957.15;
    std::snprintf(b.FIRSTDUE, sizeof b.FIRSTDUE, "%s", "01152004");
    return b;
}

class DbContract : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        talvero::common::set_today({3, 9, 2004});
        if (GetParam() != Backend::Firebird) return;
        server_ = contract::serverForTest();
        if (!server_) return;
        static int serial = 0;
        const QString base = QStringLiteral("%1/contract-%2-%3")
                                 .arg(server_->folder)
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(++serial);
        databases_.create(*server_, base + QStringLiteral("-loan.fdb"), base + QStringLiteral("-invest.fdb"));
    }

    void TearDown() override {
        talvero::common::clear_today();
        databases_.drop();
    }

    // The statement's rows; `name` binds its one parameter (every place it appears) to `value`.
    static QList<QVariantList> rows(Alias alias, QStringView statement, const QString& name = {},
                                    const QVariant& value = {}) {
        db::Connection c(alias);
        QSqlQuery q = db::prepare(c, statement);
        if (!name.isEmpty()) q.bindValue(name, value);
        db::exec(q);
        QList<QVariantList> result;
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i < q.record().count(); ++i)
                row.append(q.value(i));
            result.append(row);
        }
        return result;
    }
    static qint64 count(Alias alias, const QString& table) {
        return rows(alias, QString(QStringLiteral("select count(*) from ") + table))
            .value(0)
            .value(0)
            .toLongLong();
    }

    db::testing::TempDataFolder folder_;
    std::optional<contract::FirebirdServer> server_;
    contract::TestDatabases databases_;
};

// The backend the alias resolves to is the one under test.
TEST_P(DbContract, SchemaHasTheTablesAndColumnsOnFirstUse) {
    const struct {
        Alias alias;
        const char* table;
        const char* columns;
    } tables[] = {
        {Alias::IBLoan, "LOANSUMMARY",
         "LOANNO SUMNO ORGAMT ORIGDT FIRSTDUEDT APR FREQUENCY NUMPAY REGZAPR PAYMENT SKPMONTH INTMETHOD "
         "DOWNAMT "
         "FEEAMT FEEPCT FINANCEAMT TOTALINTEREST TOTALINSURANCE TOTALTAXES TOTALPAYOUT BLPAY"},
        {Alias::IBLoan, "LOANDETAIL",
         "RECNO LOANNO PAYDATE INTAMT PRINAMT DSINS LFINS TAXES HOINS OTINS PAYMENT BALANCE"},
        {Alias::IBInvest, "INVESTSUMMARY",
         "FUNDNO ACTNO NAME CURRENTPRICE TOTSHARES TOTBOOKVALUE TOTVALUE GAINDOLLARS GAINPERCENT AVERAGECOST "
         "LASTPRICE"},
        {Alias::IBInvest, "LINEITEM",
         "RECNO FUNDNO ACTNO NAME TRANSDATE TRANSTYPE SHARES PRICE COMMISSION FEE DIVIDEND BOOKVALUE"},
    };
    for (const auto& t : tables) {
        SCOPED_TRACE(t.table);
        db::Connection c(t.alias);
        EXPECT_EQ(c.isFirebird(), GetParam() == Backend::Firebird);
        QSqlQuery q(c.database());
        ASSERT_TRUE(q.exec(QStringLiteral("select * from %1").arg(QLatin1String(t.table))));
        QStringList names;
        for (int i = 0; i < q.record().count(); ++i)
            names << q.record().fieldName(i).toUpper();
        EXPECT_EQ(names.join(u' '), QLatin1String(t.columns));
    }
    // A second opening keeps what is there.
    loan::writeLoan({thirtySix(10500), 332.1430981, 2.5});
    db::Connection again(Alias::IBLoan);
    EXPECT_EQ(count(Alias::IBLoan, QStringLiteral("LOANSUMMARY")), 1);
}

// Numbers start at 1, follow one another and never repeat, across connections and blocks.
TEST_P(DbContract, GeneratorsNeverRepeatAcrossConnections) {
    const struct {
        Alias alias;
        Generator generator;
    } generators[] = {{Alias::IBLoan, Generator::GETSUMNOGEN},
                      {Alias::IBLoan, Generator::GETRECNOGEN},
                      {Alias::IBInvest, Generator::FUNDNOGEN},
                      {Alias::IBInvest, Generator::GETRECNOGEN}};
    for (const auto& g : generators) {
        SCOPED_TRACE(db::generatorName(g.generator).toStdString());
        db::Connection first(g.alias);
        db::Connection second(g.alias);
        std::vector<qint64> numbers;
        numbers.push_back(db::nextKey(first, g.generator));
        numbers.push_back(db::nextKey(second, g.generator));
        for (db::Connection* c : {&first, &second, &first}) {
            db::Transaction t(*c);
            numbers.push_back(db::nextKey(*c, g.generator));
            t.commit();
        }
        numbers.push_back(db::reserveKeys(second, g.generator, 10)); // 6 .. 15
        numbers.push_back(db::nextKey(first, g.generator));
        EXPECT_EQ(numbers, (std::vector<qint64>{1, 2, 3, 4, 5, 6, 16}));
    }
}

TEST_P(DbContract, AGeneratorOfTheOtherDatabaseIsAnError) {
    db::Connection loanDb(Alias::IBLoan);
    try {
        db::nextKey(loanDb, Generator::FUNDNOGEN);
        ADD_FAILURE() << "no error";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("The database IBLoan has no key generator FUNDNOGEN"));
    }
}

TEST_P(DbContract, SavedLoansAreWholeAndTheStatementsReadThem) {
    const loan::SavedLoan first = loan::writeLoan({thirtySix(10500), 332.1430981, 2.5});
    const loan::SavedLoan second = loan::writeLoan({thirtySix(9000), 332.1430981, 2.5, true, 24});
    EXPECT_EQ(first.LOANNO, 1);
    EXPECT_EQ(second.LOANNO, 2);
    EXPECT_GT(first.detailRows, 36);

    // Portfolio list: ordered by ORGAMT, every column.
    const auto list = rows(Alias::IBLoan, db::sql::portfolioList);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0][0].toLongLong(), 2);
    EXPECT_DOUBLE_EQ(list[0][1].toDouble(), 9000);
    EXPECT_EQ(list[0][2].toString(), QStringLiteral("03/09/2004"));
    EXPECT_EQ(list[0][3].toString(), QStringLiteral("01/15/2004"));
    EXPECT_EQ(list[0][10].toInt(), 0);
    EXPECT_DOUBLE_EQ(list[0][19].toDouble(), 24);
    EXPECT_TRUE(list[1][19].isNull());
    EXPECT_EQ(list[1][20].toLongLong(), 1);

    // The portfolio grid shows a regular loan's empty BLPAY as an empty cell, not as 0.
    {
        db::Connection connection(Alias::IBLoan);
        ui::GridModel grid;
        QSqlQuery query = ui::prepareForModel(connection, db::sql::portfolioList);
        ASSERT_TRUE(query.exec());
        ui::fillModel(grid, std::move(query));
        ASSERT_EQ(grid.rowCount(), 2);
        EXPECT_EQ(grid.index(1, 19).data().toString(), QString());
        EXPECT_EQ(grid.index(0, 19).data().toString(), QStringLiteral("24"));
        ui::releaseModel(grid);
    }

    // Previews: the rows in schedule order, a payment row first, the grand total last.
    const std::pair<QStringView, const char*> previews[] = {{db::sql::loanPreview, ":Param1"},
                                                            {db::sql::balloonPreview, ":Param1"},
                                                            {db::sql::portfolioReport, ":Param4"}};
    for (const auto& [statement, parameter] : previews) {
        const auto detail = rows(Alias::IBLoan, statement, QLatin1String(parameter), first.LOANNO);
        ASSERT_EQ(detail.size(), first.detailRows);
        EXPECT_EQ(detail.front()[0].toString(), QStringLiteral("01/15/2004"));
        EXPECT_FALSE(detail.front()[9].isNull());
        EXPECT_EQ(detail.back()[0].toString(), QStringLiteral("GRAND TOTALS"));
        EXPECT_TRUE(detail.back()[9].isNull());
        EXPECT_DOUBLE_EQ(detail.back()[10].toDouble(), 10500);
        double principal = 0;
        for (const auto& row : detail)
            if (row[9].isValid() && !row[9].isNull()) principal += row[2].toDouble();
        EXPECT_NEAR(principal, 10000, 0.01);
    }
    EXPECT_TRUE(rows(Alias::IBLoan, db::sql::loanPreview, QStringLiteral(":Param1"), 99).isEmpty());

    // Comparison: one row per loan, the whole summary.
    const auto compared = rows(Alias::IBLoan, db::sql::compareLoan2, QStringLiteral(":Para2"), second.LOANNO);
    ASSERT_EQ(compared.size(), 1);
    EXPECT_EQ(compared[0].size(), 21);

    // Detail numbers are unique and the loans' rows disjoint.
    EXPECT_EQ(count(Alias::IBLoan, QStringLiteral("LOANDETAIL")), first.detailRows + second.detailRows);
    const auto distinct = rows(Alias::IBLoan, u"select count(distinct RECNO) from LOANDETAIL");
    EXPECT_EQ(distinct[0][0].toLongLong(), first.detailRows + second.detailRows);
}

TEST_P(DbContract, AccountsAreAddedAndPostedThroughTheStore) {
    db::Connection c(Alias::IBInvest);
    const invest::AddedAccount added =
        invest::writeNewAccount(c, hundredAtTen(7, QStringLiteral("Growth Fund")));
    EXPECT_EQ(added.account.FUNDNO, 1);
    EXPECT_EQ(added.item.RECNO, 1);

    invest::PostingRequest buy;
    buy.ACTNO = 7;
    buy.type = invest::PostingType::Bought;
    buy.trade.shares = 50;
    buy.trade.price = 12;
    buy.trade.commission = 5;
    buy.date = {6, 15, 2004};
    invest::PostedTransaction posted;
    EXPECT_EQ(invest::writePosting(c, buy, posted), nullptr);
    EXPECT_EQ(posted.item.RECNO, 2);

    const std::optional<invest::AccountRow> account = invest::readAccount(c, 7);
    ASSERT_TRUE(account);
    EXPECT_EQ(account->NAME, QStringLiteral("Growth Fund         "));
    EXPECT_DOUBLE_EQ(account->TOTSHARES, 150);
    EXPECT_DOUBLE_EQ(account->CURRENTPRICE, 12);
    EXPECT_DOUBLE_EQ(account->LASTPRICE, 10);

    const QList<invest::LineItemRow> items = invest::readLineItems(c, 7);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].TRANSTYPE, QStringLiteral("N"));
    EXPECT_EQ(items[0].TRANSDATE.trimmed(), QStringLiteral("03/01/2004"));
    EXPECT_EQ(items[1].TRANSTYPE, QStringLiteral("B"));
    EXPECT_EQ(items[1].NAME, QStringLiteral("Growth Fund         "));
    double book = 0;
    for (const invest::LineItemRow& i : items)
        book += i.BOOKVALUE;
    EXPECT_NEAR(account->TOTBOOKVALUE, book, 1e-9);

    for (QStringView statement :
         {db::sql::accountList, db::sql::lineItemsByAccount, db::sql::lineItemsByFund}) {
        SCOPED_TRACE(statement.toString().toStdString());
        EXPECT_FALSE(rows(Alias::IBInvest, statement).isEmpty());
    }
    EXPECT_EQ(rows(Alias::IBInvest, db::sql::accountLineItems, QStringLiteral(":Para1"), 7).size(), 2);
    EXPECT_EQ(
        rows(Alias::IBInvest, db::sql::lineItem, QStringLiteral(":Para1"), 2).value(0).value(5).toString(),
        QStringLiteral("B"));
}

// One connection imports in one transaction after another (a preview rolled back, then two files)
// on the statements it prepared once; Firebird's are prepared again for each transaction. Returns
// read the rows back through the row reader.
TEST_P(DbContract, ImportsReuseTheirStatementsTransactionAfterTransaction) {
    const QString header = QLatin1String(invest::kTransferHeader) + QLatin1Char('\n');
    const QString first = header + QStringLiteral("7,Growth Fund,03012004,N,100,10,0,0,0\n"
                                                  "7,,06152004,B,50,12,5,0,0\n");
    const invest::Date today{12, 31, 2004};
    db::Connection c(Alias::IBInvest);
    EXPECT_TRUE(invest::importCsv(c, first, today, false).refused.isEmpty());
    EXPECT_EQ(count(Alias::IBInvest, QStringLiteral("LINEITEM")), 0) << "the preview is rolled back";
    EXPECT_EQ(invest::importCsv(c, first, today, true).written, 2);
    EXPECT_EQ(
        invest::importCsv(c, header + QStringLiteral("7,,09012004,S,30,14,0,0,0\n"), today, true).written, 1);

    db::Connection other(Alias::IBInvest);
    const std::vector<invest::AccountHistory> histories = invest::readHistories(other, 7);
    ASSERT_EQ(histories.size(), 1u);
    EXPECT_DOUBLE_EQ(histories[0].account.TOTSHARES, 120);
    std::string types;
    for (const invest::ReturnItem& i : histories[0].items)
        types += i.type;
    EXPECT_EQ(types, "NBS");
    EXPECT_EQ(histories[0].items[1].day, talvero::common::day_number({6, 15, 2004}));
    EXPECT_DOUBLE_EQ(histories[0].items[1].COMMISSION, 5);
    // The sale's gain against the average cost: 30 x 14 - 30 x (1,000 + 605) / 150.
    const invest::Returns whole = invest::returnsOf(histories, today);
    EXPECT_NEAR(whole.gains.at(2004).averageCost, 420 - 321, 1e-9);
    // Counted while the rows are read, the same figures.
    const invest::Returns counted = invest::accountReturns(other, 7, today);
    EXPECT_EQ(counted.gains, whole.gains);
    EXPECT_EQ(counted.value, whole.value);
    EXPECT_EQ(counted.xirr, whole.xirr);
    EXPECT_EQ(counted.ttwror, whole.ttwror);
}

// Another clerk's posting commits while this one's transaction is open, before it writes: the
// server's update conflict makes the posting start again, read the account afresh and go through;
// both postings count. (On SQLite the writer holds the lock from its first statement, so no one
// commits in between; its busy case is in db/tests/retry_test.cpp.)
TEST_P(DbContract, AnUpdateConflictIsTriedAgainAndBothPostingsCount) {
    if (GetParam() != Backend::Firebird) GTEST_SKIP() << "a server's update conflict";
    if (!server_) return;
    db::Connection mine(Alias::IBInvest);
    invest::writeNewAccount(mine, hundredAtTen(7, QStringLiteral("Shared")));
    const auto buying = [](double shares) {
        invest::PostingRequest r;
        r.ACTNO = 7;
        r.type = invest::PostingType::Bought;
        r.trade.shares = shares;
        r.trade.price = 10;
        r.date = {6, 15, 2004};
        return r;
    };
    int attempts = 0;
    const invest::PostedTransaction posted =
        db::runCommand(mine, db::kAccountChanged, [&](db::Transaction& transaction) {
            if (++attempts == 1) {
                db::Connection other(Alias::IBInvest);
                invest::PostedTransaction theirs;
                EXPECT_EQ(invest::writePosting(other, buying(5), theirs), nullptr);
            }
            invest::PostedTransaction out;
            EXPECT_EQ(invest::applyPosting(mine, buying(2), out), nullptr);
            transaction.commit();
            return out;
        });
    EXPECT_EQ(attempts, 2);
    EXPECT_DOUBLE_EQ(posted.before.TOTSHARES, 105);
    const std::optional<invest::AccountRow> account = invest::readAccount(mine, 7);
    ASSERT_TRUE(account);
    EXPECT_DOUBLE_EQ(account->TOTSHARES, 107);
    EXPECT_EQ(invest::readLineItems(mine, 7).size(), 3);
}

TEST_P(DbContract, AccountsAreRevaluedAndDeletedThroughTheStore) {
    db::Connection c(Alias::IBInvest);
    for (int actno : {7, 8})
        invest::writeNewAccount(c, hundredAtTen(actno, QStringLiteral("Fund %1").arg(actno)));
    const std::optional<invest::AccountRow> before = invest::readAccount(c, 7);
    ASSERT_TRUE(before);
    const invest::RevaluedAccount revalued =
        invest::writeRevaluation(c, *before, invest::computeRevaluation(*before, 12.5), {4, 1, 2004});
    EXPECT_EQ(revalued.item.TRANSTYPE, QStringLiteral("R"));
    const std::optional<invest::AccountRow> after = invest::readAccount(c, 7);
    ASSERT_TRUE(after);
    EXPECT_DOUBLE_EQ(after->CURRENTPRICE, 12.5);
    EXPECT_DOUBLE_EQ(after->LASTPRICE, 10);
    EXPECT_DOUBLE_EQ(after->TOTVALUE, 1250);
    EXPECT_EQ(invest::readLineItems(c, 7).size(), 2);

    // Deleting the revaluation rolls the account back; deleting the account takes its items along.
    invest::deleteTransaction(c, revalued.item.RECNO);
    EXPECT_EQ(invest::readLineItems(c, 7).size(), 1);
    const invest::DeletedAccount deleted = invest::deleteAccount(c, 7);
    EXPECT_EQ(deleted.lineItems, 1);
    EXPECT_FALSE(invest::readAccount(c, 7));
    EXPECT_TRUE(invest::readLineItems(c, 7).isEmpty());
    EXPECT_TRUE(invest::readAccount(c, 8));
    EXPECT_EQ(count(Alias::IBInvest, QStringLiteral("LINEITEM")), 1);
    EXPECT_THROW(invest::deleteAccount(c, 7), db::Error);
}

// A fault part way through a save or a posting leaves nothing of the command.
TEST_P(DbContract, FaultsRollBackTheWholeCommand) {
    {
        db::testing::InsertFault fault(Alias::IBLoan, QStringLiteral("LOANDETAIL"), 5);
        try {
            loan::writeLoan({thirtySix(10500), 332.1430981, 2.5});
            ADD_FAILURE() << "no error";
        } catch (const db::Error& e) {
            EXPECT_THAT(e.message().toStdString(),
                        ::testing::HasSubstr(db::testing::InsertFault::faultMessage(5).toStdString()));
        }
    }
    EXPECT_EQ(count(Alias::IBLoan, QStringLiteral("LOANSUMMARY")), 0);
    EXPECT_EQ(count(Alias::IBLoan, QStringLiteral("LOANDETAIL")), 0);

    db::Connection c(Alias::IBInvest);
    invest::NewAccount opening;
    opening.ACTNO = 3;
    opening.NAME = QStringLiteral("Bonds");
    opening.blank = true;
    opening.date = {3, 1, 2004};
    invest::writeNewAccount(c, opening);
    {
        db::testing::InsertFault fault(Alias::IBInvest, QStringLiteral("LINEITEM"), 0);
        invest::PostingRequest buy;
        buy.ACTNO = 3;
        buy.trade.shares = 10;
        buy.trade.price = 20;
        buy.date = {4, 1, 2004};
        invest::PostedTransaction posted;
        db::Connection writer(Alias::IBInvest);
        EXPECT_THROW(invest::writePosting(writer, buy, posted), db::Error);
    }
    const std::optional<invest::AccountRow> account = invest::readAccount(c, 3);
    ASSERT_TRUE(account);
    EXPECT_DOUBLE_EQ(account->TOTSHARES, 0);
    EXPECT_EQ(invest::readLineItems(c, 3).size(), 1);
}

// The server drops the saving connection part way, as when it stops: the caller gets the database
// layer's error with the server's text, and the database holds no part of the loan.
TEST_P(DbContract, LostConnectionMidSaveLeavesNoPartialLoan) {
    if (GetParam() != Backend::Firebird) GTEST_SKIP() << "only a server connection can be lost";
    db::Connection killer(Alias::IBLoan);
    bool cut = false;
    try {
        loan::writeLoan({thirtySix(10500), 332.1430981, 2.5}, [&] {
            QSqlQuery q(killer.database());
            cut = q.exec(
                QStringLiteral("delete from MON$ATTACHMENTS where MON$ATTACHMENT_ID <> CURRENT_CONNECTION"));
        });
        ADD_FAILURE() << "no error";
    } catch (const db::Error& e) {
        EXPECT_FALSE(e.message().isEmpty());
        std::cout << "lost connection: " << e.message().toStdString() << "\n";
    }
    EXPECT_TRUE(cut);
    EXPECT_EQ(count(Alias::IBLoan, QStringLiteral("LOANSUMMARY")), 0);
    EXPECT_EQ(count(Alias::IBLoan, QStringLiteral("LOANDETAIL")), 0);
    // The next save goes through.
    EXPECT_EQ(loan::writeLoan({thirtySix(10500), 332.1430981, 2.5}).detailRows, 40);
}

TEST_P(DbContract, WrongPasswordIsTheServersMessageWithoutThePassword) {
    if (GetParam() != Backend::Firebird) GTEST_SKIP() << "SQLite has no password";
    qputenv("TALVERO_IBLOAN_PASSWORD", "Wr0ng-Pass");
    try {
        db::Connection connection(Alias::IBLoan);
        ADD_FAILURE() << "no error";
    } catch (const db::Error& e) {
        const std::string text = e.message().toStdString();
        EXPECT_THAT(text, ::testing::StartsWith("Cannot open the database IBLoan ("));
        EXPECT_THAT(text, ::testing::HasSubstr("user name and password are not defined"));
        EXPECT_THAT(text, ::testing::Not(::testing::HasSubstr("Wr0ng-Pass")));
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, DbContract, ::testing::Values(Backend::SQLite, Backend::Firebird),
                         [](const ::testing::TestParamInfo<Backend>& info) {
                             return info.param == Backend::SQLite ? std::string("SQLite")
                                                                  : std::string("Firebird");
                         });

} // namespace
