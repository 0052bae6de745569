// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fit-only rule of a search request: which trains can be mounted on the machine whose
// geometry the request carries, and every train where it carries none.

#include "base/tooth_limits.h"
#include "engine/pair_ratio_index.h"
#include "engine/search_request.h"
#include "engine/train_fitter.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

namespace gearsel {

class FitRule {
public:
    // `sortedGears` is the gear list a single pair's idler is taken from. Throws
    // GeometryRefused for a geometry that findGeometryProblem() refuses.
    FitRule(std::span<const std::int16_t> sortedGears, const SearchRequest& request) {
        if (request.fitGeometry) {
            fitter_.emplace(*request.fitGeometry, sortedGears);
        }
    }

    // Whether the rule leaves out any train.
    bool active() const noexcept { return fitter_.has_value(); }
    // Whether the train z1/z2 x z3/z4 (a single pair: z3 = z4 = 0) passes the rule.
    bool admits(int z1, int z2, int z3 = 0, int z4 = 0) const noexcept {
        return !fitter_ || fitter_->fits(z1, z2, z3, z4);
    }

    // The second pairs z3/z4 that can be part of a train that passes the rule: those in the
    // slot and under the cover.
    PairLimits secondPairs() const noexcept {
        if (!fitter_) {
            return {};
        }
        const TrainFitter::SumRange slot = fitter_->slotSums();
        return {slot.low, slot.high, fitter_->largestUnderCover()};
    }
    // Whether some second pair z3/z4 lets z1/z2 x z3/z4 pass the rule: the search need not
    // look at the two-pair trains of a first pair that fails.
    bool admitsFirstPair(int z1, int z2) const noexcept {
        if (!fitter_) {
            return true;
        }
        const TrainFitter::SumRange sums = fitter_->secondPairSums(z1, z2);
        return sums.low <= sums.high && sums.high >= 2 * kMinTeeth &&
               sums.low <= 2 * fitter_->largestUnderCover();
    }
    // The largest z3 of a train z1/z2 x z3/z4 that passes the rule where z4 has at least
    // `smallestZ4` teeth (below kMinTeeth where none does); kMaxTeeth where the rule is not
    // active.
    int largestZ3(int z1, int z2, int smallestZ4) const noexcept {
        if (!fitter_) {
            return kMaxTeeth;
        }
        return std::min(fitter_->secondPairSums(z1, z2).high - smallestZ4,
                        fitter_->largestUnderCover());
    }
    // The tooth counts [low, high] that z4 may have in a train z1/z2 x z3/z4 that passes the
    // rule (empty where low > high); every count where the rule is not active.
    std::pair<int, int> z4Range(int z1, int z2, int z3) const noexcept {
        if (!fitter_) {
            return {kMinTeeth, kMaxTeeth};
        }
        const TrainFitter::SumRange sums = fitter_->secondPairSums(z1, z2);
        const int cover = fitter_->largestUnderCover();
        return z3 > cover ? std::pair{1, 0}
                          : std::pair{sums.low - z3, std::min(sums.high - z3, cover)};
    }

private:
    std::optional<TrainFitter> fitter_;
};

} // namespace gearsel
