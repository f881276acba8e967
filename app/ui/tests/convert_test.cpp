#include "ui/convert.h"

#include <gtest/gtest.h>

namespace {

struct FloatCase {
    const char* text;
    bool ok;
    double value;
};

TEST(Convert, FloatReadsTheWholeTextWithBlanksAround) {
    const FloatCase cases[] = {
        {"12.5", true, 12.5},  {"  12.5 ", true, 12.5}, {"-5", true, -5.0},  {"+3", true, 3.0},
        {"1e3", true, 1000.0}, {".5", true, 0.5},       {"", false, 0},      {"   ", false, 0},
        {"12,5", false, 0},    {"12.5x", false, 0},     {"1 000", false, 0}, {"0x10", false, 0},
        {"inf", false, 0},     {"nan", false, 0},       {"1e999", false, 0}, {"$5", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        double v = -1;
        EXPECT_EQ(ui::tryFloat(QString::fromLatin1(c.text), v), c.ok);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value);
        }
    }
}

TEST(Convert, FailureCarriesTheUsersMessage) {
    try {
        ui::toFloat(QStringLiteral("12a"));
        FAIL() << "no exception";
    } catch (const ui::ConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'12a' is not a valid floating point value"));
    }
    try {
        ui::toInt(QStringLiteral("2.5"));
        FAIL() << "no exception";
    } catch (const ui::ConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'2.5' is not a valid integer value"));
    }
}

TEST(Convert, IntegerRangeAndForm) {
    int v = 0;
    EXPECT_TRUE(ui::tryInt(QStringLiteral(" 42 "), v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(ui::tryInt(QStringLiteral("-2147483648"), v));
    EXPECT_EQ(v, -2147483647 - 1);
    EXPECT_FALSE(ui::tryInt(QStringLiteral("2147483648"), v));
    EXPECT_FALSE(ui::tryInt(QStringLiteral("1e3"), v));
    EXPECT_FALSE(ui::tryInt(QStringLiteral("4-"), v));
    EXPECT_FALSE(ui::tryInt(QString(), v));
}

TEST(Convert, PrintfFormats) {
    EXPECT_EQ(ui::format("%7.2f", 549.625), QStringLiteral(" 549.63"));
    EXPECT_EQ(ui::format("%7.3f", 16.3), QStringLiteral(" 16.300"));
    EXPECT_EQ(ui::format("%3d", 7), QStringLiteral("  7"));
}

} // namespace
