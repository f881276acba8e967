// Writes loan rows and is killed by the test part way through: commits one loan of three detail
// rows, then starts a second loan, writes `rows` detail rows without committing, says "ready" and
// waits to be killed.
#include "db/connection.h"
#include "db/error.h"
#include "db/keys.h"
#include "db/statements.h"
#include "db/transaction.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

void writeRows(db::Connection& loan, int rows) {
    const qint64 loanNo = db::nextKey(loan, db::Generator::GETSUMNOGEN);
    QSqlQuery summary = db::prepare(loan, db::sql::insertLoanSummary);
    summary.bindValue(QStringLiteral(":LOANNO"), loanNo);
    summary.bindValue(QStringLiteral(":SUMNO"), loanNo);
    db::exec(summary);
    db::KeySource recNo(loan, db::Generator::GETRECNOGEN);
    QSqlQuery detail = db::prepare(loan, db::sql::insertLoanDetail);
    for (int i = 0; i < rows; ++i) {
        detail.bindValue(QStringLiteral(":RECNO"), recNo.next());
        detail.bindValue(QStringLiteral(":LOANNO"), loanNo);
        detail.bindValue(QStringLiteral(":PAYDATE"), QStringLiteral("01/15/2004"));
        detail.bindValue(QStringLiteral(":INTAMT"), 123.45);
        detail.bindValue(QStringLiteral(":PRINAMT"), 678.9);
        detail.bindValue(QStringLiteral(":BALANCE"), 100000.0 - i);
        db::exec(detail);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000;
    try {
        db::Connection loan(db::Alias::IBLoan);
        {
            db::Transaction first(loan);
            writeRows(loan, 3);
            first.commit();
        }
        db::Transaction second(loan);
        writeRows(loan, rows);
        std::puts("ready");
        std::fflush(stdout);
        for (;;)
            std::this_thread::sleep_for(std::chrono::seconds(1));
    } catch (const db::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
}
