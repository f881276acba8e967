#include "schedule/whatif.h"

#include "common/today.h"
#include "schedule/csv.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace talvero::schedule {

namespace {

std::string text(const char* f, ...) {
    char out[320];
    va_list args;
    va_start(args, f);
    std::vsnprintf(out, sizeof out, f, args);
    va_end(args);
    return out;
}

bool valid(const common::Date& d) {
    return d.month >= 1 && d.month <= 12 && d.year >= 1 && d.day >= 1 &&
           d.day <= common::month_length(d.month, d.year);
}

struct Run {
    double payments = 0;
    double interest = 0;
    common::Date last;
};

Run run(Pass& pass) {
    Run r;
    for (Row row; pass.next(row);) {
        if (row.kind != RowKind::Payment) continue;
        r.payments += 1;
        r.interest += row.amounts.INTAMT;
        r.last = row.date;
    }
    return r;
}

} // namespace

WhatIf what_if(const common::LoanBlock& block, double schedpay, const Variant& base, ExtraPrincipal extra,
               std::optional<common::Date> today) {
    WhatIf w;
    auto refuse = [&](std::string message) {
        w = WhatIf{};
        w.error = std::move(message);
        return w;
    };
    if (base.extra) return refuse("The schedule already pays extra principal.");
    if (!std::isfinite(extra.amount) || extra.amount < 0)
        return refuse("The extra amount cannot be negative.");
    if (extra.amount > block.FINANCEAMT)
        return refuse(text("The extra amount of %s is more than the balance of %s.",
                           cents(extra.amount).c_str(), cents(block.FINANCEAMT).c_str()));
    for (const Lump& lump : extra.lumps) {
        if (!valid(lump.date)) return refuse("A lump sum needs a valid date.");
        if (!std::isfinite(lump.amount) || !(lump.amount > 0))
            return refuse(
                text("The lump sum dated %s must be more than 0.", common::date_text(lump.date).c_str()));
    }
    if (!base.dated && !extra.lumps.empty()) return refuse("Lump sums need a schedule with payment dates.");

    Variant none = base;
    none.extra = ExtraPrincipal{};
    none.figures_only = true;
    Pass original(block, schedpay, none, today);
    if (!original.usable()) return refuse("The loan has no schedule to pay extra on.");
    const double rows = original.payment_rows();
    if (extra.from < 1 || static_cast<double>(extra.from) > rows)
        return refuse(text("The extra payments must start with a payment from 1 to %.0f.", std::ceil(rows)));
    if (extra.month == 0 && extra.every < 1)
        return refuse("The extra amount must come every 1 or more payments.");
    if (extra.month < 0 || extra.month > 12) return refuse("The month of the yearly extra must be 1 to 12.");

    const Run before = run(original);
    common::Date first =
        block.FIRSTDUE[0] != '\0' ? common::read_mmddccyy(block.FIRSTDUE) : today.value_or(common::today());
    const common::Date loan_date{block.LOANDATE[0], block.LOANDATE[1], block.LOANDATE[2]};
    if (valid(loan_date) && common::day_number(loan_date) < common::day_number(first)) first = loan_date;
    std::stable_sort(extra.lumps.begin(), extra.lumps.end(), [](const Lump& a, const Lump& b) {
        return common::day_number(a.date) < common::day_number(b.date);
    });
    for (const Lump& lump : extra.lumps) {
        const long day = common::day_number(lump.date);
        if (day < common::day_number(first) || day > common::day_number(before.last))
            return refuse(text("The lump sum dated %s falls outside the loan (%s to %s).",
                               common::date_text(lump.date).c_str(), common::date_text(first).c_str(),
                               common::date_text(before.last).c_str()));
    }

    const Variant with = Variant::with_extra(base, std::move(extra));
    Variant counted = with;
    counted.figures_only = true;
    Pass changed(block, schedpay, counted, today);
    const Run after = run(changed);
    if (const auto& over = changed.lump_over_balance())
        return refuse(text("The lump sum of %s dated %s is more than the balance of %s it is paid on.",
                           cents(over->amount).c_str(), common::date_text(over->date).c_str(),
                           cents(changed.balance_under_lump()).c_str()));
    if (const std::size_t left = changed.lumps_after_payoff(); left > 0) {
        const Lump& late = with.extra->lumps[with.extra->lumps.size() - left];
        return refuse(text("The lump sum dated %s comes after the loan is paid off on %s.",
                           common::date_text(late.date).c_str(), common::date_text(after.last).c_str()));
    }

    w.PAYMENT = schedpay;
    w.NUMPAY = before.payments;
    w.NEWNUMPAY = after.payments;
    w.PAYMENTSSAVED = before.payments - after.payments;
    w.TOTALINTEREST = before.interest;
    w.NEWTOTALINTEREST = after.interest;
    w.INTERESTSAVED = before.interest - after.interest;
    w.MATURITY = before.last;
    w.NEWMATURITY = after.last;
    w.variant = with;
    return w;
}

} // namespace talvero::schedule
