// SPDX-License-Identifier: GPL-3.0-or-later
// Chart plans: the titles, the constants a chart uses, and which input each refusal blames,
// so that the window can name it in its own words while the command line keeps the engine's.

#include "engine/pitch_notation.h"
#include "present/chart_plan.h"
#include "present/chart_problem_text.h"
#include "present/constant_text.h"

#include <gtest/gtest.h>
#include <set>

namespace gearsel {
namespace {

MachineConstants lathe() {
    MachineConstants constants;
    constants.leadscrew = readPitch("6mm");
    constants.indexConstant = Quantity::whole(24); // not a thread chart's constant
    return constants;
}

MachineConstants hobber() {
    MachineConstants constants;
    constants.indexConstant = Quantity::whole(24);
    constants.leadscrew = readPitch("6mm"); // not a hobbing chart's constant
    return constants;
}

// "1mm,1mm,...": `count` pitches.
std::string manyPitches(int count) {
    std::string list = "1mm";
    for (int i = 1; i < count; ++i) {
        list += ",1mm";
    }
    return list;
}

// The problem that planning with `make` refuses, or a failure when it plans.
template <typename Make> ChartProblem refusal(Make make) {
    try {
        make();
    } catch (const ChartRefused& e) {
        return e.problem();
    }
    ADD_FAILURE() << "planned without refusal";
    return ChartProblem{ChartProblem::Kind::OtherInput, {}};
}

TEST(ChartPlanTest, PlansCarryTheirTitleTheConstantsTheyUseAndOneTargetPerRow) {
    const ChartPlan metric =
        threadChartPlan(ThreadSeries::Metric, {}, 1, lathe(), Language::Chinese);
    EXPECT_EQ(metric.title, "螺纹挂轮表（公制螺纹）");
    EXPECT_EQ(metric.targets.size(), 24U);
    EXPECT_EQ(constantsSummary(metric.used, Language::Chinese), "丝杠螺距 6mm");
    EXPECT_EQ(threadChartPlan(ThreadSeries::Inch, {}, 2, lathe(), Language::Chinese).title,
              "螺纹挂轮表（英制螺纹）（2 线）");
    const ChartPlan listed =
        threadChartPlan(ThreadSeries::List, "1.5mm,8tpi", 1, lathe(), Language::Chinese);
    EXPECT_EQ(listed.title, "螺纹挂轮表");
    ASSERT_EQ(listed.targets.size(), 2U);
    EXPECT_EQ(listed.targets[0].ratio.fraction(), Fraction(1, 4));
    EXPECT_EQ(listed.targets[1].label, "8tpi");

    const ChartPlan hob = hobIndexChartPlan(hobber(), 2, 17, 120, Language::Chinese);
    EXPECT_EQ(hob.title, "滚齿分度挂轮表（K = 24，滚刀 2 头）");
    EXPECT_EQ(hob.targets.size(), 104U);
    EXPECT_EQ(hob.targets.front().ratio.fraction(), Fraction(48, 17));
    EXPECT_EQ(constantsSummary(hob.used, Language::Chinese), "分度常数 K 24");

    // The same titles in English, for an English window.
    EXPECT_EQ(threadChartPlan(ThreadSeries::Metric, {}, 1, lathe(), Language::English).title,
              "Thread chart (metric threads)");
    EXPECT_EQ(threadChartPlan(ThreadSeries::Inch, {}, 2, lathe(), Language::English).title,
              "Thread chart (inch threads, 2 starts)");
    EXPECT_EQ(threadChartPlan(ThreadSeries::List, "1mm", 3, lathe(), Language::English).title,
              "Thread chart (3 starts)");
    EXPECT_EQ(hobIndexChartPlan(hobber(), 2, 17, 120, Language::English).title,
              "Hob indexing chart (K = 24, hob of 2 starts)");
    // The constants follow the caption "Machine constants: " as a phrase.
    EXPECT_EQ(constantsSummary(metric.used, Language::English), "leadscrew pitch 6mm");
    EXPECT_EQ(constantsSummary(hob.used, Language::English), "index constant K 24");
}

TEST(ChartPlanTest, EachRefusalNamesTheInputAndHasItsOwnSentence) {
    using Kind = ChartProblem::Kind;
    const ChartProblem problems[] = {
        refusal([] {
            threadChartPlan(ThreadSeries::Metric, {}, 1, hobIndexChartConstants(hobber()),
                            Language::Chinese);
        }),
        refusal([] {
            hobIndexChartPlan(threadChartConstants(lathe()), 1, 17, 120, Language::Chinese);
        }),
        refusal([] {
            threadChartPlan(ThreadSeries::List, "1mm,1.5,2mm", 1, lathe(), Language::Chinese);
        }),
        refusal(
            [] { threadChartPlan(ThreadSeries::List, "1mm,0mm", 1, lathe(), Language::Chinese); }),
        refusal([] { hobIndexChartPlan(hobber(), 1, 120, 17, Language::Chinese); }),
        refusal([] { hobIndexChartPlan(hobber(), 1, 1, 1001, Language::Chinese); }),
        refusal(
            [] { threadChartPlan(ThreadSeries::List, "1mm,,2mm", 1, lathe(), Language::Chinese); }),
        refusal([] {
            threadChartPlan(ThreadSeries::List, manyPitches(1002), 1, lathe(), Language::Chinese);
        }),
        refusal(
            [] { threadChartPlan(ThreadSeries::List, "1mm,M12", 1, lathe(), Language::Chinese); }),
    };
    const Kind kinds[] = {Kind::NoLeadscrew,      Kind::NoIndexConstant, Kind::BadPitch,
                          Kind::PitchNotPositive, Kind::RangeBackwards,  Kind::TooManyRows,
                          Kind::BadPitch,         Kind::TooManyRows,     Kind::BadPitch};
    std::set<std::string> texts;
    for (std::size_t i = 0; i < std::size(problems); ++i) {
        EXPECT_EQ(problems[i].kind, kinds[i]) << i;
        texts.insert(chartProblemText(problems[i], Language::Chinese));
    }
    EXPECT_EQ(problems[2].item, "1.5");
    EXPECT_EQ(problems[3].item, "0mm");
    EXPECT_EQ(problems[5].rows, 1001);
    EXPECT_EQ(problems[7].rows, 1002);
    EXPECT_NE(chartProblemText(problems[2], Language::Chinese).find("“1.5”"), std::string::npos);
    // M12 on a drawing is the thread of coarse pitch 1.75 mm.
    EXPECT_NE(chartProblemText(problems[8], Language::Chinese)
                  .find("“M12”是公制螺纹的代号，不是螺距：请填它的螺距 1.75mm"),
              std::string::npos)
        << chartProblemText(problems[8], Language::Chinese);
    EXPECT_EQ(texts.size(), std::size(problems));
}

} // namespace
} // namespace gearsel
