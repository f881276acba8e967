#pragma once
// Reading and writing the investment database with plain SQL, and the small accounts most tests
// start from: account 7 (100 shares at 10, book value 1000, opened 03/01/2004), account 8 beside
// it, account 9 opened blank, and a purchase of 50 at 12 with commission 5 on 04/01/2004 for 7.

#include "db/connection.h"
#include "invest/store.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <gtest/gtest.h>

namespace investtest {

struct InvestDb {
    // Every row a statement returns, each as its values in column order.
    static QList<QVariantList> rows(const QString& statement) {
        db::Connection connection(db::Alias::IBInvest);
        QSqlQuery query(connection.database());
        EXPECT_TRUE(query.exec(statement)) << statement.toStdString();
        QList<QVariantList> all;
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < query.record().count(); ++i)
                row << query.value(i);
            all << row;
        }
        return all;
    }
    static qint64 count(const char* table) {
        return rows(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table))
            .value(0)
            .value(0)
            .toLongLong();
    }
    static QList<QVariantList> everything() {
        return rows(QStringLiteral("SELECT * FROM INVESTSUMMARY ORDER BY ACTNO")) +
               rows(QStringLiteral("SELECT * FROM LINEITEM ORDER BY RECNO"));
    }
    static void execute(const QString& statement) {
        db::Connection connection(db::Alias::IBInvest);
        QSqlQuery query(connection.database());
        ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
    }

    // Accounts 7 and 8 (named `name8`: a quote in it reaches every statement).
    static void openAccounts(const QString& name8 = QStringLiteral("O'Hara's Income")) {
        db::Connection connection(db::Alias::IBInvest);
        invest::writeNewAccount(connection,
                                {7, QStringLiteral("Growth Fund"), 10, 100, 1000, {3, 1, 2004}, false});
        invest::writeNewAccount(connection, {8, name8, 5, 10, 50, {3, 2, 2004}, false});
    }
    static void openEmptyAccount() {
        db::Connection connection(db::Alias::IBInvest);
        invest::writeNewAccount(connection, {9, QStringLiteral("Empty Fund"), 0, 0, 0, {3, 3, 2004}, true});
    }
    static void buyForSeven() {
        db::Connection connection(db::Alias::IBInvest);
        invest::PostedTransaction posted;
        ASSERT_EQ(invest::writePosting(
                      connection, {7, invest::PostingType::Bought, {50, 12, 5, 0, 0}, {4, 1, 2004}}, posted),
                  nullptr);
    }
};

} // namespace investtest
