// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/best_train.h"

#include "engine/ratio_target.h"
#include "engine/selection.h"
#include "engine/train_fraction.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <tuple>
#include <utility>
#include <vector>

namespace gearsel {

namespace {

// Gears less distinct tooth counts among `teeth`.
template <std::size_t N> int repeatsAmong(std::array<int, N> teeth) {
    std::sort(teeth.begin(), teeth.end());
    return static_cast<int>(N) -
           static_cast<int>(std::unique(teeth.begin(), teeth.end()) - teeth.begin());
}

// The train's ratio as P/Q.
std::pair<std::uint32_t, std::uint32_t> ratioTerms(const GearTrain& t) {
    const auto z = [](std::int16_t teeth) { return static_cast<std::uint32_t>(teeth); };
    return t.z3 == 0 ? std::pair{z(t.z1), z(t.z2)}
                     : std::pair{z(t.z1) * z(t.z3), z(t.z2) * z(t.z4)};
}

// Whether the two trains are exactly equally far from the target.
bool tied(const GearTrain& a, const GearTrain& b, const RatioTarget& target) {
    const auto [p1, q1] = ratioTerms(a);
    const auto [p2, q2] = ratioTerms(b);
    return target.compareErrors(p1, q1, p2, q2) == 0;
}

bool tied(const ThreePairTrain& a, const ThreePairTrain& b, const RatioTarget& target) {
    return target.compareErrors(driverProduct(a), drivenProduct(a), driverProduct(b),
                                drivenProduct(b)) == 0;
}

// The filled slots of the search's list of `count` slots.
std::vector<ResultSlot> listOf(const SearchRequest& request, int count) {
    SearchRequest sized = request;
    sized.resultCount = count;
    ResultList list = runSelection(sized).results;
    list.slots.resize(static_cast<std::size_t>(list.filledCount()));
    return std::move(list.slots);
}

std::vector<ThreePairSlot> threePairListOf(const SearchRequest& request,
                                           const std::optional<Fraction>& required, int count) {
    SearchRequest sized = request;
    sized.resultCount = count;
    return runThreePairSelection(sized, required).slots;
}

// The lengths of list a look for tied trains goes through: short first, as the tied trains
// mostly come first, then longer up to the longest list there is.
constexpr std::array<int, 5> kLookLengths = {16, 128, 1024, 8192, kMaxResultCount};

// The computed error up to which trains can tie with `first`, whose computed error is the
// least of all. Trains of one exact error have computed errors within a few units of 2^-53 of
// |required| + error of each other, as TrainWindow::spread() reckons; this allows twice a
// thousand times that.
double tieBound(const SearchRequest& request, const ResultSlot& first) {
    return first.absError + (std::fabs(request.requiredRatio) + first.absError) * 0x1p-39;
}

// What a look through one list found: of the trains that tie with the first, the first of the
// lowest cost, and whether the list holds every train of the search that can tie.
struct TiedLook {
    std::optional<ResultSlot> cheapest;
    bool complete = false;
};

// Looks through `slots`, a list of `length` slots, for trains that tie with `first`. A train
// of cost `floor` ends the look: no other train undercuts it.
TiedLook lookThrough(const std::vector<ResultSlot>& slots, int length, const RatioTarget& target,
                     const ResultSlot& first, double bound, TrainCost floor) {
    TiedLook look;
    for (const ResultSlot& slot : slots) {
        if (slot.absError > bound) {
            look.complete = true;
            return look;
        }
        if (tied(slot.train, first.train, target) &&
            (!look.cheapest || trainCost(slot.train) < trainCost(look.cheapest->train))) {
            look.cheapest = slot;
            if (trainCost(slot.train) <= floor) {
                look.complete = true;
                return look;
            }
        }
    }
    look.complete = slots.size() < static_cast<std::size_t>(length);
    return look;
}

// Of the trains of the search's list that tie with `first`, the first of the lowest cost, in
// lists ever longer until one holds them all (or is as long as a list can be); nothing where
// none ties.
std::optional<ResultSlot> cheapestTied(const SearchRequest& request, const RatioTarget& target,
                                       const ResultSlot& first, double bound, TrainCost floor,
                                       const TrainLister& lister) {
    TiedLook look;
    for (const int length : kLookLengths) {
        look = lookThrough(lister(request, length), length, target, first, bound, floor);
        if (look.complete) {
            break;
        }
    }
    return look.cheapest;
}

} // namespace

TrainCost trainCost(const GearTrain& train) {
    if (train.z3 == 0) {
        return {2, repeatsAmong(std::array<int, 2>{train.z1, train.z2})};
    }
    return {4, repeatsAmong(std::array<int, 4>{train.z1, train.z2, train.z3, train.z4})};
}

TrainCost trainCost(const ThreePairTrain& t) {
    return {6, repeatsAmong(std::array<int, 6>{t.z1, t.z2, t.z3, t.z4, t.z5, t.z6})};
}

std::optional<BestTrain> bestTrain(const SearchRequest& request,
                                   const std::optional<Fraction>& required) {
    return bestTrain(request, required, listOf);
}

std::optional<BestTrain> bestTrain(const SearchRequest& request,
                                   const std::optional<Fraction>& required,
                                   const TrainLister& lister) {
    // The first train heads every list, however long: the ranking fills slot 1 with the first
    // train of the smallest error whatever N is. A short list mostly holds every train tied
    // with it too, and then the answer.
    const int shortLength = kLookLengths.front();
    const std::vector<ResultSlot> head = lister(request, shortLength);
    if (head.empty()) {
        return std::nullopt;
    }
    const ResultSlot& first = head.front();
    const RatioTarget target(request.requiredRatio, required);
    const double bound = tieBound(request, first);
    const TiedLook look = lookThrough(head, shortLength, target, first, bound, {2, 0});
    ResultSlot best = look.cheapest.value_or(first);
    // Otherwise the narrower searches, each with the cheapest cost it can add to those before
    // it: single pairs (no two-pair train passes z3 + Zn < z1 + z2 with Zn at its largest),
    // trains without repeats, and all trains.
    struct Narrower {
        bool singlePairsOnly;
        bool noRepeats;
        TrainCost floor;
    };
    const Narrower narrower[] = {
        {true, false, {2, 0}}, {false, true, {4, 0}}, {false, false, {4, 1}}};
    for (const Narrower& n : narrower) {
        if (look.complete || trainCost(best.train) <= n.floor ||
            (n.singlePairsOnly && !request.includeSinglePairs) ||
            (!n.noRepeats && !request.allowRepeats)) {
            continue;
        }
        SearchRequest narrowed = request;
        if (n.singlePairsOnly) {
            narrowed.zn = std::numeric_limits<std::int16_t>::max();
        }
        narrowed.allowRepeats = request.allowRepeats && !n.noRepeats;
        const auto found = cheapestTied(narrowed, target, first, bound, n.floor, lister);
        if (found && trainCost(found->train) < trainCost(best.train)) {
            best = *found;
        }
    }
    return BestTrain{best, isExactTrain(best.train, required)};
}

std::optional<BestThreePairTrain> bestThreePairTrain(const SearchRequest& request,
                                                     const std::optional<Fraction>& required) {
    const auto answer = [&](const ThreePairSlot& slot) {
        return BestThreePairTrain{slot, isExactThreePair(slot.train, required)};
    };
    // The list is ordered by exact error: the trains tied with the first lead it. Of those in
    // `slots`, the first of the fewest repeats; whether `slots`, of `length`, holds them all.
    const RatioTarget target(request.requiredRatio, required);
    const auto cheapest = [&](const std::vector<ThreePairSlot>& slots, int length) {
        const ThreePairSlot* best = &slots.front();
        for (const ThreePairSlot& slot : slots) {
            if (!tied(slot.train, slots.front().train, target)) {
                return std::pair{*best, true};
            }
            best = trainCost(slot.train) < trainCost(best->train) ? &slot : best;
        }
        return std::pair{*best, slots.size() < static_cast<std::size_t>(length)};
    };
    const int shortLength = kLookLengths.front();
    const std::vector<ThreePairSlot> head = threePairListOf(request, required, shortLength);
    if (head.empty()) {
        return std::nullopt;
    }
    auto [best, complete] = cheapest(head, shortLength);
    if (complete || trainCost(best.train).repeats == 0) {
        return answer(best);
    }
    // Many trains tie: the first without repeats, where one ties, else a look through longer
    // lists.
    SearchRequest noRepeats = request;
    noRepeats.allowRepeats = false;
    const std::vector<ThreePairSlot> distinct = threePairListOf(noRepeats, required, 1);
    if (!distinct.empty() && tied(distinct.front().train, head.front().train, target)) {
        return answer(distinct.front());
    }
    for (const int length : std::span(kLookLengths).subspan(1)) {
        std::tie(best, complete) = cheapest(threePairListOf(request, required, length), length);
        if (complete || trainCost(best.train).repeats == 1) {
            break;
        }
    }
    return answer(best);
}

} // namespace gearsel
