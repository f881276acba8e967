// Golden files of engine results: one line per call, every double written as the hex of its bits,
// so a comparison with the file is a comparison bit for bit.
//
//   GoldenLine                 builds one line: doubles as bit patterns, integers in decimal, texts
//                              as a 64-bit FNV-1a hash
//   compare_with_golden(...)   compares the lines with the file; with TALVERO_WRITE_GOLDEN=1 in
//                              the environment it writes the file instead (when the rules change on
//                              purpose), and the test then fails so that nobody mistakes it for a pass
#pragma once

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace talvero::golden {

class GoldenLine {
public:
    GoldenLine& real(double value) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        char text[24];
        std::snprintf(text, sizeof text, " %" PRIx64, bits);
        line_ += text;
        return *this;
    }
    GoldenLine& integer(long value) {
        line_ += ' ' + std::to_string(value);
        return *this;
    }
    GoldenLine& texts(const std::vector<std::string>& texts) {
        std::uint64_t hash = 14695981039346656037ULL;
        for (const std::string& text : texts)
            for (const char c : text + '\n') {
                hash ^= static_cast<unsigned char>(c);
                hash *= 1099511628211ULL;
            }
        char text[24];
        std::snprintf(text, sizeof text, " m%zu:%" PRIx64, texts.size(), hash);
        line_ += text;
        return *this;
    }
    const std::string& text() const { return line_; }

private:
    std::string line_;
};

// `describe(i)` tells what call line i came from, for the failure messages.
template <class Describe>
void compare_with_golden(const std::string& path, const std::vector<std::string>& lines, Describe describe) {
    const char* write = std::getenv("TALVERO_WRITE_GOLDEN");
    if (write != nullptr && std::strcmp(write, "1") == 0) {
        std::ofstream out(path, std::ios::trunc);
        for (const std::string& line : lines)
            out << line << '\n';
        ASSERT_TRUE(out.good()) << "cannot write " << path;
        FAIL() << "wrote " << lines.size() << " lines to " << path
               << "; run again without TALVERO_WRITE_GOLDEN";
    }
    std::ifstream in(path);
    ASSERT_TRUE(in.good()) << "cannot read " << path;
    std::vector<std::string> expected;
    for (std::string line; std::getline(in, line);)
        expected.push_back(line);
    ASSERT_EQ(expected.size(), lines.size()) << path;
    int differing = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == expected[i]) continue;
        if (++differing <= 10)
            ADD_FAILURE() << "call " << i << " (" << describe(i) << ")\n  expected:" << expected[i]
                          << "\n  now:     " << lines[i];
    }
    EXPECT_EQ(differing, 0) << "calls whose results differ from " << path;
}

// First due dates for random blocks: ordinary, month ends, leap days, far centuries, bad texts.
inline const char* const kFirstDues[] = {"01152004", "03012004", "01312003", "02292000", "12312099",
                                         "06302100", "11301999", "07041900", "13152003", ""};

// A random block's escrow and its two credit insurances, drawn alike for either engine's block.
template <class Block, class Below> void random_escrow_and_insurance(Block& b, Below below) {
    if (below(2) == 0) {
        b.TAXES = below(6000);
        b.HOINS = below(1500);
        b.OTINS = below(2) ? below(900) : 0.0;
    }
    if (below(3) == 0) {
        b.DSRATE = below(100) / 10000.0;
        b.DSPREM = b.FINANCEAMT * b.DSRATE;
        b.DSFREQ = below(2) ? 12.0 : b.FREQUENCY;
        b.DSNUMPAY = below(500);
    }
    if (below(3) == 0) {
        b.LFRATE = below(100) / 10000.0;
        b.LFPREM = b.FINANCEAMT * b.LFRATE;
        b.LFFREQ = below(2) ? 12.0 : b.FREQUENCY;
        b.LFNUMPAY = below(500);
    }
}

} // namespace talvero::golden
