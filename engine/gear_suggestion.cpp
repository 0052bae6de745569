// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/gear_suggestion.h"

#include "engine/ratio_range.h"
#include "engine/selection.h"
#include "engine/train_fraction.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

namespace gearsel {

namespace {

bool usesTooth(const GearTrain& train, int tooth) {
    return train.z1 == tooth || train.z2 == tooth || train.z3 == tooth || train.z4 == tooth;
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
    for (unsigned t = 1; t < std::min(cores, 8U); ++t) {
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

} // namespace

std::optional<BestTrain> bestTrain(const SearchRequest& request,
                                   const std::optional<Fraction>& required) {
    // The best train heads every list, however long: the ranking fills slot 1 with the first
    // train of the smallest error whatever N is, so one slot is enough.
    SearchRequest one = request;
    one.resultCount = 1;
    const SelectionResult result = runSelection(one);
    const ResultSlot& slot = result.results.slots.front();
    if (!slot.filled()) {
        return std::nullopt;
    }
    return BestTrain{slot, isExactTrain(slot.train, required)};
}

bool closerThan(const BestTrain& a, const BestTrain& b, const std::optional<Fraction>& required) {
    if (required) {
        return compareDistance(a.slot.train, b.slot.train, *required) < 0;
    }
    return a.slot.absError < b.slot.absError;
}

bool ranksBefore(const GearSuggestion& a, const GearSuggestion& b,
                 const std::optional<Fraction>& required) {
    if (closerThan(a.best, b.best, required)) {
        return true;
    }
    return !closerThan(b.best, a.best, required) && a.tooth < b.tooth;
}

SuggestionReport suggestGears(const SearchRequest& request,
                              const std::optional<Fraction>& required) {
    if (request.gears.size() >= static_cast<std::size_t>(kMaxGearCount)) {
        // With the gear to buy, the set would hold one gear more than a gear list can.
        throw SearchRefused(SearchProblem{SearchProblem::Kind::TooManyGears,
                                          static_cast<long long>(request.gears.size()) + 1});
    }
    SuggestionReport report;
    report.bestInSet = bestTrain(request, required);
    report.inRange =
        inside(reachableRange(request.gears, request.allowRepeats), request.requiredRatio);

    // The searches are independent of each other, and a search keeps no state beyond its own
    // call: run them side by side.
    constexpr int kAdditions = kMaxTeeth - kMinTeeth + 1;
    std::vector<std::optional<BestTrain>> found(kAdditions);
    forEachInParallel(kAdditions, [&](int i) {
        SearchRequest grown = request;
        grown.gears.push_back(static_cast<std::int16_t>(kMinTeeth + i));
        found[static_cast<std::size_t>(i)] = bestTrain(grown, required);
    });
    std::vector<std::int16_t> grownGears = request.gears;
    grownGears.push_back(0);
    for (int i = 0; i < kAdditions; ++i) {
        const int tooth = kMinTeeth + i;
        grownGears.back() = static_cast<std::int16_t>(tooth);
        if (!report.inRange &&
            inside(reachableRange(grownGears, request.allowRepeats), request.requiredRatio)) {
            report.bringIntoRange.push_back(tooth);
        }
        // An addition helps when its train needs the new gear and beats the set as it is; a
        // second gear of a count the set holds never does, since trains are made of counts.
        const auto& best = found[static_cast<std::size_t>(i)];
        if (best && usesTooth(best->slot.train, tooth) &&
            (!report.bestInSet || closerThan(*best, *report.bestInSet, required))) {
            report.suggestions.push_back({tooth, *best});
        }
    }
    std::sort(report.suggestions.begin(), report.suggestions.end(),
              [&](const GearSuggestion& a, const GearSuggestion& b) {
                  return ranksBefore(a, b, required);
              });
    return report;
}

} // namespace gearsel
