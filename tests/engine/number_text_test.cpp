#include "engine/number_text.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace gearsel {
namespace {

struct ReadCase {
    const char* name;
    const char* text;
    double expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadNumberTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberTest, ReadsLeadingNumericPart) {
    EXPECT_EQ(readNumber(GetParam().text), GetParam().expected)
        << "text: '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumberTest,
    ::testing::Values(
        ReadCase{"Plain", "1.23456", 1.23456}, ReadCase{"LeadingBlanks", "   12", 12.0},
        ReadCase{"BlanksInsideAreSkipped", "1 2 3", 123.0},
        ReadCase{"TabsAndLineFeeds", "\t-4.5\n", -4.5},
        ReadCase{"BlankBetweenSignAndDigits", "- 7", -7.0}, ReadCase{"NoNumber", "abc", 0.0},
        ReadCase{"Empty", "", 0.0}, ReadCase{"TrailingText", "12abc", 12.0},
        ReadCase{"SecondPointStops", "1.2.3", 1.2}, ReadCase{"CommaIsNoDecimalPoint", "1,5", 1.0},
        ReadCase{"Exponent", "1e3", 1000.0}, ReadCase{"NegativeExponent", "25E-2", 0.25},
        ReadCase{"ExponentWithoutDigits", "1e", 1.0},
        ReadCase{"ExponentSignWithoutDigits", "1e+", 1.0},
        ReadCase{"SpacedExponent", "1 e 2", 100.0}, ReadCase{"SignOnly", "-", 0.0},
        ReadCase{"PointOnly", ".", 0.0}, ReadCase{"FractionOnly", ".5", 0.5},
        ReadCase{"PointAtEnd", "5.", 5.0}, ReadCase{"PlusSign", "+7", 7.0},
        ReadCase{"DoubleSign", "--5", 0.0}, ReadCase{"Overflow", "1e400", DBL_MAX},
        ReadCase{"NegativeOverflow", "-1e400", -DBL_MAX},
        ReadCase{"LongOverflow", "123456789e99999999999999999999", DBL_MAX},
        ReadCase{"Underflow", "1e-400", 0.0},
        ReadCase{"ZeroWithHugeExponent", "0e99999999999", 0.0},
        ReadCase{"ManyLeadingZeros", "0000.000125", 0.000125}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(14.5), 14.0);
    EXPECT_EQ(roundHalfEven(15.5), 16.0);
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(-3.5), -4.0);
    EXPECT_EQ(roundHalfEven(40.6), 41.0);
    EXPECT_EQ(roundHalfEven(40.4), 40.0);
    EXPECT_EQ(roundHalfEven(15.4), 15.0);
    EXPECT_EQ(roundHalfEven(std::nan("")), 0.0);
}

TEST(RoundToIntegerTest, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(roundToInteger(99999.0), 99999);
    EXPECT_EQ(roundToInteger(-32768.5), -32768);
    EXPECT_EQ(roundToInteger(1e300), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(roundToInteger(-1e300), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(roundToInteger(std::numeric_limits<double>::infinity()),
              std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(roundToInteger(std::nan("")), 0);
}

struct FormatCase {
    const char* name;
    double value;
    int decimals;
    const char* expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.name;
}

class FormatFixedTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatFixedTest, Formats) {
    EXPECT_EQ(formatFixed(GetParam().value, GetParam().decimals), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatFixedTest,
    ::testing::Values(FormatCase{"FiveDecimals", 0.12345, 5, "0.12345"},
                      FormatCase{"LeadingZero", 0.0416666666666, 7, "0.0416667"},
                      FormatCase{"PadsZeros", 24.0, 7, "24.0000000"},
                      FormatCase{"CarryIntoIntegerPart", 9.99999999, 7, "10.0000000"},
                      FormatCase{"HalfAsTypedRoundsUp", 1.234565, 5, "1.23457"},
                      FormatCase{"HalfAsTypedTwoDecimals", 2.675, 2, "2.68"},
                      FormatCase{"HalfAwayFromZero", -0.5, 0, "-1"},
                      FormatCase{"HalfUp", 0.5, 0, "1"},
                      FormatCase{"NegativeValue", -8.99999, 5, "-8.99999"},
                      FormatCase{"NegativeZeroHasNoSign", -0.000001, 5, "0.00000"},
                      FormatCase{"Zero", 0.0, 3, "0.000"},
                      FormatCase{"NoDecimals", 123.456, 0, "123"},
                      FormatCase{"Seconds", 0.047, 3, "0.047"},
                      FormatCase{"TinyValue", 7.9012345e-6, 7, "0.0000079"},
                      FormatCase{"Huge", 1e20, 2, "100000000000000000000.00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LastCharsTest, KeepsTheTail) {
    EXPECT_EQ(lastChars("  12  ", 5), " 12  ");
    EXPECT_EQ(lastChars("abc", 5), "abc");
    EXPECT_EQ(lastChars("", 4), "");
}

} // namespace
} // namespace gearsel
