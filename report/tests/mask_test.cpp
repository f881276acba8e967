#include "report/mask.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

TEST(Mask, FormatsAsTheDesignerWritesThem) {
    struct {
        const char* mask;
        double value;
        const char* expected;
    } cases[] = {
        {"$###,###,##0.00", 1234.5, "$1,234.50"},
        {"$###,###,##0.00", 0, "$0.00"},
        {"$###,###,##0.00", 1234567.891, "$1,234,567.89"},
        {"$###,###,##0.00", -1234.567, "-$1,234.57"},
        {"$###,###,##0.00", 0.4, "$0.40"},
        {"$##,##0.00", 500, "$500.00"},
        {"$##,##0.00", 12345.678, "$12,345.68"},
        {"$##,##0.00", 1234567, "$1,234,567.00"}, // more digits than places: all shown, grouped
        {"0.00", 3.14159, "3.14"},
        {"0.00", 0.25, "0.25"},
        {"0.00", -0.001, "0.00"}, // rounds to zero: no sign
        {"0.00", 100000, "100000.00"},
        {"0.00", -42.5, "-42.50"},
        {"###,###.##", 96219.26, "96,219.26"},
        {"###,###.##", 1234.5, "1,234.5"},
        {"###,###.##", 0.25, ".25"},
        {"###,###.##", 1000000, "1,000,000"},
        {"###,###.##", 0, ""},
        {"#.000", 0.5, ".500"},
        {"#.000", 12.3456, "12.346"},
        {"0", 7.4, "7"},
        {"#,##0;(#,##0)", -1234, "(1,234)"},
        {"#,##0;(#,##0)", 1234, "1,234"},
        {"0.00;-0.00;'zero'", 0, "zero"},
        {"0.00;;'none'", -3, "3.00"},     // an empty negative section falls back to the first, unsigned
        {"0.0 'days'", 3.25, "3.2 days"}, // printf rounds the exact binary value: 3.25 to even
        {"0.0%", 12.345, "12.3%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mask << " " << c.value);
        EXPECT_EQ(report::formatMask(c.value, QString::fromLatin1(c.mask)).toStdString(), c.expected);
    }
}

TEST(Mask, UsesTheSeparatorsGiven) {
    EXPECT_EQ(report::formatMask(1234567.5, QStringLiteral("$###,###,##0.00"),
                                 {QLatin1Char(','), QLatin1Char('.')}),
              QStringLiteral("$1.234.567,50"));
}

// The C library's number locale (which Qt takes from the environment) never reaches the digits.
TEST(Mask, DigitsDoNotFollowTheProcessLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale here";
    const QString text = report::formatMask(10500, QStringLiteral("$###,###,##0.00"));
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(text, QStringLiteral("$10,500.00"));
}

TEST(Mask, NonFiniteValuesShowNothing) {
    EXPECT_EQ(report::formatMask(std::numeric_limits<double>::quiet_NaN(), QStringLiteral("0.00")),
              QString());
    EXPECT_EQ(report::formatMask(std::numeric_limits<double>::infinity(), QStringLiteral("0.00")), QString());
}

} // namespace
