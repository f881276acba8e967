#pragma once
// Marking an account to a new share price: the figures at that price ("What If?") and, on "Post",
// the account row's new price and figures with an "R" line item, written together. Shares and book
// value never change here.

#include "invest/status.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace invest {

// clang-format off
inline constexpr const char* kRevaluePriceNotNumeric = "Invalid price entered!\nYou entered a non numeric or unallowed value.\nPlease re-enter.";
inline constexpr const char* kRevaluePriceNotPositive = "Invalid price entered!\nNegative or Zero amount not allowed.\nPlease re-enter.";
inline constexpr const char* kRevaluePriceTooLarge = "Invalid Price entered!\nAmount exceeds allowable value.\nPlease enter a price not greater\n than $999,999,999.99\n";
inline constexpr const char* kRevalueNoShares = "Cannot perform a revalue when\nthe number of shares in the\n database is not greater than\n zero. Cannot revalue this\n account at this time.\n";
// clang-format on

struct Revaluation {
    Figures figures; // at the new price: price P, shares S, value V, gain G, ratio R, average cost A, book
                     // value B
    double lastPrice = 0; // P0, the price before
};

// V = S x P, G = P x S - B, R = G / V, A = B / S. Every figure is defined once checkRevaluation has
// passed (S > 0 and P > 0).
Revaluation computeRevaluation(const AccountRow& account, double price);

// The checks in their order: the price text's characters, P > 0, P at most 999999999.99, S > 0.
// Each failure is an error box.
std::optional<Notice> checkRevaluation(const QString& priceText, double price, double shares,
                                       const QStringList& decimalPoints = {QStringLiteral(".")});

struct RevaluedAccount {
    AccountRow before;
    AccountRow after;
    LineItemRow item;
};

// Changes the account row to the revaluation's price and figures (LASTPRICE the price before) and
// appends the "R" line item dated `date`, in one transaction. Throws db::Error, nothing written,
// also when no account has the number any more.
RevaluedAccount writeRevaluation(db::Connection& connection, const AccountRow& before,
                                 const Revaluation& revaluation, const Date& date);
// The same rows inside the caller's transaction.
RevaluedAccount applyRevaluation(db::Connection& connection, const AccountRow& before,
                                 const Revaluation& revaluation, const Date& date);

// The texts of the revaluation form.
struct RevalueTexts {
    QString account; // the pick list's selected entry, empty with none
    QString price;   // Edit17
    QStringList decimalPoints{QStringLiteral(".")};
};

enum class RevalueCommand { WhatIf, Post };

// What a command leaves for the form: notices to show in order, the figures for the result boxes,
// the last transaction date (nothing leaves the box), and what a post wrote.
struct RevalueOutcome {
    QList<Notice> notices;
    std::optional<Revaluation> shown;
    std::optional<QString> lastDate;
    std::optional<RevaluedAccount> posted;
};

// "What If?" and "Post": reading, checking, the figures at the new price; "Post" then writes them,
// dated `started` (the day the program started).
RevalueOutcome revalue(const RevalueTexts& texts, RevalueCommand command, const Date& started);

} // namespace invest
