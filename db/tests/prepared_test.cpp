#include "dbtest.h"

#include "db/prepared.h"
#include "db/statements.h"
#include "db/transaction.h"

#include <memory>

namespace {

void insertSummary(QSqlQuery& q, qint64 loanNo) {
    q.bindValue(QStringLiteral(":LOANNO"), loanNo);
    q.bindValue(QStringLiteral(":SUMNO"), loanNo);
    q.bindValue(QStringLiteral(":ORGAMT"), 1000.0 * static_cast<double>(loanNo));
    db::exec(q);
}

// Whether the loan's summary row is there, read through the connection's cached statement.
bool hasLoan(db::Connection& connection, qint64 loanNo) {
    db::Statement read = db::prepared(connection, db::sql::compareLoan1);
    read->bindValue(QStringLiteral(":Para1"), loanNo);
    db::exec(*read);
    return read->next();
}

} // namespace

// A write and a read prepared in a rolled-back transaction serve the next one: the rolled-back row
// is gone, the committed one stays.
TEST_F(DbTest, CachedStatementsServeTransactionAfterARollback) {
    db::Connection loan(db::Alias::IBLoan);
    const QSqlQuery* insert = nullptr;
    {
        db::Transaction rolledBack(loan);
        db::Statement s = db::prepared(loan, db::sql::insertLoanSummary);
        insert = &s.query();
        insertSummary(*s, 1);
        EXPECT_TRUE(hasLoan(loan, 1));
    }
    EXPECT_FALSE(hasLoan(loan, 1));
    {
        db::Transaction committed(loan);
        db::Statement s = db::prepared(loan, db::sql::insertLoanSummary);
        EXPECT_TRUE(s.cached());
        EXPECT_EQ(&s.query(), insert) << "prepared once";
        insertSummary(*s, 2);
        committed.commit();
    }
    EXPECT_FALSE(hasLoan(loan, 1));
    EXPECT_TRUE(hasLoan(loan, 2));
    EXPECT_EQ(scalar(loan, QStringLiteral("SELECT group_concat(LOANNO) FROM LOANSUMMARY")).toString(),
              QStringLiteral("2"));
}

// Two connections to one database each prepare their own; one closing with statements in its cache
// leaves the other working.
TEST_F(DbTest, EachConnectionHasItsOwnStatements) {
    auto first = std::make_unique<db::Connection>(db::Alias::IBLoan);
    db::Connection second(db::Alias::IBLoan);
    {
        db::Statement a = db::prepared(*first, db::sql::insertLoanSummary);
        db::Statement b = db::prepared(second, db::sql::insertLoanSummary);
        EXPECT_TRUE(a.cached());
        EXPECT_TRUE(b.cached());
        EXPECT_NE(&a.query(), &b.query());
        EXPECT_EQ(a->driver(), first->database().driver());
        EXPECT_EQ(b->driver(), second.database().driver());
    }
    {
        db::Transaction t(second);
        db::Statement s = db::prepared(second, db::sql::insertLoanSummary);
        insertSummary(*s, 1);
        t.commit();
    }
    EXPECT_TRUE(hasLoan(*first, 1)) << "the first connection sees the second's commit";
    first.reset();
    {
        db::Transaction t(second);
        db::Statement s = db::prepared(second, db::sql::insertLoanSummary);
        insertSummary(*s, 2);
        t.commit();
    }
    EXPECT_TRUE(hasLoan(second, 2));
    db::Connection third(db::Alias::IBLoan);
    EXPECT_EQ(rowCount(third, QStringLiteral("LOANSUMMARY")), 2);
}

// While a statement is on loan the same text gets a query of its own, so an outer read keeps its
// place; given back, the cached one is lent again.
TEST_F(DbTest, ANestedUseGetsAQueryOfItsOwn) {
    db::Connection loan(db::Alias::IBLoan);
    {
        db::Transaction t(loan);
        db::Statement s = db::prepared(loan, db::sql::insertLoanSummary);
        for (qint64 n = 1; n <= 3; ++n)
            insertSummary(*s, n);
        t.commit();
    }
    const QSqlQuery* cached = nullptr;
    {
        db::Statement outer = db::prepared(loan, db::sql::portfolioList);
        cached = &outer.query();
        db::exec(*outer);
        QList<qint64> seen;
        while (outer->next()) {
            seen << outer->value(0).toLongLong();
            db::Statement inner = db::prepared(loan, db::sql::portfolioList);
            EXPECT_FALSE(inner.cached());
            db::exec(*inner);
            int rows = 0;
            while (inner->next())
                ++rows;
            EXPECT_EQ(rows, 3);
        }
        EXPECT_EQ(seen, (QList<qint64>{1, 2, 3}));
    }
    db::Statement again = db::prepared(loan, db::sql::portfolioList);
    EXPECT_TRUE(again.cached());
    EXPECT_EQ(&again.query(), cached);
}

// A text the database refuses is an error every time, never a kept statement.
TEST_F(DbTest, ARefusedStatementIsNotKept) {
    db::Connection loan(db::Alias::IBLoan);
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            db::prepared(loan, u"select MISSING from NOWHERE");
            ADD_FAILURE() << "no error";
        } catch (const db::Error& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String("NOWHERE"))) << e.message().toStdString();
        }
    }
}
