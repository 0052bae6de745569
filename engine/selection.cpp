#include "engine/selection.h"

#include "engine/fast_search.h"
#include "engine/ranking.h"
#include "engine/reference_search.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace gearsel {

void sortGears(std::span<std::int16_t> gears) {
    std::sort(gears.begin(), gears.end());
}

SelectionResult runSelection(const SearchRequest& request, EngineKind engine) {
    if (auto problem = findProblem(request)) {
        throw std::invalid_argument(*problem);
    }
    SelectionResult result;
    result.sortedGears = request.gears;
    sortGears(result.sortedGears);

    Ranking ranking(request.resultCount, request.zn, request.allowRepeats);
    const auto start = std::chrono::steady_clock::now();
    switch (engine) {
    case EngineKind::Production:
        searchFast(result.sortedGears, request.requiredRatio, request.zn,
                   request.includeSinglePairs, ranking);
        break;
    case EngineKind::Reference:
        enumerateReference(result.sortedGears, request.requiredRatio, request.zn,
                           request.includeSinglePairs, ranking);
        break;
    }
    const auto end = std::chrono::steady_clock::now();
    result.seconds = std::chrono::duration<double>(end - start).count();
    result.results = ranking.takeResults();
    return result;
}

} // namespace gearsel
