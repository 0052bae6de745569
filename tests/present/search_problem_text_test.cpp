// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/search_problem_text.h"

#include <gtest/gtest.h>
#include <set>

namespace gearsel {
namespace {

TEST(SearchProblemTextTest, EachRefusalHasItsOwnChineseSentenceNamingTheValue) {
    using Kind = SearchProblem::Kind;
    const SearchProblem problems[] = {{Kind::RatioNotFinite},      {Kind::RatioZero},
                                      {Kind::RatioNearZero},       {Kind::CountOutOfRange, 40000},
                                      {Kind::ZnOutOfRange, 70000}, {Kind::TooManyGears, 40000},
                                      {Kind::ToothOutOfRange, 9}};
    std::set<std::string> texts;
    for (const SearchProblem& problem : problems) {
        const std::string text = searchProblemText(problem, Language::Chinese);
        EXPECT_NE(text.find("无法选配"), std::string::npos) << text;
        if (problem.value != 0) {
            EXPECT_NE(text.find(std::to_string(problem.value)), std::string::npos) << text;
        }
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), std::size(problems));
}

// The command line's sentences, which scripts and the CLI tests read.
TEST(SearchProblemTextTest, EnglishSentencesNameTheValueAndThePosition) {
    using Search = SearchProblem::Kind;
    EXPECT_EQ(searchProblemText({Search::RatioZero}, Language::English),
              "the required ratio must not be 0");
    EXPECT_EQ(searchProblemText({Search::ToothOutOfRange, 9}, Language::English),
              "tooth count 9 is outside 10 to 255");
    EXPECT_EQ(searchProblemText({Search::TooManyGears, 32768}, Language::English),
              "a gear list holds at most 32767 gears, not 32768");

    using Position = PositionProblem::Kind;
    const struct {
        PositionProblem problem;
        const char* english;
        const char* chinese;
    } positions[] = {
        {{Position::NoPositions}, "no gearbox positions are given", "没有给出进给箱的手柄位置"},
        {{Position::NoName, 1}, "gearbox position 2 has no name", "第 2 个手柄位置没有名称"},
        {{Position::SameName, 2, "A1"},
         "the gearbox position \"A1\" is given twice",
         "手柄位置“A1”出现了两次"},
        {{Position::RatioNotPositive, 0, "C\x1b"},
         "the ratio of gearbox position \"C\\x1b\" must be a finite number above 0",
         "手柄位置“C\\x1b”的速比必须是大于 0 的有限数"},
    };
    for (const auto& p : positions) {
        EXPECT_EQ(positionProblemText(p.problem, Language::English), p.english);
        EXPECT_NE(positionProblemText(p.problem, Language::Chinese).find(p.chinese),
                  std::string::npos)
            << positionProblemText(p.problem, Language::Chinese);
    }

    using Geometry = GeometryProblem::Kind;
    EXPECT_EQ(geometryProblemText({Geometry::StudReversed, 90}, Language::English),
              "the stud's smallest distance 90 exceeds its largest");
    EXPECT_EQ(geometryProblemText({Geometry::CentreOutOfRange, 1000000.5}, Language::English),
              "the centre distance must be above 0 and at most 1000000, not 1000000.5");
    EXPECT_EQ(geometryProblemText({Geometry::ModuleOutOfRange, -8}, Language::Chinese),
              "模数或径节必须大于 0 且不超过 1000000，这里是 -8。");
}

} // namespace
} // namespace gearsel
