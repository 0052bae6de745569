#include "engine/reference_search.h"

#include "engine/reference_ranking.h"

#include <cmath>

namespace gearsel {

ResultList enumerateReference(std::span<const std::int16_t> sortedGears,
                              const SearchRequest& request) {
    const double requiredRatio = request.requiredRatio;
    const int zn = request.zn;
    ReferenceRanking ranking(request.resultCount, zn, request.allowRepeats);
    const std::size_t n = sortedGears.size();
    for (std::size_t i = 0; i < n; ++i) {
        const int z1 = sortedGears[i];
        for (std::size_t j = 0; j < n; ++j) {
            const int z2 = sortedGears[j];
            const double r12 = static_cast<double>(z1) / static_cast<double>(z2);
            if (request.includeSinglePairs) {
                const double error = std::fabs(r12 - requiredRatio);
                if (error < ranking.errorLimit()) {
                    ranking.rankSinglePair(z1, z2, r12, error);
                }
            }
            for (std::size_t k = 0; k < n; ++k) {
                const int z3 = sortedGears[k];
                // First assembly condition; the list is ascending, so no later z3 passes.
                if (z3 + zn >= z1 + z2) {
                    break;
                }
                const double p = static_cast<double>(z3) * r12;
                for (std::size_t l = 0; l < n; ++l) {
                    const int z4 = sortedGears[l];
                    const double ratio = p / static_cast<double>(z4);
                    const double error = std::fabs(ratio - requiredRatio);
                    if (error < ranking.errorLimit()) {
                        ranking.rankTwoPair(z1, z2, z3, z4, ratio, error);
                    }
                }
            }
        }
    }
    return ranking.takeResults();
}

} // namespace gearsel
