#include "loan/save.h"

#include "common/calendar.h"
#include "common/today.h"
#include "db/connection.h"
#include "db/keys.h"
#include "db/retry.h"
#include "db/statements.h"
#include "db/transaction.h"
#include "schedule/schedule.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace loan {

namespace sched = talvero::schedule;

namespace {

QString dateText(const talvero::common::Date& d) {
    return QString::fromStdString(talvero::common::date_text(d));
}

sched::Variant variantOf(const LoanToSave& loan) {
    sched::Variant v = !loan.balloon              ? sched::Variant::regular()
                       : loan.balloonScheduleRows ? sched::Variant::balloon_term(loan.BLPAY)
                                                  : sched::Variant::balloon_saving(loan.BLPAY);
    if (loan.extra) v.extra = loan.extra;
    return v;
}

// The rows of one attempt to save, committed at the end.
SavedLoan writeLoanRows(db::Connection& connection, db::Transaction& transaction, const LoanToSave& loan,
                        const std::function<void()>& summaryWritten);

} // namespace

qint64 loanNumberFor(qint64 sumno) {
    return sumno > 0 ? sumno : sumno + 1;
}

SavedLoan writeLoan(const LoanToSave& loan, const std::function<void()>& summaryWritten) {
    db::Connection connection(db::Alias::IBLoan);
    return writeLoan(connection, loan, summaryWritten);
}

SavedLoan writeLoan(db::Connection& connection, const LoanToSave& loan,
                    const std::function<void()>& summaryWritten) {
    bool shown = false;
    return db::runCommand(connection, db::kLoanDatabaseBusy, [&](db::Transaction& transaction) {
        return writeLoanRows(connection, transaction, loan, [&] {
            // Once per save, also when another user's work made it start again.
            if (summaryWritten && !shown) summaryWritten();
            shown = true;
        });
    });
}

namespace {

SavedLoan writeLoanRows(db::Connection& connection, db::Transaction& transaction, const LoanToSave& loan,
                        const std::function<void()>& summaryWritten) {
    const talvero::common::LoanBlock& b = loan.block;
    const talvero::common::Date today = loan.today.value_or(talvero::common::today());
    const talvero::common::Date start =
        b.FIRSTDUE[0] != '\0' ? talvero::common::read_mmddccyy(b.FIRSTDUE) : today;
    // Count the rows first, so their numbers are drawn as one block: the same numbers one draw per
    // row would give inside this transaction, at a fraction of the cost. The count also gives the
    // figures of a shortened schedule.
    const sched::Variant variant = variantOf(loan);
    long rows = 0;
    double payments = 0;
    sched::Amounts totals;
    {
        sched::Pass count(b, loan.SCHEDPAY, variant, today);
        rows = sched::for_each_row(count, [&](const sched::Row& r) {
            if (r.kind == sched::RowKind::Payment) payments += 1;
            if (r.kind == sched::RowKind::GrandTotal) totals = r.amounts;
        });
    }
    double numpay = b.NUMPAY, blpay = loan.BLPAY, interest = b.TOTALINTEREST, payout = b.TOTALPAYOUT;
    if (loan.extra) {
        (loan.balloon ? blpay : numpay) = payments;
        interest = totals.INTAMT;
        payout = totals.PAYMENT;
    }
    SavedLoan saved;
    const qint64 sumno = db::nextKey(connection, db::Generator::GETSUMNOGEN);
    saved.LOANNO = loanNumberFor(sumno);
    {
        QSqlQuery q = db::prepare(connection, db::sql::insertLoanSummary);
        q.bindValue(QStringLiteral(":LOANNO"), saved.LOANNO);
        q.bindValue(QStringLiteral(":SUMNO"), sumno);
        q.bindValue(QStringLiteral(":ORGAMT"), b.ORGAMT);
        q.bindValue(QStringLiteral(":APR"), b.APR);
        q.bindValue(QStringLiteral(":FREQUENCY"), b.FREQUENCY);
        q.bindValue(QStringLiteral(":NUMPAY"), numpay);
        q.bindValue(QStringLiteral(":REGZAPR"), b.REGZAPR);
        q.bindValue(QStringLiteral(":PAYMENT"), b.PAYMENT);
        q.bindValue(QStringLiteral(":SKPMONTH"), b.SKPMONTH);
        q.bindValue(QStringLiteral(":INTMETHOD"), b.INTMETHOD);
        q.bindValue(QStringLiteral(":FINANCEAMT"), b.FINANCEAMT);
        q.bindValue(QStringLiteral(":DOWNAMT"), b.DOWNAMT);
        q.bindValue(QStringLiteral(":FEEAMT"), b.FEEAMT);
        q.bindValue(QStringLiteral(":FEEPCT"), loan.FEEPCT);
        q.bindValue(QStringLiteral(":TOTALINTEREST"), interest);
        q.bindValue(QStringLiteral(":TOTALINSURANCE"), b.TOTALINSURANCE);
        q.bindValue(QStringLiteral(":TOTALTAXES"), b.TOTALTAXES);
        q.bindValue(QStringLiteral(":TOTALPAYOUT"), payout);
        q.bindValue(QStringLiteral(":FIRSTDUEDT"), dateText(start));
        q.bindValue(QStringLiteral(":ORIGDT"), dateText(today));
        q.bindValue(QStringLiteral(":BLPAY"), loan.balloon ? QVariant(blpay) : QVariant());
        db::exec(q);
    }
    if (summaryWritten) summaryWritten();

    if (rows > 0) {
        qint64 recno = db::reserveKeys(connection, db::Generator::GETRECNOGEN, rows);
        QSqlQuery q = db::prepare(connection, db::sql::insertLoanDetail);
        // Positions of the statement's placeholders, in column order.
        enum { RECNO, LOANNO, PAYDATE, INTAMT, PRINAMT, DSINS, LFINS, TAXES, HOINS, OTINS, PAYMENT, BALANCE };
        const QVariant noBalance;
        sched::Pass pass(b, loan.SCHEDPAY, variant, today);
        for (sched::Row row; pass.next(row);) {
            q.bindValue(RECNO, recno++);
            q.bindValue(LOANNO, saved.LOANNO);
            q.bindValue(PAYDATE, QString::fromLatin1(row.PAYDATE));
            q.bindValue(INTAMT, row.amounts.INTAMT);
            q.bindValue(PRINAMT, row.amounts.PRINAMT);
            q.bindValue(DSINS, row.amounts.DSINS);
            q.bindValue(LFINS, row.amounts.LFINS);
            q.bindValue(TAXES, row.amounts.TAXES);
            q.bindValue(HOINS, row.amounts.HOINS);
            q.bindValue(OTINS, row.amounts.OTINS);
            q.bindValue(PAYMENT, row.amounts.PAYMENT);
            q.bindValue(BALANCE, row.kind == sched::RowKind::Payment ? QVariant(row.BALANCE) : noBalance);
            db::exec(q);
        }
    }
    saved.detailRows = rows;
    transaction.commit();
    return saved;
}

} // namespace

} // namespace loan
