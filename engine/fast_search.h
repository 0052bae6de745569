#pragma once
// The production search: it offers the ranking exactly the candidates of the reference
// enumeration that could change the result list, in the enumeration's order, so the list
// comes out identical, without visiting the n^4 trains one by one.

#include "engine/ranking.h"

#include <cstdint>
#include <span>

namespace gearsel {

// Offers `ranking` the candidates of enumerateReference() over the same inputs that could
// change its list, in the same order; the resulting list is identical to the reference's.
// `sortedGears` must be ascending and hold tooth counts kMinTeeth..kMaxTeeth only.
void searchFast(std::span<const std::int16_t> sortedGears, double requiredRatio, int zn,
                bool includeSinglePairs, Ranking& ranking);

} // namespace gearsel
