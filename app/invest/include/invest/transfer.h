#pragma once
// Transactions in and out as CSV, one row per line item:
//
//     ACTNO,NAME,DATE,TYPE,SHARES,PRICE,COMMISSION,FEE,DIVIDEND
//
// DATE is MMDDCCYY. TYPE "N" opens an account as the add form does (NAME required, the Current
// Balance SHARES x PRICE, a blank account when both are 0); "B", "C", "D", "F", "S", "U" post as
// the posting form does; "R" revalues to PRICE as the revaluation form's "Post" does, dated DATE.
// Each row passes the checks of its form and is written by that form's own rules. An empty amount
// cell is 0. Numbers have "." as their decimal point under every locale. A file is imported whole or
// not at all.

#include "invest/checks.h"
#include "invest/store.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace invest {

inline constexpr const char* kTransferHeader = "ACTNO,NAME,DATE,TYPE,SHARES,PRICE,COMMISSION,FEE,DIVIDEND";

// One data row of the file, its cells as they stand.
struct TransferRow {
    int row = 0; // as a spreadsheet numbers it: the header is row 1
    QString ACTNO, NAME, DATE, TYPE, SHARES, PRICE, COMMISSION, FEE, DIVIDEND;
    friend bool operator==(const TransferRow&, const TransferRow&) = default;
};

// The rows of a file, and the rows that are no rows of this layout ("row N: message").
struct TransferFile {
    QList<TransferRow> rows;
    QStringList refused;
};

TransferFile parseTransferCsv(const QString& text);

struct ImportResult {
    QStringList refused; // "row N: message", in row order
    int written = 0;     // rows written (0 unless every row passed and the import was committed)
};

// Runs every row, in order, through its form's checks and rules in one transaction on
// `connection`, each row seeing the rows before it. Commits only when no row is refused and
// `commit` is set (a preview runs the same way and rolls back). `today` stands for an empty DATE.
// Throws db::Error when the database itself fails; nothing is written then.
ImportResult importRows(db::Connection& connection, const QList<TransferRow>& rows, const Date& today,
                        bool commit);

// The refusals of the file and of its rows, or the rows written.
ImportResult importCsv(db::Connection& connection, const QString& text, const Date& today, bool commit);

// The line items (of one account, or all in account order) as rows of the import: a cash
// dividend carries the price it was posted at where the account still shows it (its last line
// item), else the price of the line item before it.
QString exportHistoryCsv(db::Connection& connection, std::optional<int> actno = std::nullopt);
// The account list as opening rows: each account's shares at its current price, dated by its last
// line item (today's date when it has none).
QString exportAccountsCsv(db::Connection& connection, const Date& today);

// A number as the files write it: the shortest text that reads back as the same double, with a
// decimal point and no exponent.
QString transferNumber(double value);

} // namespace invest
