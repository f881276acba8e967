#include "vaulter/engine.h"

#include "common/repeat_add.h"
#include "common/today.h"
#include "vaulter/calendar_cursor.h"
#include "vaulter/factors.h"
#include "vaulter/rate_search.h"
#include "vaulter/texts.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <limits>

namespace talvero::vaulter {

namespace {

using common::Date;

// What the engine works with at all; the balloon form never sends anything outside it.
constexpr double kMostPayments = 99999.0;
constexpr double kFewestPerYear = 0.01;
constexpr double kMostPerYear = 52.0;
constexpr int kMostSkipMonths = 999;

// Periods the finance-charge loops of sub-cases 2a and 2b may run.
constexpr double kPeriodCap = 9999.0;

// The payment search stops as soon as it comes back to a level payment it has already tried after
// stepping down (from there it only repeats); the budgets of Tuning stop it otherwise.
constexpr int kSearchMemory = 64;
// Equal steps in a row before the search leaps to where the run of them ends.
constexpr int kRunBeforeLeap = 16;

bool level_flag(int flag) noexcept {
    return flag == 0 || flag == 1 || flag == 2 || flag == 6 || flag == 7;
}
bool fixed_flag(int flag) noexcept {
    return flag == 3 || flag == 4 || flag == 5;
}
bool searched_flag(int flag) noexcept {
    return flag == 1 || flag == 2 || flag == 7;
}

double at_least_one_year(double years) noexcept {
    return years < 1.0 ? 1.0 : years;
}

// One decision of the payment search on the last payment of a pass: the next level payment, the
// stepped-down flag, and which plain step it was (0 when it was not one step of a fixed size).
struct Move {
    double level;
    bool stepped;
    int kind;
    bool again;
};

// How a schedule pass finds the interest of the periods after the first: the calendar month's rate
// (monthly loans on a daily rate), one rate for every period, the scheduled annuity's interest, none.
enum class Interest { Monthly, Constant, Scheduled, None };

// What a schedule pass works out once before its periods.
// The totals of one pass for one level payment.
struct PassTotals {
    double sum_i = 0, sum_p = 0, sum_d = 0, sum_l = 0, sum_h = 0, sum_w = 0, last = 0, balance = 0;
};

struct PassSetup {
    double n = 0;
    bool balloon = false;
    bool single_payment = false;
    double taxes = 0, home = 0, other = 0;
    Wide head[2] = {};              // level payment less the escrow shares, for each level payment
    double first_interest = 0;      // interest of period 1
    double rate = 0;                // Interest::Constant
    bool year_walk = false;         // Interest::Constant: the daily rate on each period's year
    double daily = 0;               // the daily rate of the year walk
    double month_rates[2][13] = {}; // Interest::Monthly: by leap year and month
    Date cursor;                    // first due date, month in 1..12
};

class Worker {
public:
    Worker(Block& block, const Messages& messages, const Tuning& tuning) noexcept
        : b_(block), messages_(messages), skip_(tuning.skip_repeated_steps),
          period_budget_(tuning.period_budget > 0.0 ? tuning.period_budget : kSearchPeriodBudget),
          pass_budget_(tuning.pass_budget > 0.0 ? tuning.pass_budget : kSearchPassBudget),
          plain_pass_(tuning.plain_schedule_pass) {}

    void run() noexcept;
    const Work& work() const noexcept { return work_; }

private:
    bool within_domain() noexcept;
    void set_rate(double rate) noexcept;
    void check_pass(double balance) noexcept;
    void commit() noexcept;

    double scheduled_interest(double k) const noexcept;
    double first_daily_interest(double rate, double daily) const noexcept;
    double first_yearly_nominal_interest() const noexcept;
    double calendar_rate(Date& cursor, double k, bool year_365) const noexcept;
    double premium(double base, double payments, double rate, double per_year, double k,
                   double balance) const noexcept;
    double level_payment(double principal) const noexcept;

    void estimate_pass() noexcept;
    void odd_day_correction() noexcept;
    void schedule_pass(double n, double tax_divisor, double insurance_divisor, bool balloon) noexcept;
    void plain_schedule_pass(double n, double tax_divisor, double insurance_divisor, bool balloon) noexcept;
    void quick_pass(double n, double tax_divisor, double insurance_divisor, bool balloon, int lanes,
                    PassTotals* totals) noexcept;
    template <Interest kind>
    void pass_of(const PassSetup& setup, bool level, bool premiums, int lanes, PassTotals* totals) noexcept;
    template <Interest kind, bool level, bool premiums, int lanes>
    void pass(const PassSetup& setup, PassTotals* totals) const noexcept;
    void keep(const PassTotals& totals) noexcept;
    void pre_adjustment() noexcept;
    void payment_search() noexcept;
    Move decide(double last, double level, bool stepped) const noexcept;
    double step_of(int kind) const noexcept;
    double leap(double start, int kind, double& offset) noexcept;
    bool search_pass() noexcept;
    bool count_search_pass() noexcept;
    void make_search_pass() noexcept;
    void search_schedule_pass() noexcept;
    bool runs_can_be_known() const noexcept;
    bool search_move(double level, Move& move) noexcept;
    bool known_move(double level, Move& move) const noexcept;
    void note_pass(double level, double last) noexcept;
    void follow(double level, const Move& move) noexcept;
    bool know_run() noexcept;

    void case_1() noexcept;
    void case_2() noexcept;
    void case_3() noexcept;
    void solve_rate(double periods) noexcept;
    void finance_charge_run(bool balloon_term_given) noexcept;
    void not_enough_data() noexcept;
    void set_maturity() noexcept;
    void final_totals() noexcept;

    Block& b_;
    const Messages& messages_;
    const bool skip_;
    const double period_budget_;
    const double pass_budget_;
    const bool plain_pass_;
    Work work_;

    // The search's pass made beside the one before for the level payment it expected to try next.
    struct Ahead {
        bool held = false;
        double level = 0;
        PassTotals totals;
        bool fault = false;
    } ahead_;
    // The last amortization pass (schedule_pass with n, divisors N and no balloon rule) for its level
    // payment; amortized_ is false when a pass of another kind came after it.
    bool amortized_ = false;
    Ahead amortized_pass_;
    // The level payment the search expects to try after the next pass; NaN when it has no guess.
    double guess_ = std::numeric_limits<double>::quiet_NaN();

    // What the search knows of a run of equal raises of the level payment (kinds 1, 2 and 5) without
    // making its passes: every level payment from `first` to `last_in` takes the run's raise, every
    // one from `out` on does something else, and at `out` itself the search does `out_move`.
    struct KnownRun {
        bool held = false;
        int kind = 0;
        bool stepped = false;
        double first = 0, last_in = 0;
        double out = std::numeric_limits<double>::quiet_NaN();
        Move out_move{};
    };
    // The runs known in this search, the latest last; the oldest make room for new ones.
    static constexpr int kRunsKept = 8;
    KnownRun known_[kRunsKept];
    int known_count_ = 0;
    KnownRun& new_known_run() noexcept;
    // The raises the search's passes made one after another, for the guess of where their run ends.
    struct Followed {
        int kind = 0;
        bool stepped = false;
        double first = 0;           // the level payment of the run's first pass
        double level = 0, last = 0; // of its last pass
        double next = 0;            // the level payment of its next pass
        bool tried = false;         // whether the run was guessed
    } followed_;
    // The last pass made and the slope of the last payment against the level payment (NaN: none).
    double seen_level_ = std::numeric_limits<double>::quiet_NaN(), seen_last_ = 0;
    double slope_ = std::numeric_limits<double>::quiet_NaN();
    bool runs_known_ = false; // whether runs may be known without their passes (runs_can_be_known)

