// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one train a chart row or a gear to buy stands for: the best train of a search, and among
// the trains exactly as close as it, the one a workshop would mount, the one with the fewest
// gears and then the fewest repeated tooth counts. The result grid keeps the search's own order;
// only these single answers prefer the simpler train.

#include "engine/fraction.h"
#include "engine/gear_train.h"
#include "engine/search_request.h"
#include "engine/three_pair_train.h"

#include <functional>
#include <optional>
#include <vector>

namespace gearsel {

// The best train of one search, and whether its exact ratio is the required fraction.
template <class Slot> struct BestOf {
    Slot slot;
    bool exact = false;
};
using BestTrain = BestOf<ResultSlot>;
using BestThreePairTrain = BestOf<ThreePairSlot>;

// What a train costs the workshop beyond its error: its gears, and how many of them repeat a
// tooth count that another gear of the train has (gears less distinct counts).
struct TrainCost {
    int gears = 0;
    int repeats = 0;
    friend auto operator<=>(const TrainCost&, const TrainCost&) = default;
};
TrainCost trainCost(const GearTrain& train);
TrainCost trainCost(const ThreePairTrain& train);

// The train that runSelection() lists first for `request` (its result count is not used),
// unless another train it can list has exactly the same error (against `required` where it is
// given, else against the required ratio as the exact double it is) at a lower cost: then the
// one of lowest cost, the first listed of those. Nothing when the search lists no train.
// Throws as runSelection() does.
//
// The trains tied with the first are looked for in the lists of narrower searches, each
// restricted to the cheaper trains (single pairs, trains without repeats), so that a ratio met
// by thousands of trains costs a few short lists; only a train of two pairs with repeated
// counts is looked for in the list itself. Such a look stops after the first kMaxResultCount
// trains of a list.
std::optional<BestTrain> bestTrain(const SearchRequest& request,
                                   const std::optional<Fraction>& required);

// The filled slots of the list of `count` slots that runSelection() gives for a request.
using TrainLister = std::function<std::vector<ResultSlot>(const SearchRequest& request, int count)>;

// The same, with the lists taken from `lister`, which is asked for `request` and for its
// narrower searches only. A lister may leave out the trains whose computed error lies more
// than a 2^-39 share of the required ratio above the first train's: the answer is decided
// by those before them.
std::optional<BestTrain> bestTrain(const SearchRequest& request,
                                   const std::optional<Fraction>& required,
                                   const TrainLister& lister);

// The same for three-pair trains, as runThreePairSelection() lists them: the first train, or
// the first of those exactly as close with the fewest repeated counts. Throws as
// runThreePairSelection() does.
std::optional<BestThreePairTrain> bestThreePairTrain(const SearchRequest& request,
                                                     const std::optional<Fraction>& required);

} // namespace gearsel
