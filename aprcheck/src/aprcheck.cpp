#include "aprcheck/aprcheck.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace talvero::aprcheck {

namespace {

// Months wrapped into 1..12; a day beyond the month's end is its last day, day 0 the last day of the
// month before (as schedules print some stepped dates).
Date normal(Date d) {
    common::normalize_month(d);
    if (d.day < 1) {
        --d.month;
        common::normalize_month(d);
        d.day = common::month_length(d.month, d.year);
    }
    d.day = std::min(d.day, common::month_length(d.month, d.year));
    return d;
}

long serial_day(const Date& raw) {
    return common::day_number(normal(raw));
}

bool month_end(const Date& d) {
    return d.day >= common::month_length(d.month, d.year);
}

// The date m months before `later`; from a month's last day, the last day of that month (months are
// measured from last day to last day).
Date months_back(const Date& later, int m) {
    const int total = later.year * 12 + (later.month - 1) - m;
    Date r{total % 12 + 1, 0, total / 12};
    const int len = common::month_length(r.month, r.year);
    r.day = month_end(later) ? len : std::min(later.day, len);
    return r;
}

// Full months measured back from `to` that stay on or after `from`.
int full_months(const Date& from, const Date& to) {
    int m = (to.year - from.year) * 12 + to.month - from.month;
    const long start = serial_day(from);
    while (m > 0 && serial_day(months_back(to, m)) < start)
        --m;
    return std::max(m, 0);
}

// Whether `b` lies exactly n months after `a`; the 29th, 30th and 31st fall on a shorter month's last day.
bool months_apart(const Date& a, const Date& b, int n) {
    if ((b.year - a.year) * 12 + b.month - a.month != n) return false;
    if (a.day == b.day) return true;
    if (b.day < a.day && month_end(b)) return true;
    return month_end(a) && b.day > a.day;
}

// Length in days, for ordering unit-periods and rounding an average period.
double length_days(const UnitPeriod& u) {
    switch (u.kind) {
    case UnitPeriod::Kind::Month:
        return 365.0 / 12.0 * u.count;
    case UnitPeriod::Kind::SemiMonth:
        return 365.0 / 24.0;
    case UnitPeriod::Kind::Week:
        return 7.0 * u.count;
    case UnitPeriod::Kind::Day:
        return u.count;
    case UnitPeriod::Kind::Year:
        return 365.0;
    }
    return 0;
}

// The interval between two dates as a unit-period; nullopt-like Day 0 when the dates coincide.
UnitPeriod classify(const Date& a, const Date& b) {
    const long n = serial_day(b) - serial_day(a);
    if (n <= 0) return days(0);
    const Date na = normal(a), nb = normal(b);
    const int md = (nb.year - na.year) * 12 + nb.month - na.month;
    if (md >= 1 && md <= 12 && months_apart(na, nb, md)) return md == 12 ? year() : months(md);
    if (n % 7 == 0 && n / 7 <= 52) return weeks(static_cast<int>(n / 7));
    if (n >= 13 && n <= 17) return semimonth();
    return days(static_cast<int>(std::min<long>(n, 365)));
}

bool same_interval(const UnitPeriod& a, const UnitPeriod& b) {
    return a.kind == b.kind && a.count == b.count;
}

// The standard interval nearest to `d` days, the smaller one on a tie.
UnitPeriod nearest_standard(double d) {
    std::vector<UnitPeriod> all{days(1), semimonth(), year()};
    for (int w = 1; w <= 52; ++w)
        all.push_back(weeks(w));
    for (int m = 1; m <= 11; ++m)
        all.push_back(months(m));
    std::sort(all.begin(), all.end(),
              [](const UnitPeriod& x, const UnitPeriod& y) { return length_days(x) < length_days(y); });
    UnitPeriod best = all.front();
    double gap = std::abs(length_days(best) - d);
    for (const UnitPeriod& u : all) {
        const double g = std::abs(length_days(u) - d);
        if (g < gap - 1e-12) {
            best = u;
            gap = g;
        }
    }
    return best;
}

struct Term {
    double amount;
    double t;
    double f;
};

// g(i) = sum of the payments' present values less the advance, and its derivative.
void present_value(const std::vector<Term>& terms, double advance, double i, double& g, double& dg) {
    const double log1 = std::log1p(i);
    double sum = 0, dsum = 0;
    const double inv1 = 1.0 / (1.0 + i);
    for (const Term& k : terms) {
        const double odd = 1.0 + k.f * i;
        const double pv = k.amount * std::exp(-k.t * log1) / odd;
        sum += pv;
        dsum -= pv * (k.f / odd + k.t * inv1);
    }
    g = sum - advance;
    dg = dsum;
}

} // namespace

