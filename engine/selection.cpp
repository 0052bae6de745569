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

// The request's gear list, ascending, once `problem` (findProblem or findThreePairProblem)
// finds the request fit to search and its geometry, if any, can be used.
std::vector<std::int16_t>
checkedSortedGears(const SearchRequest& request,
                   std::optional<SearchProblem> (*problem)(const SearchRequest&)) {
    if (auto refusal = problem(request)) {
        throw SearchRefused(*refusal);
    }
    if (request.fitGeometry) {
        if (auto refusal = findGeometryProblem(*request.fitGeometry)) {
            throw GeometryRefused(*refusal);
        }
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
    result.sortedGears = checkedSortedGears(request, findProblem);
    result.seconds = timed([&] {
        result.results = engine == EngineKind::Production
                             ? searchFast(result.sortedGears, request)
                             : enumerateReference(result.sortedGears, request);
    });
    return result;
}

ThreePairSelection runThreePairSelection(const SearchRequest& request,
                                         const std::optional<Fraction>& requiredFraction,
                                         EngineKind engine, const SearchCancel* cancel) {
    ThreePairSelection result;
    result.sortedGears = checkedSortedGears(request, findThreePairProblem);
    result.seconds = timed([&] {
        if (cancel == nullptr) {
            result.slots = engine == EngineKind::Production
                               ? searchThreePairs(result.sortedGears, request, requiredFraction)
                               : enumerateThreePairs(result.sortedGears, request, requiredFraction);
            return;
        }
        std::optional<std::vector<ThreePairSlot>> slots =
            engine == EngineKind::Production
                ? searchThreePairsUnlessCancelled(result.sortedGears, request, requiredFraction,
                                                  *cancel)
                : enumerateThreePairsUnlessCancelled(result.sortedGears, request, requiredFraction,
                                                     *cancel);
        result.cancelled = !slots.has_value();
        if (slots) {
            result.slots = std::move(*slots);
        }
    });
    return result;
}

} // namespace gearsel
