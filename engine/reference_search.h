#pragma once
// The reference enumeration: a literal walk over every single pair and every two-pair train
// of the gear list, in the order that decides ties. It is slow (n^4) and kept as the yardstick
// that any faster search must match exactly.

#include "engine/ranking.h"

#include <cstdint>
#include <span>

namespace gearsel {

// Offers every candidate closer than the current error limit to `ranking`, in enumeration
// order: z1 position, then z2, (the single pair z1/z2 first), z3, z4. `sortedGears` must be
// ascending: the first assembly condition ends the z3 loop at the first gear that fails it.
void enumerateReference(std::span<const std::int16_t> sortedGears, double requiredRatio, int zn,
                        bool includeSinglePairs, Ranking& ranking);

} // namespace gearsel
