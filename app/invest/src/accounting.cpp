#include "invest/accounting.h"

namespace invest {

namespace {

// A division as the framework traps it: the quotient, or the fault text when the divisor is 0.
const char* divide(double numerator, double denominator, double& quotient) {
    if (denominator == 0) return numerator == 0 ? kInvalidOperation : kDivisionByZero;
    quotient = numerator / denominator;
    return nullptr;
}

} // namespace

PostingType postingTypeAt(int position) {
    if (position < 0 || position > 5) return PostingType::Bought;
    return static_cast<PostingType>(position);
}

char typeCode(PostingType type) {
    return "BCDFSU"[static_cast<int>(type)];
}

const char* computePosting(PostingType type, const Holding& before, const Trade& typed, Posting& out) {
    Trade t = typed;
    const double S0 = before.shares;
    double k = 0, S1 = 0, q = t.price;
    switch (type) {
    case PostingType::Bought:
        k = t.shares * t.price + t.commission + t.fee;
        S1 = S0 + t.shares;
        break;
    case PostingType::CashDividend:
        k = -t.dividend;
        S1 = S0 + t.shares;
        break;
    case PostingType::DividendInShares:
        k = -(t.shares * t.price);
        S1 = S0 + t.shares;
        t.dividend = t.shares * t.price;
        break;
    case PostingType::FeeInCash:
        t.shares = 0;
        t.price = before.price;
        k = t.fee;
        S1 = S0;
        q = 0;
        break;
    case PostingType::Sold:
        k = -(t.shares * t.price) + t.commission + t.fee;
        S1 = S0 - t.shares;
        break;
    case PostingType::UnitSharesFee:
        k = t.shares * t.price;
        S1 = S0 - t.shares;
        t.fee = t.shares * t.price;
        break;
    }

    const double p = t.price;
    const double V1 = S1 * p;
    const double B1 = before.bookValue + k;
    const double G = p * S1 - B1;
    double R = 0, A = 0;
    if (type == PostingType::Sold || type == PostingType::UnitSharesFee) {
        // Once no value is left the ratio is taken on the value before the sale, and the average
        // cost on the shares before it.
        if (const char* fault = V1 > 0 ? divide(G, V1, R) : divide(G, S0 * p, R)) return fault;
        const char* fault = V1 > 0   ? divide(B1, S1, A)
                            : B1 > 0 ? divide(B1, S0, A)
                                     : divide(S0 * p + B1, S0, A);
        if (fault) return fault;
    } else {
        if (const char* fault = divide(G, V1, R)) return fault;
        if (const char* fault = divide(B1, S1, A)) return fault;
    }

    if (type == PostingType::CashDividend) {
        t.shares = 0;
        q = 0;
    }
    out.item = t;
    out.item.price = q;
    out.cost = k;
    out.price = p;
    out.shares = S1;
    out.value = V1;
    out.bookValue = B1;
    out.gain = G;
    out.gainRatio = R;
    out.averageCost = A;
    return nullptr;
}

} // namespace invest
