#pragma once
// Ranking of candidate trains into the result list: the operations that decide whether a
// train that came closer than the error limit is listed, and where.

#include "engine/result_list.h"

#include <utility>

namespace gearsel {

// What the ranking did with one candidate.
enum class RankOutcome {
    Listed,        // inserted at the place its error earns
    Unfit,         // fails the second assembly condition or carries a forbidden repeat
    AlreadyListed, // the identical train is listed at or before its place
    Rearranged,    // another arrangement of its gears is listed at or before its place
    NoPlace,       // every slot is at least as good; the limit drops to the last slot's error
};

// Holds the result list and the error limit of one search while it runs.
class Ranking {
public:
    // An empty list of `count` slots; the limit starts at 2.0, above the 1.0 of empty slots.
    Ranking(int count, int zn, bool allowRepeats);

    // Candidates whose error is not strictly below this limit can never be listed.
    double errorLimit() const { return errorLimit_; }

    // Trains that use one tooth count twice may be listed.
    bool allowRepeats() const { return allowRepeats_; }

    // Two-pair candidate (z1/z2) x (z3/z4): second assembly condition, repeat mark,
    // rearrangement test and insertion in error order.
    RankOutcome rankTwoPair(int z1, int z2, int z3, int z4, double calcRatio, double absError);

    // Single-pair candidate z1/z2: repeat mark, duplicate test and insertion in error order.
    // Never answers Rearranged: a single pair has no other arrangement.
    RankOutcome rankSinglePair(int z1, int z2, double calcRatio, double absError);

    const ResultList& results() const { return list_; }
    ResultList takeResults() { return std::move(list_); }

private:
    // Moves slots m..N-1 down by one (dropping slot N), writes `slot` into slot m and
    // tightens the limit to the last slot's error. `index` is 0-based.
    RankOutcome insertAt(std::size_t index, const ResultSlot& slot);
    // The limit after a scan that found no place: the last slot's error (0 for an empty list).
    void tightenLimit();

    ResultList list_;
    double errorLimit_ = 2.0;
    int zn_;
    bool allowRepeats_;
};

} // namespace gearsel
