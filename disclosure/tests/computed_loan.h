#pragma once
// A loan computed as talvero-cli computes it: the fields typed, the derived amounts, the engine.

#include "cli/loan.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

inline talvero::cli::Loan computed(std::initializer_list<std::pair<const char*, const char*>> fields) {
    talvero::cli::Loan loan;
    for (const auto& [name, value] : fields)
        EXPECT_EQ(talvero::cli::set_field(loan, name, value), "") << name;
    EXPECT_EQ(talvero::cli::prepare(loan), "");
    EXPECT_EQ(talvero::cli::compute(loan), "");
    return loan;
}
