#pragma once
// The two investment reports on the band renderer: the account summary with its composite totals
// and the transaction history with its column totals. The rows are read first, so the totals in the
// summary band are the sums over exactly the detail lines printed. No widgets: "Run Report Menu"
// previews them (invest/reportpreview.h), the command line writes them as PDF.

#include "report/report.h"

#include <QList>
#include <QSqlRecord>

namespace db {
class Connection;
}

namespace invest {

struct ReportData {
    report::Definition definition;
    QList<QSqlRecord> rows;
};

// Sums of the summary report. The composite gain ratio is the ratio of the sums; with no value
// at all (sum of TOTVALUE 0) it is 0 rather than a quotient by zero.
struct SummaryTotals {
    double value = 0;     // TOTVALUE
    double gain = 0;      // GAINDOLLARS
    double bookValue = 0; // TOTBOOKVALUE
    double gainRatio = 0;
};
SummaryTotals summaryTotals(const QList<QSqlRecord>& accounts);

struct HistoryTotals {
    double commission = 0, fee = 0, dividend = 0, bookValue = 0;
};
HistoryTotals historyTotals(const QList<QSqlRecord>& items);

// "Investment Summary Report" / "Investment Transaction History" with their totals.
report::Definition summaryReport(const SummaryTotals& totals);
report::Definition historyReport(const HistoryTotals& totals);

// Reads the accounts (the account list, by account number) or the transactions (by account number,
// each account's in posting order) and builds the report over them. Throws db::Error.
ReportData readSummaryReport(db::Connection& connection);
ReportData readHistoryReport(db::Connection& connection);

// A renderer over the data's rows; the data must outlive it.
report::Renderer rendererFor(const ReportData& data, QDateTime now = QDateTime::currentDateTime());

} // namespace invest
