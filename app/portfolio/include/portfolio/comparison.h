#pragma once
// The loan comparison without widgets: the three loan numbers read from the pick lists, the
// comparison record read from LOANSUMMARY, and the texts of every box of the comparison form in
// the order the portfolio form writes them.

#include "charts/series.h"

#include <QString>
#include <QStringList>

#include "loan/loaninputs.h"
#include <array>

#include <optional>
#include <vector>

class QSqlRecord;

namespace db {
class Connection;
}

namespace portfolio {

// One loan of the comparison record.
struct Slot {
    QString balloon;   // "YES" or "NO"
    double NUMPAY = 0; // the amortize periods of a balloon loan
    double ORGAMT = 0;
    double REGZAPR = 0;
    double APR = 0;
    double FREQUENCY = 0;
    double pays = 0; // the number of payments shown: BLPAY for a balloon loan, else NUMPAY
    double BLPAY = 0;
    double PAYMENT = 0;
    double FEEPCT = 0;
    double DOWNAMT = 0;
    double FEEAMT = 0;
    double TOTALINTEREST = 0;
    double TOTALTAXES = 0;
    double TOTALINSURANCE = 0;
    int SKPMONTH = 0;
    int INTMETHOD = 0;
    QString FIRSTDUEDT; // as stored
    QString ORIGDT;     // as stored
    int LOANNO = 0;     // the saved loan; 0 for a loan number with no row
};

using Comparison = std::array<Slot, 3>;

// Fees + interest + taxes + insurance, added in that order.
double totalCost(const Slot& slot);

// A LOANSUMMARY row as a slot. BLPAY is read as an integer; 1 or more makes a balloon loan, an
// empty BLPAY counts as 0.
Slot slotFrom(const QSqlRecord& row);

// The three pick lists' texts as loan numbers. Throws ui::ConvertError ("'%s' is not a valid
// integer value") for the first text that is no integer, an empty one included.
std::array<int, 3> loanNumbers(const std::array<QString, 3>& picked);

// The refusal when the three numbers are one loan; empty when at least two differ.
std::optional<QString> refusal(const std::array<int, 3>& loans);

// Reads the three loans, each through its own one-row query (Para1, Para2, Para3). A loan number
// with no row gives an empty slot. Throws db::Error.
Comparison readComparison(db::Connection& connection, const std::array<int, 3>& loans);

// A saved loan's inputs for the loan form (BLPAY of 1 or more: the balloon form), read through the
// one-row query of the first slot; nullopt when no loan has the number. Throws db::Error.
std::optional<loan::LoanInputs> readLoanInputs(db::Connection& connection, int loanNo);

// The rows of the comparison form's two groups in display order; each row has three boxes,
// Edit<firstBox> for loan 1 and the next two numbers for loans 2 and 3.
struct Row {
    const char* label;
    int firstBox;
};
// clang-format off
inline constexpr Row kLoanFactors[] = {
    {"Loan Amount", 1},      {"APR", 4},              {"Frequency", 7},        {"Number of Pays", 10},
    {"Payment Amount", 13},  {"First Due Date", 16},  {"Loan Date", 19},       {"Points", 22},
    {"Balloon Loan", 25},    {"Amortize Periods", 28}, {"Interest Method", 46}, {"Reg Z APR", 49},
    {"Skip Periods", 52},    {"Down Payment", 55},
};
inline constexpr Row kLoanCosts[] = {
    {"Fees", 31}, {"Interest", 34}, {"Taxes", 37}, {"Insurance", 40}, {"TOTAL COSTS", 43},
};
// clang-format on

// One box of the comparison form and its text.
struct BoxText {
    QString box; // Edit1 ... Edit57
    QString text;
};

// Every box of the comparison form in the order it is written: each loan's two dates (written
// while the loans are read), then the rows slot by slot in the filling order, the totals last.
std::vector<BoxText> boxTexts(const Comparison& comparison);

// The comparison chart of the three loans, "Loan # 1" to "Loan # 3": their balance curves from the
// saved schedule rows, their cost parts from the comparison record. Throws db::Error.
talvero::charts::Chart comparisonChart(db::Connection& connection, const Comparison& comparison);

} // namespace portfolio
