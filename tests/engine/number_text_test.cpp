// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/number_text.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace gearsel {
namespace {

TEST(ReadNumberTest, ReadsTheLeadingNumericPart) {
    // The last three lie beyond a double: the largest finite value of its sign, or 0.
    const std::pair<const char*, double> cases[] = {
        {"1.23456", 1.23456}, {"   12", 12.0},      {"1 2 3", 123.0},
        {"- 7", -7.0},        {"abc", 0.0},         {"", 0.0},
        {"12abc", 12.0},      {"1.2.3", 1.2},       {"1,5", 1.0},
        {"1e3", 1000.0},      {"25E-2", 0.25},      {"1e", 1.0},
        {"1e+", 1.0},         {"1 e 2", 100.0},     {"-", 0.0},
        {".", 0.0},           {".5", 0.5},          {"5.", 5.0},
        {"+7", 7.0},          {"--5", 0.0},         {"0000.000125", 0.000125},
        {"1e400", DBL_MAX},   {"-1e400", -DBL_MAX}, {"1e-400", 0.0}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(readNumber(text), expected) << "text: '" << text << "'";
    }
    EXPECT_EQ(readNumber("\t-4.5\n"), -4.5);
    // Exponents too long for any integer type.
    EXPECT_EQ(readNumber("0e99999999999"), 0.0);
    EXPECT_EQ(readNumber("123456789e99999999999999999999"), DBL_MAX);
}

TEST(RoundingTest, HalvesGoToTheEvenNeighbourAndIntegersSaturate) {
    const std::pair<double, double> halves[] = {{14.5, 14.0}, {15.5, 16.0}, {0.5, 0.0},
                                                {-2.5, -2.0}, {-3.5, -4.0}, {40.6, 41.0},
                                                {40.4, 40.0}, {15.4, 15.0}, {std::nan(""), 0.0}};
    for (const auto& [value, expected] : halves) {
        EXPECT_EQ(roundHalfEven(value), expected) << value;
    }
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(roundToInteger(99999.0), 99999);
    EXPECT_EQ(roundToInteger(-32768.5), -32768);
    EXPECT_EQ(roundToInteger(1e300), kMax);
    EXPECT_EQ(roundToInteger(-1e300), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(roundToInteger(INFINITY), kMax);
    EXPECT_EQ(roundToInteger(std::nan("")), 0);
}

TEST(FormatTest, FixedDecimalsWithHalvesAwayFromZeroAsTypedAndLastChars) {
    const struct {
        double value;
        int decimals;
        const char* expected;
    } cases[] = {{0.12345, 5, "0.12345"},   {0.0416666666666, 7, "0.0416667"},
                 {24.0, 7, "24.0000000"},   {9.99999999, 7, "10.0000000"},
                 {1.234565, 5, "1.23457"},  {2.675, 2, "2.68"},
                 {-0.5, 0, "-1"},           {0.5, 0, "1"},
                 {-8.99999, 5, "-8.99999"}, {-0.000001, 5, "0.00000"},
                 {0.0, 3, "0.000"},         {123.456, 0, "123"},
                 {0.047, 3, "0.047"},       {7.9012345e-6, 7, "0.0000079"}};
    for (const auto& c : cases) {
        EXPECT_EQ(formatFixed(c.value, c.decimals), c.expected) << c.value;
    }
    EXPECT_EQ(formatFixed(1e20, 2), "100000000000000000000.00");
    // The last characters of a cell text.
    EXPECT_EQ(lastChars("  12  ", 5), " 12  ");
    EXPECT_EQ(lastChars("abc", 5), "abc");
    EXPECT_EQ(lastChars("", 4), "");
}

} // namespace
} // namespace gearsel