UnitPeriod months(int n) {
    return {UnitPeriod::Kind::Month, n, 12.0 / n};
}
UnitPeriod semimonth() {
    return {UnitPeriod::Kind::SemiMonth, 1, 24};
}
UnitPeriod weeks(int n) {
    return {UnitPeriod::Kind::Week, n, 52.0 / n};
}
UnitPeriod days(int n) {
    return {UnitPeriod::Kind::Day, n, n > 0 ? 365.0 / n : 0};
}
UnitPeriod year() {
    return {UnitPeriod::Kind::Year, 1, 1};
}

std::string describe(const UnitPeriod& u) {
    char text[32];
    switch (u.kind) {
    case UnitPeriod::Kind::Month:
        if (u.count == 1) return "month";
        std::snprintf(text, sizeof text, "%d months", u.count);
        return text;
    case UnitPeriod::Kind::SemiMonth:
        return "semimonth";
    case UnitPeriod::Kind::Week:
        if (u.count == 1) return "week";
        std::snprintf(text, sizeof text, "%d weeks", u.count);
        return text;
    case UnitPeriod::Kind::Day:
        if (u.count == 1) return "day";
        std::snprintf(text, sizeof text, "%d days", u.count);
        return text;
    case UnitPeriod::Kind::Year:
        return "year";
    }
    return "";
}

Time unit_periods_between(const Date& from_raw, const Date& to_raw, const UnitPeriod& unit) {
    const Date from = normal(from_raw), to = normal(to_raw);
    const long start = serial_day(from);
    Time out;
    if (serial_day(to) <= start) return out;
    switch (unit.kind) {
    case UnitPeriod::Kind::Month:
    case UnitPeriod::Kind::SemiMonth: {
        // A month is 30 days: full months measured back from the later date, then the days left.
        const int m = full_months(from, to);
        const long rest = serial_day(months_back(to, m)) - start;
        if (unit.kind == UnitPeriod::Kind::Month && unit.count == 1) {
            out.t = m;
            out.f = rest / 30.0;
            return out;
        }
        const long span = unit.kind == UnitPeriod::Kind::SemiMonth ? 15 : 30L * unit.count;
        const long total = 30L * m + rest;
        out.t = total / span;
        out.f = static_cast<double>(total % span) / static_cast<double>(span);
        return out;
    }
    case UnitPeriod::Kind::Year: {
        const int m = full_months(from, to);
        out.t = m / 12;
        const Date back = months_back(to, static_cast<int>(out.t) * 12);
        if (serial_day(months_back(to, m)) == start)
            out.f = (m - 12 * out.t) / 12.0;
        else
            out.f = static_cast<double>(serial_day(back) - start) / 365.0;
        return out;
    }
    case UnitPeriod::Kind::Week:
    case UnitPeriod::Kind::Day: {
        const long span = unit.kind == UnitPeriod::Kind::Week ? 7L * unit.count : unit.count;
        const long n = serial_day(to) - start;
        if (span <= 0) return out;
        out.t = n / span;
        out.f = static_cast<double>(n % span) / static_cast<double>(span);
        return out;
    }
    }
    return out;
}

UnitPeriod unit_period_of(const Stream& s) {
    if (s.payments.empty()) return months(1);
    if (s.payments.size() == 1) {
        // A single payment: the term is the unit-period, at most a year.
        const Date from = normal(s.advance_date), to = normal(s.payments.front().date);
        const int m = full_months(from, to);
        if (m >= 12) return year();
        if (m >= 1 && serial_day(months_back(to, m)) == serial_day(from)) return months(m);
        return days(static_cast<int>(std::max<long>(serial_day(to) - serial_day(from), 1)));
    }
    std::vector<std::pair<UnitPeriod, int>> seen;
    Date previous = s.advance_date;
    long spanned = 0;
    int periods = 0;
    for (const Payment& p : s.payments) {
        const UnitPeriod u = classify(previous, p.date);
        const long n = serial_day(p.date) - serial_day(previous);
        previous = p.date;
        if (n <= 0) continue;
        spanned += n;
        ++periods;
        auto it =
            std::find_if(seen.begin(), seen.end(), [&](const auto& e) { return same_interval(e.first, u); });
        if (it == seen.end())
            seen.emplace_back(u, 1);
        else
            ++it->second;
    }
    const std::pair<UnitPeriod, int>* best = nullptr;
    for (const auto& e : seen) {
        if (e.second < 2) continue; // a common period occurs more than once
        if (!best || e.second > best->second ||
            (e.second == best->second && length_days(e.first) < length_days(best->first)))
            best = &e;
    }
    if (best) return best->first;
    if (periods == 0) return months(1);
    return nearest_standard(static_cast<double>(spanned) / periods);
}

Solution actuarial_apr(const Stream& s) {
    return actuarial_apr(s, unit_period_of(s));
}

