// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ranking of a walk over every train of a small set: the slot scan over the filled slots
// while few trains are listed, which is quickest there and never slower than the literal
// ranking, then the ordered ranking, which takes the list over as it stands once more are
// listed. Both decide every candidate alike, so the list is the literal ranking's.

#include "engine/rank_outcome.h"
#include "engine/ranking.h"
#include "engine/reference_ranking.h"
#include "engine/result_list.h"

#include <optional>

namespace gearsel {

class WalkRanking {
public:
    // An empty list of `count` slots, ranked by the slot scan until more than `scanUpTo`
    // trains are listed.
    WalkRanking(int count, int zn, bool allowRepeats, int scanUpTo);

    double errorLimit() const { return ordered_ ? ordered_->errorLimit() : scan_.errorLimit(); }
    // Inline, as they run for every candidate of the walk.
    RankOutcome rankTwoPair(int z1, int z2, int z3, int z4, double calcRatio, double absError) {
        return ordered_ ? ordered_->rankTwoPair(z1, z2, z3, z4, calcRatio, absError)
                        : switchedAfter(scan_.rankTwoPair(z1, z2, z3, z4, calcRatio, absError));
    }
    RankOutcome rankSinglePair(int z1, int z2, double calcRatio, double absError) {
        return ordered_ ? ordered_->rankSinglePair(z1, z2, calcRatio, absError)
                        : switchedAfter(scan_.rankSinglePair(z1, z2, calcRatio, absError));
    }

    ResultList results() &&;

private:
    // Hands the list to the ordered ranking once the slot scan holds too many trains.
    RankOutcome switchedAfter(RankOutcome outcome) {
        if (outcome == RankOutcome::Listed && scan_.filledCount() > scanUpTo_) {
            switchOver();
        }
        return outcome;
    }
    void switchOver();

    ReferenceRanking scan_;
    std::optional<Ranking> ordered_;
    int count_;
    int zn_;
    bool allowRepeats_;
    int scanUpTo_;
};

} // namespace gearsel
