// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The production search for three-pair trains: the list of enumerateThreePairs() over the
// same inputs, identical to the bit, found by pairing products of three tooth counts instead
// of walking every six gears.

#include "engine/fraction.h"
#include "engine/search_cancel.h"
#include "engine/search_request.h"
#include "engine/three_pair_train.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace gearsel {

// Which way the search goes (see three_pair_search.cpp). Any value gives the same list; it
// changes only how much work the search does.
struct ThreePairTuning {
    // Where the assembly conditions allow at most this many arrangements, the search walks
    // them all instead of pairing products.
    std::uint64_t walkAtMost = std::uint64_t{1} << 21;
    // Where their share of all arrangements of the tooth counts is below this, the products
    // are held to what the other side allows: near 1 nearly every pair is within those
    // bounds, and working them out would not pay.
    double boundBelowShare = 0.2;
};

// The best request.resultCount three-pair trains, exactly as enumerateThreePairs() lists
// them. `sortedGears` must be ascending and hold tooth counts kMinTeeth..kMaxTeeth only; the
// request's own gear list is not read, nor its geometry (runThreePairSelection() refuses one).
std::vector<ThreePairSlot> searchThreePairs(std::span<const std::int16_t> sortedGears,
                                            const SearchRequest& request,
                                            const std::optional<Fraction>& requiredFraction,
                                            const ThreePairTuning& tuning = {});

// The same list, unless `cancel` asks the search to stop before it is complete: then nothing.
std::optional<std::vector<ThreePairSlot>>
searchThreePairsUnlessCancelled(std::span<const std::int16_t> sortedGears,
                                const SearchRequest& request,
                                const std::optional<Fraction>& requiredFraction,
                                const SearchCancel& cancel, const ThreePairTuning& tuning = {});

} // namespace gearsel
