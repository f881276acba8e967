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

// Calls `read` with a read-only connection of its own to a database file and returns what it
// gives; a file that does not open gives one "error: cannot open" row.
template <typename Read> QStringList readFile(const QString& file, Read read) {
    static std::atomic<int> serial{0};
    const QString name = QStringLiteral("shell-test-file-%1").arg(++serial);
    QStringList values;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(file);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        values = database.open() ? read(database) : QStringList{QStringLiteral("error: cannot open")};
    }
    QSqlDatabase::removeDatabase(name);
    return values;
}

// Runs `sql` on a database file and returns the first column of every row as text; a failure
// comes back as one "error: ..." row.
inline QStringList column(const QString& file, const QString& sql) {
    return readFile(file, [&sql](QSqlDatabase& database) {
        QStringList values;
        QSqlQuery query(database);
        if (query.exec(sql))
            while (query.next())
                values << query.value(0).toString();
        else
            values << QStringLiteral("error: ") + query.lastError().text();
        return values;
    });
}

} // namespace shelltest
