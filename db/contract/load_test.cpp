// Shared use under load. Eight client processes at once post into ONE investment account and save
// loans of 360 payments into one database pair: on the Firebird server (when the environment names
// one, firebirdserver.h) and on one SQLite data folder. Afterwards every posting is there exactly
// once, the account equals the sum of its line items, every loan is whole and every number unique:
// the contention the clients meet is tried again (db/retry.h), never lost nor shown.
//
// The soak saves loans and posts transactions, 10,000 commands in one process, and checks that
// its memory stays flat (resident size at the start and at the end, a generous bound). The figures
// go to the test's output; nothing asserts a time.
#include "firebirdserver.h"

#include "common/today.h"
#include "db/connection.h"
#include "db/error.h"
#include "db/testsupport/tempdatafolder.h"
#include "invest/store.h"
#include "loan/save.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr int clients = 8;
constexpr int postingsPerClient = 60;
constexpr int loansPerClient = 6;
constexpr int sharedAccount = 4242;
constexpr double openingShares = 100;
constexpr double openingPrice = 10;

// `amount` at 6 % over `payments` monthly payments from 01/01/2005.
talvero::common::LoanBlock mortgage(double amount, int payments) {
    talvero::common::LoanBlock b;
    b.FINANCEAMT = amount;
    b.ORGAMT = b.FINANCEAMT;
    b.APR = 6;
    b.NUMPAY = payments;
    b.FREQUENCY = 12;
    b.TERMYEARS = std::max(1, payments / 12);
    b.PAYMENT = b.FINANCEAMT * 0.005 / (1 - std::pow(1.005, -payments));
    b.REGZAPR = 6;
    b.TOTALPAYOUT = b.PAYMENT * payments;
    b.TOTALINTEREST = b.TOTALPAYOUT - b.FINANCEAMT;
    std::snprintf(b.FIRSTDUE, sizeof b.FIRSTDUE, "%s", "01012005");
    return b;
}

// The posting with tag t (0, 1, 2 ...): a buy of two shares whose commission, in cents, is the tag,
// so each posting can be found again exactly once.
invest::PostingRequest buying(int tag) {
    invest::PostingRequest r;
    r.ACTNO = sharedAccount;
    r.type = invest::PostingType::Bought;
    r.trade.shares = 2;
    r.trade.price = 10 + tag % 7;
    r.trade.commission = tag / 100.0;
    r.date = {6, 1 + tag % 28, 2004};
    return r;
}

void post(db::Connection& invest, int tag) {
    invest::PostedTransaction out;
    if (const char* fault = invest::writePosting(invest, buying(tag), out))
        throw db::Error(QString::fromLatin1(fault));
}

void openSharedAccount() {
    db::Connection invest(db::Alias::IBInvest);
    invest::NewAccount a;
    a.ACTNO = sharedAccount;
    a.NAME = QStringLiteral("Shared");
    a.price = openingPrice;
    a.shares = openingShares;
    a.balance = openingShares * openingPrice;
    a.date = {1, 2, 2004};
    invest::writeNewAccount(invest, a);
}

// One client's work: its postings into the shared account, a loan after every tenth.
void work(int client) {
    talvero::common::set_today({3, 9, 2004});
    db::Connection invest(db::Alias::IBInvest);
    db::Connection loans(db::Alias::IBLoan);
    for (int k = 0; k < postingsPerClient; ++k) {
        post(invest, client * postingsPerClient + k);
        if (k % (postingsPerClient / loansPerClient) == 0) {
            const talvero::common::LoanBlock b = mortgage(200000 + 1000 * client + k, 360);
            loan::writeLoan(loans, {b, b.PAYMENT, 0});
        }
    }
}

qint64 scalar(db::Connection& c, const QString& statement) {
    QSqlQuery q(c.database());
    if (!q.exec(statement) || !q.next()) {
        ADD_FAILURE() << "query failed: " << statement.toStdString();
        return -1;
    }
    return q.value(0).toLongLong();
}

