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
        const std::string text = searchProblemText(problem);
        EXPECT_NE(text.find("无法选配"), std::string::npos) << text;
        if (problem.value != 0) {
            EXPECT_NE(text.find(std::to_string(problem.value)), std::string::npos) << text;
        }
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), std::size(problems));
}

} // namespace
} // namespace gearsel
