#include "db/error.h"

#include <QSqlError>

namespace db {
namespace {

// SQLite's primary result codes (the low byte of an extended code).
constexpr int sqliteBusy = 5;
constexpr int sqliteLocked = 6;
constexpr int sqliteReadOnly = 8;
constexpr int sqliteCorrupt = 11;
// After a successful open: the journal cannot be made beside the file (a read-only folder).
constexpr int sqliteCannotOpen = 14;
constexpr int sqliteFull = 13;
constexpr int sqliteNotADatabase = 26;

// Firebird's SQLCODE of a deadlock or an update conflict; -901 covers a lock conflict among others.
constexpr int firebirdDeadlock = -913;
constexpr int firebirdLockConflict = -901;

bool mentions(const QString& text, const char* words) {
    return text.contains(QLatin1String(words), Qt::CaseInsensitive);
}

} // namespace

Error::Error(const QString& message, ErrorKind kind)
    : std::runtime_error(message.toStdString()), message_(message), kind_(kind) {}

Error::Error(const QSqlError& error) : Error(messageOf(error), kindOf(error)) {}

QString messageOf(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    if (text.isEmpty()) text = error.driverText().trimmed();
    if (text.isEmpty()) text = error.text().trimmed();
    return text;
}

ErrorKind kindOf(const QSqlError& error) {
    if (!error.isValid()) return ErrorKind::Other;
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    const QString text = error.databaseText() + u' ' + error.driverText();
    // Firebird: the SQLCODE alone does not tell a lock conflict from other -901 errors.
    if (mentions(text, "update conflicts with concurrent update") || mentions(text, "deadlock") ||
        mentions(text, "lock conflict") || mentions(text, "lock time-out"))
        return ErrorKind::Contention;
    if (mentions(text, "No space left on device")) return ErrorKind::DiskFull;
    if (!numeric) return ErrorKind::Other;
    if (code == firebirdDeadlock) return ErrorKind::Contention;
    if (code == firebirdLockConflict) return ErrorKind::Other;
    if (code < 0) return ErrorKind::Other;
    switch (code & 0xff) {
    case sqliteBusy:
    case sqliteLocked:
        return ErrorKind::Contention;
    case sqliteFull:
        return ErrorKind::DiskFull;
    case sqliteCorrupt:
    case sqliteNotADatabase:
        return ErrorKind::Damaged;
    case sqliteReadOnly:
    case sqliteCannotOpen:
        return ErrorKind::ReadOnly;
    default:
        return ErrorKind::Other;
    }
}

} // namespace db