// Every posting once, the account the sum of its line items, every loan whole and numbered once.
void checkEverything() {
    db::Connection invest(db::Alias::IBInvest);
    const qint64 postings = qint64(clients) * postingsPerClient;
    EXPECT_EQ(scalar(invest, QStringLiteral("select count(*) from LINEITEM where TRANSTYPE = 'B'")),
              postings);
    EXPECT_EQ(scalar(invest, QStringLiteral("select count(distinct cast(round(COMMISSION * 100) as integer)) "
                                            "from LINEITEM where TRANSTYPE = 'B'")),
              postings);
    EXPECT_EQ(
        scalar(invest, QStringLiteral("select min(cast(round(COMMISSION * 100) as integer)) from LINEITEM "
                                      "where TRANSTYPE = 'B'")),
        0);
    EXPECT_EQ(
        scalar(invest, QStringLiteral("select max(cast(round(COMMISSION * 100) as integer)) from LINEITEM "
                                      "where TRANSTYPE = 'B'")),
        postings - 1);
    EXPECT_EQ(scalar(invest, QStringLiteral("select count(distinct RECNO) from LINEITEM")), postings + 1);
    EXPECT_EQ(scalar(invest, QStringLiteral("select count(*) from INVESTSUMMARY")), 1);
    // Shares and book value of the account against its line items (to a thousandth of a cent).
    EXPECT_EQ(
        scalar(invest, QStringLiteral("select count(*) from INVESTSUMMARY s where abs(s.TOTSHARES - "
                                      "(select sum(l.SHARES) from LINEITEM l where l.ACTNO = s.ACTNO)) > "
                                      "0.00001")),
        0);
    EXPECT_EQ(
        scalar(invest, QStringLiteral("select count(*) from INVESTSUMMARY s where abs(s.TOTBOOKVALUE - "
                                      "(select sum(l.BOOKVALUE) from LINEITEM l where l.ACTNO = s.ACTNO)) > "
                                      "0.00001")),
        0);
    EXPECT_EQ(scalar(invest, QStringLiteral("select cast(round(TOTSHARES) as integer) from INVESTSUMMARY")),
              qint64(openingShares) + 2 * postings);

    db::Connection loan(db::Alias::IBLoan);
    const qint64 loans = qint64(clients) * loansPerClient;
    EXPECT_EQ(scalar(loan, QStringLiteral("select count(*) from LOANSUMMARY")), loans);
    EXPECT_EQ(scalar(loan, QStringLiteral("select count(distinct LOANNO) from LOANSUMMARY")), loans);
    EXPECT_EQ(scalar(loan, QStringLiteral("select count(distinct SUMNO) from LOANSUMMARY")), loans);
    const qint64 details = scalar(loan, QStringLiteral("select count(*) from LOANDETAIL"));
    EXPECT_EQ(scalar(loan, QStringLiteral("select count(distinct RECNO) from LOANDETAIL")), details);
    // Whole: 360 payments, 30 year totals (2005..2034) and the grand total per loan.
    EXPECT_EQ(details, loans * 391);
    EXPECT_EQ(scalar(loan, QStringLiteral("select count(*) from (select LOANNO from LOANDETAIL "
                                          "group by LOANNO having count(*) <> 391) t")),
              0);
    EXPECT_EQ(scalar(loan, QStringLiteral("select count(*) from LOANDETAIL d where not exists "
                                          "(select 1 from LOANSUMMARY s where s.LOANNO = d.LOANNO)")),
              0);
}

// The clients at once, on the databases the environment names; the seconds they took.
double runClients() {
    openSharedAccount();
    { db::Connection loan(db::Alias::IBLoan); }
    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int c = 0; c < clients; ++c) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--client"), QString::number(c)});
        EXPECT_TRUE(p->waitForStarted(10000));
        processes.push_back(std::move(p));
    }
    for (auto& p : processes) {
        EXPECT_TRUE(p->waitForFinished(600000));
        EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p->exitCode(), 0) << "a client saw an error";
    }
    const double seconds = timer.elapsed() / 1000.0;
    checkEverything();
    return seconds;
}

