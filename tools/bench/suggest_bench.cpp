// SPDX-License-Identifier: GPL-3.0-or-later
#include "suggest_bench.h"

#include "bench_gear_sets.h"
#include "engine/gear_suggestion.h"
#include "engine/quantity.h"
#include "engine/selection.h"

#include <benchmark/benchmark.h>
#include <functional>
#include <string>
#include <vector>

namespace gearsel {

namespace {

using Task = std::function<void(const SearchRequest&, const std::optional<Fraction>&)>;

void runTask(benchmark::State& state, const Task& task, const SearchRequest& request,
             const std::optional<Fraction>& required) {
    for (auto _ : state) {
        task(request, required);
    }
}

void add(const std::string& task, const std::string& gears, const std::string& input,
         const Task& run, const SearchRequest& request, const std::optional<Fraction>& required) {
    benchmark::RegisterBenchmark((task + "/" + gears + "/" + input).c_str(), runTask, run, request,
                                 required)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

} // namespace

void registerSuggestBenchmarks() {
    const Task select = [](const SearchRequest& r, const std::optional<Fraction>&) {
        benchmark::DoNotOptimize(runSelection(r));
    };
    const Task suggest = [](const SearchRequest& r, const std::optional<Fraction>& f) {
        benchmark::DoNotOptimize(suggestGears(r, f));
    };
    const Task everyAddition = [](const SearchRequest& r, const std::optional<Fraction>& f) {
        benchmark::DoNotOptimize(suggestGearsOneSearchEach(r, f));
    };
    const Task selectThree = [](const SearchRequest& r, const std::optional<Fraction>& f) {
        benchmark::DoNotOptimize(runThreePairSelection(r, f));
    };
    const Task suggestThree = [](const SearchRequest& r, const std::optional<Fraction>& f) {
        benchmark::DoNotOptimize(suggestGearsThreePairs(r, f));
    };
    const Task everyAdditionThree = [](const SearchRequest& r, const std::optional<Fraction>& f) {
        benchmark::DoNotOptimize(suggestGearsThreePairsOneSearchEach(r, f));
    };
    const std::pair<const char*, Quantity> ratios[] = {
        {"24÷101", Quantity(Fraction(24, 101))},
        {"1.23456", Quantity(Fraction(123456, 100000))},
        {"3.14159", Quantity(Fraction(314159, 100000))},
        {"0.0417", Quantity(Fraction(417, 10000))},
        {"7.77777", Quantity(Fraction(777777, 100000))},
    };
    // Each ratio on each set: one select, suggest, and where the set has at most `plainUpTo`
    // gears the plain way, which searches 246 grown sets (minutes at 412 gears with two pairs
    // and at 211 with three).
    const auto addAll = [&](const std::string& suffix, const std::vector<GearSet>& sets,
                            const Task& selectTask, const Task& suggestTask, const Task& plainTask,
                            std::size_t plainUpTo) {
        for (const GearSet& set : sets) {
            for (const auto& [name, ratio] : ratios) {
                SearchRequest request;
                request.gears = set.gears;
                request.requiredRatio = ratio.value();
                const std::optional<Fraction> fraction = ratio.fraction();
                add("select" + suffix, set.name, name, selectTask, request, fraction);
                add("suggest" + suffix, set.name, name, suggestTask, request, fraction);
                if (set.gears.size() <= plainUpTo) {
                    add("suggest" + suffix + ", every addition", set.name, name, plainTask, request,
                        fraction);
                }
            }
        }
    };
    addAll("", {hobbingSet(), fullSet(), {"412", evenlySpread(412, 10, 255)}}, select, suggest,
           everyAddition, 211);
    addAll(" 3 pairs", {hobbingSet(), fullSet()}, selectThree, suggestThree, everyAdditionThree,
           38);
}

} // namespace gearsel
