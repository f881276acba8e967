#pragma once
// An error injected part way through a write, for tests of what a failed command leaves behind.
//
// InsertFault installs a trigger in the alias's database (not a TEMP one: the routine under test
// opens its own connection) that lets `rowsBeforeFault` inserts into `table` through and makes the
// next one fail with the database error faultMessage(rowsBeforeFault). The rows are counted in a
// table beside the trigger, inside the writer's transaction, so only committed inserts count and a
// rolled-back command starts again from the committed count. Removed on destruction.

#include "db/connection.h"

#include <QString>

namespace db::testing {

class InsertFault {
public:
    // `table` is one of LOANSUMMARY, LOANDETAIL, INVESTSUMMARY, LINEITEM. Throws db::Error.
    InsertFault(Alias alias, const QString& table, int rowsBeforeFault);
    ~InsertFault();
    InsertFault(const InsertFault&) = delete;
    InsertFault& operator=(const InsertFault&) = delete;

    static QString faultMessage(int rowsBeforeFault);

private:
    Alias alias_;
};

} // namespace db::testing