void report(const char* backend, double seconds) {
    std::cout << "Load, " << backend << ": " << clients << " processes at once, "
              << clients * postingsPerClient << " postings into one account and " << clients * loansPerClient
              << " loans of 360 payments in " << seconds << " s\n";
    ::testing::Test::RecordProperty(std::string(backend) + "_seconds", std::to_string(seconds));
}

TEST(Load, EightClientsIntoOneAccountOnOneSqliteFile) {
    db::testing::TempDataFolder folder;
    report("SQLite", runClients());
}

TEST(Load, EightClientsIntoOneAccountOnTheFirebirdServer) {
    const std::optional<contract::FirebirdServer> server = contract::serverForTest();
    if (!server) return;
    db::testing::TempDataFolder folder;
    contract::TestDatabases databases;
    const QString base =
        QStringLiteral("%1/load-%2").arg(server->folder).arg(QCoreApplication::applicationPid());
    if (!databases.create(*server, base + QStringLiteral("-loan.fdb"), base + QStringLiteral("-invest.fdb")))
        return;
    report("Firebird", runClients());
}

// The resident size of this process in KiB.
long residentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

TEST(Soak, TenThousandSavesAndPostingsInOneProcessKeepMemoryFlat) {
    db::testing::TempDataFolder folder;
    // What the soak measures is memory, not the disk's flushes: the data folder sits in memory where
    // the machine has a shared-memory file system.
    QTemporaryDir inMemory(QStringLiteral("/dev/shm/talvero-soak-XXXXXX"));
    if (inMemory.isValid()) qputenv("TALVERO_HOME", QFile::encodeName(inMemory.path()));
    talvero::common::set_today({3, 9, 2004});
    openSharedAccount();
    constexpr int commands = 10000;
    constexpr int warmUp = 200;
    long start = 0;
    QElapsedTimer timer;
    timer.start();
    // A connection per command, as the forms open theirs: what a command leaves behind would add up.
    for (int k = 0; k < commands; ++k) {
        if (k == warmUp) start = residentKiB();
        if (k % 2 == 0) {
            db::Connection invest(db::Alias::IBInvest);
            post(invest, k / 2);
        } else {
            const talvero::common::LoanBlock b = mortgage(10000 + k, 12);
            loan::writeLoan({b, b.PAYMENT, 0});
        }
    }
    const long end = residentKiB();
    const double seconds = timer.elapsed() / 1000.0;
    std::cout << "Soak: " << commands << " commands (" << commands / 2 << " postings, " << commands / 2
              << " loan saves) in " << seconds << " s; resident " << start << " KiB after " << warmUp << ", "
              << end << " KiB at the end\n";
    ::testing::Test::RecordProperty("rss_start_kib", std::to_string(start));
    ::testing::Test::RecordProperty("rss_end_kib", std::to_string(end));
    ASSERT_GT(start, 0);
    // Flat: what a leak of a connection, a query or a row per command would pass by far.
    EXPECT_LT(end - start, 16 * 1024);

    db::Connection invest(db::Alias::IBInvest);
    db::Connection loans(db::Alias::IBLoan);
    EXPECT_EQ(scalar(invest, QStringLiteral("select count(*) from LINEITEM where TRANSTYPE = 'B'")),
              commands / 2);
    EXPECT_EQ(scalar(loans, QStringLiteral("select count(*) from LOANSUMMARY")), commands / 2);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--client") {
        try {
            work(std::atoi(argv[2]));
        } catch (const db::Error& e) {
            std::cerr << "client " << argv[2] << ": " << e.message().toStdString() << "\n";
            return 1;
        }
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
