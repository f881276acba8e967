// Writing a computed loan to a real SQLite loan database in a fresh data folder per test.
#include "loan/save.h"

#include "common/today.h"
#include "db/connection.h"
#include "db/error.h"
#include "db/testsupport/fault.h"
#include "db/testsupport/tempdatafolder.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

using talvero::common::LoanBlock;

// 10,000 at 12 % over 36 months from 01/15/2004, with the textbook level payment.
LoanBlock thirtySix() {
    LoanBlock b;
    b.FINANCEAMT = 10000;
    b.ORGAMT = 10500;
    b.DOWNAMT = 700;
    b.FEEAMT = 200;
    b.APR = 12;
    b.NUMPAY = 36;
    b.FREQUENCY = 12;
    b.INTMETHOD = 0;
    b.SKPMONTH = 2;
    b.TERMYEARS = 3;
    b.PAYMENT = 10000 * 0.01 / (1 - std::pow(1.01, -36));
    b.REGZAPR = 12.5;
    b.TOTALINTEREST = 1957.15;
    b.TOTALINSURANCE = 0;
    b.TOTALTAXES = 0;
    b.TOTALPAYOUT = 11957.15;
    std::snprintf(b.FIRSTDUE, sizeof b.FIRSTDUE, "%s", "01152004");
    return b;
}

class SaveLoan : public ::testing::Test {
protected:
    void SetUp() override { talvero::common::set_today({3, 9, 2004}); }
    void TearDown() override { talvero::common::clear_today(); }

    static QList<QVariantList> query(const QString& sql, int columns) {
        db::Connection c(db::Alias::IBLoan);
        QSqlQuery q(c.database());
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
        QList<QVariantList> rows;
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i < columns; ++i)
                row.append(q.value(i));
            rows.append(row);
        }
        return rows;
    }
    static qint64 count(const QString& table) {
        return query(QStringLiteral("SELECT COUNT(*) FROM ") + table, 1).value(0).value(0).toLongLong();
    }

    db::testing::TempDataFolder folder_;
};

TEST_F(SaveLoan, ThirtySixPaymentsFromJanuary2004) {
    const LoanBlock b = thirtySix();
    const loan::SavedLoan saved = loan::writeLoan({b, b.PAYMENT, 2.5});
    EXPECT_EQ(saved.LOANNO, 1);
    EXPECT_EQ(saved.detailRows, 40);

    const auto detail =
        query(QStringLiteral("SELECT RECNO, LOANNO, PAYDATE, BALANCE, PRINAMT FROM LOANDETAIL "
                             "ORDER BY RECNO"),
              5);
    ASSERT_EQ(detail.size(), 40);
    QStringList totals;
    qint64 lastRecno = 0;
    double principal = 0;
    for (const QVariantList& r : detail) {
        EXPECT_GT(r[0].toLongLong(), lastRecno);
        lastRecno = r[0].toLongLong();
        EXPECT_EQ(r[1].toLongLong(), 1);
        const QString date = r[2].toString();
        if (date.startsWith(QLatin1String("TOTALS")) || date == QLatin1String("GRAND TOTALS")) {
            totals.append(date);
            EXPECT_TRUE(r[3].isNull()) << date.toStdString();
        } else {
            EXPECT_FALSE(r[3].isNull()) << date.toStdString();
            principal += r[4].toDouble();
        }
    }
    EXPECT_EQ(totals, (QStringList{"TOTALS 2004", "TOTALS 2005", "TOTALS 2006", "GRAND TOTALS"}));
    EXPECT_EQ(detail[0][2].toString(), QStringLiteral("01/15/2004"));
    EXPECT_EQ(detail[12][2].toString(), QStringLiteral("TOTALS 2004"));
    EXPECT_EQ(detail[37][3].toDouble(), 0.0); // the last payment row clears the balance
    EXPECT_NEAR(principal, 10000, 1e-6);

    const auto summary = query(
        QStringLiteral("SELECT LOANNO, SUMNO, ORGAMT, ORIGDT, FIRSTDUEDT, APR, FREQUENCY, NUMPAY, REGZAPR, "
                       "PAYMENT, SKPMONTH, INTMETHOD, DOWNAMT, FEEAMT, FEEPCT, FINANCEAMT, TOTALINTEREST, "
                       "TOTALINSURANCE, TOTALTAXES, TOTALPAYOUT, BLPAY FROM LOANSUMMARY"),
        21);
    ASSERT_EQ(summary.size(), 1);
    const QVariantList& s = summary[0];
    EXPECT_EQ(s[0].toLongLong(), 1);
    EXPECT_EQ(s[1].toLongLong(), 1);
    EXPECT_EQ(s[2].toDouble(), 10500);
    EXPECT_EQ(s[3].toString(), QStringLiteral("03/09/2004"));
    EXPECT_EQ(s[4].toString(), QStringLiteral("01/15/2004"));
    EXPECT_EQ(s[5].toDouble(), 12);
    EXPECT_EQ(s[6].toDouble(), 12);
    EXPECT_EQ(s[7].toDouble(), 36);
    EXPECT_EQ(s[8].toDouble(), 12.5);
    EXPECT_EQ(s[9].toDouble(), b.PAYMENT);
    EXPECT_EQ(s[10].toInt(), 2);
    EXPECT_EQ(s[11].toInt(), 0);
    EXPECT_EQ(s[12].toDouble(), 700);
    EXPECT_EQ(s[13].toDouble(), 200);
    EXPECT_EQ(s[14].toDouble(), 2.5);
    EXPECT_EQ(s[15].toDouble(), 10000);
    EXPECT_EQ(s[16].toDouble(), 1957.15);
    EXPECT_EQ(s[19].toDouble(), 11957.15);
    EXPECT_TRUE(s[20].isNull());
}

