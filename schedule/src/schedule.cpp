#include "schedule/schedule.h"

#include "common/annuity.h"
#include "common/calendar.h"
#include "common/period_days.h"
#include "common/today.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace talvero::schedule {

namespace {

bool finite_all(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

double charges(const Amounts& a) {
    return a.TAXES + a.HOINS + a.OTINS + a.DSINS + a.LFINS + a.INTAMT;
}

// A premium of the row: the first from the basis, later ones from the balance.
double premium(double basis, double count, double rate, double per_year, double k, double balance) {
    if (!(basis > 0) || k > count || per_year == 0) return 0;
    return k == 1 ? basis / per_year : balance * rate / per_year;
}

} // namespace

Amounts& Amounts::operator+=(const Amounts& o) noexcept {
    INTAMT += o.INTAMT;
    PRINAMT += o.PRINAMT;
    DSINS += o.DSINS;
    LFINS += o.LFINS;
    TAXES += o.TAXES;
    HOINS += o.HOINS;
    OTINS += o.OTINS;
    PAYMENT += o.PAYMENT;
    return *this;
}

Pass::Pass(const common::LoanBlock& block, double schedpay, const Variant& variant,
           std::optional<common::Date> today)
    : b_(block), schedpay_(schedpay), v_(variant) {
    rows_ = v_.balloon ? v_.rows : b_.NUMPAY;
    const int flag = b_.INTMETHOD;
    fixed_group_ = !v_.level_rules_only && flag >= 3 && flag <= 5;
    flag_ = v_.level_rules_only ? (flag == 1 || flag == 2 ? flag : 0) : flag;
    if (v_.extra) {
        // Interest follows the balance the extra principal leaves.
        if (flag_ == 7) flag_ = 1;
        nominal_balance_ = flag_ == 0 || flag_ == 6;
    }

    usable_ = finite_all({b_.FINANCEAMT, b_.APR, b_.NUMPAY, b_.FREQUENCY, schedpay_, b_.TAXES, b_.HOINS,
                          b_.OTINS, b_.TERMYEARS, b_.DSRATE, b_.DSFREQ, b_.DSPREM, b_.DSNUMPAY, b_.LFRATE,
                          b_.LFFREQ, b_.LFPREM, b_.LFNUMPAY, b_.TOTALINTEREST, rows_}) &&
              b_.FREQUENCY > 0 && b_.NUMPAY > 0 && rows_ > 0 && rows_ <= kMaxRows && b_.NUMPAY <= kMaxRows &&
              flag >= 0 && flag <= 7;
    if (!usable_) {
        stage_ = Stage::Done;
        return;
    }

    date_ = b_.FIRSTDUE[0] != '\0' ? common::read_mmddccyy(b_.FIRSTDUE) : today.value_or(common::today());
    first_due_ = date_;
    level_ = b_.FINANCEAMT / common::factor_n(b_.APR, b_.FREQUENCY, b_.NUMPAY);
    fixed_ = b_.FINANCEAMT / b_.NUMPAY;
    double years = rows_ / b_.FREQUENCY;
    if (years < 1) years = 1;
    const double K = std::trunc(years * common::period_days(b_.FREQUENCY).rule78_digits);
    digits_ = K * (K + 1) / 2;
    balance_ = b_.FINANCEAMT;
    usable_ = std::isfinite(level_) && std::isfinite(fixed_);
    if (!usable_) stage_ = Stage::Done;
}

void Pass::step_date() {
    const bool later = k_ > 0;
    const double f = b_.FREQUENCY;
    if (!v_.dated) {
        // Only the month counts; monthly it moves after the first row, otherwise it stays.
        if (later && f == 12) common::next_month(date_);
        return;
    }
    const common::PeriodDays& row = common::period_days(f);
    if (row.date_step.count == common::DayCount::Fixed) {
        period_days_ = static_cast<int>(row.date_step.days);
        if (later) common::advance_days(date_, period_days_);
    } else if (row.date_step.count == common::DayCount::CursorYear) {
        // Every row a year on, on the first due date's month and day.
        const int years = static_cast<int>(k_);
        date_ = common::years_on(first_due_, years);
        period_days_ = common::year_days_to(first_due_, years);
    } else if (f == 12) {
        const int flag = b_.INTMETHOD;
        const bool thirty = flag == 0 || (!v_.first_of_month_flag0_only && (flag == 3 || flag == 6));
        if (thirty) {
            period_days_ = static_cast<int>(row.interest_thirty.of(f));
            if (later) {
                common::next_month(date_);
                date_.day = 1;
            }
        } else {
            period_days_ = common::month_length(date_.month, date_.year);
            // Keeps the day of the month; leaving a leap February costs the day one for good.
            if (later) common::next_month_keep_day(date_);
        }
    } else {
        period_days_ = static_cast<int>(row.date_step.of(f));
        if (later) common::advance_days(date_, period_days_);
    }
}

double Pass::interest(double balance) const {
    const double f = b_.FREQUENCY;
    const double r = b_.APR * 0.01;
    const bool first = k_ == 1;
    const double fa = b_.FINANCEAMT;
    const common::PeriodDays& row = common::period_days(f);
    auto days = [&](const common::PeriodLength& length) {
        return length.of(f, common::month_length(date_.month, date_.year),
                         common::year_days_to(first_due_, static_cast<int>(k_) - 1));
    };
    auto daily = [&](double year_days, double period) {
        if (!first) return r / year_days * period * balance;
        if (b_.ODDDAYS < 1) return r / year_days * period * fa;
        // A yearly loan's first year with its odd days beyond.
        if (f == 1) return r / year_days * (period + common::odd_days_beyond(f, b_.ODDDAYS)) * fa;
        return b_.ODDDAYS * r / year_days * fa;
    };
    if (nominal_balance_) {
        const double d = r / 360;
        if (!first) return r / f * balance;
        return r / f * fa + d * common::odd_days_beyond(f, b_.ODDDAYS) * fa;
    }
    switch (flag_) {
    case 1:
    case 4:
        return daily(365, days(row.interest_365));
    case 2:
        return daily(360, days(row.interest_360));
    case 3:
        return daily(360, days(row.interest_thirty));
    case 5:
        return 0;
    case 6:
    case 7: {
        const double least = row.rule78_digits;
        double m = rows_ >= least ? rows_ - (k_ - 1) : least - (k_ - 1);
        if (m <= 0) m = 1;
        return m / digits_ * b_.TOTALINTEREST;
    }
    default: {
        const double d = r / 360;
        const double base = 0.01 * (b_.APR / f) * common::factor_n(b_.APR, f, b_.NUMPAY - k_ + 1) * level_;
        if (!first) return base;
        const int odd = b_.ODDDAYS;
        if (f == 1) return base + d * common::odd_days_beyond(f, odd) * fa;
        if (odd > 30) return base + d * (odd - 30) * fa;
        if (odd >= 1) return base - d * (30 - odd) * fa;
        return base;
    }
    }
}

// The extra principal of the payment just dated: the regular extra when it falls on this payment,
// and every lump sum dated on or before it not yet paid. A lump sum beyond the balance is noted.
double Pass::extra_due(double balance) {
    const ExtraPrincipal& e = *v_.extra;
    double due = 0;
    const long k = static_cast<long>(k_);
    if (e.amount > 0 && k >= e.from) {
        if (e.month >= 1 && e.month <= 12) {
            if (date_.month == e.month && date_.year != extra_year_) {
                due += e.amount;
                extra_year_ = date_.year;
            }
        } else if (e.every >= 1 && (k - e.from) % e.every == 0) {
            due += e.amount;
        }
    }
    const long today = common::day_number(date_);
    for (; next_lump_ < e.lumps.size() && common::day_number(e.lumps[next_lump_].date) <= today;
         ++next_lump_) {
        const Lump& lump = e.lumps[next_lump_];
        if (lump.amount > balance && !lump_over_) {
            lump_over_ = lump;
            lump_over_balance_ = balance;
        }
        due += lump.amount;
    }
    return due;
}

std::size_t Pass::lumps_after_payoff() const noexcept {
    return v_.extra ? v_.extra->lumps.size() - next_lump_ : 0;
}

void Pass::payment_row(Row& row) {
    step_date();
    k_ += 1;
    Amounts a;
    const double term_rows = v_.balloon ? rows_ : b_.NUMPAY;
    auto escrow = [&](double annual) { return annual > 0 ? annual * b_.TERMYEARS / term_rows : 0.0; };
    a.TAXES = escrow(b_.TAXES);
    a.HOINS = escrow(b_.HOINS);
    a.OTINS = escrow(b_.OTINS);
    const double before = balance_;
    a.INTAMT = interest(before);
    a.DSINS = premium(b_.DSPREM, b_.DSNUMPAY, b_.DSRATE, b_.DSFREQ, k_, before);
    a.LFINS = premium(b_.LFPREM, b_.LFNUMPAY, b_.LFRATE, b_.LFFREQ, k_, before);
    if (fixed_group_) {
        a.PRINAMT = fixed_;
        a.PAYMENT = fixed_ + charges(a);
    } else {
        a.PRINAMT = schedpay_ - charges(a);
        a.PAYMENT = schedpay_;
    }
    const double regular = a.PRINAMT;
    const double extra = v_.extra ? extra_due(before) : 0.0;
    a.PRINAMT += extra;
    a.PAYMENT += extra;

    const double fa = b_.FINANCEAMT;
    if (v_.extra && (k_ < rows_ || extra > 0) && a.PRINAMT >= before) {
        // The payment that clears the balance pays what is left.
        a.PRINAMT = before;
        a.PAYMENT = before + charges(a);
        balance_ = 0;
        paid_off_ = true;
    } else if (!v_.balloon) {
        if (k_ == 1 && k_ == rows_) {
            a.PRINAMT = fa;
            a.PAYMENT = fa + charges(a);
            balance_ = 0;
        } else if (k_ == 1) {
            balance_ = fa - a.PRINAMT;
        } else if (k_ == rows_) {
            a.PRINAMT = before;
            a.PAYMENT = (fixed_group_ ? fixed_ : before) + charges(a);
            balance_ = 0;
        } else {
            balance_ = before - a.PRINAMT;
        }
    } else {
        if (k_ == 1 && b_.NUMPAY == 1 && rows_ == 1 && b_.FREQUENCY == 1) {
            a.PRINAMT = fa;
            a.PAYMENT = fa + charges(a);
            balance_ = 0;
        } else if (k_ == 1 && k_ == rows_) {
            // A one-payment term leaves the balloon owing; the row pays the scheduled payment.
            a.PAYMENT = schedpay_;
            balance_ = fa - a.PRINAMT;
        } else if (k_ == rows_) {
            a.PRINAMT = before;
            a.PAYMENT = before + charges(a);
            balance_ = 0;
        } else if (k_ == 1) {
            balance_ = fa - a.PRINAMT;
        } else {
            balance_ = before - a.PRINAMT;
        }
    }

    row = Row{};
    row.kind = RowKind::Payment;
    row.k = static_cast<long>(k_);
    row.date = date_;
    if (v_.dated && !v_.figures_only) common::format_date(date_, row.PAYDATE, sizeof row.PAYDATE);
    row.amounts = a;
    row.BALANCE = balance_;
    row.extra = extra > 0 ? std::fmin(extra, std::fmax(0.0, a.PRINAMT - regular)) : 0.0;
    year_sums_ += a;
    loan_sums_ += a;
}

// A yearly loan's row is the only one of its calendar year; otherwise the row in December's last
// period is the year's last.
bool Pass::last_of_calendar_year() const {
    if (common::period_days(b_.FREQUENCY).date_step.count == common::DayCount::CursorYear) return true;
    return date_.month == 12 && date_.day >= 31 - period_days_;
}

bool Pass::subtotal_due() const {
    switch (v_.grouping) {
    case Variant::Grouping::LoanYear: {
        const long per_year = static_cast<long>(b_.FREQUENCY);
        return per_year > 0 && static_cast<long>(k_) % per_year == 0 && k_ < rows_ - 1;
    }
    case Variant::Grouping::CalendarYearEveryRow:
        return last_of_calendar_year() && k_ > 0;
    case Variant::Grouping::CalendarYear:
        break;
    }
    // The last rows' subtotal comes with the closing; a yearly loan's next to last row is a year of its own.
    const bool yearly = common::period_days(b_.FREQUENCY).date_step.count == common::DayCount::CursorYear;
    return last_of_calendar_year() && k_ < rows_ - (yearly ? 0 : 1);
}

void Pass::total_row(Row& row, RowKind kind, const Amounts& sums, int group) {
    row = Row{};
    row.kind = kind;
    row.date = date_;
    row.group = group;
    row.amounts = sums;
    if (kind == RowKind::GrandTotal)
        std::snprintf(row.PAYDATE, sizeof row.PAYDATE, "%s", "GRAND TOTALS");
    else if (v_.grouping != Variant::Grouping::LoanYear)
        std::snprintf(row.PAYDATE, sizeof row.PAYDATE, "%s%d", "TOTALS ", group);
}

bool Pass::next(Row& row) {
    const bool by_loan_year = v_.grouping == Variant::Grouping::LoanYear;
    const int group = by_loan_year ? loan_year_ : date_.year;
    if (subtotal_pending_) {
        subtotal_pending_ = false;
        total_row(row, RowKind::Subtotal, year_sums_, group);
        year_sums_ = Amounts{};
        ++loan_year_;
        return true;
    }
    switch (stage_) {
    case Stage::Payments:
        payment_row(row);
        if (!(k_ < rows_) || paid_off_) stage_ = Stage::Closing;
        subtotal_pending_ = !paid_off_ && subtotal_due();
        return true;
    case Stage::Closing:
        total_row(row, RowKind::Subtotal, year_sums_, group);
        stage_ = Stage::Grand;
        return true;
    case Stage::Grand:
        total_row(row, RowKind::GrandTotal, loan_sums_, 0);
        stage_ = Stage::Done;
        return true;
    case Stage::Done:
        break;
    }
    return false;
}

} // namespace talvero::schedule
