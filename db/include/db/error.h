#pragma once
// Errors of the database layer. Every failure (opening, preparing, executing, committing) throws
// db::Error carrying the database's own message text, which the forms show as it is.

#include <QString>
#include <stdexcept>

class QSqlError;

namespace db {

// What went wrong, where a command does something about it: contention is tried again
// (db/retry.h), a full disk and a damaged or unwritable database are told as such.
enum class ErrorKind { Other, Contention, DiskFull, Damaged, ReadOnly };

class Error : public std::runtime_error {
public:
    explicit Error(const QString& message, ErrorKind kind = ErrorKind::Other);
    // The database's text of a failed Qt SQL call and the kind of its failure.
    explicit Error(const QSqlError& error);

    // The text to show the user.
    const QString& message() const noexcept { return message_; }
    ErrorKind kind() const noexcept { return kind_; }

private:
    QString message_;
    ErrorKind kind_ = ErrorKind::Other;
};

// The kind of a Qt SQL error, by the database's own code (SQLite result codes; Firebird SQLCODE
// and its texts: lock conflict, deadlock, update conflict).
ErrorKind kindOf(const QSqlError& error);

// The database's own text of a Qt SQL error (the driver's text when the database gave none).
QString messageOf(const QSqlError& error);

} // namespace db
