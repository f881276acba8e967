#include "invest/rollback.h"

namespace invest {

int shareSign(char type) {
    switch (type) {
    case 'N':
    case 'B':
    case 'C':
    case 'D':
        return 1;
    case 'F':
    case 'S':
    case 'U':
        return -1;
    default:
        return 0;
    }
}

std::optional<RolledBack> rollBack(char type, double s, double k, const StoredTotals& t) {
    RolledBack r;
    r.price = t.price;
    double B = t.bookValue, Q = t.lastPrice;
    switch (type) {
    case 'B':
    case 'D':
        B = t.bookValue - k;
        break;
    case 'C':
        B = t.bookValue - k;
        Q = t.price;
        break;
    case 'F':
        B = t.bookValue - k;
        Q = t.price;
        break;
    case 'S':
    case 'U':
        B = t.bookValue - k;
        break;
    case 'N':
        B = t.bookValue - k;
        Q = t.price;
        break;
    case 'R':
        r.price = t.lastPrice;
        break;
    default:
        return std::nullopt;
    }
    const double S = t.shares - shareSign(type) * s;
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
