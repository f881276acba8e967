#pragma once
// The investment database as the commands use it: reading an account and its line items, adding an
// account with its opening line item, posting a transaction. Each writing command is one
// transaction: the account row and its line items always agree, whatever fails.

#include "db/connection.h"
#include "invest/accounting.h"
#include "invest/checks.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

class QSqlQuery;

namespace invest {

struct AccountRow {
    qint64 FUNDNO = 0;
    int ACTNO = 0;
    QString NAME;
    double CURRENTPRICE = 0, TOTSHARES = 0, TOTBOOKVALUE = 0, TOTVALUE = 0, GAINDOLLARS = 0, GAINPERCENT = 0,
           AVERAGECOST = 0, LASTPRICE = 0;
};

struct LineItemRow {
    qint64 RECNO = 0;
    qint64 FUNDNO = 0;
    int ACTNO = 0;
    QString NAME;
    QString TRANSDATE;
    QString TRANSTYPE;
    double SHARES = 0, PRICE = 0, COMMISSION = 0, FEE = 0, DIVIDEND = 0, BOOKVALUE = 0;
};

// The account with that number, or nothing. Throws db::Error.
std::optional<AccountRow> readAccount(db::Connection& connection, int actno);
// The account's line items in RECNO order. Throws db::Error.
QList<LineItemRow> readLineItems(db::Connection& connection, int actno);
// Draws RECNO from GETRECNOGEN into the row and appends it to LINEITEM, inside the caller's
// transaction. Throws db::Error.
void appendLineItem(db::Connection& connection, LineItemRow& item);

// The fund number a FUNDNOGEN result gives: 1 when it is 0 or less.
qint64 fundNumberFor(qint64 generated);

struct AddedAccount {
    NewAccount input;
    AccountRow account;
    LineItemRow item;
};

// Writes the account row and its opening "N" line item in one transaction. Throws db::Error; nothing
// is written then.
AddedAccount writeNewAccount(db::Connection& connection, const NewAccount& account);
// The same rows inside the caller's transaction (an import writes many commands as one).
AddedAccount insertNewAccount(db::Connection& connection, const NewAccount& account);

struct PostedTransaction {
    PostingType type = PostingType::Bought;
    AccountRow before;
    AccountRow after;
    LineItemRow item;
};

// Reads the account, computes the posting and, when every figure is defined, rewrites the account
// row and appends the line item in one transaction. Returns the framework's floating-point text
// when a division by zero stops the posting (nothing is written), else nullptr. Throws db::Error
// (nothing is written), also when no account has the number.
const char* writePosting(db::Connection& connection, const PostingRequest& request, PostedTransaction& out);
// The same posting inside the caller's transaction; after a fault nothing was written.
const char* applyPosting(db::Connection& connection, const PostingRequest& request, PostedTransaction& out);

// What a command leaves for its form: a notice to show, whether the form closes (a database error
// while writing), and what was written.
template <class Written> struct Outcome {
    std::optional<Notice> notice;
    bool closeForm = false;
    std::optional<Written> written;
};

// "Add" of the add form, from the typed texts to the written rows.
Outcome<AddedAccount> addAccount(const AccountTexts& texts, const Date& today);
// "Post" of the posting form.
Outcome<PostedTransaction> postTransaction(const PostingTexts& texts, const Date& today);

// Reads line items from a query's rows by the columns' positions, looked up once (many rows).
class LineItemReader {
public:
    explicit LineItemReader(const QSqlQuery& query);
    LineItemRow read(const QSqlQuery& query) const;

private:
    int at_[12] = {};
};

// The row readers and the rewrite of an account's totals, for the commands that live beside these.
// An account row's columns come in INVESTSUMMARY's order (select * or db::sql::accountList).
AccountRow accountRowOf(const QSqlQuery& query);
LineItemRow lineItemRowOf(const QSqlQuery& query);
// Rewrites every total of the account with a.ACTNO. Throws db::Error.
void rewriteAccountTotals(db::Connection& connection, const AccountRow& a);
// Rewrites the price and the figures that follow from it, not TOTSHARES nor TOTBOOKVALUE, of the
// account with a.ACTNO; the number of rows changed. Throws db::Error.
int rewritePriceFigures(db::Connection& connection, const AccountRow& a);

} // namespace invest
