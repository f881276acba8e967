#include "testsupport/locale_text.h"
#include "ui/convert.h"

#include <QLocale>
#include <clocale>
#include <gtest/gtest.h>
#include <string>

namespace {

using testsupport::DefaultLocale;

struct FloatCase {
    const char* text;
    bool ok;
    double value;
};

void expectReads(const FloatCase& c) {
    SCOPED_TRACE(c.text);
    double v = -1;
    EXPECT_EQ(ui::tryFloat(QString::fromUtf8(c.text), v), c.ok);
    if (c.ok) {
        EXPECT_DOUBLE_EQ(v, c.value);
    }
}

TEST(Convert, FloatReadsTheWholeTextWithBlanksAround) {
    DefaultLocale english("en_US");
    const FloatCase cases[] = {
        {"12.5", true, 12.5},  {"  12.5 ", true, 12.5}, {"-5", true, -5.0},  {"+3", true, 3.0},
        {"1e3", true, 1000.0}, {".5", true, 0.5},       {"", false, 0},      {"   ", false, 0},
        {"12,5", false, 0},    {"12.5x", false, 0},     {"1 000", false, 0}, {"0x10", false, 0},
        {"inf", false, 0},     {"nan", false, 0},       {"1e999", false, 0}, {"$5", false, 0},
        {"1,000", false, 0},   {"\t7\t", true, 7.0},    {"+-1", false, 0},   {"1.2.3", false, 0},
    };
    for (const auto& c : cases)
        expectReads(c);
}

TEST(Convert, CommaLocaleReadsItsSeparatorAndRefusesItsGroupSeparator) {
    DefaultLocale german("de_DE");
    ASSERT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
    ASSERT_EQ(QLocale().groupSeparator(), QStringLiteral("."));
    const FloatCase cases[] = {
        {"12,5", true, 12.5},   {"50000,00", true, 50000.0}, {" -0,75 ", true, -0.75},
        {",5", true, 0.5},      {"1,5e3", true, 1500.0},     {"7", true, 7.0},
        {"12.5", false, 0},     {"1.000", false, 0},         {"1.000,50", false, 0},
        {"1,2,3", false, 0},    {"12,5x", false, 0},         {"", false, 0},
        {"1 000,00", false, 0}, {"inf", false, 0},
    };
    for (const auto& c : cases)
        expectReads(c);
}

TEST(Convert, DotIsReadWhereItCannotBeAGroupSeparator) {
    DefaultLocale french("fr_FR");
    ASSERT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
    ASSERT_NE(QLocale().groupSeparator(), QStringLiteral("."));
    const FloatCase cases[] = {
        {"12,5", true, 12.5},
        {"12.5", true, 12.5},
        {"1.2,5", false, 0},
        {"1\u202F000", false, 0},
    };
    for (const auto& c : cases)
        expectReads(c);
}

TEST(Convert, FailureCarriesTheUsersMessageWithTheTextAsTyped) {
    for (const char* locale : {"en_US", "de_DE"}) {
        SCOPED_TRACE(locale);
        DefaultLocale pinned(locale);
        try {
            ui::toFloat(QStringLiteral(" 12a"));
            FAIL() << "no exception";
        } catch (const ui::ConvertError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("' 12a' is not a valid floating point value"));
        }
        try {
            ui::toInt(QStringLiteral("2,5"));
            FAIL() << "no exception";
        } catch (const ui::ConvertError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'2,5' is not a valid integer value"));
        }
    }
}

TEST(Convert, IntegerRangeAndForm) {
    for (const char* locale : {"en_US", "de_DE"}) {
        SCOPED_TRACE(locale);
        DefaultLocale pinned(locale);
        int v = 0;
        EXPECT_TRUE(ui::tryInt(QStringLiteral(" 42 "), v));
        EXPECT_EQ(v, 42);
        EXPECT_TRUE(ui::tryInt(QStringLiteral("+7"), v));
        EXPECT_EQ(v, 7);
        EXPECT_TRUE(ui::tryInt(QStringLiteral("-2147483648"), v));
        EXPECT_EQ(v, -2147483647 - 1);
        EXPECT_FALSE(ui::tryInt(QStringLiteral("2147483648"), v));
        EXPECT_FALSE(ui::tryInt(QStringLiteral("1e3"), v));
        EXPECT_FALSE(ui::tryInt(QStringLiteral("4-"), v));
        EXPECT_FALSE(ui::tryInt(QStringLiteral("1.000"), v));
        EXPECT_FALSE(ui::tryInt(QStringLiteral("1,0"), v));
        EXPECT_FALSE(ui::tryInt(QString(), v));
    }
}

