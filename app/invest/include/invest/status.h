#pragma once
// An account's stored figures as the status and revaluation forms show them, and the "Query" of
// those forms: the account row and the date of its last transaction. Nothing here writes.

#include "invest/checks.h"
#include "invest/store.h"

#include <QList>
#include <QString>

#include <optional>

namespace invest {

// The figures of an account that the result boxes show.
struct Figures {
    double shares = 0;      // TOTSHARES
    double price = 0;       // CURRENTPRICE
    double value = 0;       // TOTVALUE
    double gain = 0;        // GAINDOLLARS
    double gainRatio = 0;   // GAINPERCENT, the ratio (0.25 for 25 %)
    double averageCost = 0; // AVERAGECOST
    double bookValue = 0;   // TOTBOOKVALUE
};

Figures figuresOf(const AccountRow& account);

// The figures as the boxes show them: shares "%5.3f"; price, value, gain and book value "%7.2f";
// gain ratio and average cost "%5.2f".
struct FigureTexts {
    QString shares, price, value, gain, gainRatio, averageCost, bookValue;
    friend bool operator==(const FigureTexts&, const FigureTexts&) = default;
};

FigureTexts figureTexts(const Figures& figures);

// The pick list's selected entry as an account number; with none selected the conversion fails and
// the notice is the application's exception display of its message.
std::optional<Notice> selectedAccount(const QString& entry, int& actno);

// The account row; an account that is no longer there reads as an empty row (number, name and
// every amount 0), as an empty result set reads. Throws db::Error.
AccountRow readAccountOrEmpty(db::Connection& connection, int actno);

// TRANSDATE of the account's last line item in posting order; nothing when it has none. Throws
// db::Error.
std::optional<QString> lastTransactionDate(db::Connection& connection, int actno);

// "Query" of the status form: the notices to show in order, the row for the result boxes, and the
// last transaction date (nothing leaves the box as it was).
struct AccountStatus {
    QList<Notice> notices;
    std::optional<AccountRow> account;
    std::optional<QString> lastDate;
};

AccountStatus queryStatus(const QString& entry);

} // namespace invest
