#pragma once
// Many rows read fast: a forward-only reader of numbers and short texts by column position. On
// SQLite it steps the database's own statement on the connection's handle (Qt's driver would make
// a QVariant, and for texts a UTF-16 copy, of every value of every row, which costs several times
// what SQLite itself spends on 100,000 rows); on Firebird it reads through a forward-only QSqlQuery.
// Only for reading: it takes part in the connection's open transaction like any query.
//
//     db::RowReader rows(connection, db::sql::accountReturnItems);
//     rows.bind(0, actno);
//     rows.exec();
//     while (rows.next()) use(rows.integer(0), rows.real(4), rows.utf8(2));

#include "db/connection.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSqlQuery>
#include <QStringView>
#include <QtGlobal>

#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class RowReader {
public:
    // Prepares the statement (one of db/statements.h). Throws db::Error.
    RowReader(Connection& connection, QStringView statement);
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    // Binds the placeholder at `position` (from 0, in the order the text has them).
    void bind(int position, qint64 value);
    // Runs the statement from its first row. Throws db::Error.
    void exec();
    // Moves to the next row; false after the last. Throws db::Error.
    bool next();

    // The current row's value in `column` (from 0): a number (0 for NULL), or a text's UTF-8 bytes
    // (valid until the next call of next()).
    qint64 integer(int column) const;
    double real(int column) const;
    QByteArrayView utf8(int column);

private:
    sqlite3_stmt* native_ = nullptr;
    std::optional<QSqlQuery> query_;
    QByteArray text_; // the Qt path's last text, kept for utf8()
};

// While it lasts, a SQLite connection keeps a small page cache: for one pass over many rows, which
// reads each page once, where a fresh connection would fill up to 2 MB it never reads again (the
// memory is fresh to the process and costs more than the reading). Nothing on Firebird.
class OnePass {
public:
    explicit OnePass(Connection& connection);
    ~OnePass();
    OnePass(const OnePass&) = delete;
    OnePass& operator=(const OnePass&) = delete;

private:
    sqlite3* handle_ = nullptr;
    qint64 kept_ = 0; // the cache size to put back
};

} // namespace db
