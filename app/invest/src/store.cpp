#include "invest/store.h"

#include "db/error.h"
#include "db/faults.h"
#include "db/keys.h"
#include "db/prepared.h"
#include "db/retry.h"
#include "db/statements.h"
#include "db/transaction.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace invest {

namespace {

// The columns in INVESTSUMMARY's order, as every statement reading account rows selects them
// (read by position: a lookup by name costs more than the rest of a posting's read).
AccountRow accountFrom(const QSqlQuery& q) {
    AccountRow a;
    a.FUNDNO = q.value(0).toLongLong();
    a.ACTNO = q.value(1).toInt();
    a.NAME = q.value(2).toString();
    a.CURRENTPRICE = q.value(3).toDouble();
    a.TOTSHARES = q.value(4).toDouble();
    a.TOTBOOKVALUE = q.value(5).toDouble();
    a.TOTVALUE = q.value(6).toDouble();
    a.GAINDOLLARS = q.value(7).toDouble();
    a.GAINPERCENT = q.value(8).toDouble();
    a.AVERAGECOST = q.value(9).toDouble();
    a.LASTPRICE = q.value(10).toDouble();
    return a;
}

LineItemRow lineItemFrom(const QSqlQuery& q) {
    return LineItemReader(q).read(q);
}

void insertAccount(db::Connection& connection, const AccountRow& a) {
    db::Statement statement = db::prepared(connection, db::sql::insertInvestSummary);
    QSqlQuery& q = *statement;
    q.bindValue(QStringLiteral(":FUNDNO"), a.FUNDNO);
    q.bindValue(QStringLiteral(":ACTNO"), a.ACTNO);
    q.bindValue(QStringLiteral(":NAME"), a.NAME);
    q.bindValue(QStringLiteral(":CURRENTPRICE"), a.CURRENTPRICE);
    q.bindValue(QStringLiteral(":TOTSHARES"), a.TOTSHARES);
    q.bindValue(QStringLiteral(":TOTBOOKVALUE"), a.TOTBOOKVALUE);
    q.bindValue(QStringLiteral(":TOTVALUE"), a.TOTVALUE);
    q.bindValue(QStringLiteral(":GAINDOLLARS"), a.GAINDOLLARS);
    q.bindValue(QStringLiteral(":GAINPERCENT"), a.GAINPERCENT);
    q.bindValue(QStringLiteral(":AVERAGECOST"), a.AVERAGECOST);
    q.bindValue(QStringLiteral(":LASTPRICE"), a.LASTPRICE);
    db::exec(q);
}

// The price, the figures that follow from it and the account number, as both account updates
// name them.
void bindPriceFigures(QSqlQuery& q, const AccountRow& a) {
    q.bindValue(QStringLiteral(":CURRENTPRICE"), a.CURRENTPRICE);
    q.bindValue(QStringLiteral(":TOTVALUE"), a.TOTVALUE);
    q.bindValue(QStringLiteral(":GAINDOLLARS"), a.GAINDOLLARS);
    q.bindValue(QStringLiteral(":GAINPERCENT"), a.GAINPERCENT);
    q.bindValue(QStringLiteral(":AVERAGECOST"), a.AVERAGECOST);
    q.bindValue(QStringLiteral(":LASTPRICE"), a.LASTPRICE);
    q.bindValue(QStringLiteral(":ACTNO"), a.ACTNO);
}

void updateAccount(db::Connection& connection, const AccountRow& a) {
    db::Statement statement = db::prepared(connection, db::sql::updateAccountTotals);
    QSqlQuery& q = *statement;
    bindPriceFigures(q, a);
    q.bindValue(QStringLiteral(":TOTSHARES"), a.TOTSHARES);
    q.bindValue(QStringLiteral(":TOTBOOKVALUE"), a.TOTBOOKVALUE);
    db::exec(q);
}

} // namespace

LineItemReader::LineItemReader(const QSqlQuery& q) {
    const QSqlRecord r = q.record();
    const char* const names[] = {"RECNO",  "FUNDNO", "ACTNO",      "NAME", "TRANSDATE", "TRANSTYPE",
                                 "SHARES", "PRICE",  "COMMISSION", "FEE",  "DIVIDEND",  "BOOKVALUE"};
    for (std::size_t n = 0; n < std::size(names); ++n)
        at_[n] = r.indexOf(QLatin1String(names[n]));
}

