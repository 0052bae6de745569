// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exact ratio of a gear train, and whether it is exactly the ratio required.

#include "engine/fraction.h"
#include "engine/gear_train.h"
#include "engine/three_pair_train.h"

#include <compare>
#include <optional>

namespace gearsel {

// z1·z3 / (z2·z4) in lowest terms, z1/z2 for a single pair (z3 = z4 = 0). The train must be
// filled: z2, and z4 of a two-pair train, not 0.
Fraction trainFraction(const GearTrain& train);

// Whether the train's exact ratio equals the required fraction; never when the required
// ratio has none.
bool isExactTrain(const GearTrain& train, const std::optional<Fraction>& required);

// Which of two trains comes closer to the required fraction, in exact arithmetic: less when
// `a` is closer, equivalent when both are equally far (whatever their doubles say). Tooth
// counts must be filled and within 16 bits.
std::strong_ordering compareDistance(const GearTrain& a, const GearTrain& b,
                                     const Fraction& required);

// z1·z3·z5 / (z2·z4·z6) in lowest terms, and whether it is the required fraction.
Fraction threePairFraction(const ThreePairTrain& train);
bool isExactThreePair(const ThreePairTrain& train, const std::optional<Fraction>& required);

} // namespace gearsel
