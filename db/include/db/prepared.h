#pragma once
// Statements prepared once per connection: a command that runs the same few statements for every
// row of a file (an import) asks the connection's cache by SQL text instead of preparing them anew
// each time.
//
//     db::Statement account = db::prepared(connection, db::sql::account);
//     account->bindValue(QStringLiteral(":Para1"), actno);
//     db::exec(*account);
//
// A Statement is a loan of the cached query: while it is held, the same text asks for a query of
// its own (prepared on the spot and dropped with its Statement), so nested uses never share one;
// giving it back finishes the query (no open read keeps a lock or a transaction from committing).
//
// SQLite keeps a prepared statement across transactions, so the cache lives as long as the
// connection. A Firebird statement runs in the transaction it was prepared in (Qt's driver keeps
// that transaction's handle, and one prepared outside any keeps a snapshot of its own): there the
// cache keeps statements only inside a db::Transaction and drops them when it ends, so each is
// prepared once per transaction.

#include "db/connection.h"

#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <QStringView>

#include <memory>

namespace db {

class Statement;
// The statement of db/statements.h prepared on the connection: from its cache when there, else
// prepared (as db::prepare: forward only) and kept. Throws db::Error when the database rejects it;
// nothing is kept then.
Statement prepared(Connection& connection, QStringView statement);

class StatementCache {
public:
    // `perTransaction`: keep statements only between transactionBegan() and transactionEnds().
    explicit StatementCache(bool perTransaction)
        : perTransaction_(perTransaction), keeping_(!perTransaction) {}
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // Called by db::Transaction on a per-transaction cache.
    void transactionBegan();
    void transactionEnds();
    // Drops every statement; one on loan goes when it comes back.
    void clear();
    // How many statements the cache holds (for the tests of the cache).
    qsizetype size() const noexcept { return entries_.size(); }

private:
    friend class Statement;
    friend Statement prepared(Connection& connection, QStringView statement);
    struct Entry {
        std::unique_ptr<QSqlQuery> query;
        bool lent = false;
    };
    bool perTransaction_;
    bool keeping_;
    QHash<QString, std::shared_ptr<Entry>> entries_;
};

// A cached query on loan, or a query of its own when the cached one was lent already.
class Statement {
public:
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    QSqlQuery& query() noexcept { return *query_; }
    QSqlQuery& operator*() noexcept { return *query_; }
    QSqlQuery* operator->() noexcept { return query_; }
    // Whether this is the cache's query (false: one of its own, for a nested use).
    bool cached() const noexcept { return entry_ != nullptr; }

private:
    friend Statement prepared(Connection& connection, QStringView statement);
    Statement(std::shared_ptr<StatementCache::Entry> entry, std::unique_ptr<QSqlQuery> own);

    std::shared_ptr<StatementCache::Entry> entry_;
    std::unique_ptr<QSqlQuery> own_;
    QSqlQuery* query_ = nullptr;
};

} // namespace db
