// The balloon engine's core: solves one balloon block in place.
//
//   solve(block, messages)  what DoVaulter does: chooses the case, runs the schedule passes and
//                           searches, writes the io and out positions; on input it cannot work with
//                           it shows its message through `messages` and sets ERRFLAG to 1
//   solve(block, messages, tuning, work)
//                           the same with the payment search's shortcuts and budget chosen by the
//                           caller (tests, benchmarks), reporting the work done
//
// The engine holds no state between calls; everything lives in the block and on the stack.
#pragma once

#include "common/loanblock.h"

namespace talvero::vaulter {

// The balloon engine's block: the shared positions 0 to 41, then BLPAY and ERRFLAG.
using Block = common::BalloonBlock;

// Where the engine's messages go; every message of this engine is an error box.
struct Messages {
    void (*error)(void* context, const char* text) = nullptr;
    void* context = nullptr;

    void show(const char* text) const noexcept {
        if (error != nullptr) error(context, text);
    }
};

// The payment search's shortcuts and budget, and the reference schedule pass the tests compare with.
struct Tuning {
    bool skip_repeated_steps = true;  // false: every pass of a run of equal steps is made
    double period_budget = 0;         // periods the search may run; 0: the engine's own budget
    double pass_budget = 0;           // passes it may count (made or leapt); 0: the engine's own
    bool plain_schedule_pass = false; // true: every schedule pass by the general per-period rules
};

// What the last call did.
struct Work {
    double periods = 0;          // periods of the search's passes (one made ahead counts when taken)
    double passes = 0;           // passes the search counted, leapt ones included
    bool budget_reached = false; // the search stopped on its budget (the call ends rejected)
    bool cycle_found = false;    // the search came back to a level payment it had tried
    double passes_ahead = 0;     // passes of the search taken from a pass made beside the one before
    double passes_known = 0;     // passes (leap probes included) told by a known run, not made
    double passes_made = 0;      // passes the search made to know a run
};

// Periods and counted passes the payment search may use when the caller sets no budget.
inline constexpr double kSearchPeriodBudget = 3'000'000.0;
inline constexpr double kSearchPassBudget = 1.0e15;

void solve(Block& block, const Messages& messages) noexcept;
void solve(Block& block, const Messages& messages, const Tuning& tuning, Work* work) noexcept;

} // namespace talvero::vaulter
