#pragma once
// Deleting an account with all its transactions, and deleting one transaction with the account's
// totals rolled back by the rule of its type. Each deletion is one transaction: on any error the
// account and its line items stay exactly as they were.

#include "db/error.h"
#include "db/transaction.h"
#include "invest/rollback.h"
#include "invest/store.h"

#include <QList>
#include <QString>

#include <optional>

namespace invest {

// clang-format off
inline constexpr const char* kNoActivity = "No Activity";
inline constexpr const char* kAccountDeleted = "Account Deleted";
inline constexpr const char* kTransactionDeleted = "Transaction Deleted";
inline constexpr const char* kDeletionFailure = "Deletion Failure";
inline constexpr const char* kRollbackFailure = "Rollback Failure";
inline constexpr const char* kNoAccountSelected = "You failed to properly select an account number or there is no account which can be deleted.  You will be returned to the main window!";
// clang-format on

struct DeletedAccount {
    AccountRow account;
    int lineItems = 0; // line items deleted with it
};

// Deletes the account with that number and every line item of its fund. Throws db::Error (nothing
// is deleted then), also when no account has the number.
DeletedAccount deleteAccount(db::Connection& connection, int actno);

// The account row after the roll-back rule of a line item's type; none for a type without a rule.
std::optional<AccountRow> rolledBackAccount(const AccountRow& stored, const LineItemRow& item);

struct DeletedTransaction {
    LineItemRow item;
    std::optional<AccountRow> before; // none when no account has the line item's fund
    std::optional<AccountRow> after;  // none also when the type code has no roll-back rule
};

// Which step of deleting a transaction failed.
enum class DeletionStep { Deleting, RollingBack };

// A database error of deleteTransaction, with the step it came from.
class DeletionError : public db::Error {
public:
    DeletionError(DeletionStep step, const QString& message, db::ErrorKind kind = db::ErrorKind::Other)
        : db::Error(message, kind), step_(step) {}
    DeletionStep step() const noexcept { return step_; }

private:
    DeletionStep step_;
};

// Deletes the line item with that record number and rewrites its account's totals by the rule of
// the item's type. Throws DeletionError (nothing is deleted or rewritten then), also when no line
// item has the number.
DeletedTransaction deleteTransaction(db::Connection& connection, qint64 recno);
// The same inside the caller's transaction, which it commits.
DeletedTransaction deleteTransaction(db::Connection& connection, db::Transaction& transaction, qint64 recno);

// What a "Delete" leaves for its form: the status box text, a notice to show, whether the form
// closes, and what was deleted.
template <class Deleted> struct DeletionOutcome {
    std::optional<QString> status; // unchanged when empty
    std::optional<Notice> notice;
    bool closeForm = false;
    std::optional<Deleted> deleted;
};

// "Delete" of the account form, from the pick list's selected entry.
DeletionOutcome<DeletedAccount> deleteSelectedAccount(const QString& selected);
// "Delete" of the transaction form, from the pick list's selected entry.
DeletionOutcome<DeletedTransaction> deleteSelectedTransaction(const QString& selected);

} // namespace invest
