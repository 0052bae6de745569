// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A chart: for each target of a series (threads, tooth counts), the best train of one gear set,
// and where that train is not exact, the one gear whose purchase helps that row most.

#include "engine/chart_targets.h"
#include "engine/gear_suggestion.h"

#include <optional>
#include <vector>

namespace gearsel {

struct ChartRow {
    ChartTarget target;
    std::optional<BestTrain> best; // nothing when the search lists no train for this target
    // For a row without an exact train: the first suggestion of suggestGears(), which gives a
    // better train than the set has; nothing when no single gear helps.
    std::optional<GearSuggestion> buy;

    bool exact() const { return best && best->exact; }
};

// The chart of `targets` on the gear set, Zn and options of `setup` (its ratio and result count
// are not used). A target's ratio is searched by its size |i|, as a train gives it. Throws
// std::invalid_argument when the search refuses the setup or a target's ratio.
std::vector<ChartRow> buildChart(const SearchRequest& setup,
                                 const std::vector<ChartTarget>& targets);

} // namespace gearsel
