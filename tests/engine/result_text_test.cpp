#include "engine/result_text.h"

#include <gtest/gtest.h>

namespace gearsel {
namespace {

ResultSlot slot(int z1, int z2, int z3, int z4, bool repeat, double ratio, double error) {
    return ResultSlot{GearTrain{static_cast<std::int16_t>(z1), static_cast<std::int16_t>(z2),
                                static_cast<std::int16_t>(z3), static_cast<std::int16_t>(z4)},
                      repeat, ratio, error};
}

TEST(ResultTextTest, HeadingsAndEmptyRows) {
    EXPECT_EQ(resultHeadings(), (ResultRowTexts{" №", " Z1", " Z2", " Z3", " Z4", "  计算速比",
                                                "  绝对精度", "  相对精度"}));
    EXPECT_EQ(emptyResultRow(3), (ResultRowTexts{"3 ", " ", " ", " ", " ", " ", " ", " "}));
    EXPECT_EQ(emptyResultRow(12)[0], "12 ");
}

TEST(ResultTextTest, TwoPairRowWithMark) {
    const auto row = resultRow(1, slot(50, 45, 50, 45, true, 1.2345679012345678, 7.9e-6), 1.23456);
    EXPECT_EQ(row, (ResultRowTexts{"  1R ", " 50 ", " 45 ", " 50 ", " 45 ", "1.2345679 ",
                                   "0.0000079 ", "0.0000064 "}));
}

TEST(ResultTextTest, SlotNumberAndToothCountsAreRightAligned) {
    const auto row = resultRow(12, slot(100, 45, 25, 120, false, 0.462962963, 0.5), 1.0);
    EXPECT_EQ(row[0], " 12  ");
    EXPECT_EQ(row[1], "100 ");
    EXPECT_EQ(row[3], " 25 ");
}

TEST(ResultTextTest, SinglePairLeavesItsSecondPairBlank) {
    const auto row = resultRow(2, slot(25, 20, 0, 0, false, 1.25, 0.0), 1.25);
    EXPECT_EQ(row[3], "");
    EXPECT_EQ(row[4], "");
    EXPECT_EQ(row[5], "1.2500000 ");
    EXPECT_EQ(row[7], "0.0000000 ");
}

TEST(ResultTextTest, LargeRatiosShowSixDecimals) {
    EXPECT_EQ(resultRow(1, slot(100, 20, 50, 20, false, 12.5, 0.25), 12.25)[5], "12.500000 ");
    EXPECT_EQ(resultRow(1, slot(100, 20, 50, 20, false, 9.9999999, 0.25), 10)[5], "9.9999999 ");
    EXPECT_EQ(resultRow(1, slot(100, 20, 50, 20, false, 10.0, 0.25), 10)[5], "10.000000 ");
}

TEST(ResultTextTest, NegativeRequiredRatioGivesNegativeRelativeError) {
    const auto s = slot(20, 120, 0, 0, false, 1.0 / 6.0, 1.0 / 6.0 + 0.5);
    EXPECT_DOUBLE_EQ(relativeError(s, -0.5), -(1.0 / 6.0 + 0.5) / 0.5);
    EXPECT_EQ(resultRow(1, s, -0.5)[7], "-1.3333333 ");
}

TEST(ResultTextTest, SecondsText) {
    EXPECT_EQ(secondsText(0.047), "0.047 s");
    EXPECT_EQ(secondsText(1.6649), "1.665 s");
    EXPECT_EQ(secondsText(0.0), "0.000 s");
}

} // namespace
} // namespace gearsel
