#include "db/prepared.h"

#include "db/error.h"

namespace db {

StatementCache& Connection::statements() {
    if (!statements_) statements_ = std::make_unique<StatementCache>(isFirebird());
    return *statements_;
}

void StatementCache::transactionBegan() {
    if (perTransaction_) keeping_ = true;
}

void StatementCache::transactionEnds() {
    if (!perTransaction_) return;
    clear();
    keeping_ = false;
}

void StatementCache::clear() {
    entries_.clear(); // a lent query lives on in its Statement and goes when it comes back
}

Statement::Statement(std::shared_ptr<StatementCache::Entry> entry, std::unique_ptr<QSqlQuery> own)
    : entry_(std::move(entry)), own_(std::move(own)) {
    query_ = entry_ ? entry_->query.get() : own_.get();
}

Statement::Statement(Statement&& other) noexcept
    : entry_(std::move(other.entry_)), own_(std::move(other.own_)), query_(other.query_) {
    other.query_ = nullptr;
}

Statement::~Statement() {
    if (!entry_) return; // a query of its own goes with it
    entry_->query->finish();
    entry_->lent = false;
}

Statement prepared(Connection& connection, QStringView statement) {
    StatementCache& cache = connection.statements();
    const QString text = statement.toString();
    const auto found = cache.entries_.constFind(text);
    if (found != cache.entries_.constEnd() && !(*found)->lent) {
        (*found)->lent = true;
        return Statement(*found, nullptr);
    }
    auto query = std::make_unique<QSqlQuery>(prepare(connection, statement));
    if (found != cache.entries_.constEnd() || !cache.keeping_) return Statement(nullptr, std::move(query));
    auto entry = std::make_shared<StatementCache::Entry>();
    entry->query = std::move(query);
    entry->lent = true;
    cache.entries_.insert(text, entry);
    return Statement(entry, nullptr);
}

} // namespace db
