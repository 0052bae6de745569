// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reference enumeration: a literal walk over every single pair and every two-pair train
// of the gear list, in the order that decides ties, ranked by the literal slot scan. It is
// slow (n^4 trains, N slot steps per candidate) and kept as the yardstick that the production
// search must match exactly.

#include "engine/result_list.h"
#include "engine/search_request.h"

#include <cstdint>
#include <span>

namespace gearsel {

// Offers every candidate closer than the current error limit to a ReferenceRanking, in
// enumeration order: z1 position, then z2, (the single pair z1/z2 first), z3, z4, and returns
// its list. `sortedGears` must be ascending: the first assembly condition ends the z3 loop at
// the first gear that fails it. The request's own gear list is not read.
ResultList enumerateReference(std::span<const std::int16_t> sortedGears,
                              const SearchRequest& request);

} // namespace gearsel
