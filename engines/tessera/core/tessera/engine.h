// The regular loan engine's core: the engine that solves a loan parameter block. The shared
// library's entries copy the caller's values into one process-wide Engine, run it, and copy the
// results back; tests drive an Engine directly.
#pragma once

#include "common/calendar.h"
#include "common/loanblock.h"

#include <limits>
#include <vector>

namespace tessera {

// The regular engine's block: the shared positions 0 to 41 and its own tail 42 to 47.
using Block = talvero::common::RegularBlock;

// kind 0: plain information box; kind 1: error box.
using MessageFn = void (*)(void* owner, int kind, const char* text);

extern const char* const kNotEnoughDataText;
extern const char* const kEndlessPaymentText;
extern const char* const kFixedPrincipalAprText;

// Which case of the case table the last run took.
enum class Case { None, Payment, Count, Payout, RateCount, RatePayment, RateCharge, Payoff, NotEnoughData };

// Passes (counted as if each were made) and schedule runs (made) of the payment iteration after
// which the payment is kept as it stands.
long payment_pass_bound(double numpay) noexcept;
long payment_run_bound(double numpay) noexcept;

// `value` after `count` repeated additions of `step` (value = value + step, rounded each time),
// without doing them one by one where the rounding repeats.
double repeat_add(double value, double step, long count) noexcept;

// The two step searches on the rate; also used for the Reg Z effective APR.
double pvapr(double payment, double count, double target, double f, int flag, int odddays) noexcept;
double fcapr(double count, double amount, double f, int flag, int odddays, double target) noexcept;

class Engine {
public:
    Block block;
    MessageFn on_message = nullptr;  // none: the text goes to standard error
    long pass_bound = 0;             // passes of the payment iteration; 0: payment_pass_bound(NUMPAY)
    long run_bound = 0;              // schedule runs the iteration may make; 0: payment_run_bound(NUMPAY)
    bool skip_repeated_steps = true; // false: run every pass of the payment iteration one by one,
                                     // and shorten a payout one payment per run
    double shorten_budget = 0;       // periods the shortening of a payout may run; 0: the default

    // DoTessera: solves `block` in place. `owner` is handed to the message function.
    void run(void* owner = nullptr);

    // Read-only views for tests and benchmarks.
    Case last_case() const noexcept { return case_; }
    long last_passes() const noexcept { return passes_; }
    long last_runs() const noexcept { return runs_; }
    bool last_pass_bound_hit() const noexcept { return bound_hit_; }
    bool last_cycle_found() const noexcept { return cycle_found_; }
    // The call stopped on a budget (payment iteration or payout shortening) and was rejected.
    bool last_budget_reached() const noexcept { return budget_reached_; }
    double last_shorten_periods() const noexcept { return shorten_periods_; }
    double fixed_principal() const noexcept { return F_; }
    double interest_total() const noexcept { return ti_; }
    double principal_total() const noexcept { return tp_; }
    double disability_total() const noexcept { return tds_; }
    double life_total() const noexcept { return tlf_; }
    double tax_total() const noexcept { return ttax_; }
    talvero::common::Date maturity() const noexcept { return maturity_; }

    // One schedule run with level payment L (or the fixed part F for flags 3 to 5), as the cases
    // run it. The loan terms are those of `block`; exposed for tests of the period rules.
    void schedule_run(double level_payment);

private:
    template <bool Payoff> void run_periods(double L, double last_k);
    void start_call();
    bool input_usable() const noexcept;
    void message(int kind, const char* text) const;
    void reject();
    void solve_payment();
    void iterate_payment();
    bool raises_can_be_known() const noexcept;
    bool trial_run(double& L, bool& lock, int& step);
    int known_raise(double L, bool lock, int step) const noexcept;
    void note_run(double level, double last) noexcept;
    void follow_raise(double level, double last, int step, bool lock, double next);
    bool know_raises();
    void count_payments();
    bool restart_count();
    double shortened_count(double n);
    double daily_shortened_count(double n);
    double nominal_shortened_count(double n);
    bool shorten_run_negative(double m);
    double escrow_for(double m) const noexcept;
    double nominal_factor(double periods);
    void payout(bool direct);
    void rate_and_count();
    void rate_and_payment();
    void rate_and_charge();
    void payoff();
    void compute_maturity();
    void finish();
    double termyears() const noexcept;
    bool fixed_flag() const noexcept { return block.INTMETHOD >= 3 && block.INTMETHOD <= 5; }
    bool search_flag() const noexcept {
        return block.INTMETHOD == 1 || block.INTMETHOD == 2 || block.INTMETHOD == 7;
    }

    void* owner_ = nullptr;
    Case case_ = Case::None;
    long passes_ = 0;
    long runs_ = 0;
    bool bound_hit_ = false;
    bool cycle_found_ = false;
    bool budget_reached_ = false;
    double shorten_periods_ = 0;
    // Runs of equal raises of the trial payment (steps of +1.00 or +0.01) that the payment iteration
    // knows without making their schedule runs: every trial payment from `first` to `last_in` takes
    // the raise, every one from `out` on does something else, and `out` does what the out_ fields say.
    struct KnownRaises {
        int step = 0;
        bool lock = false;
        double first = 0, last_in = 0, out = 0;
        double out_L = 0;
        bool out_lock = false, out_go = false;
        int out_step = 0;
    };
    static constexpr int kRaisesKept = 8;
    KnownRaises known_[kRaisesKept];
    int known_count_ = 0;
    struct FollowedRaise {
        int step = 0;
        bool lock = false;
        double first = 0, level = 0, last = 0, next = 0;
        bool tried = false;
    } followed_;
    double seen_level_ = 0, seen_last_ = 0, slope_ = 0; // the last run made, the slope (NaN: none)
    bool raises_known_ = false;                         // raises_can_be_known() for this iteration
    // The iteration's last trial payment whose run was not made; the run's totals are not its.
    bool behind_ = false;
    double behind_level_ = 0;
    long known_runs_made_ = 0; // schedule runs made to know runs of raises

    // Nominal factors N(APR, f, j) for j = 1, 2, ... while a payout is shortened; empty otherwise.
    std::vector<double> factors_;
    // N(APR, f, j) for j = 1 to kFactorsKept as a call has asked for them (NaN: not yet), and the APR
    // and f they are of.
    static constexpr double kFactorsKept = 2048;
    double factors_kept_[static_cast<int>(kFactorsKept)] = {};
    double factors_for_[2] = {std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::quiet_NaN()};
    bool rejected_ = false;

    // Working values of one call.
    talvero::common::Date start_;  // first due date, or today
    talvero::common::Date cursor_; // date cursor of a schedule run
    double k_ = 0, B_ = 0, L_ = 0, P_ = 0;
    double ti_ = 0, tp_ = 0, tds_ = 0, tlf_ = 0, tho_ = 0, tot_ = 0, ttax_ = 0;
    int ds_counter_ = 0, lf_counter_ = 0;
    double last_ds_ = 0, last_lf_ = 0, last_tax_ = 0; // of the last period worked
    double rule78_sum_ = 0, rule78_charge_ = 0;

    // Kept between calls.
    double F_ = 0;                            // fixed principal part of flags 3 to 5
    talvero::common::Date maturity_{0, 0, 0}; // maturity date last computed
};

} // namespace tessera
