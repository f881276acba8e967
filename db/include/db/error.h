#pragma once
// Errors of the database layer. Every failure (opening, preparing, executing, committing) throws
// db::Error carrying the database's own message text, which the forms show as it is.

#include <QString>
#include <stdexcept>

class QSqlError;

namespace db {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& message);

    // The text to show the user.
    const QString& message() const noexcept { return message_; }

private:
    QString message_;
};

// The database's own text of a Qt SQL error (the driver's text when the database gave none).
QString messageOf(const QSqlError& error);

} // namespace db
