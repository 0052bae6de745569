// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The literal ranking of candidate trains into the result list: each candidate scans the
// slots from the first to its place and the list is shifted to make room, so one candidate
// costs up to N steps. It is the yardstick for the ordered ranking of the production search.

#include "engine/rank_outcome.h"
#include "engine/result_list.h"

#include <utility>

namespace gearsel {

// How far a candidate's scan goes: over every slot, as the literal ranking does, or over the
// filled slots and the first empty one only, which decides alike at a cost that grows with
// the trains listed, not with the list's length: the empty slots behind it hold nothing a
// candidate could meet, and shifting them changes nothing.
enum class SlotScan { EverySlot, FilledSlots };

// Holds the result list and the error limit of one search while it runs.
class ReferenceRanking {
public:
    // An empty list of `count` slots; the limit starts at 2.0, above the 1.0 of empty slots.
    ReferenceRanking(int count, int zn, bool allowRepeats, SlotScan scan = SlotScan::EverySlot);

    // Candidates whose error is not strictly below this limit can never be listed.
    double errorLimit() const { return errorLimit_; }

    // Two-pair candidate (z1/z2) x (z3/z4): second assembly condition, repeat mark,
    // rearrangement test and insertion in error order.
    RankOutcome rankTwoPair(int z1, int z2, int z3, int z4, double calcRatio, double absError);

    // Single-pair candidate z1/z2: repeat mark, duplicate test and insertion in error order.
    // Never answers Rearranged: a single pair has no other arrangement.
    RankOutcome rankSinglePair(int z1, int z2, double calcRatio, double absError);

    // How many slots are filled.
    int filledCount() const { return static_cast<int>(filled_); }

    const ResultList& results() const& { return list_; }
    ResultList results() && { return std::move(list_); }
    ResultList takeResults() { return std::move(list_); }

private:
    // How many slots a scan looks at.
    std::size_t scanned() const;
    // Moves slots m..N-1 down by one (dropping slot N), writes `slot` into slot m and
    // tightens the limit to the last slot's error. `index` is 0-based.
    RankOutcome insertAt(std::size_t index, const ResultSlot& slot);
    // The limit after a scan that found no place: the last slot's error (0 for an empty list).
    void tightenLimit();

    ResultList list_;
    std::size_t filled_ = 0;
    SlotScan scan_;
    double errorLimit_ = 2.0;
    int zn_;
    bool allowRepeats_;
};

} // namespace gearsel
