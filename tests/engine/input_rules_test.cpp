#include "engine/input_rules.h"

#include <gtest/gtest.h>
#include <vector>

namespace gearsel {
namespace {

std::string corrected(std::vector<std::int16_t> gears, bool repeats, const char* typed) {
    return correctRequiredRatio(typed, reachableRange(gears, repeats)).text;
}

TEST(RequiredRatioTest, MovesValuesJustInsideTheReachableRange) {
    const std::vector<std::int16_t> set = {20, 30, 40, 60};
    EXPECT_EQ(corrected(set, true, "12"), "8.99999");
    EXPECT_EQ(corrected(set, true, "-12"), "-8.99999");
    EXPECT_EQ(corrected(set, true, "0.1"), "0.11112");
    EXPECT_EQ(corrected(set, true, "abc"), "0.12345");
    EXPECT_EQ(corrected(set, true, "0"), "0.12345");
    EXPECT_EQ(corrected(set, false, "5"), "3.99999");
    // A value equal to a bound stays.
    EXPECT_EQ(corrected(set, false, "4"), "4.00000");
    EXPECT_EQ(corrected(set, false, "0.25"), "0.25000");
}

TEST(RequiredRatioTest, CollapsedRangeEndsJustBelowOne) {
    const std::vector<std::int16_t> set = {20, 20, 40, 40};
    EXPECT_EQ(corrected(set, false, "0.5"), "0.99999");
    EXPECT_EQ(corrected(set, false, "2"), "0.99999");
    EXPECT_EQ(corrected(set, false, "1"), "1.00000");
}

TEST(RequiredRatioTest, WithoutGearsOnlyZeroIsReplaced) {
    EXPECT_EQ(correctRequiredRatio("", std::nullopt).text, "0.12345");
    const auto kept = correctRequiredRatio("1e6", std::nullopt);
    EXPECT_EQ(kept.text, "1000000.00000");
    EXPECT_EQ(kept.value, 1e6);
}

TEST(ZnTest, ClampsOnFocusLossAndKeepsTextInside) {
    struct Case {
        const char* typed;
        int zn;
        std::optional<std::string> text;
    };
    for (const Case& c :
         {Case{"3", 5, "5"}, Case{"41", 40, "40"}, Case{"abc", 5, "5"},
          Case{"40.4", 40, std::nullopt}, Case{"40.6", 40, "40"}, Case{"99999", 40, "40"},
          Case{"15.4", 15, std::nullopt}, Case{"14.5", 14, std::nullopt}, Case{"-1e30", 5, "5"}}) {
        const ZnCorrection z = clampZn(c.typed);
        EXPECT_EQ(z.zn, c.zn) << c.typed;
        EXPECT_EQ(z.text, c.text) << c.typed;
    }
}

TEST(ZnTest, TypingHoldsInsideSixteenBits) {
    EXPECT_EQ(znWhileTyping("15.5"), 16);
    EXPECT_EQ(znWhileTyping("99999"), 32767);
    EXPECT_EQ(znWhileTyping("-99999"), -32768);
}

TEST(ListedTrainsTest, HeldFromOneToTheLimit) {
    EXPECT_EQ(listedTrainsFromText("5"), 5);
    EXPECT_EQ(listedTrainsFromText("abc"), 1);
    EXPECT_EQ(listedTrainsFromText("-3"), 1);
    EXPECT_EQ(listedTrainsFromText("1e9"), kMaxListedTrains);
    EXPECT_EQ(correctedListedTrainsText("0"), std::optional<std::string>("1"));
    EXPECT_EQ(correctedListedTrainsText("5000"), std::optional<std::string>("999"));
    EXPECT_EQ(correctedListedTrainsText("7.4"), std::nullopt);
}

TEST(StartingRatioTest, FiveDecimalsFromPointOneToOnePointOne) {
    EXPECT_EQ(startingRatioText(0.0), "0.10000");
    EXPECT_EQ(startingRatioText(0.999999), "1.10000");
    EXPECT_EQ(startingRatioText(0.123456), "0.22346");
}

} // namespace
} // namespace gearsel
