#pragma once
// Shared pieces of the database tests: every test starts with a fresh, not yet created data folder.

#include "db/connection.h"
#include "db/error.h"
#include "db/testsupport/tempdatafolder.h"

#include <QSqlQuery>
#include <QVariant>
#include <gtest/gtest.h>

class DbTest : public ::testing::Test {
protected:
    db::testing::TempDataFolder folder;
};

// One value read by plain SQL, for checks that must not go through the code under test.
inline QVariant scalar(db::Connection& connection, const QString& statement) {
    QSqlQuery query(connection.database());
    if (!query.exec(statement) || !query.next()) {
        ADD_FAILURE() << "query failed: " << statement.toStdString();
        return {};
    }
    return query.value(0);
}

inline qint64 rowCount(db::Connection& connection, const QString& table) {
    return scalar(connection, QStringLiteral("SELECT COUNT(*) FROM ") + table).toLongLong();
}
