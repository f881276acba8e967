#pragma once
// The bulk of the investment benchmarks' data: accounts 8 and 7 (FUNDNO 2 and 1) each get the same
// number of "B" line items, 8's first, so a lookup that cannot use the ACTNO index shows.

#include "db/connection.h"

#include <QSqlQuery>
#include <QString>
#include <QTemporaryDir>

// Inserts `perAccount` line items for each account with RECNO from 1 up, inside the caller's
// transaction; the last RECNO.
inline int addLineItems(QSqlQuery& q, int perAccount) {
    q.prepare(QStringLiteral(
        "INSERT INTO LINEITEM VALUES (?, ?, ?, 'Fund', '03/01/2004', 'B', 1, 10, 0, 0, 0, 10)"));
    int recno = 0;
    for (int actno : {8, 7})
        for (int i = 0; i < perAccount; ++i) {
            q.bindValue(0, ++recno);
            q.bindValue(1, actno == 7 ? 1 : 2);
            q.bindValue(2, actno);
            q.exec();
        }
    return recno;
}

// A data folder of its own with accounts 7 and 8 (100,000 shares at 10 each) and `perAccount`
// line items each; TALVERO_HOME points at it from its making.
struct TwoAccounts {
    explicit TwoAccounts(int perAccount) {
        qputenv("TALVERO_HOME", dir.path().toUtf8());
        db::Connection connection(db::Alias::IBInvest);
        QSqlQuery q(connection.database());
        q.exec(QStringLiteral("BEGIN"));
        q.exec(
            QStringLiteral("INSERT INTO INVESTSUMMARY VALUES (1, 7, 'Growth Fund', 10, 100000, 1000000, "
                           "1000000, 0, 0, 10, 10), (2, 8, 'Income Fund', 10, 100000, 1000000, 1000000, 0, "
                           "0, 10, 10)"));
        addLineItems(q, perAccount);
        QSqlQuery(connection.database()).exec(QStringLiteral("COMMIT"));
    }
    QTemporaryDir dir;
};
