// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A chart: for each target of a series (threads, tooth counts), the best train of one gear set,
// and where that train is not exact, the one gear whose purchase helps that row most. Every
// rule of the setup holds in each row: fixed gears, gears used once, and trains that must fit
// the machine, where a row says so when trains come near its ratio but none fits.

#include "engine/chart_targets.h"
#include "engine/gear_suggestion.h"
#include "engine/gearbox_position.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace gearsel {

// What a row's search found. Each surface words it in its own language.
enum class ChartOutcome {
    Train,    // a train: the row's best
    NoTrain,  // no train comes closer than 1.0 to the row's ratio
    NoneFits, // trains come that close, but none of them fits the machine
};

template <class Slot> struct ChartRowOf {
    ChartTarget target;
    std::optional<BestOf<Slot>> best; // the row's train (see bestTrain()); nothing without one
    // For a row without an exact train: the first suggestion of suggestGears(), which gives a
    // better train than the set has (one that fits, where trains must); nothing when no single
    // gear helps.
    std::optional<SuggestionOf<Slot>> buy;
    ChartOutcome outcome = ChartOutcome::Train;
    // On a lathe with gearbox positions: the name of the position the row's train is for, and
    // target.ratio is then what the change gears must make in it. Empty without positions.
    std::string position = {};

    bool exact() const { return best && best->exact; }
};
using ChartRow = ChartRowOf<ResultSlot>;
using ThreePairChartRow = ChartRowOf<ThreePairSlot>;

// The chart of `targets` on the gear set, Zn and options of `setup` (its ratio and result count
// are not used): one- and two-pair trains. With gearbox `positions` (thread charts), each row
// searches every position as the joint search does (searchPositions()): the ratio of a
// position is the target's divided by the position's, and the row takes the train of least
// relative error (an exact one counting 0), the first position winning a tie; a row without
// any train keeps the first position. Throws PositionsRefused for positions that
// findPositionProblem() refuses. A target's ratio is searched by its size |i|, as a
// train gives it. The rows share one index of the set's pairs (ChartTrainFinder) and
// find their trains without a search each. Throws std::invalid_argument when the search
// refuses the setup or a target's ratio.
std::vector<ChartRow> buildChart(const SearchRequest& setup,
                                 const std::vector<ChartTarget>& targets,
                                 std::span<const GearboxPosition> positions = {});

// The same, each row's train found by a search of its own (bestTrain()): slower, and the
// yardstick that buildChart() must equal row for row.
std::vector<ChartRow> buildChartByRowSearches(const SearchRequest& setup,
                                              const std::vector<ChartTarget>& targets,
                                              std::span<const GearboxPosition> positions = {});

// The same with three-pair trains, each row's train as bestThreePairTrain() takes it. Throws
// as runThreePairSelection() does: a setup with a geometry among the rest, as whether three
// pairs fit is unknown.
std::vector<ThreePairChartRow> buildThreePairChart(const SearchRequest& setup,
                                                   const std::vector<ChartTarget>& targets,
                                                   std::span<const GearboxPosition> positions = {});

} // namespace gearsel
