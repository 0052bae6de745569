#include "engine/selection.h"

#include "engine/fast_search.h"
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
        throw SearchRefused(*problem);
    }
    SelectionResult result;
    result.sortedGears = request.gears;
    sortGears(result.sortedGears);

    const auto start = std::chrono::steady_clock::now();
    result.results = engine == EngineKind::Production
                         ? searchFast(result.sortedGears, request)
                         : enumerateReference(result.sortedGears, request);
    const auto end = std::chrono::steady_clock::now();
    result.seconds = std::chrono::duration<double>(end - start).count();
    return result;
}

} // namespace gearsel
