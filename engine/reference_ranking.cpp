// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/reference_ranking.h"

#include <algorithm>

namespace gearsel {

namespace {

GearTrain makeTrain(int z1, int z2, int z3, int z4) {
    return GearTrain{static_cast<std::int16_t>(z1), static_cast<std::int16_t>(z2),
                     static_cast<std::int16_t>(z3), static_cast<std::int16_t>(z4)};
}

bool holds(const GearTrain& t, int z1, int z2, int z3, int z4) {
    return t.z1 == z1 && t.z2 == z2 && t.z3 == z3 && t.z4 == z4;
}

// The listed train `t` is one of the arrangements of (z1/z2) x (z3/z4) with the same ratio
// that keep drivers first and third: pairs exchanged, drivers exchanged, driven gears
// exchanged.
bool isRearrangement(const GearTrain& t, int z1, int z2, int z3, int z4) {
    return holds(t, z3, z4, z1, z2) || holds(t, z3, z2, z1, z4) || holds(t, z1, z4, z3, z2);
}

} // namespace

ReferenceRanking::ReferenceRanking(int count, int zn, bool allowRepeats, SlotScan scan)
    : list_{std::vector<ResultSlot>(static_cast<std::size_t>(count > 0 ? count : 0))}, scan_(scan),
      zn_(zn), allowRepeats_(allowRepeats) {}

std::size_t ReferenceRanking::scanned() const {
    const std::size_t size = list_.slots.size();
    return scan_ == SlotScan::EverySlot ? size : std::min(filled_ + 1, size);
}

RankOutcome ReferenceRanking::rankTwoPair(int z1, int z2, int z3, int z4, double calcRatio,
                                          double absError) {
    // Second assembly condition: the driven gear z2 plus the shaft must stay below z3 + z4.
    // The sums are taken in int, so no shaft thickness can overflow them.
    if (z3 + z4 <= z2 + zn_) {
        return RankOutcome::Unfit;
    }
    const bool repeat = hasRepeat(z1, z2, z3, z4);
    if (repeat && !allowRepeats_) {
        return RankOutcome::Unfit;
    }
    auto& slots = list_.slots;
    for (std::size_t m = 0, end = scanned(); m < end; ++m) {
        if (holds(slots[m].train, z1, z2, z3, z4)) {
            return RankOutcome::AlreadyListed;
        }
        if (isRearrangement(slots[m].train, z1, z2, z3, z4)) {
            return RankOutcome::Rearranged;
        }
        if (slots[m].absError > absError) {
            return insertAt(m, ResultSlot{makeTrain(z1, z2, z3, z4), repeat, calcRatio, absError});
        }
    }
    tightenLimit();
    return RankOutcome::NoPlace;
}

RankOutcome ReferenceRanking::rankSinglePair(int z1, int z2, double calcRatio, double absError) {
    bool repeat = z1 == z2;
    if (repeat && !allowRepeats_) {
        return RankOutcome::Unfit;
    }
    auto& slots = list_.slots;
    for (std::size_t m = 0, end = scanned(); m < end; ++m) {
        const GearTrain& t = slots[m].train;
        if (t.z1 == z1 && t.z2 == z2 && t.z3 == 0) {
            return RankOutcome::AlreadyListed;
        }
        if (slots[m].absError > absError) {
            return insertAt(m, ResultSlot{makeTrain(z1, z2, 0, 0), repeat, calcRatio, absError});
        }
    }
    tightenLimit();
    return RankOutcome::NoPlace;
}

RankOutcome ReferenceRanking::insertAt(std::size_t index, const ResultSlot& slot) {
    auto& slots = list_.slots;
    for (std::size_t p = scanned() - 1; p > index; --p) {
        slots[p] = slots[p - 1];
    }
    slots[index] = slot;
    filled_ = std::min(filled_ + 1, slots.size());
    tightenLimit();
    return RankOutcome::Listed;
}

void ReferenceRanking::tightenLimit() {
    // With no slots at all the list's unused slot 0 counts, whose error is 0: nothing more
    // can ever be ranked.
    errorLimit_ = list_.slots.empty() ? 0.0 : list_.slots.back().absError;
}

} // namespace gearsel
