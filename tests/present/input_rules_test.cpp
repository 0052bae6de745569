// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/input_rules.h"

#include <gtest/gtest.h>
#include <vector>

namespace gearsel {
namespace {

TEST(RequiredRatioTest, MovesValuesJustInsideTheReachableRange) {
    // {20, 30, 40, 60}: 1/9 .. 9 with repeats, 0.25 .. 4 without; {20, 20, 40, 40} without
    // repeats collapses to 1 .. 1. A value equal to a bound stays.
    const std::vector<std::int16_t> spread = {20, 30, 40, 60}, collapsed = {20, 20, 40, 40};
    const struct {
        const std::vector<std::int16_t>& gears;
        bool repeats;
        const char* typed;
        const char* expected;
    } cases[] = {
        {spread, true, "12", "8.99999"},      {spread, true, "-12", "-8.99999"},
        {spread, true, "0.1", "0.11112"},     {spread, true, "abc", "0.12345"},
        {spread, true, "0", "0.12345"},       {spread, false, "5", "3.99999"},
        {spread, false, "4", "4.00000"},      {spread, false, "0.25", "0.25000"},
        {collapsed, false, "0.5", "0.99999"}, {collapsed, false, "2", "0.99999"},
        {collapsed, false, "1", "1.00000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(correctRequiredRatio(c.typed, reachableRange(c.gears, c.repeats)).text,
                  c.expected)
            << c.typed;
    }
    // Without gears only zero is replaced.
    EXPECT_EQ(correctRequiredRatio("", std::nullopt).text, "0.12345");
    const auto kept = correctRequiredRatio("1e6", std::nullopt);
    EXPECT_EQ(kept.text, "1000000.00000");
    EXPECT_EQ(kept.value, 1e6);
}

TEST(ZnTest, ClampsOnFocusLossKeepsTextInsideAndHoldsSixteenBitsWhileTyping) {
    const struct {
        const char* typed;
        int zn;
        std::optional<std::string> text;
    } cases[] = {{"3", 5, "5"},    {"41", 40, "40"},   {"abc", 5, "5"},
                 {"40.4", 40, {}}, {"40.6", 40, "40"}, {"99999", 40, "40"},
                 {"15.4", 15, {}}, {"14.5", 14, {}},   {"-1e30", 5, "5"}};
    for (const auto& c : cases) {
        const ZnCorrection z = clampZn(c.typed);
        EXPECT_EQ(z.zn, c.zn) << c.typed;
        EXPECT_EQ(z.text, c.text) << c.typed;
    }
    EXPECT_EQ(znWhileTyping("15.5"), 16);
    EXPECT_EQ(znWhileTyping("99999"), 32767);
    EXPECT_EQ(znWhileTyping("-99999"), -32768);
}

TEST(ListedTrainsTest, HeldFromOneToTheLimitAndStartingRatio) {
    EXPECT_EQ(listedTrainsFromText("5"), 5);
    EXPECT_EQ(listedTrainsFromText("abc"), 1);
    EXPECT_EQ(listedTrainsFromText("-3"), 1);
    EXPECT_EQ(listedTrainsFromText("1e9"), kMaxListedTrains);
    EXPECT_EQ(correctedListedTrainsText("0"), "1");
    EXPECT_EQ(correctedListedTrainsText("5000"), "999");
    EXPECT_EQ(correctedListedTrainsText("7.4"), std::nullopt);
    // The ratio field starts at a random draw from [0, 1) plus 0.1, five decimals.
    EXPECT_EQ(startingRatioText(0.0), "0.10000");
    EXPECT_EQ(startingRatioText(0.999999), "1.10000");
    EXPECT_EQ(startingRatioText(0.123456), "0.22346");
}

} // namespace
} // namespace gearsel