TEST_F(SaveLoan, EachSaveIsANewLoanWithItsOwnRows) {
    const LoanBlock b = thirtySix();
    const auto first = loan::writeLoan({b, b.PAYMENT, 0});
    const auto second = loan::writeLoan({b, b.PAYMENT, 0});
    EXPECT_NE(first.LOANNO, second.LOANNO);
    const auto overlap =
        query(QStringLiteral("SELECT COUNT(*) FROM LOANDETAIL a JOIN LOANDETAIL b ON a.RECNO = "
                             "b.RECNO AND a.LOANNO <> b.LOANNO"),
              1);
    EXPECT_EQ(overlap[0][0].toInt(), 0);
    EXPECT_EQ(query(QStringLiteral("SELECT LOANNO, COUNT(*) FROM LOANDETAIL GROUP BY LOANNO"), 2).size(), 2);
}

TEST_F(SaveLoan, AnEmptyFirstDueDateStoresToday) {
    LoanBlock b = thirtySix();
    b.FIRSTDUE[0] = '\0';
    loan::writeLoan({b, b.PAYMENT, 0});
    const auto s = query(QStringLiteral("SELECT FIRSTDUEDT, ORIGDT FROM LOANSUMMARY"), 2);
    EXPECT_EQ(s[0][0].toString(), QStringLiteral("03/09/2004"));
    EXPECT_EQ(s[0][1].toString(), QStringLiteral("03/09/2004"));
    EXPECT_EQ(query(QStringLiteral("SELECT PAYDATE FROM LOANDETAIL ORDER BY RECNO"), 1)[0][0].toString(),
              QStringLiteral("03/09/2004"));
}

TEST_F(SaveLoan, ABalloonLoanKeepsItsTermAndAmortizePeriod) {
    LoanBlock b = thirtySix();
    b.NUMPAY = 360;
    b.PAYMENT = 10000 * 0.01 / (1 - std::pow(1.01, -360));
    const auto saved = loan::writeLoan({b, b.PAYMENT, 0, true, 24});
    // 24 payment rows from 01/2004; the saving rows test every December row, the last one included:
    // TOTALS 2004, TOTALS 2005 after 12/15/2005, the closing TOTALS 2005 (empty) and the grand total.
    EXPECT_EQ(saved.detailRows, 28);
    const auto s = query(QStringLiteral("SELECT NUMPAY, BLPAY FROM LOANSUMMARY"), 2);
    EXPECT_EQ(s[0][0].toDouble(), 360);
    EXPECT_EQ(s[0][1].toDouble(), 24);
}

// A failure part way through the detail rows leaves nothing of that loan; earlier loans stay.
// The shortened schedule of extra payments as a new loan: its rows, and the summary's payments,
// interest and payout those rows add up to.
TEST_F(SaveLoan, ExtraPrincipalSavesTheShortenedSchedule) {
    const LoanBlock b = thirtySix();
    loan::LoanToSave extra{b, b.PAYMENT, 2.5};
    extra.extra = talvero::schedule::ExtraPrincipal{};
    extra.extra->amount = 500;
    const loan::SavedLoan saved = loan::writeLoan(extra);
    const auto rows =
        query(QStringLiteral("SELECT PAYDATE, INTAMT, PAYMENT, BALANCE FROM LOANDETAIL ORDER BY RECNO"), 4);
    double interest = 0, paid = 0, lastBalance = -1;
    int payments = 0;
    for (const QVariantList& r : rows)
        if (!r[3].isNull()) {
            ++payments;
            interest += r[1].toDouble();
            paid += r[2].toDouble();
            lastBalance = r[3].toDouble();
        }
    EXPECT_EQ(saved.detailRows, rows.size());
    EXPECT_LT(payments, 36);
    EXPECT_EQ(lastBalance, 0.0);
    const auto s = query(
        QStringLiteral("SELECT NUMPAY, TOTALINTEREST, TOTALPAYOUT, BLPAY, PAYMENT FROM LOANSUMMARY"), 5);
    ASSERT_EQ(s.size(), 1);
    EXPECT_EQ(s[0][0].toDouble(), payments);
    EXPECT_NEAR(s[0][1].toDouble(), interest, 1e-6);
    EXPECT_LT(s[0][1].toDouble(), b.TOTALINTEREST);
    EXPECT_NEAR(s[0][2].toDouble(), paid, 1e-6);
    EXPECT_TRUE(s[0][3].isNull());
    EXPECT_EQ(s[0][4].toDouble(), b.PAYMENT);
}

