#include "dbtest.h"

#include "db/keys.h"
#include "db/transaction.h"

#include <vector>

using db::Alias;
using db::Generator;

namespace {

struct GeneratorCase {
    Alias alias;
    Generator generator;
    const char* name;
};

// clang-format off
const GeneratorCase generators[] = {
    {Alias::IBLoan, Generator::GETSUMNOGEN, "GETSUMNOGEN"},
    {Alias::IBLoan, Generator::GETRECNOGEN, "GETRECNOGEN"},
    {Alias::IBInvest, Generator::FUNDNOGEN, "FUNDNOGEN"},
    {Alias::IBInvest, Generator::GETRECNOGEN, "GETRECNOGEN"},
};
// clang-format on

std::vector<qint64> draw(Alias alias, Generator generator, int count) {
    db::Connection connection(alias);
    db::Transaction transaction(connection);
    std::vector<qint64> numbers;
    for (int i = 0; i < count; ++i)
        numbers.push_back(db::nextKey(connection, generator));
    transaction.commit();
    return numbers;
}

} // namespace

TEST(Generators, NamesAreTheProcedureNames) {
    for (const GeneratorCase& c : generators)
        EXPECT_EQ(db::generatorName(c.generator), QLatin1String(c.name));
}

// 1, 2, 3, ... across transactions, connections and reopening; the generators of one database are
// independent of each other and of the other database.
TEST_F(DbTest, GeneratorsCountFromOneAcrossConnections) {
    for (const GeneratorCase& c : generators) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(draw(c.alias, c.generator, 3), (std::vector<qint64>{1, 2, 3}));
    }
    for (const GeneratorCase& c : generators) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(draw(c.alias, c.generator, 2), (std::vector<qint64>{4, 5}));
    }
}

TEST_F(DbTest, TwoOpenConnectionsNeverShareANumber) {
    db::Connection first(Alias::IBLoan);
    db::Connection second(Alias::IBLoan);
    std::vector<qint64> numbers;
    for (int round = 0; round < 3; ++round) {
        for (db::Connection* connection : {&first, &second}) {
            db::Transaction transaction(*connection);
            numbers.push_back(db::nextKey(*connection, Generator::GETRECNOGEN));
            transaction.commit();
        }
    }
    EXPECT_EQ(numbers, (std::vector<qint64>{1, 2, 3, 4, 5, 6}));
}

TEST_F(DbTest, WithoutATransactionEachNumberCommitsAtOnce) {
    {
        db::Connection loan(Alias::IBLoan);
        EXPECT_EQ(db::nextKey(loan, Generator::GETSUMNOGEN), 1);
    }
    db::Connection loan(Alias::IBLoan);
    EXPECT_EQ(db::nextKey(loan, Generator::GETSUMNOGEN), 2);
}

// A rolled-back transaction gives its numbers back; committed numbers are never handed out again.
TEST_F(DbTest, RollbackGivesNumbersBack) {
    db::Connection loan(Alias::IBLoan);
    {
        db::Transaction committed(loan);
        EXPECT_EQ(db::nextKey(loan, Generator::GETRECNOGEN), 1);
        committed.commit();
    }
    {
        db::Transaction abandoned(loan);
        EXPECT_EQ(db::nextKey(loan, Generator::GETRECNOGEN), 2);
        EXPECT_EQ(db::nextKey(loan, Generator::GETRECNOGEN), 3);
    }
    EXPECT_EQ(db::nextKey(loan, Generator::GETRECNOGEN), 2);
}

TEST_F(DbTest, ReservedBlocksFollowOneAnother) {
    db::Connection loan(Alias::IBLoan);
    db::Transaction transaction(loan);
    db::KeySource source(loan, Generator::GETRECNOGEN);
    EXPECT_EQ(source.next(), 1);
    EXPECT_EQ(source.reserve(100), 2);                                // 2 .. 101
    EXPECT_EQ(db::reserveKeys(loan, Generator::GETRECNOGEN, 5), 102); // 102 .. 106
    EXPECT_EQ(source.next(), 107);
    EXPECT_THROW(source.reserve(0), db::Error);
    EXPECT_EQ(source.next(), 108);
    transaction.commit();
}

TEST_F(DbTest, AGeneratorOfTheOtherDatabaseIsAnError) {
    struct Case {
        Alias alias;
        Generator generator;
        const char* message;
    };
    const Case cases[] = {
        {Alias::IBLoan, Generator::FUNDNOGEN, "The database IBLoan has no key generator FUNDNOGEN"},
        {Alias::IBInvest, Generator::GETSUMNOGEN, "The database IBInvest has no key generator GETSUMNOGEN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        db::Connection connection(c.alias);
        try {
            db::nextKey(connection, c.generator);
            ADD_FAILURE() << "no error";
        } catch (const db::Error& e) {
            EXPECT_EQ(e.message(), QLatin1String(c.message));
        }
    }
}
