// Extra payments on a computed loan: how much sooner it is paid off and how much interest it saves.
//
// The new schedule is the loan's own schedule pass with extra principal (Variant::with_extra); the
// original figures come from the same pass without extra, so both sides count interest by the same
// rule. The regular payment stays and the term shortens.
//
//   const WhatIf w = what_if(block, schedpay, Variant::regular(), extra);
//   if (!w.ok()) show(w.error);                 // nothing was computed
//   Pass pass(block, schedpay, w.variant);      // the new schedule's rows
#pragma once

#include "common/calendar.h"
#include "common/loanblock.h"
#include "schedule/schedule.h"

#include <optional>
#include <string>

namespace talvero::schedule {

struct WhatIf {
    std::string error; // empty when computed; then every figure below is set
    double PAYMENT = 0;
    double NUMPAY = 0;    // payments of the schedule as computed (the balloon term for a balloon loan)
    double NEWNUMPAY = 0; // payments with the extra principal
    double PAYMENTSSAVED = 0;
    double TOTALINTEREST = 0;
    double NEWTOTALINTEREST = 0;
    double INTERESTSAVED = 0;
    common::Date MATURITY;    // the last payment date as computed
    common::Date NEWMATURITY; // the last payment date with the extra principal
    Variant variant;          // the new schedule: `base` with the extra principal

    bool ok() const noexcept { return error.empty(); }
};

// Checks `extra` against the loan and computes both schedules. The loan's first due date (today when
// empty) and loan date (LOANDATE, when set) bound the lump sums with the last payment date; lump sums
// are taken in date order. Errors: a negative extra amount, a lump sum of 0 or less, an extra amount
// above the amount financed, a first payment outside the schedule, a step below 1, a month outside
// 1..12, a lump sum dated outside the loan, a lump sum above the balance it is paid on, a lump sum
// dated after the new last payment, and a schedule without dates.
WhatIf what_if(const common::LoanBlock& block, double schedpay, const Variant& base, ExtraPrincipal extra,
               std::optional<common::Date> today = std::nullopt);

} // namespace talvero::schedule
