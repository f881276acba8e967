#include "tessera/engine.h"

#include "common/annuity.h"
#include "common/period_days.h"
#include "common/repeat_add.h"
#include "common/today.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>

namespace tessera {

namespace tc = talvero::common;

const char* const kNotEnoughDataText =
    "Loan Input Error!\nNot enought data for processing.\nLoan Terms could be missing one\nof the "
    "following:\n1. scheduled payment\n2. number of payments\n3. APR\nPlease re-enter correctly from "
    "the\ninput loan data menu.\n\nNOTE: A blank number of payments must\nhave the scheduled payment. A "
    "blank\nscheduled payment must have the number\nof payments entered.  A blank APR must\nhave the "
    "payment, or the finance\ncharge entered for the system to\ncalculate properly.";

const char* const kEndlessPaymentText =
    "Loan Input Error!\n\nThe suggested payment amount will not\ncover insurance charges and taxes "
    "for\n9,999 payments computed. Your payment\namount created an infinite loop.\n\nSUGGESTION:\nCalculate "
    "the scheduled payment first,\ngiving the number of payments required.\nThe computed payment should "
    "then cover\ncharges for insurance and taxes.\n\nReturn to the Input Loan Data Menu and\nchange input.";

const char* const kFixedPrincipalAprText =
    "Cannot calculate an APR on Fixed Prinicpal Loans without the finance charge. Please change your "
    "check mark and enter the finance charge when using interest flag 3 or 4.";

namespace {

constexpr double kMaxCount = 99999.0;       // the loan form's limit on the number of payments
constexpr double kMaxPayoffPeriods = 1.0e6; // payoff periods and payments made
constexpr double kMinFrequency = 0.01;      // below this a period is longer than a century
constexpr int kMaxSkipMonths = 99999;
constexpr int kCountCap = 9999;           // periods the payment count looks at
constexpr double kRateCeiling = 100000.0; // percent; the whole-step rate searches stop here
constexpr long kFineStepCap = 1000;       // a fine step search crosses its target within a few steps
// Periods the shortening of a payout (negative last payments) may run before the call is rejected.
constexpr double kShortenPeriodBudget = 6.0e6;
// Distinct escrow shares among the shortened counts that the daily-interest shortening follows.
constexpr int kMaxEscrowClasses = 16;
// Counts above the boundary the nominal-interest shortening confirms with runs of their own.
constexpr double kShortenCheckWindow = 8.0;

bool whole_parts_equal(double a, double b) noexcept {
    return std::trunc(a) == std::trunc(b);
}

// Periodic rate of a trial rate R (percent) for the two searches.
double trial_periodic_rate(double R, double f, bool basis365) noexcept {
    const double r = R * 0.01;
    if (basis365) return tc::period_days(f).annuity_365.of(f) * (r / 365.0);
    // The 360-day searches take the nominal rate.
    return r / f;
}

// First j = 1, 2, ... up to `cap` at which stop(x_j) holds, x_j being x0 after j additions of
// `step`. `stop` is monotone along the sequence (once it holds it holds further on), so after a few
// single steps the search leaps and halves; it finds the j the single steps would. Returns 0 when no
// j up to `cap` stops; `at` is then x_cap.
template <typename Stop> long first_stop(double x0, double step, long cap, Stop stop, double& at) {
    constexpr long kSingleSteps = 3;
    double x = x0;
    long j = 0;
    for (; j < kSingleSteps && j < cap;) {
        x = x + step;
        ++j;
        if (stop(x)) {
            at = x;
            return j;
        }
    }
    long lo = j;
    double x_lo = x;
    long hi = 0;
    double x_hi = x;
    for (long leap = 1; lo < cap; leap *= 2) {
        const long to = lo + leap < cap ? lo + leap : cap;
        const double trial = tessera::repeat_add(x_lo, step, to - lo);
        if (stop(trial)) {
            hi = to;
            x_hi = trial;
            break;
        }
        lo = to;
        x_lo = trial;
    }
    if (hi == 0) {
        at = x_lo;
        return 0;
    }
    while (hi - lo > 1) {
        const long mid = lo + (hi - lo) / 2;
        const double trial = tessera::repeat_add(x_lo, step, mid - lo);
        if (stop(trial)) {
            hi = mid;
            x_hi = trial;
        } else {
            lo = mid;
            x_lo = trial;
        }
    }
    at = x_hi;
    return hi;
}

// The present value of `payment` per period at periodic rate i, for the searches' comparisons with
// `target` and with whole dollars. The closed form stands in for the sum of the single discounted
// payments whenever it lies clearly away from every value where a comparison could turn; otherwise
// the payments are discounted one by one.
double present_value(double payment, double count, double i, double target) {
    const double terms = std::floor(count);
    if (terms >= 1.0 && std::fabs(i) > 1e-6 && 1.0 + i > 0.0) {
        const double closed = payment * (1.0 - std::pow(1.0 + i, -terms)) / i;
        const double margin = 1e-7 * (std::fabs(closed) + 1.0);
        if (std::isfinite(closed) && std::fabs(closed - target) > margin &&
            std::fabs(closed - std::round(closed)) > margin)
            return closed;
    }
    double sum = 0.0;
    for (double t = 1.0; t <= count; t += 1.0) {
        const double term = payment / std::pow(1.0 + i, t);
        if (term == 0.0) break; // every later term is 0 as well
        sum += term;
    }
    return sum;
}

} // namespace

long payment_pass_bound(double) noexcept {
    // Passes counted one per schedule run as if each were made; runs of identical steps are skipped,
    // so this only stops a loan that keeps stepping for ever. The slowest settling loans the form
    // accepts (annual payments on $1,000,000 at high rates, stepping by 0.01) need about 10^8.
    return 2000000000L;
}

long payment_run_bound(double numpay) noexcept {
    // Schedule runs actually made: a budget of period steps, so that a long loan that swings around
    // its payment returns within a few tens of milliseconds, and plenty for short loans.
    constexpr double kPeriodBudget = 5.0e6;
    constexpr long kMinRuns = 50;
    const double n = numpay >= 1.0 ? numpay : 1.0;
    const double runs = kPeriodBudget / n;
    return runs < kMinRuns ? kMinRuns : static_cast<long>(runs);
}

double repeat_add(double value, double step, long count) noexcept {
    return tc::repeat_add(value, step, count);
}

double pvapr(double payment, double count, double target, double f, int flag, int /*odddays*/) noexcept {
    const bool basis365 = flag == 1 || flag == 7;
    auto V = [&](double R) {
        return present_value(payment, count, trial_periodic_rate(R, f, basis365), target);
    };
    auto found = [&](double value) { return whole_parts_equal(value, target); };
    auto settles = [&](double R) {
        const double value = V(R);
        return found(value) || value < target;
    };
    double R = 1.0;
    double v = V(R);
    if (v > target) {
        double at = R;
        const long j = first_stop(1.0, 1.0, static_cast<long>(kRateCeiling) - 1, settles, at);
        if (j == 0) return at; // no rate below the ceiling brings the value down to the target
        R = at;
        if (found(V(R))) return R;
    }
    R -= 1.0;
    v = V(R);
    if (v > target) {
        double at = R;
        if (first_stop(R, 0.1, kFineStepCap, settles, at) == 0) return at;
        R = at;
        if (found(V(R))) return R;
    }
    R -= 0.1;
    v = V(R);
    if (v > target) {
        double at = R;
        first_stop(R, 0.01, kFineStepCap, settles, at);
        return at;
    }
    return R;
}

double fcapr(double count, double amount, double f, int flag, int /*odddays*/, double target) noexcept {
    if (flag == 5) return 0.0;
    const bool basis365 = flag == 4;
    auto G = [&](double R) {
        const double i = trial_periodic_rate(R, f, basis365);
        const double part = amount / count;
        double b = amount;
        double sum = 0.0;
        for (double t = 1.0; t <= count; t += 1.0) {
            sum += i * b;
            b -= part;
        }
        return sum;
    };
    auto found = [&](double value) { return whole_parts_equal(value, target); };
    auto settles = [&](double R) {
        const double value = G(R);
        return found(value) || value > target;
    };
    double R = 1.0;
    double g = G(R);
    if (found(g)) return R;
    if (g < target) {
        double at = R;
        const long j = first_stop(1.0, 1.0, static_cast<long>(kRateCeiling) - 1, settles, at);
        if (j == 0) return at;
        R = at;
        if (found(G(R))) return R;
    }
    R -= 1.0;
    g = G(R);
    if (g < target) {
        double at = R;
        if (first_stop(R, 0.1, kFineStepCap, settles, at) == 0) return at;
        R = at;
        if (found(G(R))) return R;
    }
    R -= 0.1;
    g = G(R);
    if (g < target) {
        double at = R;
        first_stop(R, 0.01, kFineStepCap, settles, at);
        return at;
    }
    return R;
}

void Engine::message(int kind, const char* text) const {
    if (on_message)
        on_message(owner_, kind, text);
    else
        std::fprintf(stderr, "%s\n", text);
}

void Engine::reject() {
    message(1, kNotEnoughDataText);
    block.ERRFLAG = 1;
}

double Engine::termyears() const noexcept {
    const double years = block.NUMPAY / block.FREQUENCY;
    return years < 1.0 ? 1.0 : years;
}

void Engine::start_call() {
    Block& b = block;
    b.REGZAPR = b.LASTPAY = b.TOTALPRINCIPAL = b.TOTALINSURANCE = b.TOTALTAXES = b.TOTALPAYOUT = 0.0;
    ti_ = tp_ = tds_ = tlf_ = tho_ = tot_ = ttax_ = 0.0;
    L_ = P_ = B_ = k_ = 0.0;
    ds_counter_ = lf_counter_ = 0;
    last_ds_ = last_lf_ = last_tax_ = 0.0;
    passes_ = 0;
    runs_ = 0;
    bound_hit_ = false;
    cycle_found_ = false;
    budget_reached_ = false;
    shorten_periods_ = 0.0;
    start_ = tc::first_due_or_today(b.FIRSTDUE);
}

bool Engine::input_usable() const noexcept {
    const Block& b = block;
    const double values[] = {b.FINANCEAMT,    b.APR,       b.NUMPAY,   b.PAYMENT,   b.DSRATE,    b.DSFREQ,
                             b.LFRATE,        b.LFFREQ,    b.TAXES,    b.FREQUENCY, b.DSPREM,    b.LFPREM,
                             b.DSNUMPAY,      b.LFNUMPAY,  b.HOINS,    b.OTINS,     b.TERMYEARS, b.ORGAMT,
                             b.TOTALINTEREST, b.PAYOFFPER, b.PAYSMADE, b.CURBAL};
    for (double v : values)
        if (!std::isfinite(v)) return false;
    if (b.INTMETHOD < 0 || b.INTMETHOD > 7) return false;
    if (std::fabs(b.NUMPAY) > kMaxCount) return false;
    if (b.FREQUENCY > 52.0 || (b.FREQUENCY > 0.0 && b.FREQUENCY < kMinFrequency)) return false;
    if (b.SKPMONTH < -kMaxSkipMonths || b.SKPMONTH > kMaxSkipMonths) return false;
    if (b.PAYOFFMODE >= 1) {
        if (b.FREQUENCY <= 0.0) return false;
        if (std::fabs(b.PAYOFFPER) > kMaxPayoffPeriods || std::fabs(b.PAYSMADE) > kMaxPayoffPeriods)
            return false;
    }
    return true;
}

void Engine::run(void* owner) {
    owner_ = owner;
    Block& b = block;
    start_call();
    if (!input_usable()) {
        case_ = Case::NotEnoughData;
        reject();
        return;
    }
    const bool regular = b.PAYOFFMODE == 0;
    const double A = b.FINANCEAMT, f = b.FREQUENCY;
    if (regular && b.PAYMENT == 0 && b.TOTALINTEREST == 0 && b.NUMPAY > 0 && b.APR > 0 && A > 0 && f > 0) {
        case_ = Case::Payment;
        solve_payment();
    } else if (regular && b.PAYMENT > 0 && b.NUMPAY < 1 && b.TOTALINTEREST == 0 && b.APR > 0 && A > 0 &&
               f > 0) {
        case_ = Case::Count;
        count_payments();
    } else if (regular && b.PAYMENT > 0 && b.NUMPAY > 1 && b.APR > 0 && A > 0 && f > 0 &&
               b.TOTALINTEREST == 0) {
        case_ = Case::Payout;
        payout(true);
    } else if (regular && b.APR == 0 && b.NUMPAY < 1 && b.TOTALINTEREST > 0 && A > 0 && b.PAYMENT > 0 &&
               f > 0) {
        case_ = Case::RateCount;
        rate_and_count();
    } else if (regular && b.APR == 0 && b.PAYMENT == 0 && b.TOTALINTEREST > 0 && A > 0 && b.NUMPAY > 0 &&
               f > 0) {
        case_ = Case::RatePayment;
        rate_and_payment();
    } else if (regular && b.APR == 0 && b.TOTALINTEREST == 0 && A > 0 && b.PAYMENT > 0 && b.NUMPAY > 0 &&
               f > 0) {
        case_ = Case::RateCharge;
        rate_and_charge();
    } else if (b.PAYOFFMODE >= 1) {
        case_ = Case::Payoff;
        payoff();
    } else {
        case_ = Case::NotEnoughData;
        reject();
        finish();
    }
    if (b.ERRFLAG == 0) {
        const double outputs[] = {b.PAYMENT,    b.NUMPAY,  b.TERMYEARS,      b.TOTALINTEREST,  b.APR,
                                  b.LASTPAY,    b.REGZAPR, b.TOTALPRINCIPAL, b.TOTALINSURANCE, b.TOTALTAXES,
                                  b.TOTALPAYOUT};
        for (double v : outputs) {
            if (!std::isfinite(v)) {
                reject();
                break;
            }
        }
    }
}

// Part of one period's rules that does not change from period to period.
template <bool Payoff> void Engine::run_periods(double L, double last) {
    const Block& b = block;
    const int flag = b.INTMETHOD;
    const double f = b.FREQUENCY, n = b.NUMPAY, A = b.FINANCEAMT, r = b.APR * 0.01;
    const double d365 = r / 365.0, d360 = r / 360.0;
    const double TY = b.TERMYEARS;
    const double T = b.TAXES > 0 ? b.TAXES * TY / n : 0.0;
    const double H = b.HOINS > 0 ? b.HOINS * TY / n : 0.0;
    const double O = b.OTINS > 0 ? b.OTINS * TY / n : 0.0;
    const double escrow = T + H + O;
    const bool fixed = fixed_flag();
    const double odd = b.ODDDAYS;

    enum class Interest { Daily, Nominal, Rule78, None } kind;
    if (flag == 5)
        kind = Interest::None;
    else if (Payoff && (flag == 6 || flag == 7))
        kind = Interest::Rule78;
    else if (flag == 0 || flag == 6)
        kind = Interest::Nominal;
    else
        kind = Interest::Daily;

    double d = (flag == 1 || flag == 4 || flag == 7) ? d365 : d360;
    bool monthly_walk = false; // f = 12: the cursor's month, moving every period after the first
    bool year_walk = false;    // the days of each period's year
    double q = 0.0;
    const tc::PeriodDays& row = tc::period_days(f);
    const tc::PeriodLength& days = flag == 3   ? row.interest_thirty
                                   : flag == 2 ? row.interest_360
                                               : row.interest_365;
    if (flag == 3) {
        q = days.of(f) * d;
    } else if (f == 12.0) {
        monthly_walk = true;
    } else {
        year_walk = days.count == tc::DayCount::CursorYear;
        q = days.of(f, tc::month_length(start_.month, start_.year), tc::year_days_to(start_, 0)) * d;
    }
    const double nominal_rate = r / f;

    // The run keeps its running values in locals and stores them once at the end, so they stay in
    // registers; the month cursor steps by the table of month lengths.
    double k = 0.0;
    int ds_counter = 0, lf_counter = 0;
    double ti = 0.0, tp = 0.0, tds = 0.0, tlf = 0.0, tho = 0.0, tot = 0.0, ttax = 0.0;
    double B = A;
    double lastpay = 0.0;
    double last_ds = 0.0, last_lf = 0.0, last_tax = 0.0;
    tc::Date cursor = start_;
    bool stepped = false;
    tc::Date month = start_;
    tc::normalize_month(month);
    const int* month_days = tc::kMonthDays[tc::is_leap_year(month.year) ? 1 : 0];

    const bool ds_on = b.DSPREM > 0 && b.DSFREQ > 0;
    const bool lf_on = b.LFPREM > 0 && b.LFFREQ > 0;
    const double ds_count = b.DSNUMPAY, ds_prem = b.DSPREM, ds_rate = b.DSRATE, ds_freq = b.DSFREQ;
    const double lf_count = b.LFNUMPAY, lf_prem = b.LFPREM, lf_rate = b.LFRATE, lf_freq = b.LFFREQ;
    const double paid = b.PAYSMADE;

    while (k + 1.0 <= last) {
        k += 1.0;
        ++ds_counter;
        ++lf_counter;
        const bool counted = !Payoff || k > paid;
        if (counted) {
            ttax += T;
            tho += H;
            tot += O;
        }

        double I = 0.0;
        switch (kind) {
        case Interest::Daily: {
            if (monthly_walk) {
                if (k > 1.0) {
                    stepped = true;
                    if (++month.month > 12) {
                        month.month = 1;
                        ++month.year;
                        month_days = tc::kMonthDays[tc::is_leap_year(month.year) ? 1 : 0];
                    }
                }
                q = month_days[month.month] * d;
            }
            if (year_walk) q = days.of(f, 0, tc::year_days_to(start_, static_cast<int>(k) - 1)) * d;
            if (k == 1.0)
                I = tc::first_period_rate(f, q, odd, d) * A;
            else
                I = q * B;
            break;
        }
        case Interest::Nominal:
            I = nominal_rate * P_ * nominal_factor(n - k + 1.0);
            if (k == 1.0) {
                if (f == 1.0)
                    I += tc::odd_days_beyond(f, odd) * d360 * A;
                else if (odd > 30)
                    I += (odd - 30.0) * d360 * A;
                else if (odd > 0)
                    I -= (30.0 - odd) * d360 * A;
            }
            break;
        case Interest::Rule78: {
            const double least = row.rule78_digits;
            double m = n >= least ? n - (k - 1.0) : least - (k - 1.0);
            if (m <= 0) m = 1.0;
            I = m / rule78_sum_ * rule78_charge_;
            break;
        }
        case Interest::None:
            break;
        }
        if (counted) ti += I;

        double DS = 0.0, LF = 0.0;
        if (counted && ds_on && ds_counter <= ds_count) {
            DS = (!Payoff && ds_counter == 1) ? ds_prem / ds_freq : B * ds_rate / ds_freq;
            tds += DS;
        }
        if (counted && lf_on && lf_counter <= lf_count) {
            LF = (!Payoff && lf_counter == 1) ? lf_prem / lf_freq : B * lf_rate / lf_freq;
            tlf += LF;
        }

        double C = fixed ? F_ : L - escrow - DS - LF - I;
        tp += C;
        if (k == 1.0 && last == 1.0) {
            tp = A;
            B = 0.0;
            lastpay = 0.0;
        } else if (k == last) {
            tp += B - C;
            C = B;
            lastpay = (fixed ? F_ : C) + escrow + DS + LF + I;
            B = 0.0;
        } else {
            B -= C;
        }
        last_ds = DS;
        last_lf = LF;
        last_tax = T;
    }
    k_ = k;
    ds_counter_ = ds_counter;
    lf_counter_ = lf_counter;
    ti_ = ti;
    tp_ = tp;
    tds_ = tds;
    tlf_ = tlf;
    tho_ = tho;
    tot_ = tot;
    ttax_ = ttax;
    B_ = B;
    cursor_ = stepped ? month : cursor;
    block.LASTPAY = lastpay;
    last_ds_ = last_ds;
    last_lf_ = last_lf;
    last_tax_ = last_tax;
}

double Engine::nominal_factor(double periods) {
    const double size = static_cast<double>(factors_.size());
    if (periods >= 1.0 && periods <= size && periods == std::floor(periods))
        return factors_[static_cast<std::size_t>(periods) - 1];
    if (!(periods >= 1.0 && periods <= kFactorsKept && periods == std::floor(periods)))
        return tc::factor_n(block.APR, block.FREQUENCY, periods);
    // The estimate and every run of a call take the same factors, each a power: each is worked once.
    const double from[2] = {block.APR, block.FREQUENCY};
    if (std::memcmp(from, factors_for_, sizeof from) != 0) {
        std::memcpy(factors_for_, from, sizeof from);
        std::fill(std::begin(factors_kept_), std::end(factors_kept_),
                  std::numeric_limits<double>::quiet_NaN());
    }
    double& kept = factors_kept_[static_cast<std::size_t>(periods) - 1];
    if (std::isnan(kept)) kept = tc::factor_n(block.APR, block.FREQUENCY, periods);
    return kept;
}

void Engine::schedule_run(double level_payment) {
    run_periods<false>(level_payment, block.NUMPAY);
}

void Engine::solve_payment() {
    Block& b = block;
    const int flag = b.INTMETHOD;
    const double n = b.NUMPAY, f = b.FREQUENCY, A = b.FINANCEAMT, r = b.APR * 0.01;
    const double d365 = r / 365.0, d360 = r / 360.0;
    b.TERMYEARS = termyears();
    const double TY = b.TERMYEARS;
    if (flag == 1 || flag == 4 || flag == 7)
        P_ = A / tc::factor_d365(b.APR, n, f);
    else if (flag == 2)
        P_ = A / tc::factor_d360(b.APR, n, f);
    else if (flag == 5)
        P_ = A / n;
    else
        P_ = A / tc::factor_n(b.APR, f, n);

    const double escrow_years = b.HOINS * TY + b.OTINS * TY + b.TAXES * TY;
    auto total_sum = [&] { return (ti_ + tp_ + tds_ + tlf_ + escrow_years) / n; };

    if (fixed_flag()) {
        // The trial payment, the runs and the iteration leave the fixed part as it is.
        L_ = F_ = A / n;
    } else {
        // Estimate pass: the annuity's interest and the premiums on its balance.
        ti_ = tp_ = tds_ = tlf_ = 0.0;
        ds_counter_ = lf_counter_ = 0;
        B_ = A;
        const bool ds_on = b.DSPREM > 0 && b.DSFREQ > 0;
        const bool lf_on = b.LFPREM > 0 && b.LFFREQ > 0;
        for (double k = 1.0; k <= n; k += 1.0) {
            ++ds_counter_;
            ++lf_counter_;
            double I;
            if (flag == 1 || flag == 7)
                I = r / f * P_ * tc::factor_d365(b.APR, n - k + 1.0, f);
            else if (flag == 2)
                I = r / f * P_ * tc::factor_d360(b.APR, n - k + 1.0, f);
            else
                I = r / f * P_ * nominal_factor(n - k + 1.0);
            ti_ += I;
            const double C = P_ - I;
            tp_ += C;
            B_ -= C;
            if (ds_on && ds_counter_ <= b.DSNUMPAY)
                tds_ += ds_counter_ == 1 ? b.DSPREM / b.DSFREQ : B_ * b.DSRATE / b.DSFREQ;
            if (lf_on && lf_counter_ <= b.LFNUMPAY)
                tlf_ += lf_counter_ == 1 ? b.LFPREM / b.LFFREQ : B_ * b.LFRATE / b.LFFREQ;
        }
        const double odd = b.ODDDAYS;
        if (odd > 0) {
            // The daily flags add a yearly loan's days beyond its first year, other loans' odd days whole.
            const double beyond = tc::odd_days_beyond(f, odd);
            const double daily_days = f == 1.0 ? beyond : odd;
            if (flag == 1 || flag == 7)
                ti_ += daily_days * d365 * A;
            else if (flag == 2)
                ti_ += daily_days * d360 * A;
            else if (flag == 0)
                ti_ += beyond * d360 * A;
        }
        L_ = (ti_ + tp_ + tds_ + tlf_ + escrow_years) / n;

        if (flag == 0) {
            // Two runs, each followed by the payment that covers that run's totals.
            schedule_run(L_);
            L_ = total_sum();
            schedule_run(L_);
            L_ = total_sum();
            passes_ = 1;
        } else if (search_flag()) {
            schedule_run(L_);
            if (b.LASTPAY > L_) {
                const double D = b.LASTPAY - L_;
                if (D < 2.0)
                    L_ += D / n;
                else if (b.APR >= 13)
                    L_ += 0.1;
                else if (tds_ <= 0 && tlf_ <= 0 && tho_ <= 0 && tot_ <= 0 && flag != 2)
                    L_ = total_sum();
            }
            if (b.LASTPAY < 0) L_ -= 1.0;

            iterate_payment();
            if (bound_hit_) {
                // The plain iteration would still be running: no payment is reported.
                budget_reached_ = true;
                reject();
                finish();
                return;
            }
        }
        // Flag 6 keeps its first trial payment: its runs change nothing before the final one.
    }

    if (fixed_flag()) L_ = F_ = A / n;
    schedule_run(L_);
    b.PAYMENT = L_;
    compute_maturity();
    finish();
}

namespace {

// Steps of the payment iteration that add the same amount every time they are taken.
enum Step { kVaried = 0, kUpWhole, kUpCent, kDownCent, kDownTenth, kLockedUpCent };

double take_step(double L, int step) noexcept {
    switch (step) {
    case kUpWhole:
        return L + 1.0;
    case kUpCent:
    case kLockedUpCent:
        return L + 0.01;
    case kDownCent:
        return L - 0.01;
    case kDownTenth:
        return L - 0.1;
    default:
        return L;
    }
}

double step_amount(int step) noexcept {
    switch (step) {
    case kUpWhole:
        return 1.0;
    case kUpCent:
    case kLockedUpCent:
        return 0.01;
    case kDownCent:
        return -0.01;
    case kDownTenth:
        return -0.1;
    default:
        return 0.0;
    }
}

// One decision of the iteration after a run with payment L left `last`. Returns false to stop;
// otherwise L is the next trial payment and `step` says which constant step led there (kVaried when
// the step depends on the run, or when it changed the lock).
bool decide(double& L, double last, bool& lock, double apr, double n, int& step) noexcept {
    step = kVaried;
    bool varied = false;
    if (last > L) {
        const double D = last - L;
        if (D < 2.0) {
            L += D / n;
            varied = true;
        } else if (!lock) {
            if (2.0 * L <= D) {
                L += 1.0;
                step = kUpWhole;
            } else {
                L += 0.01;
                step = kUpCent;
            }
            return true;
        }
    }
    if (last < 0) {
        const bool was_locked = lock;
        if (last > -2.0 * L || apr >= 25) {
            L -= 0.01;
            step = kDownCent;
        } else {
            L -= 0.1;
            step = kDownTenth;
        }
        lock = true;
        if (!was_locked || varied) step = kVaried;
        return true;
    }
    if (lock && apr < 25 && last > L) {
        L += 0.01;
        step = varied ? kVaried : kLockedUpCent;
        return true;
    }
    return false;
}

} // namespace

// Trial payments the known runs speak for; beyond them every run is made.
constexpr double kKnownLevels = 1e100;

// Whether the iteration may know a run of raises from a few of its schedule runs. For flags 1, 2
// and 7 with no negative rate the last payment of a run never rises with the trial payment: each
// period's interest and premiums are rounded products of the balance with factors of at least 0,
// the principal is the payment less them, and every rounding keeps the order of what it rounds. So
// the trial payments that take one kind of raise (+1.00, +0.01, or +0.01 with the lock set) form one
// interval, and a run made inside it and one made beyond it tell every run between. The balance
// also grows by at most e^300 over the loan from amounts under 1e100, so no run overflows.
bool Engine::raises_can_be_known() const noexcept {
    const Block& b = block;
    const double n = b.NUMPAY, f = b.FREQUENCY;
    if (!skip_repeated_steps || !search_flag() || !(b.APR >= 0.0) || !(n >= 1.0) || !(f > 0.0)) return false;
    const bool ds_on = b.DSPREM > 0 && b.DSFREQ > 0;
    const bool lf_on = b.LFPREM > 0 && b.LFFREQ > 0;
    if ((ds_on && !(b.DSRATE >= 0.0)) || (lf_on && !(b.LFRATE >= 0.0))) return false;
    const double r = b.APR * 0.01;
    const double daily = b.INTMETHOD == 2 ? r / 360.0 : r / 365.0;
    const double days = f >= 1.0 ? 366.0 : 366.0 / f;
    const double growth =
        daily * days + (ds_on ? b.DSRATE / b.DSFREQ : 0.0) + (lf_on ? b.LFRATE / b.LFFREQ : 0.0);
    const double amounts = std::fabs(b.FINANCEAMT) * (1.0 + (std::fabs(double(b.ODDDAYS)) + days) * daily) +
                           (b.TAXES + b.HOINS + b.OTINS) * std::fabs(b.TERMYEARS) +
                           (ds_on ? b.DSPREM / b.DSFREQ : 0.0) + (lf_on ? b.LFPREM / b.LFFREQ : 0.0);
    return growth * n <= 300.0 && amounts <= kKnownLevels;
}

// What the known runs say of trial payment L with the lock as given: 1 when L takes the raise
// `step`, -1 when it does something else, 0 when no known run tells.
int Engine::known_raise(double L, bool lock, int step) const noexcept {
    if (!(std::fabs(L) <= kKnownLevels)) return 0;
    for (int i = 0; i < known_count_; ++i) {
        const KnownRaises& known = known_[i];
        if (known.lock != lock) continue;
        if (L >= known.first && L <= known.last_in) return known.step == step ? 1 : -1;
        if (known.step == step && L >= known.out) return -1;
    }
    return 0;
}

// One pass of the payment iteration at trial payment L: its schedule run, or what a known run says
// of it. Moves L (and the lock) as decide does; false when the iteration stops there.
bool Engine::trial_run(double& L, bool& lock, int& step) {
    const double n = block.NUMPAY;
    for (int i = 0; i < known_count_ && std::fabs(L) <= kKnownLevels; ++i) {
        const KnownRaises& known = known_[i];
        if (known.lock != lock) continue;
        const bool in = L >= known.first && L <= known.last_in;
        if (!in && std::memcmp(&L, &known.out, sizeof L) != 0) continue;
        behind_ = true;
        behind_level_ = L;
        if (in) {
            step = known.step;
            L = take_step(L, step);
            return true;
        }
        L = known.out_L;
        lock = known.out_lock;
        step = known.out_step;
        return known.out_go;
    }
    behind_ = false;
    schedule_run(L);
    const double level = L;
    const double last = block.LASTPAY;
    const bool lock_before = lock;
    const bool go = decide(L, last, lock, block.APR, n, step);
    if (raises_known_) {
        note_run(level, last);
        const long made = known_runs_made_;
        if (go) follow_raise(level, last, step, lock_before, L);
        if (known_runs_made_ != made) {
            // The runs made to know a run are not the iteration's.
            behind_ = true;
            behind_level_ = level;
        }
    }
    return go;
}

// The last payments of the runs lie on one straight line in the trial payment but for their
// rounding, so any two runs give its slope.
void Engine::note_run(double level, double last) noexcept {
    if (level != seen_level_ && std::isfinite(seen_level_)) {
        const double slope = (last - seen_last_) / (level - seen_level_);
        if (std::isfinite(slope)) slope_ = slope;
    }
    seen_level_ = level;
    seen_last_ = last;
}

// Follows the raises of the runs made; with a slope known, a run of raises is guessed to go on as the
// straight line says, and runs at its guessed last trial payment and at the one after it tell
// whether it does.
void Engine::follow_raise(double level, double last, int step, bool lock, double next) {
    const bool raise = step == kUpWhole || step == kUpCent || step == kLockedUpCent;
    FollowedRaise& run = followed_;
    if (!(raise && run.step == step && run.lock == lock &&
          std::memcmp(&level, &run.next, sizeof level) == 0)) {
        run = FollowedRaise{};
        if (!raise) return;
        run.step = step;
        run.lock = lock;
        run.first = level;
    }
    run.level = level;
    run.last = last;
    run.next = next;
    // Each run known hands its last pass to the run after it; a few runs at a time are plenty.
    for (int runs = 0; runs < 8 && !run.tried && know_raises(); ++runs) {
    }
}

bool Engine::know_raises() {
    FollowedRaise& run = followed_;
    run.tried = true;
    if (!std::isfinite(slope_)) {
        run.tried = false; // the next run gives the slope
        return false;
    }
    const Block& b = block;
    const double n = b.NUMPAY, amount = step_amount(run.step), slope = slope_;
    auto guessed_in = [&](double j) {
        const double level = repeat_add(run.level, amount, static_cast<long>(j));
        double L = level;
        bool lock = run.lock;
        int step = kVaried;
        return decide(L, run.last + slope * (level - run.level), lock, b.APR, n, step) && step == run.step;
    };
    const double in = talvero::common::farthest_step(guessed_in);
    if (in < 0.0) return false;
    if (in < 3.0) return false; // the run ends within a few passes: they are made as they come
    const double last_in = repeat_add(run.level, amount, static_cast<long>(in));
    const double out = take_step(last_in, run.step);
    if (!(std::fabs(last_in) <= kKnownLevels && std::fabs(out) <= kKnownLevels)) return false;

    known_runs_made_ += 2;
    schedule_run(last_in);
    const double last_at_in = b.LASTPAY;
    note_run(last_in, last_at_in);
    double L = last_in;
    bool lock = run.lock;
    int step = kVaried;
    if (!(decide(L, last_at_in, lock, b.APR, n, step) && step == run.step)) return false;
    schedule_run(out);
    const double last_at_out = b.LASTPAY;
    note_run(out, last_at_out);
    if (known_count_ == kRaisesKept) {
        std::copy(known_ + 1, known_ + kRaisesKept, known_);
        --known_count_;
    }
    KnownRaises& known = known_[known_count_++];
    known = KnownRaises{run.step, run.lock, run.first, last_in, std::numeric_limits<double>::quiet_NaN()};
    L = out;
    lock = run.lock;
    step = kVaried;
    const bool go = decide(L, last_at_out, lock, b.APR, n, step);
    if (go && step == run.step) {
        known.last_in = out;
        return false;
    }
    known.out = out;
    known.out_L = L;
    known.out_lock = lock;
    known.out_step = step;
    known.out_go = go;
    const bool raise = step == kUpWhole || step == kUpCent || step == kLockedUpCent;
    if (!go || !raise) return false;
    // The iteration goes on with another run of raises from `out`, whose first run is this one.
    run = FollowedRaise{step, run.lock, out, out, last_at_out, L, false};
    return true;
}

void Engine::iterate_payment() {
    Block& b = block;
    const double n = b.NUMPAY;
    const long bound = pass_bound > 0 ? pass_bound : payment_pass_bound(n);
    const long run_limit = run_bound > 0 ? run_bound : payment_run_bound(n);
    bool lock = false;
    int previous = kVaried;
    int streak = 0;
    // Once the lock is set the trial payment alone decides every later pass, so coming back to a trial
    // payment seen before means the passes go round for ever (Brent's cycle search over the trial
    // payments). Rounding lets a round of +0.01 and -0.1 steps drift in the last digits, so "seen
    // before" allows a billionth of the payment.
    double seen = std::numeric_limits<double>::quiet_NaN();
    long cycle_power = 1, cycle_length = 0;
    known_count_ = 0;
    followed_ = FollowedRaise{};
    seen_level_ = slope_ = std::numeric_limits<double>::quiet_NaN();
    raises_known_ = raises_can_be_known();
    behind_ = false;
    for (;;) {
        if (passes_ >= bound || runs_ >= run_limit) {
            bound_hit_ = true;
            // The rejected call reports the totals of the last run the iteration took.
            if (behind_) schedule_run(behind_level_);
            break;
        }
        if (lock) {
            if (std::fabs(L_ - seen) <= 1e-9 * std::fmax(1.0, std::fabs(L_))) {
                cycle_found_ = true;
                break;
            }
            if (++cycle_length == cycle_power) {
                seen = L_;
                cycle_power *= 2;
                cycle_length = 0;
            }
        }
        ++passes_;
        ++runs_;
        int step = kVaried;
        if (!trial_run(L_, lock, step)) break;
        streak = step != kVaried && step == previous ? streak + 1 : 0;
        previous = step;
        if (!skip_repeated_steps || streak < 8) continue;

        // The last passes all took the same constant step. The pass at a trial payment takes that
        // step again exactly while the payment lies on one side of a bound (the last payment is an
        // affine function of the trial payment), so the first pass that does something else is
        // found by leaping and halving over the same sequence of trial payments.
        streak = 0;
        const long room = bound - passes_; // passes still allowed; the next one runs with L_
        auto same = [&](double trial) {
            ++runs_;
            const int known = known_raise(trial, lock, step);
            if (known != 0) {
                behind_ = true;
                behind_level_ = trial;
                return known > 0;
            }
            behind_ = false;
            schedule_run(trial);
            bool probe_lock = lock;
            int probe_step = kVaried;
            return decide(trial, b.LASTPAY, probe_lock, b.APR, n, probe_step) && probe_step == step;
        };
        if (room < 1) continue;
        const double amount = step_amount(step);
        long lo = 0; // largest offset known to take the step (0: only the pass just made)
        double L_lo = L_;
        long known = 1; // a trial payment already worked out: the pass at offset `known` runs with it
        double L_known = L_;
        long hi = 0; // first offset found to do something else (0: none up to `room`)
        double L_hi = L_;
        for (long probe = 1;; probe *= 2) {
            const long at = probe < room ? probe : room;
            const double trial = repeat_add(L_known, amount, at - known);
            known = at;
            L_known = trial;
            if (!same(trial)) {
                hi = at;
                L_hi = trial;
                break;
            }
            lo = at;
            L_lo = trial;
            if (at == room) break;
        }
        if (hi == 0) {
            // Every pass still allowed takes the step: the iteration ends at the bound.
            L_ = take_step(L_lo, step);
            passes_ = bound;
            continue;
        }
        while (hi - lo > 1) {
            const long mid = lo + (hi - lo) / 2;
            const double trial =
                lo == 0 ? repeat_add(L_, amount, mid - 1) : repeat_add(L_lo, amount, mid - lo);
            if (same(trial)) {
                lo = mid;
                L_lo = trial;
            } else {
                hi = mid;
                L_hi = trial;
            }
        }
        // Passes 1 .. hi - 1 from here take the step; pass hi is made for real by the loop.
        L_ = L_hi;
        passes_ += hi - 1;
    }
}

void Engine::count_payments() {
    Block& b = block;
    const int flag = b.INTMETHOD;
    const double f = b.FREQUENCY, A = b.FINANCEAMT, r = b.APR * 0.01;
    const double d365 = r / 365.0, d360 = r / 360.0;
    const bool fixed = fixed_flag();
    // The fixed principal part of a count is the entered payment, never a part left by an earlier loan.
    if (fixed) F_ = b.PAYMENT;
    L_ = b.PAYMENT;
    B_ = A;
    k_ = 0.0;
    ds_counter_ = lf_counter_ = 0;
    cursor_ = start_;
    const double T = b.TAXES > 0 ? b.TAXES / 12.0 : 0.0;
    const double H = b.HOINS > 0 ? b.HOINS / 12.0 : 0.0;
    const double O = b.OTINS > 0 ? b.OTINS / 12.0 : 0.0;

    const bool daily = flag == 1 || flag == 2 || flag == 4 || flag == 7;
    const double d = daily && flag != 2 ? d365 : d360;
    bool monthly_walk = false;
    bool year_walk = false;
    double q = 0.0;
    const tc::PeriodDays& row = tc::period_days(f);
    const tc::PeriodLength& days = flag == 2 ? row.interest_360 : row.interest_365;
    if (flag == 5) {
        q = 0.0;
    } else if (daily) {
        if (f == 12.0) {
            monthly_walk = true;
        } else {
            year_walk = days.count == tc::DayCount::CursorYear;
            q = days.of(f, tc::month_length(cursor_.month, cursor_.year), tc::year_days_to(cursor_, 0)) * d;
        }
    } else {
        q = row.interest_thirty.of(f) * d360;
    }
    const bool ds_on = b.DSPREM > 0 && b.DSFREQ > 0;
    const bool lf_on = b.LFPREM > 0 && b.LFFREQ > 0;

    while (B_ >= 0) {
        k_ += 1.0;
        ++ds_counter_;
        ++lf_counter_;
        if (k_ > kCountCap) {
            message(1, kEndlessPaymentText);
            b.ERRFLAG = 1;
            b.NUMPAY = 1.0;
            payout(false);
            return;
        }
        if (monthly_walk) {
            if (k_ > 1.0) tc::next_month(cursor_);
            q = tc::month_length(cursor_.month, cursor_.year) * d;
        }
        if (year_walk) q = days.of(f, 0, tc::year_days_to(start_, static_cast<int>(k_) - 1)) * d;
        const double I = q * (k_ == 1.0 ? A : B_);
        double DS = 0.0, LF = 0.0;
        if (ds_on && ds_counter_ <= b.DSNUMPAY)
            DS = ds_counter_ == 1 ? b.DSPREM / b.DSFREQ : B_ * b.DSRATE / b.DSFREQ;
        if (lf_on && lf_counter_ <= b.LFNUMPAY)
            LF = lf_counter_ == 1 ? b.LFPREM / b.LFFREQ : B_ * b.LFRATE / b.LFFREQ;
        const double C = fixed ? F_ : L_ - T - H - O - DS - LF - I;
        B_ = (k_ == 1.0 ? A : B_) - C;
    }
    b.NUMPAY = k_;
    if (!restart_count()) {
        reject();
        finish();
        return;
    }
    payout(false);
}

// Shortens the loan while its last payment comes out negative. The count where that stops is found
// without a run per count where possible; the runs left are counted against a budget, and false
// means it was spent (the call is then rejected).
bool Engine::restart_count() {
    Block& b = block;
    if (skip_repeated_steps && !fixed_flag()) b.NUMPAY = shortened_count(b.NUMPAY);
    const double budget = shorten_budget > 0 ? shorten_budget : kShortenPeriodBudget;
    for (;;) {
        b.TERMYEARS = termyears();
        P_ = b.FINANCEAMT / tc::factor_n(b.APR, b.FREQUENCY, b.NUMPAY);
        const double periods = b.NUMPAY > 1.0 ? b.NUMPAY : 1.0;
        if (shorten_periods_ + periods > budget) {
            budget_reached_ = true;
            return false;
        }
        shorten_periods_ += periods;
        schedule_run(L_);
        if (b.LASTPAY < 0 && !fixed_flag()) {
            b.NUMPAY -= 1.0;
            continue;
        }
        return true;
    }
}

// The first count from n down whose run leaves a last payment that is not negative, or n itself when
// it cannot be told without the runs one by one.
double Engine::shortened_count(double n) {
    if (!(n >= 2.0) || n != std::floor(n)) return n;
    const int flag = block.INTMETHOD;
    if (flag == 0 || flag == 6) return nominal_shortened_count(n);
    if (flag == 1 || flag == 2 || flag == 7) return daily_shortened_count(n);
    return n;
}

// The escrow share of one period (taxes, home-owner and other insurance) in a run of m payments.
double Engine::escrow_for(double m) const noexcept {
    const Block& b = block;
    const double years = m / b.FREQUENCY;
    const double TY = years < 1.0 ? 1.0 : years;
    const double T = b.TAXES > 0 ? b.TAXES * TY / m : 0.0;
    const double H = b.HOINS > 0 ? b.HOINS * TY / m : 0.0;
    const double O = b.OTINS > 0 ? b.OTINS * TY / m : 0.0;
    return T + H + O;
}

// Daily interest: the periods before the last one of a run depend on its length m only through the
// escrow share, which takes a handful of values; one walk per value gives the last payment of every
// m with that share exactly as its own run would (the last period pays the balance left).
double Engine::daily_shortened_count(double n) {
    const Block& b = block;
    double classes[kMaxEscrowClasses];
    int count = 0;
    // The class of each length m, kept for the walks when the loan is short enough (-1: a share that
    // equals nothing, not even itself).
    constexpr int kClassesKept = 2048;
    signed char class_of[kClassesKept];
    const bool kept = n < kClassesKept;
    for (double m = 2.0; m <= n; m += 1.0) {
        const double e = escrow_for(m);
        int known = -1;
        for (int i = 0; i < count && known < 0; ++i)
            if (classes[i] == e) known = i;
        if (known < 0) {
            if (count == kMaxEscrowClasses) return n;
            classes[count++] = e;
            if (e == e) known = count - 1;
        }
        if (kept) class_of[static_cast<int>(m)] = static_cast<signed char>(known);
    }
    auto of_class = [&](double k, int c) {
        return kept ? class_of[static_cast<int>(k)] == c : escrow_for(k) == classes[c];
    };

    const int flag = b.INTMETHOD;
    const double f = b.FREQUENCY, A = b.FINANCEAMT, r = b.APR * 0.01, L = L_;
    const double d = (flag == 1 || flag == 7) ? r / 365.0 : r / 360.0;
    const double odd = b.ODDDAYS;
    const bool monthly_walk = f == 12.0;
    const tc::PeriodDays& row = tc::period_days(f);
    const tc::PeriodLength& days = flag == 2 ? row.interest_360 : row.interest_365;
    const bool year_walk = !monthly_walk && days.count == tc::DayCount::CursorYear;
    double q = 0.0;
    if (!monthly_walk)
        q = days.of(f, tc::month_length(start_.month, start_.year), tc::year_days_to(start_, 0)) * d;
    const bool ds_on = b.DSPREM > 0 && b.DSFREQ > 0;
    const bool lf_on = b.LFPREM > 0 && b.LFFREQ > 0;

    // The period rates do not depend on the class: worked once for all the walks when kept.
    double rates[kClassesKept];
    if (kept) {
        tc::Date cursor = start_;
        for (double k = 1.0; k <= n; k += 1.0) {
            if (monthly_walk) {
                if (k > 1.0) tc::next_month(cursor);
                q = tc::month_length(cursor.month, cursor.year) * d;
            }
            if (year_walk) q = days.of(f, 0, tc::year_days_to(start_, static_cast<int>(k) - 1)) * d;
            rates[static_cast<int>(k)] = q;
        }
    }

    double best = 1.0; // a run of one payment leaves a last payment of 0
    for (int c = 0; c < count; ++c) {
        const double e = classes[c];
        tc::Date cursor = start_;
        double B = A;
        int ds_counter = 0, lf_counter = 0;
        for (double k = 1.0; k <= n; k += 1.0) {
            ++ds_counter;
            ++lf_counter;
            if (kept) {
                q = rates[static_cast<int>(k)];
            } else {
                if (monthly_walk) {
                    if (k > 1.0) tc::next_month(cursor);
                    q = tc::month_length(cursor.month, cursor.year) * d;
                }
                if (year_walk) q = days.of(f, 0, tc::year_days_to(start_, static_cast<int>(k) - 1)) * d;
            }
            const double I = k == 1.0 ? tc::first_period_rate(f, q, odd, d) * A : q * B;
            double DS = 0.0, LF = 0.0;
            if (ds_on && ds_counter <= b.DSNUMPAY)
                DS = ds_counter == 1 ? b.DSPREM / b.DSFREQ : B * b.DSRATE / b.DSFREQ;
            if (lf_on && lf_counter <= b.LFNUMPAY)
                LF = lf_counter == 1 ? b.LFPREM / b.LFFREQ : B * b.LFRATE / b.LFFREQ;
            if (k > best && of_class(k, c)) {
                const double last = B + e + DS + LF + I; // period k as the last of a run of k
                if (!(last < 0)) best = k;
            }
            const double C = L - e - DS - LF - I;
            B = k == 1.0 ? A - C : B - C;
        }
        shorten_periods_ += n;
    }
    return best;
}

// One run of m payments for the nominal-interest shortening; whether its last payment is negative.
bool Engine::shorten_run_negative(double m) {
    Block& b = block;
    b.NUMPAY = m;
    b.TERMYEARS = termyears();
    P_ = b.FINANCEAMT / tc::factor_n(b.APR, b.FREQUENCY, m);
    schedule_run(L_);
    shorten_periods_ += m;
    return b.LASTPAY < 0;
}

// Nominal interest: a run's last payment is m P(m) - (m - 1) L + max(m x escrow per year / f, escrow
// of a year) + constants, convex in m, so the counts with a negative last payment form one interval
// and the first count below n that is not negative is found by leaping down and halving. Premiums and
// rounding are outside that argument, so the counts just above the boundary are confirmed by runs of
// their own; when one is not negative the runs are left to the plain shortening.
double Engine::nominal_shortened_count(double n) {
    Block& b = block;
    factors_.resize(static_cast<std::size_t>(n));
    for (std::size_t j = 0; j < factors_.size(); ++j)
        factors_[j] = tc::factor_n(b.APR, b.FREQUENCY, static_cast<double>(j + 1));
    double result = n;
    if (shorten_run_negative(n)) {
        double hi = n, lo = 1.0;
        for (double step = 1.0;; step *= 2.0) {
            const double m = hi - step;
            if (m <= 1.0) break;
            if (!shorten_run_negative(m)) {
                lo = m;
                break;
            }
            hi = m;
        }
        while (hi - lo > 1.0) {
            const double mid = std::floor((lo + hi) / 2.0);
            if (shorten_run_negative(mid))
                hi = mid;
            else
                lo = mid;
        }
        result = lo;
        const double top = std::fmin(lo + kShortenCheckWindow, n);
        for (double m = lo + 2.0; m <= top; m += 1.0)
            if (!shorten_run_negative(m)) {
                result = n;
                break;
            }
    }
    factors_.clear();
    b.NUMPAY = n;
    return result;
}

void Engine::payout(bool direct) {
    Block& b = block;
    for (;;) {
        L_ = b.PAYMENT;
        P_ = b.FINANCEAMT / tc::factor_n(b.APR, b.FREQUENCY, b.NUMPAY);
        b.TERMYEARS = termyears();
        if (fixed_flag()) {
            L_ = F_ = b.FINANCEAMT / b.NUMPAY;
            b.PAYMENT = F_;
        }
        schedule_run(L_);
        if (!direct && b.LASTPAY < 0 && !fixed_flag()) {
            b.NUMPAY -= 1.0;
            if (!restart_count()) {
                // The plain shortening would still be running: nothing is reported.
                reject();
                finish();
                return;
            }
            continue;
        }
        break;
    }
    compute_maturity();
    finish();
}

void Engine::rate_and_count() {
    Block& b = block;
    const double q = fixed_flag() ? b.FINANCEAMT / b.PAYMENT : (b.TOTALINTEREST + b.FINANCEAMT) / b.PAYMENT;
    if (!(q < kMaxCount + 1.0)) {
        // More payments than the loan form allows: no schedule of that length is worked.
        reject();
        return;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%7.2f", q);
    b.NUMPAY = static_cast<double>(std::strtol(text, nullptr, 10));
    if (fixed_flag())
        b.APR = fcapr(q, b.FINANCEAMT, b.FREQUENCY, b.INTMETHOD, b.ODDDAYS, b.TOTALINTEREST);
    else
        b.APR = pvapr(b.PAYMENT, b.NUMPAY, b.FINANCEAMT, b.FREQUENCY, b.INTMETHOD, b.ODDDAYS);
    compute_maturity();
    ti_ = b.TOTALINTEREST;
    tp_ = b.FINANCEAMT;
    finish();
}

void Engine::rate_and_payment() {
    Block& b = block;
    const double n = b.NUMPAY;
    if (fixed_flag()) {
        b.PAYMENT = b.FINANCEAMT / n;
        b.APR = fcapr(n, b.FINANCEAMT, b.FREQUENCY, b.INTMETHOD, b.ODDDAYS, b.TOTALINTEREST);
    } else {
        b.PAYMENT = (b.FINANCEAMT + b.TOTALINTEREST) / n;
        b.APR = pvapr(b.PAYMENT, n, b.FINANCEAMT, b.FREQUENCY, b.INTMETHOD, b.ODDDAYS);
    }
    compute_maturity();
    if (b.INTMETHOD == 5) {
        b.TOTALINTEREST = 0.0;
        ti_ = 0.0;
    } else {
        ti_ = b.TOTALINTEREST;
    }
    tp_ = b.FINANCEAMT;
    finish();
}

void Engine::rate_and_charge() {
    Block& b = block;
    if (b.INTMETHOD == 5) {
        b.APR = 0.0;
        tp_ = b.FINANCEAMT;
        ti_ = 0.0;
        compute_maturity();
        finish();
    } else if (b.INTMETHOD == 3 || b.INTMETHOD == 4) {
        message(0, kFixedPrincipalAprText);
        finish();
    } else {
        b.APR = pvapr(b.PAYMENT, b.NUMPAY, b.FINANCEAMT, b.FREQUENCY, b.INTMETHOD, b.ODDDAYS);
        payout(false);
    }
}

void Engine::payoff() {
    Block& b = block;
    const int flag = b.INTMETHOD;
    b.TOTALINTEREST = 0.0;
    L_ = b.PAYMENT;
    P_ = b.FINANCEAMT / tc::factor_n(b.APR, b.FREQUENCY, b.NUMPAY);
    b.TERMYEARS = termyears();
    if (fixed_flag()) {
        L_ = F_ = b.FINANCEAMT / b.NUMPAY;
        b.PAYMENT = F_;
    }
    if (flag == 6 || flag == 7) {
        const double months = std::trunc(b.TERMYEARS * tc::period_days(b.FREQUENCY).rule78_digits);
        rule78_sum_ = months * (months + 1.0) / 2.0;
        schedule_run(L_);
        rule78_charge_ = ti_;
    }
    run_periods<true>(L_, b.PAYOFFPER);

    const double r = b.APR * 0.01;
    const double days = b.PAYOFFDAYS;
    if (flag == 0 || flag == 2 || flag == 3 || flag == 6)
        ti_ += r * days * b.CURBAL / 360.0;
    else if (flag == 1 || flag == 4 || flag == 7)
        ti_ += r * days * b.CURBAL / 365.0;
    if (last_ds_ > 0 && b.PAYOFFDAYS > 0) tds_ += last_ds_ / days;
    if (last_lf_ > 0 && b.PAYOFFDAYS > 0) tlf_ += last_lf_ / days;
    if (last_tax_ > 0) ttax_ += last_tax_ / 30.0 * days;
    finish();
}

void Engine::compute_maturity() {
    const Block& b = block;
    const int flag = b.INTMETHOD;
    const double f = b.FREQUENCY;
    tc::Date date = start_;
    if (b.SKPMONTH <= 12) {
        date.month += b.SKPMONTH;
    } else {
        date.year += b.SKPMONTH / 12;
        date.month += b.SKPMONTH % 12;
    }
    if (date.month > 12) {
        date.month -= 12;
        ++date.year;
    }
    tc::normalize_month(date);
    const bool first_of_month = flag == 0 || flag == 3;
    const tc::PeriodLength& step = tc::period_days(f).date_step;
    if (step.count == tc::DayCount::CursorYear) {
        if (b.NUMPAY > 0.0)
            date = tc::years_on(date, static_cast<int>(std::ceil(std::min(b.NUMPAY, kMaxCount))) - 1);
        maturity_ = date;
        return;
    }
    int step_days = 0;
    if (step.count != tc::DayCount::CursorMonth) step_days = static_cast<int>(step.of(f));
    for (double c = 0.0; c < b.NUMPAY; c += 1.0) {
        if (f == 12.0) {
            if (c > 0) {
                if (first_of_month) {
                    tc::next_month(date);
                    date.day = 1;
                } else {
                    tc::next_month_keep_day(date);
                }
            }
        } else if (c > 0) {
            tc::advance_days(date, step_days);
        }
    }
    maturity_ = date;
}

void Engine::finish() {
    Block& b = block;
    const bool payoff_mode = case_ == Case::Payoff;
    if (b.TOTALINTEREST <= 0) b.TOTALINTEREST = ti_;
    const double TY = b.TERMYEARS;
    if (payoff_mode) {
        b.TOTALPAYOUT = ti_ + tds_ + tlf_ + tho_ + tot_ + ttax_;
        b.TOTALINSURANCE = tds_ + tlf_ + tho_ + tot_;
        b.TOTALTAXES = ttax_;
    } else {
        b.TOTALPAYOUT = tp_ + ti_ + tds_ + tlf_ + b.HOINS * TY + b.OTINS * TY + b.TAXES * TY;
        b.TOTALINSURANCE = tds_ + tlf_ + b.HOINS * TY + b.OTINS * TY;
        b.TOTALTAXES = b.TAXES * TY;
    }
    b.TOTALPRINCIPAL = tp_;
    if (fixed_flag())
        b.REGZAPR = fcapr(b.NUMPAY, b.ORGAMT, b.FREQUENCY, b.INTMETHOD, b.ODDDAYS, ti_);
    else
        b.REGZAPR = pvapr(b.PAYMENT, b.NUMPAY, b.ORGAMT, b.FREQUENCY, b.INTMETHOD, b.ODDDAYS);
    b.MATURITY[0] = maturity_.month;
    b.MATURITY[1] = maturity_.day;
    b.MATURITY[2] = maturity_.year;
}

} // namespace tessera
