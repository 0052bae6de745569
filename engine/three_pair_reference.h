// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reference enumeration of three-pair trains: a literal walk over every six gears of the
// list, in ascending order, that can be mounted as z1/z2 x z3/z4 x z5/z6, each train kept once
// in its first arrangement, then all of them sorted. It is slow (n^6 walks) and kept as the
// yardstick that the production search must match exactly.

#include "engine/fraction.h"
#include "engine/search_cancel.h"
#include "engine/search_request.h"
#include "engine/three_pair_train.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace gearsel {

// The best request.resultCount three-pair trains, best first: by exact error against
// `requiredFraction` where it is given (else against request.requiredRatio as the exact
// double it is), equal errors in the order of (z1, ..., z6). A train and its rearrangements
// (drivers exchanged among z1, z3, z5, driven gears among z2, z4, z6) count once, in their
// first arrangement in that order that the assembly conditions allow. The request's fixed
// gears, use-once rule and repeat rule apply; single pairs do not take part. `sortedGears`
// must be ascending; the request's own gear list is not read, nor its geometry
// (runThreePairSelection() refuses one).
std::vector<ThreePairSlot> enumerateThreePairs(std::span<const std::int16_t> sortedGears,
                                               const SearchRequest& request,
                                               const std::optional<Fraction>& requiredFraction);

// The same list, unless `cancel` asks the walk to stop before it is complete: then nothing.
std::optional<std::vector<ThreePairSlot>> enumerateThreePairsUnlessCancelled(
    std::span<const std::int16_t> sortedGears, const SearchRequest& request,
    const std::optional<Fraction>& requiredFraction, const SearchCancel& cancel);

} // namespace gearsel
