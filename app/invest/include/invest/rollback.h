#pragma once
// Deleting a transaction takes its effect off the account: the roll-back rule of each type code.
// Plain arithmetic in double precision, beside the posting rules of accounting.h.

#include <optional>

namespace invest {

// The account row's totals that a roll-back reads.
struct StoredTotals {
    double price = 0;     // P, CURRENTPRICE
    double shares = 0;    // S1, TOTSHARES
    double bookValue = 0; // B1, TOTBOOKVALUE
    double gain = 0;      // G1, GAINDOLLARS
    double lastPrice = 0; // L, LASTPRICE
};

// The totals written back; LASTPRICE takes the same price as CURRENTPRICE.
struct RolledBack {
    double price = 0;       // CURRENTPRICE and LASTPRICE
    double shares = 0;      // TOTSHARES
    double bookValue = 0;   // TOTBOOKVALUE
    double value = 0;       // TOTVALUE
    double gain = 0;        // GAINDOLLARS
    double gainRatio = 0;   // GAINPERCENT
    double averageCost = 0; // AVERAGECOST
};

// The sign with which a line item's SHARES count in the account's shares: +1 for N, B, C, D; -1 for
// F, S, U; 0 for R and for a code without a rule.
int shareSign(char type);

// Takes a deleted line item (its TRANSTYPE, SHARES s and BOOKVALUE k) off the stored totals.
// Shares move back by s (B, C, D, N remove them; F, S, U return them; R keeps them), the book value
// by k (R keeps it), and the holding is valued at the last price L (B, D, S, U, R) or at the
// current price P (C, F, N). The gain is value - book value, except that N keeps the stored gain;
// R also sets the price back to L.
// When the value is not positive (no shares left, or a price of 0) the gain ratio and the average
// cost are 0, never a quotient by zero. A code without a rule (anything but N, B, C, D, F, S, U,
// R) gives nothing: the account has nothing to take off.
std::optional<RolledBack> rollBack(char type, double shares, double cost, const StoredTotals& stored);

} // namespace invest
