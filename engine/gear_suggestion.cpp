// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/gear_suggestion.h"

#include "engine/addition_screen.h"
#include "engine/ratio_range.h"
#include "engine/ratio_target.h"
#include "engine/selection.h"
#include "engine/three_pair_addition_screen.h"
#include "engine/train_fitter.h"
#include "engine/train_fraction.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <limits>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

namespace gearsel {

namespace {

bool usesTooth(const GearTrain& train, int tooth) {
    return train.z1 == tooth || train.z2 == tooth || train.z3 == tooth || train.z4 == tooth;
}

bool usesTooth(const ThreePairTrain& t, int tooth) {
    return t.z1 == tooth || t.z2 == tooth || t.z3 == tooth || t.z4 == tooth || t.z5 == tooth ||
           t.z6 == tooth;
}

bool inside(const std::optional<RatioRange>& range, double ratio) {
    return range && range->low <= ratio && ratio <= range->high;
}

// Runs `work(i)` for every i below `count` on as many threads as the machine has cores. The
// calls are independent, so the results do not depend on how they are spread; the first
// exception is passed on once all threads are done.
void forEachInParallel(int count, const std::function<void(int)>& work) {
    std::atomic<int> next{0};
    std::exception_ptr failure;
    std::mutex failureGuard;
    const auto worker = [&] {
        for (int i = next++; i < count; i = next++) {
            try {
                work(i);
            } catch (...) {
                const std::lock_guard<std::mutex> guard(failureGuard);
                if (!failure) {
                    failure = std::current_exception();
                }
            }
        }
    };
    const unsigned cores = std::max(1U, std::thread::hardware_concurrency());
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < std::min({cores, 8U, static_cast<unsigned>(count)}); ++t) {
        helpers.emplace_back(worker);
    }
    worker();
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

// Every addition: the screen that lets all of them through to their search.
struct EveryAddition {
    template <class Best> std::vector<char> operator()(const std::optional<Best>&) const {
        return std::vector<char>(kMaxTeeth - kMinTeeth + 1, 1);
    }
};

// The report of the searches `best` (a request: its best train or nothing) on the set as it is
// and with each tooth count added that `screen` (the set's best train or nothing) lets through;
// an addition it drops must be one that cannot help. `closer` (a, b) ranks trains, `needs`
// (train, tooth, grown request) says whether the grown set's train needs the added gear.
template <class Slot, class Best, class Screen, class Closer, class Needs>
SuggestionReportOf<Slot> suggestWith(const SearchRequest& request, int pairs, Best best,
                                     Screen screen, Closer closer, Needs needs) {
    if (request.gears.size() >= static_cast<std::size_t>(kMaxGearCount)) {
        // With the gear to buy, the set would hold one gear more than a gear list can.
        throw SearchRefused(SearchProblem{SearchProblem::Kind::TooManyGears,
                                          static_cast<long long>(request.gears.size()) + 1});
    }
    SuggestionReportOf<Slot> report;
    report.bestInSet = best(request);
    report.inRange =
        inside(reachableRange(request.gears, request.allowRepeats, pairs), request.requiredRatio);

    // The searches are independent of each other, and a search keeps no state beyond its own
    // call: run them side by side.
    constexpr int kAdditions = kMaxTeeth - kMinTeeth + 1;
    std::vector<std::optional<BestOf<Slot>>> found(kAdditions);
    std::vector<char> needed(kAdditions); // not vector<bool>: threads write neighbours
    const std::vector<char> searched = screen(report.bestInSet);
    std::vector<int> additions;
    for (int i = 0; i < kAdditions; ++i) {
        if (searched[static_cast<std::size_t>(i)] != 0) {
            additions.push_back(i);
        }
    }

    forEachInParallel(static_cast<int>(additions.size()), [&](int k) {
        SearchRequest grown = request;
        const int i = additions[static_cast<std::size_t>(k)];
        const int tooth = kMinTeeth + i;
        grown.gears.push_back(static_cast<std::int16_t>(tooth));
        auto& grownBest = found[static_cast<std::size_t>(i)];
        grownBest = best(grown);
        needed[static_cast<std::size_t>(i)] =
            grownBest && needs(grownBest->slot.train, tooth, grown) ? 1 : 0;
    });
    std::vector<std::int16_t> grownGears = request.gears;
    grownGears.push_back(0);
    for (int i = 0; i < kAdditions; ++i) {
        const int tooth = kMinTeeth + i;
        grownGears.back() = static_cast<std::int16_t>(tooth);
        if (!report.inRange && inside(reachableRange(grownGears, request.allowRepeats, pairs),
                                      request.requiredRatio)) {
            report.bringIntoRange.push_back(tooth);
        }
        // An addition helps when its train needs the new gear and beats the set as it is; a
        // second gear of a count the set holds helps only where gears are used once, or as
        // another idler.
        const auto& grownBest = found[static_cast<std::size_t>(i)];
        if (grownBest && needed[static_cast<std::size_t>(i)] != 0 &&
            (!report.bestInSet || closer(*grownBest, *report.bestInSet))) {
            report.suggestions.push_back({tooth, *grownBest});
        }
    }
    std::stable_sort(report.suggestions.begin(), report.suggestions.end(),
                     [&](const SuggestionOf<Slot>& a, const SuggestionOf<Slot>& b) {
                         return closer(a.best, b.best);
                     });
    return report;
}

} // namespace

bool closerThan(const BestTrain& a, const BestTrain& b, const std::optional<Fraction>& required) {
    if (required) {
        return compareDistance(a.slot.train, b.slot.train, *required) < 0;
    }
    return a.slot.absError < b.slot.absError;
}

bool closerThan(const BestThreePairTrain& a, const BestThreePairTrain& b, double requiredRatio,
                const std::optional<Fraction>& required) {
    const RatioTarget target(requiredRatio, required);
    return target.compareErrors(driverProduct(a.slot.train), drivenProduct(a.slot.train),
                                driverProduct(b.slot.train), drivenProduct(b.slot.train)) < 0;
}

bool ranksBefore(const GearSuggestion& a, const GearSuggestion& b,
                 const std::optional<Fraction>& required) {
    if (closerThan(a.best, b.best, required)) {
        return true;
    }
    return !closerThan(b.best, a.best, required) && a.tooth < b.tooth;
}

namespace {

// The two-pair report, each addition that `screen` lets through searched as bestTrain() does.
template <class Screen>
SuggestionReport suggestTwoPairs(const SearchRequest& request,
                                 const std::optional<Fraction>& required, Screen screen) {
    return suggestWith<ResultSlot>(
        request, 2, [&](const SearchRequest& r) { return bestTrain(r, required); }, screen,
        [&](const BestTrain& a, const BestTrain& b) { return closerThan(a, b, required); },
        [](const GearTrain& train, int tooth, const SearchRequest& grown) {
            // A single pair that fits may need the added gear as its idler.
            return usesTooth(train, tooth) ||
                   (grown.fitGeometry && train.z3 == 0 &&
                    TrainFitter(*grown.fitGeometry, grown.gears).fit(train).idler == tooth);
        });
}

template <class Screen>
ThreePairSuggestionReport suggestThreePairs(const SearchRequest& request,
                                            const std::optional<Fraction>& required,
                                            Screen screen) {
    return suggestWith<ThreePairSlot>(
        request, 3, [&](const SearchRequest& r) { return bestThreePairTrain(r, required); }, screen,
        [&](const BestThreePairTrain& a, const BestThreePairTrain& b) {
            return closerThan(a, b, request.requiredRatio, required);
        },
        [](const ThreePairTrain& train, int tooth, const SearchRequest&) {
            return usesTooth(train, tooth);
        });
}

} // namespace

SuggestionReport suggestGears(const SearchRequest& request,
                              const std::optional<Fraction>& required) {
    return suggestTwoPairs(request, required, [&](const std::optional<BestTrain>& inSet) {
        if (inSet && inSet->exact && required) {
            return std::vector<char>(kMaxTeeth - kMinTeeth + 1, 0); // no train beats an exact one
        }
        // Only a train closer than the set's best can make an addition help.
        return additionsCloserThan(request, required,
                                   inSet ? std::optional<ResultSlot>(inSet->slot) : std::nullopt);
    });
}

SuggestionReport suggestGearsOneSearchEach(const SearchRequest& request,
                                           const std::optional<Fraction>& required) {
    return suggestTwoPairs(request, required, EveryAddition{});
}

ThreePairSuggestionReport suggestGearsThreePairs(const SearchRequest& request,
                                                 const std::optional<Fraction>& required) {
    return suggestThreePairs(
        request, required, [&](const std::optional<BestThreePairTrain>& inSet) {
            if (inSet && inSet->exact && required) {
                return std::vector<char>(kMaxTeeth - kMinTeeth + 1,
                                         0); // no train beats an exact one
            }
            return threePairAdditionsCloserThan(request, required,
                                                inSet ? std::optional<ThreePairSlot>(inSet->slot)
                                                      : std::nullopt);
        });
}

ThreePairSuggestionReport
suggestGearsThreePairsOneSearchEach(const SearchRequest& request,
                                    const std::optional<Fraction>& required) {
    return suggestThreePairs(request, required, EveryAddition{});
}

} // namespace gearsel
