// The balloon engine's core: solves one balloon block in place.
//
//   solve(block, messages)  what DoVaulter does: chooses the case, runs the schedule passes and
//                           searches, writes the io and out positions; on input it cannot work with
//                           it shows its message through `messages` and sets ERRFLAG to 1
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

void solve(Block& block, const Messages& messages) noexcept;

} // namespace talvero::vaulter