TEST_F(SaveLoan, AFailurePartWayLeavesNothingOfTheLoan) {
    const LoanBlock b = thirtySix();
    loan::writeLoan({b, b.PAYMENT, 0});
    for (int after : {0, 17}) {
        SCOPED_TRACE(after);
        db::testing::InsertFault fault(db::Alias::IBLoan, QStringLiteral("LOANDETAIL"), after);
        bool summaryWritten = false;
        try {
            loan::writeLoan({b, b.PAYMENT, 0}, [&] { summaryWritten = true; });
            ADD_FAILURE() << "the save went through";
        } catch (const db::Error& e) {
            EXPECT_EQ(e.message(), db::testing::InsertFault::faultMessage(after));
        }
        EXPECT_TRUE(summaryWritten);
        EXPECT_EQ(count(QStringLiteral("LOANSUMMARY")), 1);
        EXPECT_EQ(count(QStringLiteral("LOANDETAIL")), 40);
    }
    // The numbers of the failed saves are free again: the next loan follows on.
    EXPECT_EQ(loan::writeLoan({b, b.PAYMENT, 0}).LOANNO, 2);
}

TEST_F(SaveLoan, ADatabaseThatCannotBeOpenedIsAnError) {
    qputenv("TALVERO_HOME", "/proc/talvero-cannot-be-here");
    const LoanBlock b = thirtySix();
    bool summaryWritten = false;
    EXPECT_THROW(loan::writeLoan({b, b.PAYMENT, 0}, [&] { summaryWritten = true; }), db::Error);
    EXPECT_FALSE(summaryWritten);
}

TEST(LoanNumber, FromTheSummaryNumber) {
    EXPECT_EQ(loan::loanNumberFor(7), 7);
    EXPECT_EQ(loan::loanNumberFor(0), 1);
    EXPECT_EQ(loan::loanNumberFor(-4), -3);
}

} // namespace

namespace {

// A process killed in the middle of saving a 99,999-payment loan leaves a database that opens
// cleanly with nothing of that loan in it.
TEST_F(SaveLoan, AKilledSaveLeavesNoPartialLoan) {
    const LoanBlock b = thirtySix();
    loan::writeLoan({b, b.PAYMENT, 0});

    QProcess writer;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TALVERO_HOME"), folder_.path());
    writer.setProcessEnvironment(environment);
    writer.start(QStringLiteral(LOAN_SAVE_KILL_HELPER), {});
    ASSERT_TRUE(writer.waitForStarted());
    QByteArray output;
    while (!output.contains("writing") && writer.waitForReadyRead(60000))
        output += writer.readAllStandardOutput();
    ASSERT_TRUE(output.contains("writing")) << writer.readAllStandardError().toStdString();
    // Wait until detail rows spill into the database file, so the kill lands among them.
    const QString file = folder_.path() + QStringLiteral("/loan.db");
    const qint64 start = QFileInfo(file).size();
    while (QFileInfo(file).size() < start + (2 << 20) && !output.contains("saved")) {
        writer.waitForReadyRead(5);
        output += writer.readAllStandardOutput();
    }
    ASSERT_FALSE(output.contains("saved")) << "the save finished before the kill";
    writer.kill();
    ASSERT_TRUE(writer.waitForFinished());
    EXPECT_EQ(writer.exitStatus(), QProcess::CrashExit);

    EXPECT_EQ(query(QStringLiteral("PRAGMA integrity_check"), 1)[0][0].toString(), QStringLiteral("ok"));
    EXPECT_EQ(count(QStringLiteral("LOANSUMMARY")), 1);
    EXPECT_EQ(count(QStringLiteral("LOANDETAIL")), 40);
    EXPECT_EQ(loan::writeLoan({b, b.PAYMENT, 0}).LOANNO, 2);
}

} // namespace
