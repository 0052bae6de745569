// SPDX-License-Identifier: GPL-3.0-or-later
#include "suggest_bench.h"

#include "bench_gear_sets.h"
#include "engine/gear_suggestion.h"
#include "engine/quantity.h"
#include "engine/selection.h"

#include <benchmark/benchmark.h>
#include <functional>
#include <string>

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
    const GearSet sets[] = {hobbingSet(), fullSet(), {"412", evenlySpread(412, 10, 255)}};
    for (const GearSet& set : sets) {
        for (const auto& [name, ratio] : ratios) {
            SearchRequest request;
            request.gears = set.gears;
            request.requiredRatio = ratio.value();
            const std::optional<Fraction> fraction = ratio.fraction();
            add("select", set.name, name, select, request, fraction);
            add("suggest", set.name, name, suggest, request, fraction);
            // The plain way searches 246 grown sets: at 412 gears that is minutes.
            if (set.name != "412") {
                add("suggest, every addition", set.name, name, everyAddition, request, fraction);
            }
        }
    }
    // Three pairs: the 38-gear set, where the plain way takes seconds, and the 211 counts.
    for (const GearSet& set : {hobbingSet(), fullSet()}) {
        for (const auto& [name, ratio] : ratios) {
            SearchRequest request;
            request.gears = set.gears;
            request.requiredRatio = ratio.value();
            const std::optional<Fraction> fraction = ratio.fraction();
            add("select 3 pairs", set.name, name, selectThree, request, fraction);
            add("suggest 3 pairs", set.name, name, suggestThree, request, fraction);
            if (set.name == "38") {
                add("suggest 3 pairs, every addition", set.name, name, everyAdditionThree, request,
                    fraction);
            }
        }
    }
}

} // namespace gearsel
