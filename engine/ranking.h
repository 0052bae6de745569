// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ranking of candidate trains into the result list: the operations that decide whether a
// train that came closer than the error limit is listed, and where. The list is kept ordered
// by error and a hash map finds listed trains by their tooth counts, so one candidate costs a
// few lookups and at most one ordered insertion, logarithmic in the number of slots. It
// decides every candidate exactly as the literal slot scan of ReferenceRanking does.

#include "engine/listed_trains.h"
#include "engine/rank_outcome.h"
#include "engine/rank_tree.h"
#include "engine/result_list.h"

#include <cstdint>

namespace gearsel {

// Holds the result list and the error limit of one search while it runs. Tooth counts must
// lie in 1..255.
class Ranking {
public:
    // An empty list of `count` slots; the limit starts at 2.0, above the 1.0 of empty slots.
    Ranking(int count, int zn, bool allowRepeats);

    // Candidates whose error is not strictly below this limit can never be listed.
    double errorLimit() const { return errorLimit_; }

    // Two-pair candidate (z1/z2) x (z3/z4): second assembly condition, repeat mark,
    // rearrangement test and insertion in error order.
    RankOutcome rankTwoPair(int z1, int z2, int z3, int z4, double calcRatio, double absError);

    // Single-pair candidate z1/z2: repeat mark, duplicate test and insertion in error order.
    // Never answers Rearranged: a single pair has no other arrangement.
    RankOutcome rankSinglePair(int z1, int z2, double calcRatio, double absError);

    // How many slots are filled.
    int filledCount() const { return static_cast<int>(ranked_.size()); }

    // The list as it stands: the filled slots in rank order, then the empty ones.
    ResultList results() const;

    // Lists the filled slots of `list`, ranked by the same rules into as many slots, as they
    // stand there: the state after the candidates that made that list. Only into an empty
    // ranking.
    void takeOver(const ResultList& list);

private:
    // Whether the literal scan of a candidate with error `absError` reaches the listed train
    // `listed`: it looks at every slot with an error up to absError and at the first one
    // beyond.
    bool scanReaches(const ListedTrains::Entry& listed, double absError) const;
    // Lists the train at the place its error earns, or answers NoPlace.
    RankOutcome place(std::uint32_t code, double calcRatio, double absError);

    RankTree ranked_;
    ListedTrains listed_;
    // Each train is listed at most once (pushed out, it never comes back), and there are
    // fewer than 2^32 trains of tooth counts up to 255.
    std::uint32_t nextOrder_ = 0;
    double errorLimit_ = 2.0;
    int count_;
    int zn_;
    bool allowRepeats_;
};

} // namespace gearsel
