// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The distinct tooth counts of a gear list, how often each occurs, and the bounds that find
// the trains whose computed ratio can lie within a given error of the required ratio: for a
// first pair z1/z2, the second pairs z3/z4 through an index of all pair ratios, or the run of
// z4 for one z3. The bounds are widened for rounding, so they let a few more trains through,
// never fewer; the caller re-tests each train with the exact arithmetic.

#include "engine/pair_ratio_index.h"
#include "engine/search_request.h"

#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace gearsel {

class TrainWindow {
public:
    // `sortedGears` must be ascending and hold tooth counts kMinTeeth..kMaxTeeth only.
    TrainWindow(std::span<const std::int16_t> sortedGears, double requiredRatio, int zn);

    // The distinct tooth counts, ascending, and how often each occurs in the gear list.
    int size() const { return static_cast<int>(values_.size()); }
    int teeth(int at) const { return values_[static_cast<std::size_t>(at)]; }
    int copies(int at) const { return counts_[static_cast<std::size_t>(at)]; }

    // Index of the first distinct tooth count of at least `teeth`; size() if there is none.
    int firstAtLeast(int teeth) const;
    // The end of the z3 indexes that the first assembly condition allows with z1 / z2:
    // z3 + zn < z1 + z2. The sums are taken in int, so no shaft value overflows them.
    int z3End(int z1, int z2) const { return firstAtLeast(z1 + z2 - zn_); }

    // The pairs of the index whose trains teeth(a) / teeth(b) x z3 / z4, with z3 below z3End,
    // can lie within `bound` of the required ratio, and a few beside them.
    std::span<const PairRatioIndex::Pair> pairsNear(int a, int b, int z3End, double bound) const;
    // The z4 indexes [first, second) whose trains z1 / z2 x z3 / z4 pass the second assembly
    // condition (z2 + zn < z3 + z4) and can lie within `bound` of the required ratio, where
    // p = z3 * (z1 / z2) as the search computes it.
    std::pair<int, int> z4Run(int z2, int z3, double p, double bound) const;
    // Where the last driven gear is fixed to `z4`: the z3 indexes [first, second), below
    // z3End, whose trains with it can lie within `bound` of the required ratio after a first
    // pair of ratio r12 (z1 / z2 as the search computes it).
    std::pair<int, int> z3Run(double r12, int z4, int z3End, double bound) const;

    // How far apart the computed errors of two arrangements of one train (one exact ratio)
    // can lie at about `error`, with ample room.
    double spread(double error) const;

private:
    // Index of the first distinct tooth count above `teeth`, which is not negative.
    int firstAbove(double teeth) const;
    // Bounds that every computed ratio within `bound` of the required ratio lies strictly
    // between; false when no positive ratio can.
    bool ratioBand(double bound, double& low, double& high) const;

    double required_;
    int zn_;
    std::vector<int> values_;
    std::vector<int> counts_;
    std::array<int, kMaxTeeth + 2> firstIndex_{};
    // 1 / teeth for the tooth counts of the list, where a bound needs no division.
    std::array<double, kMaxTeeth + 1> inverse_{};
    PairRatioIndex index_;
};

} // namespace gearsel
