#include "db/error.h"

#include <QSqlError>

namespace db {

Error::Error(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}

QString messageOf(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    if (text.isEmpty()) text = error.driverText().trimmed();
    if (text.isEmpty()) text = error.text().trimmed();
    return text;
}

} // namespace db
