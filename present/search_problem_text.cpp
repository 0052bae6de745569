// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/search_problem_text.h"

namespace gearsel {

std::string searchProblemText(const SearchProblem& problem) {
    const std::string value = std::to_string(problem.value);
    switch (problem.kind) {
    case SearchProblem::Kind::RatioNotFinite:
        return "要求速比必须是一个有限的数，无法选配。";
    case SearchProblem::Kind::RatioZero:
        return "要求速比不能是 0，无法选配。";
    case SearchProblem::Kind::RatioNearZero:
        return "要求速比太接近 0，相对精度超出了数的范围，无法选配。";
    case SearchProblem::Kind::CountOutOfRange:
        return "列表组数 " + value + " 不在 0 到 " + std::to_string(kMaxResultCount) +
               " 之间，无法选配。";
    case SearchProblem::Kind::ZnOutOfRange:
        return "装配条件 " + value + " 超出了 16 位整数的范围，无法选配。";
    case SearchProblem::Kind::TooManyGears:
        return "挂轮有 " + value + " 个，最多只能有 " + std::to_string(kMaxGearCount) +
               " 个，无法选配。";
    case SearchProblem::Kind::ToothOutOfRange:
        return "齿数 " + value + " 不在 " + std::to_string(kMinTeeth) + " 到 " +
               std::to_string(kMaxTeeth) + " 之间，无法选配。";
    }
    return "无法选配。";
}

} // namespace gearsel
