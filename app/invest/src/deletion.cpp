#include "invest/deletion.h"

#include "db/retry.h"
#include "db/statements.h"
#include "db/transaction.h"
#include "ui/convert.h"

#include <QSqlQuery>
#include <QVariant>

namespace invest {

namespace {

std::optional<AccountRow> accountOfFund(db::Connection& connection, qint64 fundno) {
    QSqlQuery q = db::prepare(connection, db::sql::accountOfFund);
    q.bindValue(QStringLiteral(":FUNDNO"), fundno);
    db::exec(q);
    if (!q.next()) return std::nullopt;
    AccountRow a = accountRowOf(q);
    q.finish();
    return a;
}

int deleteOfFund(db::Connection& connection, QStringView statement, qint64 fundno) {
    QSqlQuery q = db::prepare(connection, statement);
    q.bindValue(QStringLiteral(":FUNDNO"), fundno);
    db::exec(q);
    return q.numRowsAffected();
}

// A pick list entry as a number; the conversion's own text when it is none.
std::optional<Notice> readNumber(const QString& selected, int& number) {
    try {
        number = ui::toInt(selected);
    } catch (const ui::ConvertError& e) {
        return Notice{NoticeKind::Exception, QString::fromLocal8Bit(e.what())};
    }
    return std::nullopt;
}

} // namespace

DeletedAccount deleteAccount(db::Connection& connection, int actno) {
    return db::runCommand(connection, db::kAccountChanged, [&](db::Transaction& transaction) {
        const std::optional<AccountRow> account = readAccount(connection, actno);
        if (!account)
            throw db::Error(QStringLiteral("Account %1 is not in the investment database").arg(actno));
        DeletedAccount deleted{*account, 0};
        deleteOfFund(connection, db::sql::deleteFundAccounts, account->FUNDNO);
        deleted.lineItems = deleteOfFund(connection, db::sql::deleteFundLineItems, account->FUNDNO);
        transaction.commit();
        return deleted;
    });
}

std::optional<AccountRow> rolledBackAccount(const AccountRow& stored, const LineItemRow& item) {
    const char type = item.TRANSTYPE.isEmpty() ? ' ' : item.TRANSTYPE.at(0).toLatin1();
    const std::optional<RolledBack> r = rollBack(
        type, item.SHARES, item.BOOKVALUE,
        {stored.CURRENTPRICE, stored.TOTSHARES, stored.TOTBOOKVALUE, stored.GAINDOLLARS, stored.LASTPRICE});
    if (!r) return std::nullopt;
    AccountRow a = stored;
    a.CURRENTPRICE = r->price;
    a.TOTSHARES = r->shares;
    a.TOTBOOKVALUE = r->bookValue;
    a.TOTVALUE = r->value;
    a.GAINDOLLARS = r->gain;
    a.GAINPERCENT = r->gainRatio;
    a.AVERAGECOST = r->averageCost;
    a.LASTPRICE = r->price;
    return a;
}

DeletedTransaction deleteTransaction(db::Connection& connection, qint64 recno) {
    return db::runCommand(connection, db::kAccountChanged, [&](db::Transaction& transaction) {
        return deleteTransaction(connection, transaction, recno);
    });
}

DeletedTransaction deleteTransaction(db::Connection& connection, db::Transaction& transaction, qint64 recno) {
    DeletionStep step = DeletionStep::Deleting;
    try {
        DeletedTransaction deleted;
        QSqlQuery q = db::prepare(connection, db::sql::lineItem);
        q.bindValue(QStringLiteral(":Para1"), recno);
        db::exec(q);
        if (!q.next())
            throw db::Error(QStringLiteral("Transaction %1 is not in the investment database").arg(recno));
        deleted.item = lineItemRowOf(q);
        q.finish();

        QSqlQuery remove = db::prepare(connection, db::sql::deleteLineItem);
        remove.bindValue(QStringLiteral(":RECNO"), recno);
        db::exec(remove);
        deleted.before = accountOfFund(connection, deleted.item.FUNDNO);

        step = DeletionStep::RollingBack;
        if (deleted.before) deleted.after = rolledBackAccount(*deleted.before, deleted.item);
        if (deleted.after) rewriteAccountTotals(connection, *deleted.after);
        transaction.commit();
        return deleted;
    } catch (const DeletionError&) {
        throw;
    } catch (const db::Error& e) {
        throw DeletionError(step, e.message(), e.kind());
    }
}

DeletionOutcome<DeletedAccount> deleteSelectedAccount(const QString& selected) {
    DeletionOutcome<DeletedAccount> outcome;
    int actno = 0;
    if ((outcome.notice = readNumber(selected, actno))) return outcome;
    if (actno < 1) {
        outcome.notice = Notice{NoticeKind::Plain, QString::fromLatin1(kNoAccountSelected)};
        outcome.closeForm = true;
        return outcome;
    }
    try {
        db::Connection connection(db::Alias::IBInvest);
        outcome.deleted = deleteAccount(connection, actno);
        outcome.status = QString::fromLatin1(kAccountDeleted);
    } catch (const db::Error& e) {
        outcome.status = QString::fromLatin1(kDeletionFailure);
        outcome.notice = Notice{NoticeKind::Plain, e.message()};
    }
    return outcome;
}

DeletionOutcome<DeletedTransaction> deleteSelectedTransaction(const QString& selected) {
    DeletionOutcome<DeletedTransaction> outcome;
    int recno = 0;
    if ((outcome.notice = readNumber(selected, recno))) return outcome;
    try {
        db::Connection connection(db::Alias::IBInvest);
        outcome.deleted = deleteTransaction(connection, recno);
        outcome.status = QString::fromLatin1(kTransactionDeleted);
    } catch (const DeletionError& e) {
        outcome.status =
            QString::fromLatin1(e.step() == DeletionStep::RollingBack ? kRollbackFailure : kDeletionFailure);
        outcome.notice = Notice{NoticeKind::Plain, e.message()};
    } catch (const db::Error& e) {
        // Opening the database failed: nothing was read or deleted.
        outcome.status = QString::fromLatin1(kDeletionFailure);
        outcome.notice = Notice{NoticeKind::Plain, e.message()};
    }
    return outcome;
}

} // namespace invest
