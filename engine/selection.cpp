// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/selection.h"

#include "engine/fast_search.h"
#include "engine/reference_search.h"
#include "engine/three_pair_reference.h"
#include "engine/three_pair_search.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace gearsel {

void sortGears(std::span<std::int16_t> gears) {
    std::sort(gears.begin(), gears.end());
}

namespace {

// The request's gear list, ascending, once the request is found fit to search.
std::vector<std::int16_t> checkedSortedGears(const SearchRequest& request) {
    if (auto problem = findProblem(request)) {
        throw SearchRefused(*problem);
    }
    std::vector<std::int16_t> gears = request.gears;
    sortGears(gears);
    return gears;
}

// Runs `search` and returns the seconds it took.
template <class Search> double timed(Search&& search) {
    const auto start = std::chrono::steady_clock::now();
    search();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(end - start).count();
}

} // namespace

SelectionResult runSelection(const SearchRequest& request, EngineKind engine) {
    SelectionResult result;
    result.sortedGears = checkedSortedGears(request);
    result.seconds = timed([&] {
        result.results = engine == EngineKind::Production
                             ? searchFast(result.sortedGears, request)
                             : enumerateReference(result.sortedGears, request);
    });
    return result;
}

ThreePairSelection runThreePairSelection(const SearchRequest& request,
                                         const std::optional<Fraction>& requiredFraction,
                                         EngineKind engine) {
    ThreePairSelection result;
    result.sortedGears = checkedSortedGears(request);
    result.seconds = timed([&] {
        result.slots = engine == EngineKind::Production
                           ? searchThreePairs(result.sortedGears, request, requiredFraction)
                           : enumerateThreePairs(result.sortedGears, request, requiredFraction);
    });
    return result;
}

} // namespace gearsel
