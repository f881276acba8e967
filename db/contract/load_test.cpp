// Shared use under load: 8 client processes at once, each saving 50 loans of 360 payments and
// posting 500 transactions into one Firebird database pair; afterwards every loan is whole, every
// number unique and every account equal to the sum of its line items. The same work on SQLite from
// one process is timed beside it. Runs when the environment names a Firebird server
// (firebirdserver.h); the figures go to the test's output, nothing asserts a time.
#include "firebirdserver.h"

#include "common/today.h"
#include "db/connection.h"
#include "db/error.h"
#include "db/testsupport/tempdatafolder.h"
#include "invest/store.h"
#include "loan/save.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>
#include <QVariant>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <vector>

namespace {

constexpr int clients = 8;
constexpr int loansPerClient = 50;
constexpr int postingsPerClient = 500;
constexpr int accountsPerClient = 4;

// 200,000 at 6 % over 360 monthly payments from 01/01/2005.
talvero::common::LoanBlock mortgage(int client, int k) {
    talvero::common::LoanBlock b;
    b.FINANCEAMT = 200000 + 1000 * client + k;
    b.ORGAMT = b.FINANCEAMT;
    b.APR = 6;
    b.NUMPAY = 360;
    b.FREQUENCY = 12;
    b.TERMYEARS = 30;
    b.PAYMENT = b.FINANCEAMT * 0.005 / (1 - std::pow(1.005, -360));
    b.REGZAPR = 6;
    b.TOTALPAYOUT = b.PAYMENT * 360;
    b.TOTALINTEREST = b.TOTALPAYOUT - b.FINANCEAMT;
    std::snprintf(b.FIRSTDUE, sizeof b.FIRSTDUE, "%s", "01012005");
    return b;
}

int accountNumber(int client, int k) {
    return 1000 * (client + 1) + k;
}

// One client's work: its accounts, then its loans with ten postings after each.
void work(int client) {
    talvero::common::set_today({3, 9, 2004});
    db::Connection invest(db::Alias::IBInvest);
    for (int k = 0; k < accountsPerClient; ++k) {
        invest::NewAccount a;
        a.ACTNO = accountNumber(client, k);
        a.NAME = QStringLiteral("Load %1").arg(a.ACTNO);
        a.price = 10;
        a.shares = 100;
        a.balance = 1000;
        a.date = {1, 2, 2004};
        invest::writeNewAccount(invest, a);
    }
    int posted = 0;
    for (int k = 0; k < loansPerClient; ++k) {
        const talvero::common::LoanBlock b = mortgage(client, k);
        loan::writeLoan({b, b.PAYMENT, 0});
        for (int j = 0; j < postingsPerClient / loansPerClient; ++j, ++posted) {
            invest::PostingRequest r;
            r.ACTNO = accountNumber(client, posted % accountsPerClient);
            // Every account buys; every eighth posting sells one share, so no holding runs out.
            const bool sell = posted % 8 == 7;
            r.type = sell ? invest::PostingType::Sold : invest::PostingType::Bought;
            r.trade.shares = sell ? 1 : 2;
            r.trade.price = 10 + posted % 7;
            r.trade.commission = 1.25;
            r.date = {6, 1 + posted % 28, 2004};
            invest::PostedTransaction out;
            if (const char* fault = invest::writePosting(invest, r, out))
                throw db::Error(QString::fromLatin1(fault));
        }
    }
}

qint64 scalar(db::Alias alias, const QString& statement) {
    db::Connection c(alias);
    QSqlQuery q(c.database());
    if (!q.exec(statement) || !q.next()) {
        ADD_FAILURE() << "query failed: " << statement.toStdString();
        return -1;
    }
    return q.value(0).toLongLong();
}

// Everything the clients wrote is there, whole and numbered once.
void checkEverything(int clientCount) {
    const qint64 loans = qint64(clientCount) * loansPerClient;
    EXPECT_EQ(scalar(db::Alias::IBLoan, QStringLiteral("select count(*) from LOANSUMMARY")), loans);
    EXPECT_EQ(scalar(db::Alias::IBLoan, QStringLiteral("select count(distinct LOANNO) from LOANSUMMARY")),
              loans);
    EXPECT_EQ(scalar(db::Alias::IBLoan, QStringLiteral("select count(distinct SUMNO) from LOANSUMMARY")),
              loans);
    const qint64 details = scalar(db::Alias::IBLoan, QStringLiteral("select count(*) from LOANDETAIL"));
    EXPECT_EQ(scalar(db::Alias::IBLoan, QStringLiteral("select count(distinct RECNO) from LOANDETAIL")),
              details);
    // Whole: 360 payments, 30 year totals (2005..2034) and the grand total per loan; none without a
    // summary.
    EXPECT_EQ(details, loans * 391);
    EXPECT_EQ(scalar(db::Alias::IBLoan, QStringLiteral("select count(*) from (select LOANNO from LOANDETAIL "
                                                       "group by LOANNO having count(*) <> 391)")),
              0);
    EXPECT_EQ(
        scalar(db::Alias::IBLoan, QStringLiteral("select count(*) from LOANDETAIL d where not exists "
                                                 "(select 1 from LOANSUMMARY s where s.LOANNO = d.LOANNO)")),
        0);
    EXPECT_EQ(scalar(db::Alias::IBLoan,
                     QStringLiteral("select count(*) from LOANDETAIL where PAYDATE = 'GRAND TOTALS'")),
              loans);

    const qint64 items = qint64(clientCount) * (accountsPerClient + postingsPerClient);
    EXPECT_EQ(scalar(db::Alias::IBInvest, QStringLiteral("select count(*) from LINEITEM")), items);
    EXPECT_EQ(scalar(db::Alias::IBInvest, QStringLiteral("select count(distinct RECNO) from LINEITEM")),
              items);
    EXPECT_EQ(scalar(db::Alias::IBInvest, QStringLiteral("select count(distinct FUNDNO) from INVESTSUMMARY")),
              clientCount * accountsPerClient);
    // Each account's book value is the sum of its line items' (to a thousandth of a cent).
    EXPECT_EQ(scalar(db::Alias::IBInvest,
                     QStringLiteral(
                         "select count(*) from INVESTSUMMARY s where abs(s.TOTBOOKVALUE - "
                         "(select sum(l.BOOKVALUE) from LINEITEM l where l.ACTNO = s.ACTNO)) > 0.00001")),
              0);
}

TEST(Load, EightClientsOnOneFirebirdServerBesideSqlite) {
    const std::optional<contract::FirebirdServer> server = contract::serverForTest();
    if (!server) return;
    double firebirdSeconds = 0;
    {
        db::testing::TempDataFolder folder;
        const QString base =
            QStringLiteral("%1/load-%2").arg(server->folder).arg(QCoreApplication::applicationPid());
        const QString loanPath = base + QStringLiteral("-loan.fdb");
        const QString investPath = base + QStringLiteral("-invest.fdb");
        for (const QString& path : {loanPath, investPath}) {
            const QString error = server->createDatabase(path);
            ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        }
        contract::AliasOnServer loanAlias(db::Alias::IBLoan, *server, loanPath);
        contract::AliasOnServer investAlias(db::Alias::IBInvest, *server, investPath);
        // The schema first, so the clients start on equal terms.
        { db::Connection loan(db::Alias::IBLoan), invest(db::Alias::IBInvest); }

        QElapsedTimer timer;
        timer.start();
        std::vector<std::unique_ptr<QProcess>> processes;
        for (int c = 0; c < clients; ++c) {
            auto p = std::make_unique<QProcess>();
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--client"), QString::number(c)});
            ASSERT_TRUE(p->waitForStarted(10000));
            processes.push_back(std::move(p));
        }
        for (auto& p : processes) {
            EXPECT_TRUE(p->waitForFinished(600000));
            EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(p->exitCode(), 0);
        }
        firebirdSeconds = timer.elapsed() / 1000.0;
        checkEverything(clients);
        server->dropDatabase(loanPath);
        server->dropDatabase(investPath);
    }

    db::testing::TempDataFolder folder;
    QElapsedTimer timer;
    timer.start();
    for (int c = 0; c < clients; ++c)
        work(c);
    const double sqliteSeconds = timer.elapsed() / 1000.0;
    checkEverything(clients);

    std::cout << "Load: " << clients * loansPerClient << " loans of 360 payments and "
              << clients * postingsPerClient << " postings; Firebird, " << clients
              << " processes at once: " << firebirdSeconds << " s; SQLite, one process: " << sqliteSeconds
              << " s\n";
    ::testing::Test::RecordProperty("firebird_seconds", std::to_string(firebirdSeconds));
    ::testing::Test::RecordProperty("sqlite_seconds", std::to_string(sqliteSeconds));
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
