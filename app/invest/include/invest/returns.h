#pragma once
// What an account earned, from its line items: the money-weighted return (XIRR), the true
// time-weighted rate of return (TTWROR) and the gains realized by sales, by year, under average cost
// and under FIFO. Plain arithmetic over the rows as the tracker stores them; nothing is written.
//
// Cash flows, from the investor's side (money in negative, money out positive): the opening
// holding of "N" (shares x price) and each "B" (shares x price + commission + fee) go in; each "S"
// (shares x price - commission - fee) and each "C" (the dividend) come out; an "F" (the fee) goes
// in; "D", "U" and "R" move no money. The holding's value at the as-of date closes the stream.

#include "invest/checks.h"
#include "invest/status.h"
#include "invest/store.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace invest {

// One amount on one day (a day number, days since 01/01/1970).
struct CashFlow {
    long day = 0;
    double amount = 0;
};

// The annual rate r with sum of amount / (1 + r)^((day - first day) / 365) = 0, found by bracketing
// the root and closing in on it with Newton steps kept inside the bracket. Nothing when the amounts
// do not change sign or no rate above -100 % brings the sum to zero.
std::optional<double> xirr(const std::vector<CashFlow>& flows);

// The day number of a TRANSDATE ("03/01/2004"); nothing when the text is no such date.
std::optional<long> transDateDay(const QString& transdate);
std::optional<long> transDateDay(QByteArrayView transdate);

// The gains sales realized in one calendar year.
struct YearGains {
    double averageCost = 0; // against the average cost of the shares held
    double fifo = 0;        // against the cost of the oldest shares first
    friend bool operator==(const YearGains&, const YearGains&) = default;
};

// What returns read of a line item.
// Small, as an account may have 100,000 of them.
struct ReturnItem {
    qint64 RECNO = 0;
    int day = 0;        // the day number of TRANSDATE
    bool dated = false; // false: TRANSDATE is no date, and the item plays no part
    char type = ' ';    // TRANSTYPE's letter
    double SHARES = 0, PRICE = 0, COMMISSION = 0, FEE = 0, DIVIDEND = 0;
};
ReturnItem returnItemOf(const LineItemRow& item);

// An account with its line items in posting order.
struct AccountHistory {
    AccountRow account;
    std::vector<ReturnItem> items;
};

struct Returns {
    double value = 0;               // shares x price at the as-of date
    std::optional<double> xirr;     // a fraction per year (0.05 for 5 %)
    std::optional<double> ttwror;   // a fraction over the whole time
    std::map<int, YearGains> gains; // by year of the sale
    std::vector<CashFlow> flows;    // the stream XIRR solved, one amount a day, the closing value last
};

// The returns of the accounts taken together (one account for its own) as of `asOf`: line items
// dated after it play no part. On or after an account's last line item its value is the account
// row's shares x current price; before, the shares and the last price its line items give.
//
// TTWROR links the sub-periods between cash flows: each ends at a flow, valued at that
// transaction's price; money in counts at the start of its day, money out at its end.
//
// Gains: "N", "B" and "D" add shares at a cost (shares x price, with a purchase's commission and
// fee; a dividend in shares at its price); "S" disposes of shares for its net proceeds and "U" for
// nothing (the shares pay the fee); cash dividends, cash fees and revaluations change no cost.
Returns returnsOf(const std::vector<AccountHistory>& accounts, const Date& asOf);

// Reads the accounts (all, or the one numbered `actno`) with what returns need of their line items,
// in RECNO order. Throws db::Error.
std::vector<AccountHistory> readHistories(db::Connection& connection,
                                          std::optional<int> actno = std::nullopt);

// The returns of account `actno` read from the database as of `asOf`, as returnsOf gives them for
// its history, counted while its line items are read (an account may have 100,000). A value of
// 0 and no rates for an account that is not there. Throws db::Error.
Returns accountReturns(db::Connection& connection, int actno, const Date& asOf);

// A rate as the command line and the status window show it: 6 decimals, or "n/a".
QString rateText(const std::optional<double>& rate);

// The returns as the status window's "Returns" group shows them: the value "%7.2f", the two rates
// as rateText, and the realized gains one year after another ("2021: 1327.00 / 1529.00", average
// cost / FIFO), "None" without sales.
struct ReturnsTexts {
    QString value, xirr, ttwror, gains;
    friend bool operator==(const ReturnsTexts&, const ReturnsTexts&) = default;
};
ReturnsTexts returnsTexts(const Returns& returns);

// "Returns" of the status window: the pick list's account (or every account) as of the typed date
// (MMDDCCYY; empty is today). The notices to show, or the texts.
struct ReturnsShown {
    QList<Notice> notices;
    std::optional<ReturnsTexts> shown;
};
ReturnsShown queryReturns(const QString& entry, bool allAccounts, const QString& asOfText, const Date& today);

} // namespace invest