Solution actuarial_apr(const Stream& s, const UnitPeriod& unit) {
    Solution out;
    if (!(s.advance > 0) || !std::isfinite(s.advance)) {
        out.error = "the advance must be above 0";
        return out;
    }
    if (s.payments.empty()) {
        out.error = "there are no payments";
        return out;
    }
    if (!(unit.per_year > 0)) {
        out.error = "the unit-period has no length";
        return out;
    }
    std::vector<Term> terms;
    terms.reserve(s.payments.size());
    double total = 0;
    bool timed = false;
    const long start = serial_day(s.advance_date);
    for (const Payment& p : s.payments) {
        // A negative amount (an overpaid last row refunds) stays in the equation.
        if (!std::isfinite(p.amount)) {
            out.error = "a payment is not a number";
            return out;
        }
        if (serial_day(p.date) < start) {
            out.error = "a payment falls before the advance";
            return out;
        }
        const Time tm = unit_periods_between(s.advance_date, p.date, unit);
        if (p.amount > 0 && (tm.t > 0 || tm.f > 0)) timed = true;
        terms.push_back({p.amount, static_cast<double>(tm.t), tm.f});
        total += p.amount;
    }
    if (!timed) {
        out.error = "no payment falls after the advance";
        return out;
    }

    double g = 0, dg = 0;
    present_value(terms, s.advance, 0.0, g, dg);
    double lo = 0, hi = 0;
    if (g == 0) {
        out.solved = true;
        return out;
    }
    // g falls as the rate rises: widen the bracket until it changes sign.
    if (g > 0) {
        hi = 0.01;
        for (int n = 0;; ++n) {
            present_value(terms, s.advance, hi, g, dg);
            if (g < 0) break;
            lo = hi;
            hi *= 2;
            if (n > 60) {
                out.error = "no rate below 2^60 per unit-period";
                return out;
            }
        }
    } else {
        lo = -0.5;
        hi = 0;
        for (int n = 0;; ++n) {
            present_value(terms, s.advance, lo, g, dg);
            if (g > 0) break;
            hi = lo;
            lo = -1 + (1 + lo) / 2;
            if (n > 60) {
                out.error = "the payments fall short of the advance at every rate";
                return out;
            }
        }
    }
    (void)total;

    // Newton steps inside the bracket; a bisection where a step would leave it or shrink too slowly.
    const double tol = 1e-13;
    double x = 0.5 * (lo + hi);
    double dx_old = hi - lo, dx = dx_old;
    present_value(terms, s.advance, x, g, dg);
    for (int n = 1; n <= 300; ++n) {
        out.iterations = n;
        const bool outside = ((x - hi) * dg - g) * ((x - lo) * dg - g) > 0;
        if (outside || std::abs(2 * g) > std::abs(dx_old * dg) || dg == 0) {
            dx_old = dx;
            dx = 0.5 * (hi - lo);
            x = lo + dx;
        } else {
            dx_old = dx;
            dx = g / dg;
            x -= dx;
        }
        if (std::abs(dx) < tol || hi - lo < tol) break;
        present_value(terms, s.advance, x, g, dg);
        if (g > 0)
            lo = x;
        else
            hi = x;
    }
    out.solved = true;
    out.periodic = x;
    out.apr = x * unit.per_year * 100.0;
    return out;
}

bool irregular(const Stream& s, const UnitPeriod& unit) {
    const auto& p = s.payments;
    for (std::size_t k = 1; k < p.size(); ++k) {
        const UnitPeriod u = classify(p[k - 1].date, p[k].date);
        if (same_interval(u, unit)) continue;
        // Semimonthly dates across February may lie 14 days apart.
        if (unit.kind == UnitPeriod::Kind::SemiMonth && same_interval(u, weeks(2))) continue;
        // A single-payment term has no period after the first payment.
        return true;
    }
    for (std::size_t k = 2; k + 1 < p.size(); ++k)
        if (std::abs(p[k].amount - p[1].amount) >= 0.005) return true;
    return false;
}

Verdict verdict(const Stream& s, const UnitPeriod& unit, const Solution& sol, double disclosed_apr,
                double disclosed_finance_charge) {
    Verdict v;
    v.irregular = irregular(s, unit);
    v.tolerance = v.irregular ? kIrregularTolerance : kRegularTolerance;
    v.disclosed = disclosed_apr;
    v.actuarial = sol.apr;
    v.difference = disclosed_apr - sol.apr;
    // "Not more than" the tolerance: the exact boundary is accurate; the slack covers binary fractions.
    v.within = sol.solved && std::abs(v.difference) <= v.tolerance + 1e-9;
    double total = 0;
    for (const Payment& p : s.payments)
        total += p.amount;
    v.finance_charge = total - s.advance;
    v.disclosed_finance_charge = disclosed_finance_charge;
    v.finance_charge_difference = disclosed_finance_charge - v.finance_charge;
    v.finance_charge_tolerance = s.advance <= 1000.0 ? 5.0 : 10.0;
    v.finance_charge_within = std::abs(v.finance_charge_difference) <= v.finance_charge_tolerance + 1e-9;
    return v;
}

} // namespace talvero::aprcheck
