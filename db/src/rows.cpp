#include "db/rows.h"

#include "db/error.h"
#include "db/statements.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>

#include <cstring>
#include <sqlite3.h>

namespace db {

namespace {

// The connection's own SQLite handle (Qt's driver and this library use the same SQLite library).
sqlite3* sqliteHandle(Connection& connection) {
    if (!connection.isSqlite() || !connection.database().driver()) return nullptr;
    const QVariant v = connection.database().driver()->handle();
    if (!v.isValid() || std::strcmp(v.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

// Through a QSqlError, so a busy or damaged file is told by its kind as a Qt SQL call tells it.
[[noreturn]] void fail(sqlite3* handle) {
    throw Error(QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(handle)), QSqlError::StatementError,
                          QString::number(sqlite3_extended_errcode(handle))));
}

} // namespace

RowReader::RowReader(Connection& connection, QStringView statement) {
    if (sqlite3* handle = sqliteHandle(connection)) {
        const QByteArray text = statement.toUtf8();
        if (sqlite3_prepare_v2(handle, text.constData(), static_cast<int>(text.size()), &native_, nullptr) !=
            SQLITE_OK) {
            sqlite3_finalize(native_);
            fail(handle);
        }
        return;
    }
    query_.emplace(prepare(connection, statement));
}

RowReader::~RowReader() {
    sqlite3_finalize(native_);
}

void RowReader::bind(int position, qint64 value) {
    if (native_) {
        sqlite3_bind_int64(native_, position + 1, value);
        return;
    }
    query_->bindValue(position, value);
}

void RowReader::exec() {
    if (native_) {
        sqlite3_reset(native_);
        return;
    }
    db::exec(*query_);
}

bool RowReader::next() {
    if (native_) {
        const int rc = sqlite3_step(native_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        fail(sqlite3_db_handle(native_));
    }
    if (query_->next()) return true;
    if (query_->lastError().isValid()) throw Error(query_->lastError());
    return false;
}

qint64 RowReader::integer(int column) const {
    return native_ ? sqlite3_column_int64(native_, column) : query_->value(column).toLongLong();
}

double RowReader::real(int column) const {
    return native_ ? sqlite3_column_double(native_, column) : query_->value(column).toDouble();
}

QByteArrayView RowReader::utf8(int column) {
    if (native_) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(native_, column));
        return QByteArrayView(text, sqlite3_column_bytes(native_, column));
    }
    text_ = query_->value(column).toString().toUtf8();
    return text_;
}

namespace {

// Pages or, below 0, KiB, as SQLite's cache_size counts.
constexpr qint64 kOnePassCache = -128;

bool setCacheSize(sqlite3* handle, qint64 size) {
    const QByteArray text = (sql::sqliteCacheSize.toString() + QStringLiteral(" = %1").arg(size)).toUtf8();
    return sqlite3_exec(handle, text.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

OnePass::OnePass(Connection& connection) {
    sqlite3* handle = sqliteHandle(connection);
    if (!handle) return;
    const QByteArray text = sql::sqliteCacheSize.toUtf8();
    sqlite3_stmt* read = nullptr;
    if (sqlite3_prepare_v2(handle, text.constData(), static_cast<int>(text.size()), &read, nullptr) ==
            SQLITE_OK &&
        sqlite3_step(read) == SQLITE_ROW) {
        kept_ = sqlite3_column_int64(read, 0);
        if (kept_ != kOnePassCache && setCacheSize(handle, kOnePassCache)) handle_ = handle;
    }
    sqlite3_finalize(read);
}

OnePass::~OnePass() {
    if (handle_) setCacheSize(handle_, kept_);
}

} // namespace db
