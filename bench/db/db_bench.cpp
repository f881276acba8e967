// Writing a 99,999-row schedule into LOANDETAIL in one transaction: a bare prepared insert against
// the same rows through the layer (generator per row, or one reserved block). Run by hand:
// build/bin/db_bench
#include "db/connection.h"
#include "db/keys.h"
#include "db/statements.h"
#include "db/transaction.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int rows = 99999;

// A fresh data folder with a blank loan database for each measured run.
struct Fresh {
    Fresh() {
        qputenv("TALVERO_HOME", dir.path().toUtf8());
        connection = std::make_unique<db::Connection>(db::Alias::IBLoan);
    }
    QTemporaryDir dir;
    std::unique_ptr<db::Connection> connection;
};

void bindRow(QSqlQuery& query, int i) {
    query.bindValue(2, QStringLiteral("01/15/2004"));
    for (int column = 3; column < 12; ++column)
        query.bindValue(column, 100.0 + i * 0.01 + column);
}

void BM_BareInsert(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Fresh fresh;
        state.ResumeTiming();
        QSqlQuery query(fresh.connection->database());
        query.exec(QStringLiteral("BEGIN"));
        query.prepare(QStringLiteral("INSERT INTO LOANDETAIL VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 0; i < rows; ++i) {
            query.bindValue(0, i + 1);
            query.bindValue(1, 1);
            bindRow(query, i);
            query.exec();
        }
        QSqlQuery(fresh.connection->database()).exec(QStringLiteral("COMMIT"));
    }
    state.counters["rows"] = rows;
}

void layerInsert(benchmark::State& state, bool reserved) {
    for (auto _ : state) {
        state.PauseTiming();
        Fresh fresh;
        state.ResumeTiming();
        db::Connection& loan = *fresh.connection;
        db::Transaction transaction(loan);
        db::KeySource recNo(loan, db::Generator::GETRECNOGEN);
        qint64 next = reserved ? recNo.reserve(rows) : 0;
        QSqlQuery query = db::prepare(loan, db::sql::insertLoanDetail);
        for (int i = 0; i < rows; ++i) {
            query.bindValue(0, reserved ? next++ : recNo.next());
            query.bindValue(1, 1);
            bindRow(query, i);
            db::exec(query);
        }
        transaction.commit();
    }
    state.counters["rows"] = rows;
}

void BM_LayerInsertKeyPerRow(benchmark::State& state) {
    layerInsert(state, false);
}
void BM_LayerInsertReservedKeys(benchmark::State& state) {
    layerInsert(state, true);
}

BENCHMARK(BM_BareInsert)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LayerInsertKeyPerRow)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LayerInsertReservedKeys)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
