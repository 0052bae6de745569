// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of three-pair lists: which trains can be mounted, which arrangement of a train's
// gears the list shows, and the order of the list.

#include "engine/ratio_target.h"
#include "engine/three_pair_train.h"

#include <array>
#include <optional>

namespace gearsel {

// The assembly conditions of z1/z2 x z3/z4 x z5/z6 with the shaft value zn, each the two-pair
// rule carried along the chain: z3 + zn < z1 + z2, z2 + zn < z3 + z4, z5 + zn < z3 + z4 and
// z4 + zn < z5 + z6. The sums are taken in int, so no shaft value overflows them.
constexpr bool assemblesThreePair(int z1, int z2, int z3, int z4, int z5, int z6, int zn) {
    return z3 + zn < z1 + z2 && z2 + zn < z3 + z4 && z5 + zn < z3 + z4 && z4 + zn < z5 + z6;
}

// The first arrangement of `drivers` over z1, z3, z5 and `driven` over z2, z4, z6 (both
// ascending) that the assembly conditions allow and that has the fixed first driver and last
// driven gear where they are given; nothing when none does.
std::optional<ThreePairTrain> firstArrangement(const std::array<int, 3>& drivers,
                                               const std::array<int, 3>& driven, int zn,
                                               const std::optional<int>& firstDriver,
                                               const std::optional<int>& lastDriven);

// Whether `x` comes before `y` in a list: the smaller exact error |P/Q - r| first, equal
// errors in the order of (z1, ..., z6).
bool ranksBefore(const ThreePairTrain& x, const ThreePairTrain& y, const RatioTarget& target);

// The row a list shows for a train.
ThreePairSlot threePairSlot(const ThreePairTrain& train, const RatioTarget& target);

} // namespace gearsel
