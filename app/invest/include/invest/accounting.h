#pragma once
// The accounting rules of the investment tracker: what one posted transaction does to an account's
// shares, book value, market value, gain, gain ratio and average cost. Plain arithmetic in double
// precision, no database and no widgets.

#include <array>

namespace invest {

// The six posting types, in the order of the posting form's list.
enum class PostingType { Bought, CashDividend, DividendInShares, FeeInCash, Sold, UnitSharesFee };

// clang-format off
inline constexpr std::array<const char*, 6> kPostingTypeTexts = {
    "B = Bought Shares", "C = Cash Dividend", "D = Dividend in Shares ", "F =  Fee in Cash",
    "S = Sold Shares", "U = Unit Shares Fee"};

// The texts the framework shows when a floating-point division faults.
inline constexpr const char* kDivisionByZero = "Floating point division by zero";
inline constexpr const char* kInvalidOperation = "Invalid floating point operation";
// clang-format on

// The type at a list position (0 "B" ... 5 "U"); positions outside 0..5 give Bought.
PostingType postingTypeAt(int position);
// TRANSTYPE of a posting type: 'B', 'C', 'D', 'F', 'S' or 'U'.
char typeCode(PostingType type);

// What the account row holds before the posting.
struct Holding {
    double shares = 0;    // S0, TOTSHARES
    double price = 0;     // P0, CURRENTPRICE
    double bookValue = 0; // B0, TOTBOOKVALUE
};

// The amounts of one transaction: as typed on the way in, as the line item stores them on the way
// out (a fee in cash clears the shares, a dividend in shares sets the dividend, ...).
struct Trade {
    double shares = 0;     // s
    double price = 0;      // p typed; q (the line item's PRICE) in Posting::item
    double commission = 0; // c
    double fee = 0;        // f
    double dividend = 0;   // d
};

struct Posting {
    Trade item;             // SHARES, PRICE, COMMISSION, FEE, DIVIDEND of the line item
    double cost = 0;        // k: the line item's BOOKVALUE
    double price = 0;       // the account's new CURRENTPRICE (P0 for a fee in cash)
    double shares = 0;      // S1
    double value = 0;       // V1
    double bookValue = 0;   // B1
    double gain = 0;        // G
    double gainRatio = 0;   // R
    double averageCost = 0; // A
};

// Computes the posting. Returns nullptr when every figure is defined, or the framework's text of
// the first division by zero the rules run into (kDivisionByZero, or kInvalidOperation for 0 / 0);
// `out` then holds no result and nothing may be written.
const char* computePosting(PostingType type, const Holding& before, const Trade& typed, Posting& out);

} // namespace invest
