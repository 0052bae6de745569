// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The literal walk over every single pair and every two-pair train a gear stock can form, in
// the order that decides ties. The reference enumeration ranks what it offers by the literal
// slot scan; the production search walks small sets the same way, where an index would cost
// more than it saves.

#include "engine/gear_stock.h"
#include "engine/search_request.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace gearsel {

// Offers every candidate closer than the ranking's current error limit to `ranking` (a
// Ranking or a ReferenceRanking), in enumeration order: z1 position, then z2 (the single pair
// z1/z2 first), z3, z4. The walk goes over single gears: a fixed gear the list does not hold
// is one more gear, which stands only at its own place, and a used-once gear is skipped where
// it stands already. Both discard a train before it is ranked, as the assembly conditions do.
template <class Ranking>
void walkEveryTrain(const GearStock& stock, const SearchRequest& request, Ranking& ranking) {
    using Place = GearStock::Place;
    const double requiredRatio = request.requiredRatio;
    const int zn = request.zn;
    const std::vector<std::int16_t>& gears = stock.walked();
    const bool once = request.useOnce;
    const std::size_t n = gears.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (!stock.fitsAt(i, Place::First)) {
            continue;
        }
        const int z1 = gears[i];
        for (std::size_t j = 0; j < n; ++j) {
            if (once && j == i) {
                continue;
            }
            const int z2 = gears[j];
            const double r12 = static_cast<double>(z1) / static_cast<double>(z2);
            if (request.includeSinglePairs && stock.fitsAt(j, Place::Last)) {
                const double error = std::fabs(r12 - requiredRatio);
                if (error < ranking.errorLimit()) {
                    ranking.rankSinglePair(z1, z2, r12, error);
                }
            }
            if (!stock.fitsAt(j, Place::Middle)) {
                continue;
            }
            for (std::size_t k = 0; k < n; ++k) {
                const int z3 = gears[k];
                // First assembly condition; the list is ascending, so no later z3 passes.
                if (z3 + zn >= z1 + z2) {
                    break;
                }
                if (!stock.fitsAt(k, Place::Middle) || (once && (k == i || k == j))) {
                    continue;
                }
                const double p = static_cast<double>(z3) * r12;
                for (std::size_t l = 0; l < n; ++l) {
                    if (!stock.fitsAt(l, Place::Last) || (once && (l == i || l == j || l == k))) {
                        continue;
                    }
                    const int z4 = gears[l];
                    const double ratio = p / static_cast<double>(z4);
                    const double error = std::fabs(ratio - requiredRatio);
                    if (error < ranking.errorLimit()) {
                        ranking.rankTwoPair(z1, z2, z3, z4, ratio, error);
                    }
                }
            }
        }
    }
}

} // namespace gearsel
