// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/decimal_fraction.h"
#include "engine/fraction.h"
#include "engine/quantity.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>

namespace gearsel {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

TEST(FractionTest, LowestTermsWithPositiveDenominator) {
    const struct {
        std::int64_t num, den, wantNum, wantDen;
    } cases[] = {{6, 8, 3, 4},       {-6, 8, -3, 4},         {6, -8, -3, 4},
                 {-6, -8, 3, 4},     {0, -5, 0, 1},          {120, 254, 60, 127},
                 {kMin, 1, kMin, 1}, {kMin, 2, kMin / 2, 1}, {kMax, kMax, 1, 1},
                 {kMin, kMin, 1, 1}};
    for (const auto& c : cases) {
        const Fraction f(c.num, c.den);
        EXPECT_EQ(f.num(), c.wantNum) << c.num << "/" << c.den;
        EXPECT_EQ(f.den(), c.wantDen) << c.num << "/" << c.den;
    }
    EXPECT_EQ(Fraction(-3, 6).text(), "-1/2");
    EXPECT_EQ(Fraction(4, 2).text(), "2/1");
    // No denominator 0, and -2^63 cannot change its sign.
    EXPECT_THROW(Fraction(1, 0), std::invalid_argument);
    EXPECT_FALSE(Fraction::make(kMin, -1));
    EXPECT_FALSE(Fraction::make(1, kMin));
}

TEST(FractionTest, ArithmeticIsExactOrNothing) {
    const Fraction half(1, 2);
    const Fraction third(1, 3);
    EXPECT_EQ(half.times(third), Fraction(1, 6));
    EXPECT_EQ(half.dividedBy(Fraction(-1, 3)), Fraction(-3, 2));
    EXPECT_EQ(third.minus(half), Fraction(-1, 6));
    EXPECT_FALSE(half.dividedBy(Fraction(0, 1)));
    // Intermediate products beyond 64 bits are fine when the result fits.
    const Fraction big(kMax, 3);
    EXPECT_EQ(big.times(Fraction(3, kMax)), Fraction(1, 1));
    EXPECT_EQ(big.minus(big), Fraction(0, 1));
    // Results that do not fit.
    EXPECT_FALSE(big.times(Fraction(2, 1)));
    EXPECT_FALSE(Fraction(1, kMax).times(Fraction(1, 2)));
    EXPECT_FALSE(Fraction(kMin, 1).minus(Fraction(1, 1)));
    EXPECT_FALSE(Fraction(1, kMax).minus(Fraction(1, kMax - 1)));
}

TEST(FractionTest, MagnitudeStaysExactWhereTheNegationFits) {
    const Quantity negative = Quantity(Fraction(-7, 3)).magnitude();
    EXPECT_EQ(negative.fraction(), Fraction(7, 3));
    EXPECT_EQ(negative.value(), 7.0 / 3.0);
    EXPECT_EQ(Quantity(Fraction(7, 3)).magnitude().fraction(), Fraction(7, 3));
    EXPECT_EQ(Quantity(-0.25).magnitude().value(), 0.25);
    EXPECT_FALSE(Quantity(-0.25).magnitude().fraction());
    // 2^63 has no 64-bit fraction: the size goes on as a double.
    const Quantity lowest = Quantity(Fraction(kMin, 1)).magnitude();
    EXPECT_FALSE(lowest.fraction());
    EXPECT_EQ(lowest.value(), 9223372036854775808.0);
}

TEST(FractionTest, ToDoubleIsTheNearestDouble) {
    // IEEE division of two exactly held numbers rounds once, so it is the reference below 2^53.
    std::mt19937_64 random(14);
    std::uniform_int_distribution<std::int64_t> small(-(std::int64_t{1} << 53),
                                                      std::int64_t{1} << 53);
    for (int i = 0; i < 20000; ++i) {
        const std::int64_t num = small(random) >> (i % 50);
        const std::int64_t den = std::max<std::int64_t>(1, std::abs(small(random)) >> (i % 45));
        ASSERT_EQ(Fraction(num, den).toDouble(),
                  static_cast<double>(num) / static_cast<double>(den))
            << num << "/" << den;
    }
    // Wider numerators over powers of two: converting the numerator rounds once and the
    // division by 2^k is exact, so that is the reference there; ties go to the even neighbour.
    std::uniform_int_distribution<std::int64_t> wide(kMin, kMax);
    for (int i = 0; i < 20000; ++i) {
        const std::int64_t num = wide(random) | 1; // odd, so that the fraction stays as it is
        const int k = i % 63;
        ASSERT_EQ(Fraction(num, std::int64_t{1} << k).toDouble(),
                  std::ldexp(static_cast<double>(num), -k))
            << num << "/2^" << k;
    }
    EXPECT_EQ(Fraction((std::int64_t{1} << 53) + 1, 1).toDouble(), 9007199254740992.0);
    EXPECT_EQ(Fraction((std::int64_t{1} << 53) + 3, 1).toDouble(), 9007199254740996.0);
    EXPECT_EQ(Fraction(kMin, 1).toDouble(), -9223372036854775808.0);
    EXPECT_EQ(Fraction(1, kMax).toDouble(), 1.0 / 9223372036854775808.0);
    EXPECT_EQ(Fraction(0, 7).toDouble(), 0.0);
}

TEST(DecimalFractionTest, ShortDecimalsAreFractions) {
    const struct {
        const char* text;
        std::int64_t num, den;
    } cases[] = {{"1.25", 5, 4},
                 {"-0.5", -1, 2},
                 {"+2", 2, 1},
                 {".5", 1, 2},
                 {"5.", 5, 1},
                 {"1.5e-3", 3, 2000},
                 {"2E3", 2000, 1},
                 {"0.000125", 1, 8000},
                 {"1.2500000000000000000", 5, 4},
                 {"123456789012345", 123456789012345, 1},
                 {"0.123456789012345", 24691357802469, 200000000000000},
                 {"1.6e-19", 1, 6250000000000000000},
                 {"9e18", 9000000000000000000, 1},
                 {"0e99999999999999999999", 0, 1},
                 {"-0", 0, 1}};
    for (const auto& c : cases) {
        const auto f = decimalFraction(c.text);
        ASSERT_TRUE(f) << c.text;
        EXPECT_EQ(*f, Fraction(c.num, c.den)) << c.text;
    }
    for (const char* none :
         {"1.2345678901234567", "0.47244094488188976", "1e19", "1e-19", "1e400", "5e-324", "", "-",
          ".", "1e", "1e+", "1.2.3", " 1", "1 ", "abc", "1/2", "0x10", "inf", "nan"}) {
        EXPECT_FALSE(decimalFraction(none)) << none;
    }
}

TEST(DecimalFractionTest, FractionReadsAsTheSameDoubleAsTheText) {
    // The search runs on the text's double; its fraction must stand for exactly that number.
    std::mt19937_64 random(1414);
    std::uniform_int_distribution<std::int64_t> significand(1, 999999999999999);
    std::uniform_int_distribution<int> exponent(-34, 18);
    std::uniform_int_distribution<int> point(0, 15);
    int fractions = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string digits = std::to_string(significand(random));
        const auto at =
            std::min<std::size_t>(static_cast<std::size_t>(point(random)), digits.size());
        digits.insert(at, ".");
        const std::string text = digits + "e" + std::to_string(exponent(random));
        double expected = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        if (const auto f = decimalFraction(text)) {
            ASSERT_EQ(f->toDouble(), expected) << text;
            ++fractions;
        }
    }
    EXPECT_GT(fractions, 5000);
}

} // namespace
} // namespace gearsel
