// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The best train of many required ratios on one gear set with one set of options, as a chart
// needs it: every pair of tooth counts is sorted by its ratio once, and each ratio then finds
// the few trains that come closest to it without a search of its own.

#include "engine/best_train.h"
#include "engine/fit_rule.h"
#include "engine/gear_stock.h"
#include "engine/search_request.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace gearsel {

class ChartTrainFinder {
public:
    // The gear set, Zn and options of `setup` (its ratio and result count are not used).
    // Throws as runSelection() does for a setup it refuses.
    explicit ChartTrainFinder(const SearchRequest& setup);

    // What bestTrain() answers for the setup with the required ratio `ratio` (its size is
    // searched) and its exact value `required`. Throws SearchRefused for a ratio that
    // findRatioProblem() refuses.
    std::optional<BestTrain> best(double ratio, const std::optional<Fraction>& required) const;

private:
    // A train of distinct tooth counts within the bound: the positions in values_ of its
    // gears packed as (a, b, c + 1, d + 1) from the top byte down, c + 1 = d + 1 = 0 for a
    // single pair, so that the keys sort as the walk meets the trains; its ratio and error.
    struct Hit {
        std::uint32_t key;
        double ratio;
        double error;
    };
    // A pair of distinct tooth counts (positions in values_) and its ratio as a double.
    struct PairEntry {
        double ratio;
        std::uint8_t driver;
        std::uint8_t driven;
    };

    // Every train whose computed error against `ratio` is at most `bound`, ordered by key;
    // `least` becomes the least error of those the setup's ranking would take.
    std::vector<Hit> hitsWithin(double ratio, double bound, double& least) const;
    // The filled slots of the list of `count` slots that the walk gives for `request` (the
    // setup, or one of its narrower searches), offering the steps of `hits` alone.
    std::vector<ResultSlot> listFrom(const std::vector<Hit>& hits, const SearchRequest& request,
                                     int count) const;

    SearchRequest setup_;
    std::vector<std::int16_t> sortedGears_;
    GearStock stock_;
    FitRule fit_;
    std::vector<int> values_;                  // the distinct tooth counts walked, ascending
    std::vector<std::vector<int>> positions_;  // beside values_: where each stands in the walk
    std::vector<PairEntry> pairs_;             // every ordered pair, by ratio ascending
};

} // namespace gearsel
