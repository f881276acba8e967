#pragma once
// Reading a database file as it lies on disk, beside the program's own connections.

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <atomic>

namespace shelltest {

// Runs `sql` on a database file through a read-only connection of its own and returns the first
// column of every row as text; a failure comes back as one "error: ..." row.
inline QStringList column(const QString& file, const QString& sql) {
    static std::atomic<int> serial{0};
    const QString name = QStringLiteral("shell-test-file-%1").arg(++serial);
    QStringList values;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(file);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (database.open()) {
            QSqlQuery query(database);
            if (query.exec(sql))
                while (query.next())
                    values << query.value(0).toString();
            else
                values << QStringLiteral("error: ") + query.lastError().text();
        } else {
            values << QStringLiteral("error: cannot open");
        }
    }
    QSqlDatabase::removeDatabase(name);
    return values;
}

} // namespace shelltest
