// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ranking.h"

#include <algorithm>
#include <iterator>

namespace gearsel {

namespace {

ResultSlot slotOf(const RankedTrain& ranked) {
    const auto teeth = [&](int shift) {
        return static_cast<std::int16_t>(ranked.code >> shift & 0xFF);
    };
    const GearTrain train{teeth(24), teeth(16), teeth(8), teeth(0)};
    return ResultSlot{train, hasRepeat(train), ranked.calcRatio, ranked.absError};
}

} // namespace

Ranking::Ranking(int count, int zn, bool allowRepeats)
    : count_(std::max(count, 0)), zn_(zn), allowRepeats_(allowRepeats) {}

RankOutcome Ranking::rankTwoPair(int z1, int z2, int z3, int z4, double calcRatio,
                                 double absError) {
    // Second assembly condition: the driven gear z2 plus the shaft must stay below z3 + z4.
    // The sums are taken in int, so no shaft thickness can overflow them.
    if (z3 + z4 <= z2 + zn_) {
        return RankOutcome::Unfit;
    }
    if (!allowRepeats_ && hasRepeat(z1, z2, z3, z4)) {
        return RankOutcome::Unfit;
    }
    // The train itself, then the arrangements with the same ratio that keep drivers first and
    // third: pairs exchanged, drivers exchanged, driven gears exchanged. The scan meets the
    // one in the highest slot first; at one slot the train itself is tested first.
    const std::uint32_t codes[] = {trainCode(z1, z2, z3, z4), trainCode(z3, z4, z1, z2),
                                   trainCode(z3, z2, z1, z4), trainCode(z1, z4, z3, z2)};
    const ListedTrains::Entry* found[4];
    listed_.findArrangements(codes, found);
    const ListedTrains::Entry* first = nullptr;
    RankOutcome outcome = RankOutcome::Listed;
    for (std::size_t i = 0; i < std::size(codes); ++i) {
        const ListedTrains::Entry* listed = found[i];
        if (listed != nullptr &&
            (first == nullptr ||
             ranksAbove(listed->absError, listed->order, first->absError, first->order)) &&
            scanReaches(*listed, absError)) {
            first = listed;
            outcome = i == 0 ? RankOutcome::AlreadyListed : RankOutcome::Rearranged;
        }
    }
    if (first != nullptr) {
        return outcome;
    }
    return place(codes[0], calcRatio, absError);
}

RankOutcome Ranking::rankSinglePair(int z1, int z2, double calcRatio, double absError) {
    if (z1 == z2 && !allowRepeats_) {
        return RankOutcome::Unfit;
    }
    const std::uint32_t code = trainCode(z1, z2, 0, 0);
    const ListedTrains::Entry* listed = listed_.find(code);
    if (listed != nullptr && scanReaches(*listed, absError)) {
        return RankOutcome::AlreadyListed;
    }
    return place(code, calcRatio, absError);
}

bool Ranking::scanReaches(const ListedTrains::Entry& listed, double absError) const {
    if (listed.absError <= absError) {
        return true;
    }
    // The first listed train with a larger error is where the scan stops.
    const RankedTrain* stop = ranked_.firstAbove(absError);
    return stop != nullptr && stop->order == listed.order;
}

RankOutcome Ranking::place(std::uint32_t code, double calcRatio, double absError) {
    if (count_ == 0) {
        // The list's unused slot 0 counts, whose error is 0: nothing can ever be ranked.
        errorLimit_ = 0.0;
        return RankOutcome::NoPlace;
    }
    const bool full = filledCount() == count_;
    // Empty slots hold the sentinel 1.0; a place needs a slot with a strictly larger error.
    const double lastError = full ? ranked_.last().absError : 1.0;
    if (!(lastError > absError)) {
        errorLimit_ = lastError;
        return RankOutcome::NoPlace;
    }
    const RankedTrain train{absError, nextOrder_++, code, calcRatio};
    ranked_.insert(train);
    listed_.insert(ListedTrains::Entry{train.absError, train.order, train.code});
    if (full) {
        listed_.erase(ranked_.last().code);
        ranked_.eraseLast();
    }
    errorLimit_ = filledCount() == count_ ? ranked_.last().absError : 1.0;
    return RankOutcome::Listed;
}

void Ranking::takeOver(const ResultList& list) {
    // In slot order, each train after those it ranks below: ties keep their order.
    for (const ResultSlot& slot : list.slots) {
        if (!slot.filled()) {
            break;
        }
        const GearTrain& t = slot.train;
        place(trainCode(t.z1, t.z2, t.z3, t.z4), slot.calcRatio, slot.absError);
    }
}

ResultList Ranking::results() const {
    ResultList list{std::vector<ResultSlot>(static_cast<std::size_t>(count_))};
    auto slot = list.slots.begin();
    ranked_.forEach([&](const RankedTrain& ranked) { *slot++ = slotOf(ranked); });
    return list;
}

} // namespace gearsel