LineItemRow LineItemReader::read(const QSqlQuery& q) const {
    LineItemRow i;
    i.RECNO = q.value(at_[0]).toLongLong();
    i.FUNDNO = q.value(at_[1]).toLongLong();
    i.ACTNO = q.value(at_[2]).toInt();
    i.NAME = q.value(at_[3]).toString();
    i.TRANSDATE = q.value(at_[4]).toString();
    i.TRANSTYPE = q.value(at_[5]).toString();
    i.SHARES = q.value(at_[6]).toDouble();
    i.PRICE = q.value(at_[7]).toDouble();
    i.COMMISSION = q.value(at_[8]).toDouble();
    i.FEE = q.value(at_[9]).toDouble();
    i.DIVIDEND = q.value(at_[10]).toDouble();
    i.BOOKVALUE = q.value(at_[11]).toDouble();
    return i;
}

void appendLineItem(db::Connection& connection, LineItemRow& i) {
    i.RECNO = db::nextKey(connection, db::Generator::GETRECNOGEN);
    db::Statement statement = db::prepared(connection, db::sql::insertLineItem);
    QSqlQuery& q = *statement;
    q.bindValue(QStringLiteral(":RECNO"), i.RECNO);
    q.bindValue(QStringLiteral(":FUNDNO"), i.FUNDNO);
    q.bindValue(QStringLiteral(":ACTNO"), i.ACTNO);
    q.bindValue(QStringLiteral(":NAME"), i.NAME);
    q.bindValue(QStringLiteral(":TRANSDATE"), i.TRANSDATE);
    q.bindValue(QStringLiteral(":TRANSTYPE"), i.TRANSTYPE);
    q.bindValue(QStringLiteral(":SHARES"), i.SHARES);
    q.bindValue(QStringLiteral(":PRICE"), i.PRICE);
    q.bindValue(QStringLiteral(":COMMISSION"), i.COMMISSION);
    q.bindValue(QStringLiteral(":FEE"), i.FEE);
    q.bindValue(QStringLiteral(":DIVIDEND"), i.DIVIDEND);
    q.bindValue(QStringLiteral(":BOOKVALUE"), i.BOOKVALUE);
    db::exec(q);
}

std::optional<AccountRow> readAccount(db::Connection& connection, int actno) {
    db::Statement statement = db::prepared(connection, db::sql::account);
    QSqlQuery& q = *statement;
    q.bindValue(QStringLiteral(":Para1"), actno);
    db::exec(q);
    if (!q.next()) return std::nullopt;
    return accountFrom(q);
}

QList<LineItemRow> readLineItems(db::Connection& connection, int actno) {
    QSqlQuery q = db::prepare(connection, db::sql::accountLineItemsInOrder);
    q.bindValue(QStringLiteral(":Para1"), actno);
    db::exec(q);
    QList<LineItemRow> items;
    const LineItemReader reader(q);
    while (q.next())
        items << reader.read(q);
    return items;
}

qint64 fundNumberFor(qint64 generated) {
    return generated > 0 ? generated : 1;
}

AddedAccount writeNewAccount(db::Connection& connection, const NewAccount& n) {
    return db::runCommand(connection, db::kAccountChanged, [&](db::Transaction& transaction) {
        AddedAccount added = insertNewAccount(connection, n);
        transaction.commit();
        return added;
    });
}

AddedAccount insertNewAccount(db::Connection& connection, const NewAccount& n) {
    AddedAccount added{n, {}, {}};
    AccountRow& a = added.account;
    LineItemRow& i = added.item;

    a.FUNDNO = fundNumberFor(db::nextKey(connection, db::Generator::FUNDNOGEN));
    a.ACTNO = n.ACTNO;
    a.NAME = n.NAME;
    if (!n.blank) {
        // The account's book value is the balance typed; the opening line item's is shares x price.
        a.CURRENTPRICE = n.price;
        a.TOTSHARES = n.shares;
        a.TOTBOOKVALUE = n.balance;
        a.TOTVALUE = n.balance;
    }
    insertAccount(connection, a);

    i.FUNDNO = a.FUNDNO;
    i.ACTNO = a.ACTNO;
    i.NAME = a.NAME;
    i.TRANSDATE = transDate(n.date);
    i.TRANSTYPE = QStringLiteral("N");
    if (!n.blank) {
        i.SHARES = n.shares;
        i.PRICE = n.price;
        i.BOOKVALUE = n.shares * n.price;
    }
    appendLineItem(connection, i);
    return added;
}

const char* writePosting(db::Connection& connection, const PostingRequest& r, PostedTransaction& out) {
    // Each attempt reads the account afresh, so another user's posting is counted in.
    return db::runCommand(connection, db::kAccountChanged, [&](db::Transaction& transaction) {
        const char* fault = applyPosting(connection, r, out);
        if (!fault) transaction.commit();
        return fault;
    });
}

