// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/result_text.h"

#include <gtest/gtest.h>

namespace gearsel {
namespace {

TEST(ResultTextTest, HeadingsEmptyRowsAndSeconds) {
    EXPECT_EQ(resultHeadings(Language::Chinese),
              (ResultRowTexts{" №", " Z1", " Z2", " Z3", " Z4", "  计算速比", "  绝对精度",
                              "  相对精度"}));
    EXPECT_EQ(emptyResultRow(3), (ResultRowTexts{"3 ", " ", " ", " ", " ", " ", " ", " "}));
    EXPECT_EQ(emptyResultRow(12)[0], "12 ");
    EXPECT_EQ(secondsText(0.047), "0.047 s");
    EXPECT_EQ(secondsText(1.6649), "1.665 s");
}

TEST(ResultTextTest, FilledRows) {
    const auto row = [](int number, GearTrain t, bool repeat, double ratio, double error,
                        double required) {
        return resultRow(number, ResultSlot{t, repeat, ratio, error}, required);
    };
    EXPECT_EQ(row(1, {50, 45, 50, 45}, true, 1.2345679012345678, 7.9e-6, 1.23456),
              (ResultRowTexts{"  1R ", " 50 ", " 45 ", " 50 ", " 45 ", "1.2345679 ", "0.0000079 ",
                              "0.0000064 "}));
    // Slot numbers and tooth counts right-aligned, a single pair's second pair blank.
    const ResultRowTexts twelfth = row(12, {100, 45, 25, 120}, false, 0.462962963, 0.5, 1.0);
    EXPECT_EQ(twelfth[0], " 12  ");
    EXPECT_EQ(twelfth[1], "100 ");
    EXPECT_EQ(row(2, {25, 20, 0, 0}, false, 1.25, 0.0, 1.25),
              (ResultRowTexts{"  2  ", " 25 ", " 20 ", "", "", "1.2500000 ", "0.0000000 ",
                              "0.0000000 "}));
    // From 10 on a ratio shows six decimals.
    EXPECT_EQ(row(1, {100, 20, 50, 20}, false, 12.5, 0.25, 12.25)[5], "12.500000 ");
    EXPECT_EQ(row(1, {100, 20, 50, 20}, false, 9.9999999, 0.25, 10)[5], "9.9999999 ");
    EXPECT_EQ(row(1, {100, 20, 50, 20}, false, 10.0, 0.25, 10)[5], "10.000000 ");
    // A negative required ratio gives a negative relative error.
    const ResultSlot single{{20, 120, 0, 0}, false, 1.0 / 6.0, 1.0 / 6.0 + 0.5};
    EXPECT_DOUBLE_EQ(relativeError(single, -0.5), -(1.0 / 6.0 + 0.5) / 0.5);
    EXPECT_EQ(resultRow(1, single, -0.5)[7], "-1.3333333 ");
}

TEST(ResultTextTest, ThreePairRowsWidenTheGridToSixGears) {
    EXPECT_EQ(threePairHeadings(Language::Chinese),
              (ThreePairRowTexts{" №", " Z1", " Z2", " Z3", " Z4", " Z5", " Z6", "  计算速比",
                                 "  绝对精度", "  相对精度"}));
    // 24 * 25 * 20 / (100 * 100 * 120) = 12000 / 1200000 = 0.01, 0.04 away from 0.05 (0.8 of it).
    const ThreePairSlot slot{{24, 100, 25, 100, 20, 120}, true, 0.01, 0.04};
    EXPECT_EQ(threePairRow(3, slot, 0.05),
              (ThreePairRowTexts{"  3R ", " 24 ", "100 ", " 25 ", "100 ", " 20 ", "120 ",
                                 "0.0100000 ", "0.0400000 ", "0.8000000 "}));
}

// A row's tooltip tells the train's fraction and whether it is exactly the required one, which
// the rounded cells cannot: 60/127 and a train 1e-9 away look alike there.
TEST(ResultTextTest, ToolTipTellsExactTrainsFromCloseOnes) {
    const ResultSlot exact{{60, 127, 0, 0}, false, 60.0 / 127, 0.0};
    const ResultSlot pair{{30, 40, 80, 127}, false, 0.47244094488188976, 0.0};
    const ResultSlot close{{26, 55, 0, 0}, false, 26.0 / 55, 1e-4};
    const std::optional<Fraction> required = Fraction(60, 127);
    const std::optional<Fraction> none;
    const struct {
        const char* name;
        const ResultSlot& slot;
        const std::optional<Fraction>& required;
        Language language;
        const char* tip;
    } rows[] = {
        {"exact", exact, required, Language::Chinese,
         "速比分数 60/127，与要求速比完全相同（精确）"},
        {"exact in two pairs", pair, required, Language::Chinese,
         "速比分数 60/127，与要求速比完全相同（精确）"},
        {"close", close, required, Language::Chinese,
         "速比分数 26/55，与要求速比 60/127 不完全相同"},
        {"no fraction required", exact, none, Language::Chinese,
         "速比分数 60/127；要求速比不是准确的分数，无法判断是否精确"},
        {"exact, English", pair, required, Language::English,
         "Ratio 60/127, exactly the required ratio (exact)"},
        {"close, English", close, required, Language::English,
         "Ratio 26/55, not exactly the required 60/127"},
        {"no fraction required, English", exact, none, Language::English,
         "Ratio 60/127; the required ratio is no exact fraction, so exactness is unknown"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(resultToolTip(row.slot, row.required, row.language), row.tip) << row.name;
    }
}

} // namespace
} // namespace gearsel