struct FormatCase {
    const char* fmt;
    double value;
    const char* english;
    const char* german;
};

TEST(Convert, PrintfFormatsKeepTheirWidthWithTheUsersSeparator) {
    const FormatCase cases[] = {
        {"%7.2f", 549.625, " 549.63", " 549,63"},
        {"%7.2f", 50000.0, "50000.00", "50000,00"},
        {"%7.3f", 16.3, " 16.300", " 16,300"},
        {"%7.0f", 1234.4, "   1234", "   1234"},
        {"%7.2f", -0.5, "  -0.50", "  -0,50"},
        {"%7.2f", 1234567.0, "1234567.00", "1234567,00"},
        {"Rate %.1f.", 12.5, "Rate 12.5.", "Rate 12,5."},
        {"%.1f%%", 12.5, "12.5%", "12,5%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fmt);
        {
            DefaultLocale english("en_US");
            EXPECT_EQ(ui::format(c.fmt, c.value), QString::fromLatin1(c.english));
        }
        {
            DefaultLocale german("de_DE");
            EXPECT_EQ(ui::format(c.fmt, c.value), QString::fromLatin1(c.german));
        }
    }
    DefaultLocale german("de_DE");
    EXPECT_EQ(ui::format("%3d", 7), QStringLiteral("  7"));
    EXPECT_EQ(ui::format("%3d", 1234), QStringLiteral("1234"));
}

TEST(Convert, ReadsWhatItShows) {
    for (const char* locale : {"en_US", "de_DE", "fr_FR"}) {
        SCOPED_TRACE(locale);
        DefaultLocale pinned(locale);
        for (double shown : {438.79, 50000.0, -0.25, 0.0, 12345678.9}) {
            double back = 0;
            ASSERT_TRUE(ui::tryFloat(ui::format("%7.2f", shown), back))
                << ui::format("%7.2f", shown).toStdString();
            EXPECT_DOUBLE_EQ(back, shown);
        }
    }
}

// The bug this guards against: strtod follows LC_NUMERIC, so under de_DE the program refused its
// own "50000.00". Reading follows QLocale() only.
TEST(Convert, TheCLibraryLocaleDoesNotMatter) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not generated here";
    double v = 0;
    {
        DefaultLocale english("en_US");
        EXPECT_TRUE(ui::tryFloat(QStringLiteral("50000.00"), v));
        EXPECT_DOUBLE_EQ(v, 50000.0);
        EXPECT_FALSE(ui::tryFloat(QStringLiteral("50000,00"), v));
        EXPECT_EQ(ui::format("%7.2f", 438.79), QStringLiteral(" 438.79"));
    }
    {
        DefaultLocale german("de_DE");
        EXPECT_TRUE(ui::tryFloat(QStringLiteral("12,5"), v));
        EXPECT_DOUBLE_EQ(v, 12.5);
    }
    std::setlocale(LC_NUMERIC, "C");
    {
        DefaultLocale german("de_DE");
        EXPECT_TRUE(ui::tryFloat(QStringLiteral("50000,00"), v));
        EXPECT_DOUBLE_EQ(v, 50000.0);
        EXPECT_EQ(ui::format("%7.2f", 438.79), QStringLiteral(" 438,79"));
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(LocaleText, NumFollowsTheDefaultLocale) {
    {
        DefaultLocale german("de_DE");
        EXPECT_EQ(testsupport::num("50000.00"), QStringLiteral("50000,00"));
        EXPECT_EQ(testsupport::num(" 438.79"), QStringLiteral(" 438,79"));
    }
    DefaultLocale english("en_US");
    EXPECT_EQ(testsupport::num("50000.00"), QStringLiteral("50000.00"));
}

// The second pass of the test script runs under a comma locale; this shows it really does.
TEST(LocaleText, TheProcessLocaleIsTheOneTheEnvironmentNames) {
    const QByteArray named = qEnvironmentVariableIsEmpty("LC_ALL") ? qgetenv("LANG") : qgetenv("LC_ALL");
    if (named.startsWith("de_DE")) {
        EXPECT_EQ(QLocale::system().decimalPoint(), QStringLiteral(","));
        EXPECT_EQ(testsupport::num("1.5"), QStringLiteral("1,5"));
        EXPECT_EQ(ui::format("%7.2f", 438.79), QStringLiteral(" 438,79"));
    } else if (named.isEmpty() || named == "C" || named.startsWith("C.") || named.startsWith("en_")) {
        EXPECT_EQ(QLocale::system().decimalPoint(), QStringLiteral("."));
    }
}

} // namespace
