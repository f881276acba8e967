// The amortization schedule of a computed loan, row by row.
//
// One pass serves every consumer: saving, previews, listings and the printers. A Pass is built from
// the loan block as the last calculation left it, the scheduled payment SCHEDPAY and a Variant that
// names how the consumer differs from the regular schedule. Rows come out one at a time in schedule
// order (payment rows, a subtotal after each year, the closing subtotal, the grand total), so a
// schedule of 99,999 payments never sits in memory.
//
//   Pass pass(block, schedpay, Variant::regular());
//   for (Row row; pass.next(row);) ...
//
// Amounts are never rounded; formats limit the decimals shown. A zero APR gives zero interest and
// the level payment FINANCEAMT / NUMPAY; a premium frequency of 0 gives a zero premium. No amount is
// ever NaN or infinite: a loan the pass cannot schedule (no payments, a payment frequency of 0 or
// below, a count beyond kMaxRows, non-finite input) yields no rows at all, and usable() says so.
#pragma once

#include "common/calendar.h"
#include "common/loanblock.h"

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace talvero::schedule {

// More payments than any loan form accepts; a pass refuses counts above it.
inline constexpr double kMaxRows = 1000000.0;

// A lump sum of extra principal, paid with the payment due on its date or the first one due after it.
struct Lump {
    common::Date date;
    double amount = 0;
};

// Extra principal paid with the regular payments: `amount` with payment `from` and every `every`th
// payment after it, or, when `month` is 1..12, with the first payment due in that month of each year
// from payment `from` on; and the lump sums, in date order.
struct ExtraPrincipal {
    double amount = 0;
    long from = 1;
    long every = 1;
    int month = 0;
    std::vector<Lump> lumps;
};

// How a consumer's schedule differs from the regular one.
struct Variant {
    // Payment rows run to `rows` instead of NUMPAY (the balloon term BLPAY); the escrow parts and the
    // rule-of-78 shares are taken over `rows`, and the last row pays the balloon in both groups.
    bool balloon = false;
    double rows = 0;
    // Interest: flag 1 the 365-day rule, flag 2 the 360-day rule, every other flag the flag-0 rule;
    // principal is SCHEDPAY less the other parts for every flag (no fixed-principal group).
    bool level_rules_only = false;
    // Monthly 30-day stepping (to the 1st of the next month) applies to flags 0, 3 and 6; with this
    // set only flag 0 steps that way and flags 3 and 6 keep the day of the month.
    bool first_of_month_flag0_only = false;

    enum class Grouping {
        CalendarYear,         // a subtotal after the last payment of a calendar year, not after
                              // the last two payments
        CalendarYearEveryRow, // the same test on every payment row, the last two included
        LoanYear,             // a subtotal after every FREQUENCY payments, not after the last two
    };
    Grouping grouping = Grouping::CalendarYear;
    // Without dates only the month is tracked for the day counts: monthly it moves one month a row
    // after the first, annually it never moves. Rows then carry no PAYDATE.
    bool dated = true;
    // Payment rows carry their date but no PAYDATE text: for consumers that only add figures up.
    bool figures_only = false;
    // Extra principal: each payment row pays its extra too and the schedule ends with the payment
    // that clears the balance (that payment is what is left). Interest follows the balance left:
    // flags 0 and 6 take the balance at the nominal rate with the first period's odd-day
    // correction, flag 7 the 365-day rule of flag 1; the other flags already do.
    std::optional<ExtraPrincipal> extra;

    static Variant regular() { return {}; }
    // The balloon schedule: BLPAY rows of a loan amortized over NUMPAY.
    static Variant balloon_term(double blpay) {
        Variant v;
        v.balloon = true;
        v.rows = blpay;
        return v;
    }
    // The rows the balloon saving routine writes.
    static Variant balloon_saving(double blpay) {
        Variant v = balloon_term(blpay);
        v.level_rules_only = true;
        v.first_of_month_flag0_only = true;
        v.grouping = Grouping::CalendarYearEveryRow;
        return v;
    }
    // Numbered rows grouped by loan year, as the loan-year printout shows them.
    static Variant loan_year() {
        Variant v;
        v.grouping = Grouping::LoanYear;
        v.dated = false;
        return v;
    }
    // `base` (the regular or the balloon term schedule) paying extra principal.
    static Variant with_extra(Variant base, ExtraPrincipal extra) {
        base.extra = std::move(extra);
        return base;
    }
};

enum class RowKind { Payment, Subtotal, GrandTotal };

// The columns of a schedule row (and of the loan detail table).
struct Amounts {
    double INTAMT = 0;
    double PRINAMT = 0;
    double DSINS = 0;
    double LFINS = 0;
    double TAXES = 0;
    double HOINS = 0;
    double OTINS = 0;
    double PAYMENT = 0;

    Amounts& operator+=(const Amounts& o) noexcept;
};

struct Row {
    RowKind kind = RowKind::Payment;
    long k = 0;            // payment number of a payment row; 0 on total rows
    common::Date date;     // payment date (month only when undated); of a subtotal, its last payment
    int group = 0;         // subtotal: the calendar year, or the loan-year number (LoanYear)
    char PAYDATE[24] = {}; // "MM/DD/YYYY", "TOTALS YYYY" or "GRAND TOTALS"; empty when undated
    Amounts amounts;       // the row's amounts, or the sums a total row covers
    double BALANCE = 0;    // balance after the payment; 0 on total rows, which have none
    double extra = 0;      // extra principal the payment row carries (in PRINAMT and PAYMENT)
};

class Pass {
public:
    // `today` is the date an empty FIRSTDUE stands for: the caller's clock, else the library's.
    Pass(const common::LoanBlock& block, double schedpay, const Variant& variant = Variant::regular(),
         std::optional<common::Date> today = std::nullopt);

    // The next row in schedule order; false after the grand total row.
    bool next(Row& row);

    bool usable() const noexcept { return usable_; }
    // Payment rows the pass makes (ceil of the row count).
    double payment_rows() const noexcept { return rows_; }
    double level_payment() const noexcept { return level_; }
    double fixed_principal() const noexcept { return fixed_; }
    double digit_sum() const noexcept { return digits_; }
    // With extra principal: the first lump sum that was more than the balance it was paid on (its
    // date and amount, the balance in `balance`), and the lump sums dated after the last payment.
    const std::optional<Lump>& lump_over_balance() const noexcept { return lump_over_; }
    double balance_under_lump() const noexcept { return lump_over_balance_; }
    std::size_t lumps_after_payoff() const noexcept;

private:
    enum class Stage { Payments, Closing, Grand, Done };
    void step_date();
    double interest(double balance) const;
    double extra_due(double balance);
    void payment_row(Row& row);
    void total_row(Row& row, RowKind kind, const Amounts& sums, int group);
    bool subtotal_due() const;
    bool last_of_calendar_year() const;

    common::LoanBlock b_;
    double schedpay_;
    Variant v_;
    bool usable_ = false;
    double rows_ = 0;   // NUMPAY, or the balloon term
    double level_ = 0;  // FINANCEAMT / A(APR, FREQUENCY, NUMPAY)
    double fixed_ = 0;  // FINANCEAMT / NUMPAY
    double digits_ = 0; // rule-of-78 digit sum
    int flag_ = 0;      // the interest rule's flag
    bool fixed_group_ = false;
    bool nominal_balance_ = false; // flags 0 and 6 with extra principal

    Stage stage_ = Stage::Payments;
    common::Date date_;
    common::Date first_due_; // the yearly rows' month and day
    double k_ = 0;
    double balance_ = 0;
    int period_days_ = 0;
    int loan_year_ = 1;
    Amounts year_sums_;
    Amounts loan_sums_;
    bool subtotal_pending_ = false;
    bool paid_off_ = false;     // extra principal cleared the balance
    std::size_t next_lump_ = 0; // the first lump sum not yet paid
    int extra_year_ = 0;        // the year the yearly extra was last paid
    std::optional<Lump> lump_over_;
    double lump_over_balance_ = 0;
};

// Calls `fn(row)` for every row of the pass; returns the number of rows.
template <class Fn> long for_each_row(Pass& pass, Fn&& fn) {
    long n = 0;
    for (Row row; pass.next(row); ++n)
        fn(static_cast<const Row&>(row));
    return n;
}

} // namespace talvero::schedule
