#pragma once
// The production search for three-pair trains: the list of enumerateThreePairs() over the
// same inputs, identical to the bit, found by pairing products of three tooth counts instead
// of walking every six gears.

#include "engine/fraction.h"
#include "engine/search_request.h"
#include "engine/three_pair_train.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace gearsel {

// The best request.resultCount three-pair trains, exactly as enumerateThreePairs() lists
// them. `sortedGears` must be ascending and hold tooth counts kMinTeeth..kMaxTeeth only; the
// request's own gear list is not read.
std::vector<ThreePairSlot> searchThreePairs(std::span<const std::int16_t> sortedGears,
                                            const SearchRequest& request,
                                            const std::optional<Fraction>& requiredFraction);

} // namespace gearsel