const char* applyPosting(db::Connection& connection, const PostingRequest& r, PostedTransaction& out) {
    const std::optional<AccountRow> before = readAccount(connection, r.ACTNO);
    if (!before) throw db::Error(QStringLiteral("Account %1 is not in the investment database").arg(r.ACTNO));

    Posting p;
    const Holding holding{before->TOTSHARES, before->CURRENTPRICE, before->TOTBOOKVALUE};
    if (const char* fault = computePosting(r.type, holding, r.trade, p)) return fault;

    out.type = r.type;
    out.before = *before;
    AccountRow& a = out.after = *before;
    a.CURRENTPRICE = p.price;
    a.TOTSHARES = p.shares;
    a.TOTBOOKVALUE = p.bookValue;
    a.TOTVALUE = p.value;
    a.GAINDOLLARS = p.gain;
    a.GAINPERCENT = p.gainRatio;
    a.AVERAGECOST = p.averageCost;
    a.LASTPRICE = before->CURRENTPRICE;
    updateAccount(connection, a);

    LineItemRow& i = out.item = LineItemRow{};
    i.FUNDNO = a.FUNDNO;
    i.ACTNO = a.ACTNO;
    i.NAME = a.NAME;
    i.TRANSDATE = transDate(r.date);
    i.TRANSTYPE = QString(QLatin1Char(typeCode(r.type)));
    i.SHARES = p.item.shares;
    i.PRICE = p.item.price;
    i.COMMISSION = p.item.commission;
    i.FEE = p.item.fee;
    i.DIVIDEND = p.item.dividend;
    i.BOOKVALUE = p.cost;
    appendLineItem(connection, i);
    return nullptr;
}

Outcome<AddedAccount> addAccount(const AccountTexts& texts, const Date& today) {
    Outcome<AddedAccount> outcome;
    NewAccount account;
    if ((outcome.notice = readNewAccount(texts, today, account))) return outcome;
    try {
        db::Connection connection(db::Alias::IBInvest);
        if (readAccount(connection, account.ACTNO)) {
            outcome.notice = duplicateAccountNotice();
            return outcome;
        }
        if ((outcome.notice = checkNewAccount(texts, account))) return outcome;
        try {
            const std::optional<AddedAccount> added =
                db::runCommand(connection, db::kAccountChanged,
                               [&](db::Transaction& transaction) -> std::optional<AddedAccount> {
                                   // Another user may have added the number since it was checked.
                                   if (readAccount(connection, account.ACTNO)) return std::nullopt;
                                   AddedAccount written = insertNewAccount(connection, account);
                                   transaction.commit();
                                   return written;
                               });
            if (!added) {
                outcome.notice = duplicateAccountNotice();
                return outcome;
            }
            outcome.written = *added;
        } catch (const db::Error& e) {
            outcome.notice = Notice{NoticeKind::Plain, e.message()};
            // What was typed stays for another try when trying again can help.
            outcome.closeForm = !db::canTryAgain(e);
        }
    } catch (const db::Error& e) {
        outcome.notice = Notice{NoticeKind::Plain, e.message()};
    }
    return outcome;
}

Outcome<PostedTransaction> postTransaction(const PostingTexts& texts, const Date& today) {
    Outcome<PostedTransaction> outcome;
    PostingRequest request;
    if ((outcome.notice = readPosting(texts, today, request))) return outcome;
    try {
        db::Connection connection(db::Alias::IBInvest);
        PostedTransaction posted;
        if (const char* fault = writePosting(connection, request, posted)) {
            outcome.notice = Notice{NoticeKind::Exception, QString::fromLatin1(fault)};
            return outcome;
        }
        outcome.written = posted;
    } catch (const db::Error& e) {
        outcome.notice = Notice{NoticeKind::Plain, e.message()};
        outcome.closeForm = !db::canTryAgain(e);
    }
    return outcome;
}

AccountRow accountRowOf(const QSqlQuery& query) {
    return accountFrom(query);
}

LineItemRow lineItemRowOf(const QSqlQuery& query) {
    return lineItemFrom(query);
}

void rewriteAccountTotals(db::Connection& connection, const AccountRow& a) {
    updateAccount(connection, a);
}

int rewritePriceFigures(db::Connection& connection, const AccountRow& a) {
    db::Statement statement = db::prepared(connection, db::sql::revalueAccount);
    QSqlQuery& q = *statement;
    bindPriceFigures(q, a);
    db::exec(q);
    return q.numRowsAffected();
}

} // namespace invest
