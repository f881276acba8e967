#pragma once
// What the "Extra Payment Analysis" window reads and works on, without widgets: the loan a payout
// window hands over, the typed extra payments read into the schedule's ExtraPrincipal, the figures
// as the window shows them, and the report rows of the new schedule.

#include "common/calendar.h"
#include "common/loanblock.h"
#include "loan/loandata.h"
#include "loan/save.h"
#include "schedule/schedule.h"
#include "schedule/whatif.h"

#include <QString>
#include <QVariant>

#include <optional>

namespace loan {

// A computed loan as a payout window hands it over.
struct LoanToExamine {
    talvero::common::LoanBlock block;
    double SCHEDPAY = 0;
    double FEEPCT = 0;
    bool balloon = false;
    double BLPAY = 0;
    std::optional<talvero::common::Date> today = std::nullopt;

    // The schedule the payout window's listing shows: the regular one or the balloon term.
    talvero::schedule::Variant variant() const;
    // The saving of the loan with `extra`: the shortened schedule as a new loan.
    LoanToSave toSave(const talvero::schedule::ExtraPrincipal& extra) const;
};

// The regular loan as its last calculation left it.
LoanToExamine toExamine(const LoanData& data);

// How often the extra amount comes (the window's "How Often" list, in order).
enum class ExtraEvery { Payment, NthPayment, Year };

// The window's inputs as typed.
struct ExtraInputs {
    QString amount; // "Extra Amount"; empty is 0
    QString from;   // "Starting With Payment"; empty is 1
    ExtraEvery every = ExtraEvery::Payment;
    QString nth;   // "Every Nth Payment", with ExtraEvery::NthPayment
    int month = 1; // 1..12, with ExtraEvery::Year
    QString lumps; // one lump sum a line: MMDDCCYY and the amount, apart by blanks or ':'
};

struct ReadExtra {
    talvero::schedule::ExtraPrincipal extra;
    QString error; // the conversion's message or the reason; empty when read
};

// Reads the inputs with the user's decimal separator; the amounts themselves are checked by the
// what-if computation.
ReadExtra readExtraInputs(const ExtraInputs& inputs);

// The what-if figures as the window shows them, formatted.
struct WhatIfTexts {
    QString PAYMENT, NUMPAY, NEWNUMPAY, PAYMENTSSAVED, TOTALINTEREST, NEWTOTALINTEREST, INTERESTSAVED,
        MATURITY, NEWMATURITY;
};
WhatIfTexts whatIfTexts(const talvero::schedule::WhatIf& w);

// A report field of a schedule row: the row's columns (PAYDATE ... BALANCE, no BALANCE on a total
// row) and the loan's header fields (ORGAMT, FINANCEAMT, APR, NUMPAY as `numpay`, DOWNAMT, FEEAMT,
// FREQUENCY, INTMETHOD).
QVariant scheduleField(const talvero::common::LoanBlock& block, double numpay,
                       const talvero::schedule::Row& row, const QString& field);

} // namespace loan
