#pragma once
// Every writing command runs in one Transaction: all its writes stay, or none.

#include "db/connection.h"

namespace db {

class Transaction {
public:
    // Begins a write transaction (SQLite: BEGIN IMMEDIATE, so the write lock is taken at once and
    // a concurrent writer waits for the busy timeout instead of failing half-way). Throws db::Error.
    explicit Transaction(Connection& connection);
    // Rolls back unless committed; never throws.
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Throws db::Error when the commit fails; the transaction is then rolled back.
    void commit();

private:
    Connection& connection_;
    bool open_ = false;
};

} // namespace db
