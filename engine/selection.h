// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The selection run as one call: validate, sort the gear list, enumerate, rank and time.

#include "engine/fraction.h"
#include "engine/result_list.h"
#include "engine/search_cancel.h"
#include "engine/search_request.h"
#include "engine/three_pair_train.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace gearsel {

// Which enumeration runs the search. Both give identical result lists.
enum class EngineKind { Production, Reference };

struct SelectionResult {
    ResultList results;                    // N slots, the filled ones first
    double seconds = 0.0;                  // time spent enumerating and ranking
    std::vector<std::int16_t> sortedGears; // the gear list as the search left it: ascending
};

// Sorts tooth counts ascending in place. Equal counts are indistinguishable, so any correct
// sort leaves the same sequence as the exchange sort the search has always used.
void sortGears(std::span<std::int16_t> gears);

// Runs one search. Throws SearchRefused (a std::invalid_argument) when the request is refused
// and GeometryRefused (one too) when its geometry cannot be used; nothing is thrown once the
// enumeration has started.
SelectionResult runSelection(const SearchRequest& request,
                             EngineKind engine = EngineKind::Production);

struct ThreePairSelection {
    std::vector<ThreePairSlot> slots;      // the listed trains, best first; at most N
    bool cancelled = false;                // stopped on request: `slots` is then empty
    double seconds = 0.0;                  // time spent searching
    std::vector<std::int16_t> sortedGears; // the gear list, ascending
};

// Runs one search for three-pair trains, ranked against `requiredFraction` where it is given
// (the exact value of request.requiredRatio), else against request.requiredRatio. Throws
// SearchRefused when findThreePairProblem() refuses the request (a geometry among the rest:
// whether three pairs fit is unknown); single pairs never take part. Where `cancel` asks the
// search to stop before it is complete, the selection is marked cancelled and lists nothing.
ThreePairSelection runThreePairSelection(const SearchRequest& request,
                                         const std::optional<Fraction>& requiredFraction,
                                         EngineKind engine = EngineKind::Production,
                                         const SearchCancel* cancel = nullptr);

} // namespace gearsel
