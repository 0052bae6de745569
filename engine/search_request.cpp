// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/search_request.h"

#include <cmath>
#include <limits>

namespace gearsel {

std::optional<SearchProblem> findRatioProblem(double ratio) {
    if (!std::isfinite(ratio)) {
        return SearchProblem{SearchProblem::Kind::RatioNotFinite};
    }
    if (ratio == 0.0) {
        return SearchProblem{SearchProblem::Kind::RatioZero};
    }
    if (std::fabs(ratio) < std::numeric_limits<double>::min()) {
        return SearchProblem{SearchProblem::Kind::RatioNearZero};
    }
    return std::nullopt;
}

std::optional<SearchProblem> findProblem(const SearchRequest& request) {
    using Kind = SearchProblem::Kind;
    if (auto problem = findRatioProblem(request.requiredRatio)) {
        return problem;
    }
    if (request.resultCount < 0 || request.resultCount > kMaxResultCount) {
        return SearchProblem{Kind::CountOutOfRange, request.resultCount};
    }
    if (request.zn < std::numeric_limits<std::int16_t>::min() ||
        request.zn > std::numeric_limits<std::int16_t>::max()) {
        return SearchProblem{Kind::ZnOutOfRange, request.zn};
    }
    if (request.gears.size() > static_cast<std::size_t>(kMaxGearCount)) {
        return SearchProblem{Kind::TooManyGears, static_cast<long long>(request.gears.size())};
    }
    for (std::int16_t teeth : request.gears) {
        if (teeth < kMinTeeth || teeth > kMaxTeeth) {
            return SearchProblem{Kind::ToothOutOfRange, teeth};
        }
    }
    for (const std::optional<int>& fixed : {request.firstDriver, request.lastDriven}) {
        if (fixed && (*fixed < kMinTeeth || *fixed > kMaxTeeth)) {
            return SearchProblem{Kind::ToothOutOfRange, *fixed};
        }
    }
    return std::nullopt;
}

std::string describeProblem(const SearchProblem& problem) {
    const std::string value = std::to_string(problem.value);
    switch (problem.kind) {
    case SearchProblem::Kind::RatioNotFinite:
        return "the required ratio must be a finite number";
    case SearchProblem::Kind::RatioZero:
        return "the required ratio must not be 0";
    case SearchProblem::Kind::RatioNearZero:
        return "the required ratio is too close to 0 (below 2.2e-308): the relative error, "
               "which divides by it, would be beyond the range of numbers";
    case SearchProblem::Kind::CountOutOfRange:
        return "the result count " + value + " is not between 0 and " +
               std::to_string(kMaxResultCount);
    case SearchProblem::Kind::ZnOutOfRange:
        return "the assembly condition Zn " + value + " is not a 16-bit whole number";
    case SearchProblem::Kind::TooManyGears:
        return "a gear list holds at most " + std::to_string(kMaxGearCount) + " gears, not " +
               value;
    case SearchProblem::Kind::ToothOutOfRange:
        return "tooth count " + value + " is outside " + std::to_string(kMinTeeth) + " to " +
               std::to_string(kMaxTeeth);
    }
    return "the request cannot be searched";
}

} // namespace gearsel
