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

} // namespace gearsel