    int flag_ = 0;
    int o_ = 0;
    double F_ = 0, R_ = 0, N_ = 0, T_ = 0, f_ = 0, Y_ = 0;
    double d365_ = 0, d360_ = 0;
    double P_ = 0, L_ = 0, Fp_ = 0;
    // Totals of the last pass and its last payment.
    double sumI_ = 0, sumP_ = 0, sumD_ = 0, sumL_ = 0, sumH_ = 0, sumW_ = 0, last_ = 0;
    // The estimate's single-payment rule and the month length it used.
    bool single_estimate_ = false;
    int single_days_ = 0;
    bool stepped_down_ = false;
    // A value the engine stores went past what a double holds (or is not a number).
    bool fault_ = false;

    // Is(k) for k = 1, 2, ... as the passes of one call have asked for them, with the R, f, N and P
    // they were worked from: every pass of flags 0 and 6 takes the same values, each a power.
    static constexpr int kScheduledKept = 2048;
    mutable double scheduled_kept_[kScheduledKept];
    mutable int scheduled_count_ = 0;
    mutable double kept_for_[4] = {};
    double plain_scheduled_interest(double k) const noexcept;
};

bool Worker::within_domain() noexcept {
    char text[256];
    auto refuse = [&](const char* name, double value, const char* rule) {
        std::snprintf(text, sizeof text,
                      "Loan Input Error!\n%s = %.15g is outside what the balloon engine accepts:\n%s.", name,
                      value, rule);
        messages_.show(text);
        return false;
    };
    const struct {
        const char* name;
        double value;
    } reals[] = {
        {"FINANCEAMT", b_.FINANCEAMT},
        {"APR", b_.APR},
        {"NUMPAY", b_.NUMPAY},
        {"PAYMENT", b_.PAYMENT},
        {"DSRATE", b_.DSRATE},
        {"DSFREQ", b_.DSFREQ},
        {"LFRATE", b_.LFRATE},
        {"LFFREQ", b_.LFFREQ},
        {"TAXES", b_.TAXES},
        {"FREQUENCY", b_.FREQUENCY},
        {"DSPREM", b_.DSPREM},
        {"LFPREM", b_.LFPREM},
        {"DSNUMPAY", b_.DSNUMPAY},
        {"LFNUMPAY", b_.LFNUMPAY},
        {"HOINS", b_.HOINS},
        {"OTINS", b_.OTINS},
        {"TERMYEARS", b_.TERMYEARS},
        {"ORGAMT", b_.ORGAMT},
        {"TOTALINTEREST", b_.TOTALINTEREST},
        {"BLPAY", b_.BLPAY},
    };
    for (const auto& real : reals)
        if (!std::isfinite(real.value)) return refuse(real.name, real.value, "a finite number is required");
    if (b_.INTMETHOD < 0 || b_.INTMETHOD > 7)
        return refuse("INTMETHOD", b_.INTMETHOD, "the interest flag runs from 0 to 7");
    if (b_.NUMPAY > kMostPayments) return refuse("NUMPAY", b_.NUMPAY, "at most 99,999 payments");
    if (b_.BLPAY > kMostPayments) return refuse("BLPAY", b_.BLPAY, "at most 99,999 payments");
    if (b_.FREQUENCY > kMostPerYear || (b_.FREQUENCY > 0.0 && b_.FREQUENCY < kFewestPerYear))
        return refuse("FREQUENCY", b_.FREQUENCY, "payments per year run from 0.01 to 52");
    if (b_.SKPMONTH < 0 || b_.SKPMONTH > kMostSkipMonths)
        return refuse("SKPMONTH", b_.SKPMONTH, "skip months run from 0 to 999");
    return true;
}

void Worker::set_rate(double rate) noexcept {
    R_ = rate;
    d365_ = daily_365(rate);
    d360_ = daily_360(rate);
}

void Worker::check_pass(double balance) noexcept {
    if (!std::isfinite(Wide(sumI_) + sumP_ + sumD_ + sumL_ + sumH_ + sumW_ + last_ + balance)) fault_ = true;
}

void Worker::commit() noexcept {
    b_.APR = R_;
    b_.NUMPAY = N_;
    b_.BLPAY = T_;
    b_.TERMYEARS = Y_;
}

// Whether every value written back is a finite number.
bool outputs_finite(const Block& b) noexcept {
    const double outputs[] = {b.PAYMENT,    b.NUMPAY,     b.TERMYEARS, b.BLPAY,          b.TOTALINTEREST,
                              b.APR,        b.LASTPAY,    b.REGZAPR,   b.TOTALPRINCIPAL, b.TOTALINSURANCE,
                              b.TOTALTAXES, b.TOTALPAYOUT};
    return std::all_of(std::begin(outputs), std::end(outputs), [](double v) { return std::isfinite(v); });
}

void Worker::run() noexcept {
    b_.REGZAPR = b_.LASTPAY = b_.TOTALPRINCIPAL = b_.TOTALINSURANCE = b_.TOTALTAXES = b_.TOTALPAYOUT = 0.0;
    L_ = 0.0;
    sumI_ = 0.0;
    if (!within_domain()) {
        b_.ERRFLAG = 1;
        return;
    }

    // A fault must leave the block as it came, so keep it; the caller's floating-point flags are
    // put back afterwards.
    const Block passed = b_;
    std::fexcept_t caller_flags;
    std::fegetexceptflag(&caller_flags, FE_ALL_EXCEPT);
    std::feclearexcept(FE_ALL_EXCEPT);

    flag_ = b_.INTMETHOD;
    o_ = b_.ODDDAYS;
    F_ = b_.FINANCEAMT;
    N_ = b_.NUMPAY;
    T_ = b_.BLPAY;
    f_ = b_.FREQUENCY;
    Y_ = b_.TERMYEARS;
    set_rate(b_.APR);

    const double payment = b_.PAYMENT;
    const double charge = b_.TOTALINTEREST;
    if (payment == 0.0 && N_ > 0.0 && T_ > 0.0 && charge == 0.0 && R_ > 0.0 && F_ > 0.0 && f_ > 0.0)
        case_1();
    else if (payment > 0.0 && N_ > 1.0 && T_ > 0.0 && R_ > 0.0 && F_ > 0.0 && f_ > 0.0 && charge == 0.0)
        case_3();
    else
        case_2();
    commit();

    if (b_.ERRFLAG != 1 && (fault_ || !outputs_finite(b_))) {
        // Where the arithmetic overflowed or divided by zero the command ends with the fault's text
        // and nothing of it is kept. A value that is not a number comes from one of those two unless
        // neither was raised.
        const char* text = std::fetestexcept(FE_DIVBYZERO)  ? texts::kDivisionByZero
                           : std::fetestexcept(FE_OVERFLOW) ? texts::kOverflow
                                                            : texts::kInvalidOperation;
        b_ = passed;
        b_.ERRFLAG = 1;
        messages_.show(text);
    }
    std::fesetexceptflag(&caller_flags, FE_ALL_EXCEPT);
}

// Is(k): the interest a level loan paying P over N periods carries in period k.
double Worker::plain_scheduled_interest(double k) const noexcept {
    return static_cast<double>(Wide(R_) / f_ * 0.01L * P_ * an(R_, f_, N_ - k + 1.0));
}

double Worker::scheduled_interest(double k) const noexcept {
    if (!(k >= 1.0 && k <= kScheduledKept && k == std::floor(k))) return plain_scheduled_interest(k);
    const double from[4] = {R_, f_, N_, P_};
    if (std::memcmp(from, kept_for_, sizeof from) != 0) {
        std::memcpy(kept_for_, from, sizeof from);
        scheduled_count_ = 0;
    }
    const int index = static_cast<int>(k) - 1;
    if (index < scheduled_count_) return scheduled_kept_[index];
    const double value = plain_scheduled_interest(k);
    if (index == scheduled_count_) scheduled_kept_[scheduled_count_++] = value;
    return value;
}

// Rate of one period on the calendar: monthly loans move the cursor one month before every period
// after the first and count the days of its month; yearly loans count the days of period k's year,
// the cursor staying on the first due date.
double Worker::calendar_rate(Date& cursor, double k, bool year_365) const noexcept {
    const double daily = year_365 ? d365_ : d360_;
    if (f_ == 12.0) {
        if (k > 1.0) common::next_month(cursor);
        return static_cast<double>(Wide(daily) * common::month_length(cursor.month, cursor.year));
    }
    const common::PeriodDays& row = common::period_days(f_);
    const common::PeriodLength& days = year_365 ? row.interest_365 : row.interest_360;
    switch (days.count) {
    case common::DayCount::CursorMonth:
        return static_cast<double>(Wide(daily) * common::month_length(cursor.month, cursor.year));
    case common::DayCount::CursorYear:
        return static_cast<double>(Wide(daily) * common::year_days_to(cursor, static_cast<int>(k) - 1));
    case common::DayCount::YearShare:
        // The year's share is taken in extended precision.
        return static_cast<double>(Wide(daily) * (Wide(days.days) / f_));
    case common::DayCount::Fixed:
        break;
    }
    return static_cast<double>(Wide(daily) * Wide(days.days));
}

// Period 1 by a daily rule of regular rate `rate`: ODDDAYS days when given; a yearly loan's regular
// year with its odd days beyond.
double Worker::first_daily_interest(double rate, double daily) const noexcept {
    if (o_ < 1) return static_cast<double>(Wide(rate) * F_);
    if (f_ == 1.0)
        return static_cast<double>((Wide(rate) + Wide(common::odd_days_beyond(f_, o_)) * daily) * F_);
    return static_cast<double>(Wide(o_) * daily * F_);
}

// Period 1 of a yearly loan by the nominal rule: the year's scheduled interest with the odd days
// beyond the first year at the 360-day rate.
double Worker::first_yearly_nominal_interest() const noexcept {
    return static_cast<double>(scheduled_interest(1.0) + Wide(common::odd_days_beyond(f_, o_)) * d360_ * F_);
}

double Worker::premium(double base, double payments, double rate, double per_year, double k,
                       double balance) const noexcept {
    if (!(base > 0.0) || !(k <= payments)) return 0.0;
    if (k == 1.0) return base / per_year;
    return static_cast<double>(Wide(balance) * rate / per_year);
}

// The level payment: everything the loan costs over the amortize period, spread over its payments.
double Worker::level_payment(double principal) const noexcept {
    const Wide escrow = Wide(b_.HOINS) * Y_ + Wide(b_.OTINS) * Y_ + Wide(b_.TAXES) * Y_;
    return static_cast<double>((Wide(sumI_) + principal + sumD_ + sumL_ + escrow) / N_);
}

// First look at the interest, on the scheduled annuity rather than the calendar; premiums are taken
// on the balance after each period's principal.
void Worker::estimate_pass() noexcept {
    sumI_ = sumP_ = sumD_ = sumL_ = 0.0;
    double balance = F_;
    const Date cursor = common::first_due_or_today(b_.FIRSTDUE);
    // One yearly payment: the year's interest by the flag's day count.
    single_estimate_ = f_ == 1.0 && N_ == 1.0;
    const common::PeriodDays& row = common::period_days(f_);
    const common::PeriodLength& year = flag_ == 1 || flag_ == 4 || flag_ == 7 ? row.interest_365
                                       : flag_ == 2                           ? row.interest_360
                                                                              : row.interest_thirty;
    single_days_ = static_cast<int>(
        year.of(f_, common::month_length(cursor.month, cursor.year), common::year_days_to(cursor, 0)));
    for (double k = 1.0; k <= N_; k += 1.0) {
        double interest = 0.0;
        switch (flag_) {
        case 1:
        case 4:
        case 7:
            interest = single_estimate_
                           ? static_cast<double>(Wide(single_days_) * d365_ * F_)
                           : static_cast<double>(Wide(R_) / f_ * 0.01L * P_ * a365(R_, N_ - k + 1.0, f_));
            break;
        case 2:
            interest = single_estimate_
                           ? static_cast<double>(Wide(single_days_) * d360_ * F_)
                           : static_cast<double>(Wide(R_) / f_ * 0.01L * P_ * a360(R_, N_ - k + 1.0, f_));
            break;
        case 3:
            interest = static_cast<double>(30.0L * d360_ * F_);
            break;
        case 5:
            break;
        default:
            interest = single_estimate_ ? static_cast<double>(Wide(single_days_) * d360_ * F_)
                                        : scheduled_interest(k);
            break;
        }
        const double principal = P_ - interest;
        sumP_ += principal;
        sumI_ += interest;
        balance = k == 1.0 ? F_ - principal : balance - principal;
        sumD_ += premium(b_.DSPREM, b_.DSNUMPAY, b_.DSRATE, b_.DSFREQ, k, balance);
        sumL_ += premium(b_.LFPREM, b_.LFNUMPAY, b_.LFRATE, b_.LFFREQ, k, balance);
    }
    check_pass(balance);
}

void Worker::odd_day_correction() noexcept {
    if (o_ <= 0) return;
    // The daily flags add a yearly loan's days beyond its first year, other loans' odd days whole.
    const double beyond = common::odd_days_beyond(f_, o_);
    const double days = f_ == 1.0 ? beyond : o_;
    switch (flag_) {
    case 1:
    case 4:
    case 7:
        sumI_ = static_cast<double>(sumI_ + Wide(days) * d365_ * F_);
        break;
    case 2:
        sumI_ = static_cast<double>(sumI_ + Wide(days) * d360_ * F_);
        break;
    case 0:
    case 3:
        sumI_ = static_cast<double>(sumI_ + Wide(beyond) * d360_ * F_);
        break;
    default:
        break;
    }
}

// The schedule pass by the general rules, each period deciding everything afresh; the tests compare
// the quick pass below with it.
void Worker::plain_schedule_pass(double n, double tax_divisor, double insurance_divisor,
                                 bool balloon) noexcept {
    sumI_ = sumP_ = sumD_ = sumL_ = sumH_ = sumW_ = last_ = 0.0;
    double balance = 0.0;
    Date cursor = common::first_due_or_today(b_.FIRSTDUE);
    const bool single_payment = N_ == 1.0 && T_ == 1.0 && f_ == 1.0;
    const bool level = level_flag(flag_);
    const double taxes = b_.TAXES > 0.0 ? static_cast<double>(Wide(b_.TAXES) * Y_ / tax_divisor) : 0.0;
    const double home = b_.HOINS > 0.0 ? static_cast<double>(Wide(b_.HOINS) * Y_ / insurance_divisor) : 0.0;
    const double other = b_.OTINS > 0.0 ? static_cast<double>(Wide(b_.OTINS) * Y_ / insurance_divisor) : 0.0;

    for (double k = 1.0; k <= n; k += 1.0) {
        double interest = 0.0;
        switch (flag_) {
        case 1:
        case 2:
        case 4:
        case 7: {
            const bool year_365 = flag_ != 2;
            const double rate = calendar_rate(cursor, k, year_365);
            const double daily = year_365 ? d365_ : d360_;
            if (k == 1.0)
                interest = first_daily_interest(rate, daily);
            else
                interest = static_cast<double>(Wide(rate) * balance);
            break;
        }
        case 3: {
            const double rate = static_cast<double>(Wide(d360_) * thirty_days(f_));
            if (k == 1.0)
                interest = first_daily_interest(rate, d360_);
            else
                interest = static_cast<double>(Wide(rate) * balance);
            break;
        }
        case 5:
            break;
        default:
            if (k > 1.0)
                interest = plain_scheduled_interest(k);
            else if (f_ == 1.0)
                interest = first_yearly_nominal_interest();
            else if (o_ > 0)
                interest = static_cast<double>(plain_scheduled_interest(1.0) + Wide(o_ - 30) * d360_ * F_);
            else
                interest = plain_scheduled_interest(1.0);
            break;
        }
        sumI_ += interest;

        const double disability = premium(b_.DSPREM, b_.DSNUMPAY, b_.DSRATE, b_.DSFREQ, k, balance);
        const double life = premium(b_.LFPREM, b_.LFNUMPAY, b_.LFRATE, b_.LFFREQ, k, balance);
        sumD_ += disability;
        sumL_ += life;
        sumH_ += home;
        sumW_ += other;

        double principal =
            level ? static_cast<double>(Wide(L_) - taxes - home - other - disability - life - interest) : Fp_;
        sumP_ += principal;

        if (k == 1.0 && single_payment) {
            sumP_ = F_;
            balance = 0.0;
            last_ = 0.0;
        } else if (k == 1.0 && k == T_ && balloon) {
            // A balloon term of one payment: the balloon is what is owed after it.
            sumP_ = principal;
            balance = F_ - principal;
            last_ = balance;
        } else if (k == 1.0) {
            balance = F_ - principal;
        } else if (k == n) {
            sumP_ = static_cast<double>(Wide(sumP_) - principal + balance);
            principal = balance;
            last_ = static_cast<double>(Wide(balance) + taxes + home + other + disability + life + interest);
            balance = 0.0;
        } else {
            balance -= principal;
        }
    }
    check_pass(balance);
}

// The same pass with what does not change from period to period worked out once: the month's rate
// from a table as the cursor steps a month, the escrow shares taken off the level payment once, and
// the branches on the flag made before the periods. Every value is formed by the same operations in
// the same order as the general rules, so the results agree bit for bit; values the general rules
// only form inside a period are only formed here when a period runs.
void Worker::schedule_pass(double n, double tax_divisor, double insurance_divisor, bool balloon) noexcept {
    amortized_ = false;
    if (plain_pass_ || !(n >= 1.0)) {
        plain_schedule_pass(n, tax_divisor, insurance_divisor, balloon);
        return;
    }
    PassTotals totals;
    quick_pass(n, tax_divisor, insurance_divisor, balloon, 1, &totals);
    keep(totals);
    // An amortization pass: the payment search's first pass is the same one when the level payment
    // has not moved since.
    amortized_ = n == N_ && tax_divisor == N_ && insurance_divisor == N_ && !balloon;
    if (amortized_) amortized_pass_ = Ahead{true, L_, totals, fault_};
}

void Worker::keep(const PassTotals& totals) noexcept {
    sumI_ = totals.sum_i;
    sumP_ = totals.sum_p;
    sumD_ = totals.sum_d;
    sumL_ = totals.sum_l;
    sumH_ = totals.sum_h;
    sumW_ = totals.sum_w;
    last_ = totals.last;
    check_pass(totals.balance);
}

// A pass of n >= 1 periods for L_ and, with two lanes, for guess_ beside it.
void Worker::quick_pass(double n, double tax_divisor, double insurance_divisor, bool balloon, int lanes,
                        PassTotals* totals) noexcept {
    PassSetup setup;
    setup.n = n;
    setup.balloon = balloon;
    setup.single_payment = N_ == 1.0 && T_ == 1.0 && f_ == 1.0;
    setup.taxes = b_.TAXES > 0.0 ? static_cast<double>(Wide(b_.TAXES) * Y_ / tax_divisor) : 0.0;
    setup.home = b_.HOINS > 0.0 ? static_cast<double>(Wide(b_.HOINS) * Y_ / insurance_divisor) : 0.0;
    setup.other = b_.OTINS > 0.0 ? static_cast<double>(Wide(b_.OTINS) * Y_ / insurance_divisor) : 0.0;
    const bool level = level_flag(flag_);
    if (level) {
        setup.head[0] = Wide(L_) - setup.taxes - setup.home - setup.other;
        if (lanes == 2) setup.head[1] = Wide(guess_) - setup.taxes - setup.home - setup.other;
    }
    setup.cursor = common::first_due_or_today(b_.FIRSTDUE);
    common::normalize_month(setup.cursor);
    const bool premiums = b_.DSPREM > 0.0 || b_.LFPREM > 0.0;

    switch (flag_) {
    case 1:
    case 2:
    case 4:
    case 7: {
        const bool year_365 = flag_ != 2;
        const double daily = year_365 ? d365_ : d360_;
        Date first = setup.cursor;
        const double rate = calendar_rate(first, 1.0, year_365);
        setup.first_interest = first_daily_interest(rate, daily);
        if (f_ == 12.0) {
            for (int leap = 0; leap < 2; ++leap)
                for (int month = 1; month <= 12; ++month)
                    setup.month_rates[leap][month] =
                        static_cast<double>(Wide(daily) * common::kMonthDays[leap][month]);
            pass_of<Interest::Monthly>(setup, level, premiums, lanes, totals);
        } else {
            setup.rate = rate;
            const common::PeriodDays& row = common::period_days(f_);
            setup.year_walk =
                (year_365 ? row.interest_365 : row.interest_360).count == common::DayCount::CursorYear;
            setup.daily = daily;
            pass_of<Interest::Constant>(setup, level, premiums, lanes, totals);
        }
        break;
    }
    case 3:
        setup.rate = static_cast<double>(Wide(d360_) * thirty_days(f_));
        setup.first_interest = first_daily_interest(setup.rate, d360_);
        pass_of<Interest::Constant>(setup, level, premiums, lanes, totals);
        break;
    case 5:
        pass_of<Interest::None>(setup, level, premiums, lanes, totals);
        break;
    default:
        if (f_ == 1.0)
            setup.first_interest = first_yearly_nominal_interest();
        else if (o_ > 0)
            setup.first_interest = static_cast<double>(scheduled_interest(1.0) + Wide(o_ - 30) * d360_ * F_);
        else
            setup.first_interest = scheduled_interest(1.0);
        pass_of<Interest::Scheduled>(setup, level, premiums, lanes, totals);
        break;
    }
}

template <Interest kind>
void Worker::pass_of(const PassSetup& setup, bool level, bool premiums, int lanes,
                     PassTotals* totals) noexcept {
    if (level && lanes == 2) {
        if (premiums)
            pass<kind, true, true, 2>(setup, totals);
        else
            pass<kind, true, false, 2>(setup, totals);
    } else if (level) {
        if (premiums)
            pass<kind, true, true, 1>(setup, totals);
        else
            pass<kind, true, false, 1>(setup, totals);
    } else {
        if (premiums)
            pass<kind, false, true, 1>(setup, totals);
        else
            pass<kind, false, false, 1>(setup, totals);
    }
}

// The periods of one pass, for one level payment or two side by side (their periods do not depend on
// each other, so the second costs little beside the first). Without premiums both premiums are 0 in
// every period: their totals stay 0 and taking them off the payment changes nothing.
template <Interest kind, bool level, bool premiums, int lanes>
void Worker::pass(const PassSetup& setup, PassTotals* totals) const noexcept {
    const double n = setup.n;
    const double F = F_, T = T_, fixed_principal = Fp_;
    const double taxes = setup.taxes, home = setup.home, other = setup.other;
    const double ds_base = b_.DSPREM, ds_count = b_.DSNUMPAY, ds_rate = b_.DSRATE, ds_per_year = b_.DSFREQ;
    const double lf_base = b_.LFPREM, lf_count = b_.LFNUMPAY, lf_rate = b_.LFRATE, lf_per_year = b_.LFFREQ;
    int month = setup.cursor.month;
    int year = setup.cursor.year;
    const double* month_rates = setup.month_rates[common::is_leap_year(year) ? 1 : 0];

    PassTotals t[lanes];
    for (double k = 1.0; k <= n; k += 1.0) {
        double rate = 0.0;
        if constexpr (kind == Interest::Monthly) {
            if (k > 1.0 && ++month > 12) {
                month = 1;
                ++year;
                month_rates = setup.month_rates[common::is_leap_year(year) ? 1 : 0];
            }
            rate = month_rates[month];
        } else if constexpr (kind == Interest::Constant) {
            rate = setup.year_walk
                       ? static_cast<double>(Wide(setup.daily) *
                                             common::year_days_to(setup.cursor, static_cast<int>(k) - 1))
                       : setup.rate;
        }
        double scheduled = 0.0;
        if constexpr (kind == Interest::Scheduled) {
            if (k > 1.0) scheduled = scheduled_interest(k);
        }
        for (int lane = 0; lane < lanes; ++lane) {
            PassTotals& s = t[lane];
            double interest = 0.0;
            if constexpr (kind == Interest::Monthly || kind == Interest::Constant)
                interest = k == 1.0 ? setup.first_interest : static_cast<double>(Wide(rate) * s.balance);
            else if constexpr (kind == Interest::Scheduled)
                interest = k > 1.0 ? scheduled : setup.first_interest;
            s.sum_i += interest;

            double disability = 0.0, life = 0.0;
            if constexpr (premiums) {
                disability = premium(ds_base, ds_count, ds_rate, ds_per_year, k, s.balance);
                life = premium(lf_base, lf_count, lf_rate, lf_per_year, k, s.balance);
                s.sum_d += disability;
                s.sum_l += life;
            }
            s.sum_h += home;
            s.sum_w += other;

            double principal = fixed_principal;
            if constexpr (level) {
                if constexpr (premiums)
                    principal = static_cast<double>(setup.head[lane] - disability - life - interest);
                else
                    principal = static_cast<double>(setup.head[lane] - interest);
            }
            s.sum_p += principal;

            if (k == 1.0 && setup.single_payment) {
                s.sum_p = F;
                s.balance = 0.0;
                s.last = 0.0;
            } else if (k == 1.0 && k == T && setup.balloon) {
                s.sum_p = principal;
                s.balance = F - principal;
                s.last = s.balance;
            } else if (k == 1.0) {
                s.balance = F - principal;
            } else if (k == n) {
                s.sum_p = static_cast<double>(Wide(s.sum_p) - principal + s.balance);
                s.last = static_cast<double>(Wide(s.balance) + taxes + home + other + disability + life +
                                             interest);
                s.balance = 0.0;
            } else {
                s.balance -= principal;
            }
        }
    }
    for (int lane = 0; lane < lanes; ++lane)
        totals[lane] = t[lane];
}

void Worker::pre_adjustment() noexcept {
    const double last = last_;
    if (last > L_) {
        const double over = last - L_;
        if (over < 2.0)
            L_ += over / N_;
        else if (R_ >= 13.0)
            L_ += 0.1;
        else if (sumD_ <= 0.0 && sumL_ <= 0.0 && sumH_ <= 0.0 && sumW_ <= 0.0 && flag_ != 2)
            L_ = level_payment(sumP_);
    }
    if (last < 0.0) L_ -= 1.0;
}

Move Worker::decide(double last, double level, bool stepped) const noexcept {
    Move move{level, stepped, 0, true};
    bool nudged = false;
    if (last > level) {
        const double over = last - level;
        if (over < 2.0) {
            move.level += over / N_;
            nudged = true;
        } else if (!stepped) {
            const bool far = over >= 2.0 * level;
            move.level += far ? 1.0 : 0.01;
            move.kind = far ? 1 : 2;
            return move;
        }
    }
    if (last < 0.0) {
        const bool deep = last <= -2.0 * move.level;
        move.level -= deep ? (R_ < 25.0 ? 0.1 : 0.01) : 0.01;
        move.stepped = true;
        move.kind = nudged ? 0 : deep ? 3 : 4;
        return move;
    }
    if (stepped && R_ < 25.0 && last > move.level) {
        move.level += 0.01;
        move.kind = nudged ? 0 : 5;
        return move;
    }
    move.again = false;
    return move;
}

double Worker::step_of(int kind) const noexcept {
    switch (kind) {
    case 1:
        return 1.0;
    case 3:
        return R_ < 25.0 ? -0.1 : -0.01;
    case 4:
        return -0.01;
    default:
        return 0.01;
    }
}

// One pass of the amortization for the payment search, counted against its budget; false when the
// budget does not allow it (the search then ends rejected).
bool Worker::search_pass() noexcept {
    if (!count_search_pass()) return false;
    make_search_pass();
    return true;
}

bool Worker::count_search_pass() noexcept {
    const double periods = std::max(N_, 1.0);
    if (work_.periods + periods > period_budget_ || work_.passes + 1.0 > pass_budget_) {
        work_.budget_reached = true;
        return false;
    }
    work_.periods += periods;
    work_.passes += 1.0;
    return true;
}

void Worker::make_search_pass() noexcept {
    if (ahead_.held && ahead_.level == L_ && std::signbit(ahead_.level) == std::signbit(L_)) {
        keep(ahead_.totals);
        if (ahead_.fault) fault_ = true;
        ahead_.held = false;
        work_.passes_ahead += 1.0;
    } else {
        ahead_.held = false;
        search_schedule_pass();
    }
}

// Level payments the known runs speak for; beyond them every pass is made.
constexpr double kKnownLevels = 1e100;

// Whether the search may know a run of raises from a few of its passes. For flags 1, 2 and 7 with
// no negative rate the last payment of a pass never rises with the level payment: each period's
// interest and premiums are rounded products of the balance with factors of at least 0, the
// principal is the payment less them, and every rounding keeps the order of what it rounds. So
// the level payments of one kind of raise (1, 2 or 5 in decide) form one interval, and a pass made
// inside it and one made beyond it tell every pass between. The loan must also be one whose passes
// cannot overflow for any level payment up to kKnownLevels (the balance grows by at most the
// period's rate and premiums, e^300 over all its periods, from amounts under 1e100), so a pass not
// made would have raised no floating-point flag either.
bool Worker::runs_can_be_known() const noexcept {
    if (!skip_ || plain_pass_ || !searched_flag(flag_) || !(R_ >= 0.0) || !(N_ >= 1.0)) return false;
    const bool disability = b_.DSPREM > 0.0, life = b_.LFPREM > 0.0;
    if (disability && !(b_.DSRATE >= 0.0 && b_.DSFREQ > 0.0)) return false;
    if (life && !(b_.LFRATE >= 0.0 && b_.LFFREQ > 0.0)) return false;
    const double daily = flag_ == 2 ? d360_ : d365_;
    const double days = f_ >= 1.0 ? 366.0 : 366.0 / f_;
    const double growth =
        daily * days + (disability ? b_.DSRATE / b_.DSFREQ : 0.0) + (life ? b_.LFRATE / b_.LFFREQ : 0.0);
    const double amounts = std::fabs(F_) * (1.0 + (std::fabs(double(o_)) + days) * daily) +
                           (b_.TAXES + b_.HOINS + b_.OTINS) * std::fabs(Y_) +
                           (disability ? b_.DSPREM / b_.DSFREQ : 0.0) + (life ? b_.LFPREM / b_.LFFREQ : 0.0);
    return growth * N_ <= 300.0 && amounts <= kKnownLevels;
}

// The decision of the search's pass at `level` (L_), counted like a pass made; false when the budget
// does not allow it. It comes from a known run when one speaks for `level`.
bool Worker::search_move(double level, Move& move) noexcept {
    if (!count_search_pass()) return false;
    if (known_move(level, move)) {
        work_.passes_known += 1.0;
        return true;
    }
    make_search_pass();
    if (fault_) return true;
    move = decide(last_, level, stepped_down_);
    follow(level, move);
    return true;
}

bool Worker::known_move(double level, Move& move) const noexcept {
    if (!(std::fabs(level) <= kKnownLevels)) return false;
    for (int i = 0; i < known_count_; ++i) {
        const KnownRun& known = known_[i];
        if (known.stepped != stepped_down_) continue;
        if (level >= known.first && level <= known.last_in) {
            move = Move{level + (known.kind == 1 ? 1.0 : 0.01), known.stepped, known.kind, true};
            return true;
        }
        if (std::memcmp(&level, &known.out, sizeof level) == 0) {
            move = known.out_move;
            return true;
        }
    }
    return false;
}

Worker::KnownRun& Worker::new_known_run() noexcept {
    if (known_count_ == kRunsKept) {
        std::copy(known_ + 1, known_ + kRunsKept, known_);
        --known_count_;
    }
    return known_[known_count_++];
}

// Notes a pass made for the slope of the last payment against the level payment: the passes'
// last payments lie on one straight line but for their rounding, so any two passes give it.
void Worker::note_pass(double level, double last) noexcept {
    if (level != seen_level_ && std::isfinite(seen_level_)) {
        const double slope = (last - seen_last_) / (level - seen_level_);
        if (std::isfinite(slope)) slope_ = slope;
    }
    seen_level_ = level;
    seen_last_ = last;
}

// Follows the raises of the passes made; with a slope known, a run of raises is guessed to go on
// as the straight line through its pass says, and a pass at its guessed last level payment and one
// at the level payment after it, made side by side, tell whether it does.
void Worker::follow(double level, const Move& move) noexcept {
    if (!runs_known_) return;
    note_pass(level, last_);
    const bool raise = move.kind == 1 || move.kind == 2 || move.kind == 5;
    Followed& run = followed_;
    if (!(raise && run.kind == move.kind && stepped_down_ == run.stepped &&
          std::memcmp(&level, &run.next, sizeof level) == 0)) {
        run = Followed{};
        if (!raise) return;
        run.kind = move.kind;
        run.stepped = stepped_down_;
        run.first = level;
    }
    run.level = level;
    run.last = last_;
    run.next = move.level;
    // Each run known hands its last pass to the run after it; a few runs at a time are plenty.
    for (int runs = 0; runs < 8 && !run.tried && know_run(); ++runs) {
    }
}

bool Worker::know_run() noexcept {
    Followed& run = followed_;
    run.tried = true;
    const double step = run.kind == 1 ? 1.0 : 0.01;
    const double slope = slope_;
    if (!std::isfinite(slope)) {
        run.tried = false; // the next pass of the run gives the slope
        return false;
    }
    // Whether the straight line through the run's pass takes the raise j steps on.
    auto guessed_in = [&](double j) {
        const double level = common::repeat_add(run.level, step, static_cast<long>(j));
        return decide(run.last + slope * (level - run.level), level, run.stepped).kind == run.kind;
    };
    const double in = common::farthest_step(guessed_in);
    if (in < 0.0) return false;
    if (in < 2.0) return false; // the run ends within the next pass or two: they are made as they come
    const double last_in = common::repeat_add(run.level, step, static_cast<long>(in));
    const double out = last_in + step;
    if (!(std::fabs(last_in) <= kKnownLevels && std::fabs(out) <= kKnownLevels)) return false;

    // Both passes side by side, leaving the floating-point flags as they were.
    std::fexcept_t flags;
    std::fegetexceptflag(&flags, FE_ALL_EXCEPT);
    const double held_level = L_, held_guess = guess_;
    L_ = last_in;
    guess_ = out;
    PassTotals totals[2];
    quick_pass(N_, N_, N_, false, 2, totals);
    work_.passes_made += 1.0;
    L_ = held_level;
    guess_ = held_guess;
    bool finite = true;
    for (const PassTotals& t : totals)
        finite = finite && std::isfinite(Wide(t.sum_i) + t.sum_p + t.sum_d + t.sum_l + t.sum_h + t.sum_w +
                                         t.last + t.balance);
    std::fesetexceptflag(&flags, FE_ALL_EXCEPT);
    if (!finite) return false;
    note_pass(last_in, totals[0].last);
    note_pass(out, totals[1].last);
    const Move at_last_in = decide(totals[0].last, last_in, run.stepped);
    const Move at_out = decide(totals[1].last, out, run.stepped);
    if (at_last_in.kind != run.kind) return false;
    KnownRun& known = new_known_run();
    known = KnownRun{
        true, run.kind, run.stepped, run.first, last_in, std::numeric_limits<double>::quiet_NaN(), Move{}};
    if (at_out.kind == run.kind) {
        known.last_in = out;
        return false;
    }
    known.out = out;
    known.out_move = at_out;
    if (!(at_out.kind == 1 || at_out.kind == 2 || at_out.kind == 5)) return false;
    // The search goes on with another run of raises from `out`, whose first pass is this one.
    run = Followed{at_out.kind, run.stepped, out, out, totals[1].last, at_out.level, false};
    return true;
}

// The search's pass for L_; with a guess of the level payment after it, the pass for the guess is
// made beside it and kept. The pass ahead is only kept when it raised no floating-point flag the
// search had not raised before, so the flags stay those of the passes the search makes.
void Worker::search_schedule_pass() noexcept {
    const double n = N_;
    if (plain_pass_ || !(n >= 1.0) || !level_flag(flag_) || std::isnan(guess_)) {
        schedule_pass(n, n, n, false);
        return;
    }
    std::fexcept_t flags;
    std::fegetexceptflag(&flags, FE_ALL_EXCEPT);
    const int raised = std::fetestexcept(FE_ALL_EXCEPT);
    PassTotals totals[2];
    quick_pass(n, n, n, false, 2, totals);
    if (std::fetestexcept(FE_ALL_EXCEPT) != raised) {
        std::fesetexceptflag(&flags, FE_ALL_EXCEPT);
        schedule_pass(n, n, n, false);
        return;
    }
    const PassTotals& a = totals[1];
    const bool fault =
        !std::isfinite(Wide(a.sum_i) + a.sum_p + a.sum_d + a.sum_l + a.sum_h + a.sum_w + a.last + a.balance);
    if (std::fetestexcept(FE_ALL_EXCEPT) != raised) {
        // Only the check of the pass ahead raised it: that pass is not kept.
        std::fesetexceptflag(&flags, FE_ALL_EXCEPT);
    } else {
        ahead_ = Ahead{true, guess_, a, fault};
    }
    keep(totals[0]);
}

// A long run of equal steps moves the level payment until the decision changes. The last payment
// falls steadily as the level payment rises, so the first level payment of the run where the
// decision changes is found by doubling and halving the number of steps; the level payments are
// built by the same additions the run makes, so the search lands where the run would. `offset` is
// the number of steps from `start` to the level payment returned: the passes the run would make
// before it.
double Worker::leap(double start, int kind, double& offset) noexcept {
    const double step = step_of(kind);
    offset = 0.0;
    // Whether the pass at `level` does something other than the run's step; a probe does not count
    // as a pass of the search, but its periods do.
    auto stops = [&](double level) {
        if (!count_search_pass()) return true;
        work_.passes -= 1.0;
        for (int i = 0; i < known_count_ && std::fabs(level) <= kKnownLevels; ++i) {
            const KnownRun& known = known_[i];
            if (known.kind != kind || known.stepped != stepped_down_) continue;
            const bool in = level >= known.first && level <= known.last_in;
            if (in || level >= known.out) {
                work_.passes_known += 1.0;
                return !in;
            }
        }
        const double held = L_;
        L_ = level;
        make_search_pass();
        L_ = held;
        const bool faulted = fault_;
        fault_ = false;
        return faulted || decide(last_, level, stepped_down_).kind != kind;
    };
    auto advance = [&](double level, double steps) {
        return common::repeat_add(level, step, static_cast<long>(steps));
    };
    if (stops(start)) return start;
    double low = 0.0, high = 1.0;
    double low_level = start, high_level = advance(start, 1.0);
    while (!stops(high_level)) {
        if (work_.passes + high * 2.0 > pass_budget_) {
            // The run goes on past the passes the search may count.
            work_.budget_reached = true;
            offset = high;
            return high_level;
        }
        low = high;
        low_level = high_level;
        high *= 2.0;
        high_level = advance(low_level, high - low);
    }
    if (work_.budget_reached) return high_level;
    while (high - low > 1.0) {
        const double mid = low + std::floor((high - low) / 2.0);
        const double mid_level = advance(low_level, mid - low);
        if (stops(mid_level)) {
            high = mid;
            high_level = mid_level;
        } else {
            low = mid;
            low_level = mid_level;
        }
    }
    offset = high;
    return high_level;
}

// Moves the level payment in cent (and larger) steps until the last payment of the amortization
// lies between 0 and the level payment. Some loans have no such payment on the cent grid; there the
// search would step up and down forever, so it ends when it meets a payment it has tried since
// stepping down, keeping the level payment it holds. A search that spends its budget first ends
// with work_.budget_reached set.
void Worker::payment_search() noexcept {
    double tried[kSearchMemory];
    int stored = 0;
    int next = 0;
    int run_kind = 0;
    int run_length = 0;
    ahead_.held = false;
    if (amortized_ && !plain_pass_) ahead_ = amortized_pass_;
    guess_ = std::numeric_limits<double>::quiet_NaN();
    known_count_ = 0;
    followed_ = Followed{};
    seen_level_ = slope_ = std::numeric_limits<double>::quiet_NaN();
    runs_known_ = runs_can_be_known();
    // The first step is most often a cent up.
    if (searched_flag(flag_)) guess_ = L_ + 0.01;
    for (;;) {
        if (stepped_down_) {
            const double tolerance = 1e-12 * std::max(1.0, std::fabs(L_));
            for (int i = 0; i < stored; ++i)
                if (std::fabs(tried[i] - L_) <= tolerance) {
                    work_.cycle_found = true;
                    return;
                }
            tried[next] = L_;
            next = (next + 1) % kSearchMemory;
            stored = std::min(stored + 1, kSearchMemory);
        }
        if (!searched_flag(flag_)) {
            // One pass; flag 0 takes its level payment from it.
            if (search_pass() && !fault_ && flag_ == 0) L_ = level_payment(sumP_);
            return;
        }
        Move move;
        if (!search_move(L_, move)) return;
        if (fault_) return;
        // The level payment of the last step is kept, the raise by the last payment's excess included.
        L_ = move.level;
        if (!move.again) return;
        run_length =
            move.kind != 0 && move.kind == run_kind && move.stepped == stepped_down_ ? run_length + 1 : 0;
        run_kind = move.kind;
        stepped_down_ = move.stepped;
        if (skip_ && run_length >= kRunBeforeLeap) {
            guess_ = std::numeric_limits<double>::quiet_NaN();
            double offset = 0.0;
            L_ = leap(L_, run_kind, offset);
            work_.passes += offset;
            if (work_.budget_reached) return;
            run_kind = run_length = 0;
        }
        // A run of equal steps is expected to go on; where runs are known from their first passes,
        // the pass beside would mostly go unused.
        guess_ =
            run_kind != 0 && !runs_known_ ? L_ + step_of(run_kind) : std::numeric_limits<double>::quiet_NaN();
    }
}

// Case 1: the scheduled payment, the balloon payment and the totals.
void Worker::case_1() noexcept {
    Y_ = at_least_one_year(T_ / f_);
    switch (flag_) {
    case 1:
    case 4:
    case 7:
        P_ = F_ / a365(R_, N_, f_);
        break;
    case 2:
        P_ = F_ / a360(R_, N_, f_);
        break;
    case 5:
        P_ = F_ / N_;
        break;
    default:
        P_ = F_ / an(R_, f_, N_);
        break;
    }
    Fp_ = F_ / N_;

    estimate_pass();
    if (fault_) return;
    odd_day_correction();
    L_ = fixed_flag(flag_) ? Fp_ : level_payment(sumP_);

    schedule_pass(N_, N_, N_, false);
    if (flag_ == 0) L_ = level_payment(sumP_);
    if (searched_flag(flag_)) pre_adjustment();
    payment_search();
    if (fault_) return;
    if (work_.budget_reached) {
        // The plain search would still be running: no payment is reported.
        not_enough_data();
        return;
    }

    if (fixed_flag(flag_)) L_ = Fp_ = F_ / N_;
    // Taxes over the balloon term, the two insurances over the amortize period.
    schedule_pass(T_, T_, N_, true);
    b_.LASTPAY = last_;
    b_.PAYMENT = L_;
    set_maturity();
    final_totals();
}

// Case 3: the balloon payment and the totals for a given payment.
void Worker::case_3() noexcept {
    L_ = b_.PAYMENT;
    P_ = F_ / an(R_, f_, N_);
    Y_ = at_least_one_year(T_ / f_);
    if (fixed_flag(flag_)) {
        L_ = Fp_ = F_ / N_;
        b_.PAYMENT = L_;
    }
    schedule_pass(T_, T_, T_, true);
    b_.LASTPAY = last_;
    set_maturity();
    final_totals();
}

void Worker::case_2() noexcept {
    const double payment = b_.PAYMENT;
    const double charge = b_.TOTALINTEREST;
    const bool given = charge > 0.0 && F_ > 0.0 && N_ > 0.0 && payment > 0.0 && f_ > 0.0;
    if (R_ == 0.0 && T_ < 1.0 && given) {
        finance_charge_run(false);
    } else if (R_ == 0.0 && T_ > 1.0 && given) {
        finance_charge_run(true);
    } else if (R_ != 0.0 || charge != 0.0 || F_ <= 0.0 || payment <= 0.0 || N_ <= 0.0 || T_ <= 0.0 ||
               f_ <= 0.0) {
        not_enough_data();
    } else {
        solve_rate(T_);
        case_3();
    }
}

// The APR from the payment (level flags) or from the finance charge over `periods` (fixed principal).
void Worker::solve_rate(double periods) noexcept {
    if (level_flag(flag_))
        set_rate(present_value_rate(b_.PAYMENT, N_, F_, f_, flag_, o_));
    else
        set_rate(fixed_principal_rate(N_, F_, f_, flag_, o_, b_.TOTALINTEREST, periods));
}

// Sub-cases 2a (balloon term from the finance charge) and 2b (APR only, balloon term given): run
// periods until the interest reaches the finance charge in whole dollars.
void Worker::finance_charge_run(bool balloon_term_given) noexcept {
    solve_rate(balloon_term_given ? T_ : N_);
    const double payment = b_.PAYMENT;
    const double charge = b_.TOTALINTEREST;
    const bool level = level_flag(flag_);
    if (level)
        L_ = payment;
    else
        Fp_ = payment;

    // Escrow by the month, whatever the frequency.
    const double taxes = b_.TAXES > 0.0 ? b_.TAXES / 12.0 : 0.0;
    const double home = b_.HOINS > 0.0 ? b_.HOINS / 12.0 : 0.0;
    const double other = b_.OTINS > 0.0 ? b_.OTINS / 12.0 : 0.0;

    double balance = F_;
    double k = 0.0;
    sumI_ = sumD_ = sumL_ = 0.0;
    Date cursor = common::first_due_or_today(b_.FIRSTDUE);
    while (std::trunc(sumI_) < std::trunc(charge)) {
        k += 1.0;
        if (k > kPeriodCap) {
            messages_.show(texts::kPeriodCap);
            b_.ERRFLAG = 1;
            T_ = 1.0;
            set_rate(1.0);
            case_3();
            return;
        }
        if (balloon_term_given && k > T_) break;

        double rate = 0.0;
        switch (flag_) {
        case 1:
        case 4:
        case 7:
            rate = calendar_rate(cursor, k, true);
            break;
        case 2:
            rate = calendar_rate(cursor, k, false);
            break;
        case 5:
            break;
        default:
            rate = static_cast<double>(Wide(d360_) * thirty_days(f_));
            break;
        }
        const double interest = static_cast<double>(Wide(rate) * (k == 1.0 ? F_ : balance));
        sumI_ += interest;

        const double disability = premium(b_.DSPREM, b_.DSNUMPAY, b_.DSRATE, b_.DSFREQ, k, balance);
        const double life = premium(b_.LFPREM, b_.LFNUMPAY, b_.LFRATE, b_.LFFREQ, k, balance);
        sumD_ += disability;
        sumL_ += life;
        const double principal =
            level ? static_cast<double>(Wide(L_) - taxes - home - other - disability - life - interest) : Fp_;
        balance = k == 1.0 ? F_ - principal : balance - principal;
    }
    check_pass(balance);

    if (balloon_term_given) {
        b_.LASTPAY = flag_ == 5 ? payment : balance;
    } else if (flag_ == 5) {
        T_ = F_ / payment;
        b_.LASTPAY = payment;
    } else {
        T_ = k;
        b_.LASTPAY = balance;
    }
    set_maturity();
    if (!balloon_term_given) sumI_ = charge;
    sumP_ = F_;
    final_totals();
}

// Sub-case 2c: the message, then a run on placeholders whose results the caller discards.
void Worker::not_enough_data() noexcept {
    messages_.show(texts::kNotEnoughData);
    b_.ERRFLAG = 1;
    T_ = 1.0;
    N_ = 1.0;
    set_rate(1.0);
    b_.PAYMENT = 1.0;
    // The placeholder run divides by the frequency; without one there is nothing to run.
    if (f_ > 0.0) case_3();
}

void Worker::set_maturity() noexcept {
    const Date date = maturity(b_.FIRSTDUE, b_.SKPMONTH, T_, f_, flag_, o_);
    b_.MATURITY[0] = date.month;
    b_.MATURITY[1] = date.day;
    b_.MATURITY[2] = date.year;
}

void Worker::final_totals() noexcept {
    const Wide home = Wide(b_.HOINS) * Y_;
    const Wide other = Wide(b_.OTINS) * Y_;
    const Wide taxes = Wide(b_.TAXES) * Y_;
    b_.TOTALPAYOUT = static_cast<double>(Wide(sumP_) + sumI_ + sumD_ + sumL_ + home + other + taxes);
    // The Reg Z rate is figured on the amortize period and the loan amount requested.
    if (fixed_flag(flag_))
        b_.REGZAPR = fixed_principal_rate(N_, b_.ORGAMT, f_, flag_, o_, sumI_, N_);
    else
        b_.REGZAPR = present_value_rate(b_.PAYMENT, N_, b_.ORGAMT, f_, flag_, o_);
    b_.TOTALINSURANCE = static_cast<double>(Wide(sumD_) + sumL_ + home + other);
    b_.TOTALTAXES = static_cast<double>(taxes);
    b_.TOTALPRINCIPAL = sumP_;
    if (b_.TOTALINTEREST <= 0.0) b_.TOTALINTEREST = sumI_;
}

} // namespace

void solve(Block& block, const Messages& messages) noexcept {
    solve(block, messages, Tuning{}, nullptr);
}

void solve(Block& block, const Messages& messages, const Tuning& tuning, Work* work) noexcept {
    Worker worker(block, messages, tuning);
    worker.run();
    if (work != nullptr) *work = worker.work();
}

} // namespace talvero::vaulter
