#include "aprcheck/loan.h"

#include "aprcheck/duedates.h"
#include "common/today.h"

#include <algorithm>
#include <chrono>

namespace talvero::aprcheck {

namespace {

Date days_before(const Date& d, int n) {
    namespace ch = std::chrono;
    Date c = d;
    common::normalize_month(c);
    c.day = std::min(std::max(c.day, 1), common::month_length(c.month, c.year));
    const ch::sys_days back =
        ch::sys_days(ch::year_month_day{ch::year{c.year}, ch::month{static_cast<unsigned>(c.month)},
                                        ch::day{static_cast<unsigned>(c.day)}}) -
        ch::days{n};
    const ch::year_month_day r{back};
    return {static_cast<int>(static_cast<unsigned>(r.month())),
            static_cast<int>(static_cast<unsigned>(r.day())), static_cast<int>(r.year())};
}

// One unit-period before `d`: months counted back (month-end to month-end), or days.
Date period_before(const Date& d, const UnitPeriod& u) {
    switch (u.kind) {
    case UnitPeriod::Kind::Month:
    case UnitPeriod::Kind::Year: {
        const int m = u.kind == UnitPeriod::Kind::Year ? 12 : u.count;
        const int total = d.year * 12 + (d.month - 1) - m;
        Date r{total % 12 + 1, 0, total / 12};
        const int len = common::month_length(r.month, r.year);
        r.day = d.day >= common::month_length(d.month, d.year) ? len : std::min(d.day, len);
        return r;
    }
    case UnitPeriod::Kind::SemiMonth:
        return days_before(d, 15);
    case UnitPeriod::Kind::Week:
        return days_before(d, 7 * u.count);
    case UnitPeriod::Kind::Day:
        return days_before(d, u.count);
    }
    return d;
}

} // namespace

Stream loan_stream(const common::LoanBlock& block, double schedpay, const schedule::Variant& variant,
                   std::optional<Date> today, double* premiums) {
    Stream s;
    s.advance = block.FINANCEAMT - block.FEEAMT;
    // The amounts are the schedule's; the dates are the contract's, since the schedule's stepping
    // leaves the contract's day of the month under some interest flags.
    const Date first =
        block.FIRSTDUE[0] != '\0' ? common::read_mmddccyy(block.FIRSTDUE) : today.value_or(common::today());
    schedule::Pass pass(block, schedpay, variant, today);
    double charged = 0;
    long k = 0;
    for (schedule::Row row; pass.next(row);) {
        if (row.kind != schedule::RowKind::Payment) continue;
        const schedule::Amounts& a = row.amounts;
        s.payments.push_back(
            {due_date(first, k++, block.FREQUENCY, block.SKPMONTH), a.PAYMENT - a.TAXES - a.HOINS - a.OTINS});
        charged += a.DSINS + a.LFINS;
    }
    if (premiums) *premiums = charged;
    if (s.payments.empty()) return s;
    // ODDDAYS and a regular first period count to the first due date; skip months lengthen the
    // first period beyond it.
    if (block.LOANDATE[0] >= 1 && block.LOANDATE[0] <= 12) {
        s.advance_date = {block.LOANDATE[0], block.LOANDATE[1], block.LOANDATE[2]};
    } else if (block.ODDDAYS > 0) {
        s.advance_date = days_before(first, block.ODDDAYS);
    } else {
        // A regular first period: the unit-period of the payments alone.
        Stream rest = s;
        rest.advance_date = s.payments.front().date;
        rest.payments.erase(rest.payments.begin());
        const UnitPeriod u = rest.payments.empty() ? months(1) : unit_period_of(rest);
        s.advance_date = period_before(first, u);
    }
    return s;
}

LoanCheck check_loan(const common::LoanBlock& block, double schedpay, const schedule::Variant& variant,
                     std::optional<Date> today, std::optional<double> disclosed_apr) {
    LoanCheck c;
    double premiums = 0;
    c.stream = loan_stream(block, schedpay, variant, today, &premiums);
    if (c.stream.payments.empty()) {
        c.error = "the loan has no schedule";
        return c;
    }
    c.unit = unit_period_of(c.stream);
    c.solution = actuarial_apr(c.stream, c.unit);
    if (!c.solution.solved) {
        c.error = c.solution.error;
        return c;
    }
    const double disclosed_fc = block.TOTALINTEREST + block.FEEAMT + premiums;
    c.verdict = verdict(c.stream, c.unit, c.solution, disclosed_apr.value_or(block.REGZAPR), disclosed_fc);
    c.usable = true;
    return c;
}

const char* verdict_text(const Verdict& v) {
    return v.within ? "Within tolerance" : "Outside tolerance";
}

const char* transaction_text(const Verdict& v) {
    return v.irregular ? "Irregular" : "Regular";
}

} // namespace talvero::aprcheck
