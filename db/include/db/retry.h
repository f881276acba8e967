#pragma once
// One writing command, its reads and its writes, as one transaction that is run again from the
// start when it meets another user's work: a lock conflict, a deadlock or an update conflict on
// Firebird, a busy or locked SQLite file. Only when every attempt met contention does the user see
// the command's message; nothing of any failed attempt stays. Key generators hand out new numbers
// on each attempt (Firebird's are outside transactions), so keys stay unique, maybe with gaps.
//
// Other failures end the command at once. A full disk and a read-only database or folder are told
// as such (db/faults.h); every other error keeps the database's own text.

#include "db/connection.h"
#include "db/error.h"
#include "db/transaction.h"

#include <chrono>
#include <type_traits>

namespace db {

// clang-format off
inline constexpr const char* kAccountChanged = "The account was changed by another user; nothing was saved. Try again.";
inline constexpr const char* kLoanDatabaseBusy = "The loan database was busy with another user's work; nothing was saved. Try again.";
// clang-format on

struct RetryPolicy {
    // SQLite: each attempt already waits up to 5 s for the lock (the busy timeout).
    int attempts = 8;
    // A server tells an update conflict at once when the other transaction commits, so a command
    // there gets more, shorter attempts: eight clients posting into one account without a pause
    // still get through.
    int serverAttempts = 50;
    // The pause after the k-th failed attempt is random, between 0 and
    // min(longestPause, firstPause * 2^(k-1)), so the users who met do not meet again.
    std::chrono::milliseconds firstPause{10};
    std::chrono::milliseconds longestPause{250};

    int attemptsOn(const Connection& connection) const {
        return connection.isFirebird() ? serverAttempts : attempts;
    }
};

// The random pause after the `failedAttempt`-th attempt (from 1).
std::chrono::milliseconds pauseAfter(int failedAttempt, const RetryPolicy& policy);
void sleepFor(std::chrono::milliseconds pause);

// The error the user sees for a failed command's error: a full disk or a read-only database in
// the words of db/faults.h, naming the database; any other error as it came.
Error userError(const Connection& connection, const Error& error);

// Runs command(transaction) in a new transaction on `connection`, up to policy.attemptsOn() times while
// it fails with contention; the command commits the transaction itself when it is done (one that
// returns without committing, a preview, leaves nothing). After the last attempt throws
// Error(contentionMessage, ErrorKind::Contention). The command must read what it depends on inside
// itself, so a new attempt sees the other user's work. Other exceptions pass through, database
// errors through userError.
template <class Command>
auto runCommand(Connection& connection, const char* contentionMessage, Command&& command,
                const RetryPolicy& policy = {}) -> std::invoke_result_t<Command&, Transaction&> {
    for (int attempt = 1;; ++attempt) {
        try {
            Transaction transaction(connection);
            return command(transaction);
        } catch (const Error& e) {
            if (e.kind() != ErrorKind::Contention) {
                if (e.kind() != ErrorKind::DiskFull && e.kind() != ErrorKind::ReadOnly) throw;
                throw userError(connection, e);
            }
            if (attempt >= policy.attemptsOn(connection))
                throw Error(QString::fromLatin1(contentionMessage), ErrorKind::Contention);
        }
        sleepFor(pauseAfter(attempt, policy));
    }
}

} // namespace db
