// SPDX-License-Identifier: GPL-3.0-or-later
// Exact errors of whole-number ratios P/Q against a required fraction or double, worked out by
// hand in exact arithmetic.

#include "engine/ratio_target.h"

#include <cfloat>
#include <gtest/gtest.h>

namespace gearsel {
namespace {

TEST(RatioTargetTest, FractionsDecideSidesAndTiesExactly) {
    const RatioTarget half(0.5, Fraction(1, 2));
    EXPECT_EQ(half.side(1, 4), -1);
    EXPECT_EQ(half.side(2, 4), 0);
    EXPECT_EQ(half.side(3, 4), 1);
    // 1/4 and 3/4 lie 1/4 below and above: a tie; 5/8 lies 1/8 above.
    EXPECT_EQ(half.compareErrors(1, 4, 3, 4), 0);
    EXPECT_EQ(half.compareErrors(5, 8, 1, 4), -1);
    EXPECT_EQ(half.compareErrors(1, 4, 5, 8), 1);
    EXPECT_EQ(half.absError(5, 8), 0.125);
    EXPECT_EQ(half.absError(8000, 16000), 0.0);

    // The largest products against a fraction with 63-bit terms: 255^3 / 10^3 - (2^62 + 1) /
    // 2^62 = 16580.375 - 2^-62, whose nearest double is 16580.375.
    const std::int64_t big = std::int64_t{1} << 62;
    const RatioTarget wide(1.0, Fraction(big + 1, big));
    EXPECT_EQ(wide.side(16581375, 1000), 1);
    EXPECT_EQ(wide.absError(16581375, 1000), 16580.375);
    EXPECT_EQ(wide.compareErrors(1000, 1000, 1001, 1000), -1);

    // A negative fraction: every train lies above it, nearer the smaller its ratio.
    const RatioTarget negative(-0.75, Fraction(-3, 4));
    EXPECT_EQ(negative.side(1000, 16581375), 1);
    EXPECT_EQ(negative.compareErrors(1, 2, 1, 3), 1);
    EXPECT_EQ(negative.absError(1, 4), 1.0);
}

TEST(RatioTargetTest, ADoubleWithoutFractionCountsAsTheBinaryNumberItIs) {
    // The double nearest to 1/3 is 6004799503160661 / 2^54, below 1/3 by 1 / (3·2^54): a
    // train of ratio 1/3 lies above it, although 1.0 / 3 rounds to it.
    const double third = 1.0 / 3.0;
    const RatioTarget target(third, std::nullopt);
    EXPECT_EQ(target.side(1, 3), 1);
    EXPECT_EQ(target.absError(1, 3), 1.0 / (3.0 * 0x1p54));
    EXPECT_EQ(target.compareErrors(1, 3, 2, 6), 0);
    // 0.1 lies above 1/10 by 2^-55 / 5 = 5.55e-18 and 1/3 is far off.
    const RatioTarget tenth(0.1, std::nullopt);
    EXPECT_EQ(tenth.side(100, 1000), -1);
    EXPECT_EQ(tenth.absError(1, 10), 0x1p-55 / 5.0);
    EXPECT_EQ(tenth.compareErrors(1, 10, 1, 3), -1);
}

TEST(RatioTargetTest, RatiosBeyondEveryTrainOrderByDistance) {
    // Every train's ratio lies between 1000 / 255^3 and 255^3 / 1000; beyond them the nearer
    // train is simply the one closer to that side, and the error the plain difference.
    const struct {
        const char* name;
        double ratio;
        std::uint32_t nearP, nearQ, farP, farQ;
        double nearError;
    } rows[] = {
        {"negative", -2.5, 1, 1, 2, 1, 3.5},
        {"tiny", 1e-300, 1, 1000, 1, 10, 0.001},
        {"smallest double", 0x1p-1074, 1000, 16581375, 1, 1, 1000.0 / 16581375},
        {"huge", 1e300, 200, 1, 100, 1, 1e300},
        {"largest double", DBL_MAX, 16581375, 1000, 1, 1, DBL_MAX},
    };
    for (const auto& row : rows) {
        const RatioTarget target(row.ratio, std::nullopt);
        EXPECT_EQ(target.compareErrors(row.nearP, row.nearQ, row.farP, row.farQ), -1) << row.name;
        EXPECT_EQ(target.compareErrors(row.farP, row.farQ, row.nearP, row.nearQ), 1) << row.name;
        EXPECT_EQ(target.compareErrors(row.nearP, row.nearQ, 2 * row.nearP, 2 * row.nearQ), 0)
            << row.name;
        EXPECT_EQ(target.side(row.nearP, row.nearQ), row.ratio < 1.0 ? 1 : -1) << row.name;
        EXPECT_EQ(target.absError(row.nearP, row.nearQ), row.nearError) << row.name;
    }
}

} // namespace
} // namespace gearsel
