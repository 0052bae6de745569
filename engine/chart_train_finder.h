// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The best train of many required ratios on one gear set with one set of options, as a chart
// needs it: every pair of tooth counts is sorted by its ratio once, and each ratio then finds
// the few trains that come closest to it without a search of its own.

#include "engine/best_train.h"
#include "engine/exact_train_finder.h"
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
    std::optional<BestTrain> best(double ratio, const std::optional<Fraction>& required);

private:
    // A pair of distinct tooth counts (positions in values_), its ratio as a double and the
    // ratio's inverse.
    struct PairEntry {
        double ratio;
        double inverse;
        std::uint8_t driver;
        std::uint8_t driven;
    };
    // A train of distinct tooth counts met in one row of first drivers: the positions in
    // values_ of z2, z3 and z4 (c = d = -1 for a single pair), its ratio and error.
    struct Hit {
        int b;
        int c;
        int d;
        double ratio;
        double error;
    };

    // Finds, for `ratio` and the trains within `bound` of it, the window of second pairs of
    // each first pair, the single pairs, and the least error the setup's ranking would take,
    // overall (returned; infinity for none) and in each row of first drivers (rowLeast_).
    double scan(double ratio, double bound);
    // Sorts every pair by its ratio into pairs_, once, when the first ratio needs a scan.
    void sortPairs();
    // The trains within the bound and with an error below `below` whose first driver is
    // values_[a], in walk order.
    void rowHits(int a, double ratio, double below, std::vector<Hit>& hits) const;
    // The filled slots of the list of `count` slots that the walk gives for `request` (the
    // setup, or one of its narrower searches) when it offers only the trains within `bound`;
    // rows of first drivers are walked until no later row can change the list.
    std::vector<ResultSlot> listOf(const SearchRequest& request, int count, double bound) const;

    SearchRequest setup_;
    std::vector<std::int16_t> sortedGears_;
    GearStock stock_;
    FitRule fit_;
    std::vector<int> values_;                 // the distinct tooth counts walked, ascending
    std::vector<std::vector<int>> positions_; // beside values_: where each stands in the walk
    std::vector<PairEntry> pairs_;            // every ordered pair, by ratio ascending
    bool pairsSorted_ = false;
    // Rows whose fraction trains meet exactly, mostly, without a scan.
    std::optional<ExactTrainFinder> exact_;
    // Of the last scan: beside each first pair (a * values + b), where its window of second
    // pairs begins and ends in pairs_, and its single pair's error (infinity where it is not
    // within the bound); the least error of each row a and of the rows after it.
    std::vector<std::uint32_t> windowStart_;
    std::vector<std::uint32_t> windowEnd_;
    std::vector<double> singleError_;
    std::vector<std::size_t> singlesSet_; // where singleError_ holds an error
    std::vector<double> rowLeast_;
    std::vector<double> laterLeast_;
    // The least error of the trains the ranking would take among those the scan looked at,
    // within the bound or just beyond it: no train within the bound has a smaller one.
    double nearest_ = 0.0;
};

} // namespace gearsel
