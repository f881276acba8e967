#pragma once
// Writing a computed loan to the loan database: one LOANSUMMARY row and one LOANDETAIL row per
// schedule row, all in one transaction. Plain C++ over the database layer; the forms add the
// messages and the status window around it.

#include "common/calendar.h"
#include "common/loanblock.h"
#include "db/connection.h"
#include "schedule/schedule.h"

#include <QtGlobal>

#include <functional>
#include <optional>

namespace loan {

// What a saving routine writes: the block as the last calculation left it, the scheduled payment
// the schedule runs on, the origination fee percent, and for a balloon loan its term BLPAY.
struct LoanToSave {
    const talvero::common::LoanBlock& block;
    double SCHEDPAY = 0;
    double FEEPCT = 0;
    bool balloon = false;
    double BLPAY = 0;
    // The day of saving, which an empty first due date also stands for; unset: the library's clock.
    std::optional<talvero::common::Date> today = std::nullopt;
    // Balloon: the detail rows are the balloon schedule itself, as the amortization window saves it,
    // rather than the rows of the balloon saving routine.
    bool balloonScheduleRows = false;
    // Extra principal: the detail rows are the shortened schedule, and the summary row carries its
    // number of payments (the balloon term for a balloon loan), total interest and total payout.
    std::optional<talvero::schedule::ExtraPrincipal> extra = std::nullopt;
};

struct SavedLoan {
    qint64 LOANNO = 0;
    long detailRows = 0;
};

// Saves the loan under a new loan number through the alias IBLoan. `summaryWritten` runs once the
// summary row is in (the forms show their status window then). Throws db::Error with the
// database's text; nothing of the loan stays in the database then.
// Another user's work on the database at the same time makes the save start again (db/retry.h);
// when it does every time the error says so (db::kLoanDatabaseBusy), and a full disk says that.
SavedLoan writeLoan(const LoanToSave& loan, const std::function<void()>& summaryWritten = {});
// The same on an open connection to the loan database.
SavedLoan writeLoan(db::Connection& connection, const LoanToSave& loan,
                    const std::function<void()>& summaryWritten = {});

// The loan number a summary number gives: SUMNO itself when above 0, else SUMNO + 1.
qint64 loanNumberFor(qint64 sumno);

} // namespace loan
