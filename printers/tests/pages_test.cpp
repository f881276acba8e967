// Each case's pages against the expected page text stored in cases/<name>/page-N.txt.
// TALVERO_WRITE_PAGES=1 writes the files from the current output instead (to start a new case; the
// result is then checked line by line against the formats before it is committed).
#include "cases.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace printers_test;
namespace fs = std::filesystem;

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

talvero::printers::PageText pagesOf(const Case& c) {
    talvero::printers::PageText pages;
    const auto layout = layoutOf(c);
    const auto g = talvero::printers::geometry(10, kDpi, kPrintableHeight);
    talvero::printers::runJob(*layout, g.linesPerPage, pages);
    return pages;
}

class Pages : public ::testing::TestWithParam<Case> {};

TEST_P(Pages, MatchExpectedText) {
    const Case& c = GetParam();
    const fs::path folder = fs::path(PRINTERS_CASES_DIR) / c.name;
    const auto pages = pagesOf(c);
    if (std::getenv("TALVERO_WRITE_PAGES")) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (std::size_t i = 0; i < pages.pages().size(); ++i)
            std::ofstream(folder / ("page-" + std::to_string(i + 1) + ".txt"), std::ios::binary)
                << pages.pageText(i);
    }
    std::size_t expectedPages = 0;
    while (fs::exists(folder / ("page-" + std::to_string(expectedPages + 1) + ".txt")))
        ++expectedPages;
    ASSERT_GT(expectedPages, 0u) << folder;
    EXPECT_EQ(pages.pages().size(), expectedPages);
    for (std::size_t i = 0; i < std::min(expectedPages, pages.pages().size()); ++i) {
        SCOPED_TRACE("page " + std::to_string(i + 1));
        EXPECT_EQ(pages.pageText(i), readFile(folder / ("page-" + std::to_string(i + 1) + ".txt")));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Pages, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

// Lines of all pages, without the page header blocks.
std::vector<std::string> bodyLines(const talvero::printers::PageText& pages, std::size_t headerLines) {
    std::vector<std::string> out;
    for (const auto& page : pages.pages())
        for (std::size_t i = headerLines; i < page.size(); ++i)
            out.push_back(page[i]);
    return out;
}

TEST(Pages, BalloonTermEqualToThePeriodPrintsTheRegularRows) {
    const auto regular = pagesOf(caseNamed("vellum1_36_from_2004"));
    const auto balloon = pagesOf(caseNamed("vellum2_term_equals_period"));
    ASSERT_EQ(regular.pages().size(), balloon.pages().size());
    // Eleven header lines against twelve; the rows, subtotals and closing block are the same.
    auto a = bodyLines(regular, 11), b = bodyLines(balloon, 12);
    // The balloon pages are one line lower, so their bodies end one line later.
    EXPECT_EQ(a, b);
}

TEST(Pages, FirstRowStartsThePageWithItsHeader) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const auto pages = pagesOf(c);
        ASSERT_FALSE(pages.pages().empty());
        const auto& first = pages.pages().front();
        ASSERT_GT(first.size(), 3u);
        EXPECT_EQ(first[0], " ");
        EXPECT_NE(first[1].find("AMORTIZATION SCHEDULE"), std::string::npos);
    }
}

} // namespace
