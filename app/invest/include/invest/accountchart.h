#pragma once
// The account chart's data: the account's value (shares held x the price of the transaction) and
// its book value after each of its line items, in posting order. No widgets.

#include "charts/investchart.h"
#include "invest/store.h"

#include <QList>

#include <vector>

namespace invest {

// Shares move by each item's SHARES with the sign of its type (shareSign), the book value by its
// BOOKVALUE (a revaluation keeps it); the price is the item's PRICE, or the last one for the items
// that have none (cash dividends and cash fees).
std::vector<talvero::charts::AccountPoint> accountPoints(const QList<LineItemRow>& items);

// "Account Value Chart" of the account's line items. Throws db::Error.
talvero::charts::Chart accountChart(db::Connection& connection, int actno);

} // namespace invest
