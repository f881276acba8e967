#include "invest/rollback.h"

namespace invest {

std::optional<RolledBack> rollBack(char type, double s, double k, const StoredTotals& t) {
    RolledBack r;
    r.price = t.price;
    double S = t.shares, B = t.bookValue, Q = t.lastPrice;
    switch (type) {
    case 'B':
    case 'D':
        S = t.shares - s;
        B = t.bookValue - k;
        break;
    case 'C':
        S = t.shares - s;
        B = t.bookValue - k;
        Q = t.price;
        break;
    case 'F':
        S = t.shares + s;
        B = t.bookValue - k;
        Q = t.price;
        break;
    case 'S':
    case 'U':
        S = t.shares + s;
        B = t.bookValue - k;
        break;
    case 'N':
        S = t.shares - s;
        B = t.bookValue - k;
        Q = t.price;
        break;
    case 'R':
        r.price = t.lastPrice;
        break;
    default:
        return std::nullopt;
    }
    r.shares = S;
    r.bookValue = B;
    r.value = S * Q;
    r.gain = type == 'N' ? t.gain : r.value - B;
    // A value above 0 means shares are held, so both quotients are defined.
    if (r.value > 0) {
        r.gainRatio = r.gain / r.value;
        r.averageCost = B / S;
    }
    return r;
}

} // namespace invest
