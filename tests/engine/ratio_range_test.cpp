// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ratio_range.h"

#include <gtest/gtest.h>
#include <vector>

namespace gearsel {
namespace {

TEST(RatioRangeTest, Captions) {
    const std::vector<std::int16_t> fourteen = {20, 25, 30, 35, 40, 45,  50,
                                                55, 60, 70, 80, 90, 100, 120};
    const struct {
        std::vector<std::int16_t> gears;
        bool repeats;
        const char* caption;
    } cases[] = {
        {fourteen, false, "0.0416667 - 24.0000000"},
        {fourteen, true, "0.0277778 - 36.0000000"},
        // Second gears with the smallest or largest count do not count.
        {{20, 20, 40, 80}, false, "0.2500000 - 4.0000000"},
        {{20, 20, 40, 80}, true, "0.0625000 - 16.0000000"},
        {{80, 20, 40, 20}, false, "0.2500000 - 4.0000000"}, // a stored list in any order
        // Degenerate sets; two distinct counts without repeats drive each other.
        {{30, 30, 30}, false, "1.0000000 - 1.0000000"},
        {{30}, true, "1.0000000 - 1.0000000"},
        {{20, 40}, false, "1.0000000 - 1.0000000"},
        {{20, 20, 40, 40}, false, "1.0000000 - 1.0000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rangeCaption(reachableRange(c.gears, c.repeats).value()), c.caption);
    }
    EXPECT_FALSE(reachableRange({}, true));
    // The exact doubles.
    const std::vector<std::int16_t> gears = {20, 30, 40, 60};
    const RatioRange with = reachableRange(gears, true).value();
    EXPECT_EQ(with.low, (20.0 / 60.0) * (20.0 / 60.0));
    EXPECT_EQ(with.high, 1.0 / with.low);
    const RatioRange without = reachableRange(gears, false).value();
    EXPECT_EQ(without.low, 0.25);
    EXPECT_EQ(without.high, 4.0);
}

TEST(RatioRangeTest, ThreePairsTakeAThirdDriverAndDrivenGear) {
    const struct {
        const char* name;
        std::vector<std::int16_t> gears;
        bool repeats;
        double low; // worked by hand, in the order the range multiplies
    } cases[] = {
        // 20/60 three times; without repeats 20/60 x 30/40 x 40/30, the middle counts shared.
        {"repeats", {20, 30, 40, 60}, true, (20.0 / 60.0) * (20.0 / 60.0) * (20.0 / 60.0)},
        {"no repeats", {60, 40, 30, 20}, false, (((20.0 / 60.0) * 30.0) / 40.0 * 40.0) / 30.0},
        // 20/80 x 25/70 x 30/65 from six distinct counts and copies of the ends.
        {"six counts",
         {20, 20, 25, 30, 65, 70, 80, 80},
         false,
         (((20.0 / 80.0) * 25.0) / 70.0 * 30.0) / 65.0},
        // Three counts: the drivers are the driven gears; two counts would give 20/40 x 40/20
        // x 40/20 = 2 and make no train either: both stay at 1.
        {"three counts", {20, 30, 40}, false, 1.0},
        {"two counts", {20, 40}, false, 1.0},
    };
    for (const auto& c : cases) {
        const RatioRange range = reachableRange(c.gears, c.repeats, 3).value();
        EXPECT_EQ(range.low, c.low) << c.name;
        EXPECT_EQ(range.high, 1.0 / c.low) << c.name;
    }
}

} // namespace
} // namespace gearsel
