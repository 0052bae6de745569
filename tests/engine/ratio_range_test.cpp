#include "engine/ratio_range.h"

#include <gtest/gtest.h>
#include <vector>

namespace gearsel {
namespace {

std::string caption(std::vector<std::int16_t> gears, bool repeats) {
    auto range = reachableRange(gears, repeats);
    return range ? rangeCaption(*range) : "none";
}

TEST(RatioRangeTest, CaptionsOfKnownSets) {
    const std::vector<std::int16_t> fourteen = {20, 25, 30, 35, 40, 45,  50,
                                                55, 60, 70, 80, 90, 100, 120};
    EXPECT_EQ(caption(fourteen, false), "0.0416667 - 24.0000000");
    EXPECT_EQ(caption(fourteen, true), "0.0277778 - 36.0000000");
    // Second gears with the smallest or largest count do not count.
    EXPECT_EQ(caption({20, 20, 40, 80}, false), "0.2500000 - 4.0000000");
    EXPECT_EQ(caption({20, 20, 40, 80}, true), "0.0625000 - 16.0000000");
    EXPECT_EQ(caption({20, 30, 40, 60}, false), "0.2500000 - 4.0000000");
}

TEST(RatioRangeTest, DegenerateSets) {
    EXPECT_EQ(caption({30, 30, 30}, false), "1.0000000 - 1.0000000");
    EXPECT_EQ(caption({30}, true), "1.0000000 - 1.0000000");
    // Two distinct counts without repeats: the larger drives the smaller and back.
    EXPECT_EQ(caption({20, 40}, false), "1.0000000 - 1.0000000");
    EXPECT_EQ(caption({20, 20, 40, 40}, false), "1.0000000 - 1.0000000");
    EXPECT_EQ(caption({}, true), "none");
}

TEST(RatioRangeTest, ExactDoubles) {
    const std::vector<std::int16_t> gears = {20, 30, 40, 60};
    const auto with = reachableRange(gears, true);
    ASSERT_TRUE(with);
    EXPECT_EQ(with->low, (20.0 / 60.0) * (20.0 / 60.0));
    EXPECT_EQ(with->high, 1.0 / with->low);
    const auto without = reachableRange(gears, false);
    ASSERT_TRUE(without);
    EXPECT_EQ(without->low, 0.25);
    EXPECT_EQ(without->high, 4.0);
}

} // namespace
} // namespace gearsel
