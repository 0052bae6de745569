// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop_bench.h"

#include "bench_gear_sets.h"
#include "engine/gear_suggestion.h"
#include "engine/ratio_chart.h"

#include <benchmark/benchmark.h>

namespace gearsel {

namespace {

void runSuggest(benchmark::State& state, const SearchRequest& request,
                const std::optional<Fraction>& required) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(suggestGears(request, required));
    }
}

void runChart(benchmark::State& state, const SearchRequest& setup,
              const std::vector<ChartTarget>& targets) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(buildChart(setup, targets));
    }
}

} // namespace

void registerWorkshopBenchmarks() {
    const std::pair<const char*, Quantity> ratios[] = {
        {"24÷101", Quantity(Fraction(24, 101))}, {"1.23456", Quantity(Fraction(123456, 100000))},
        {"3.14159", Quantity(3.14159)},          {"0.0417", Quantity(0.0417)},
        {"7.77777", Quantity(7.77777)},
    };
    for (const GearSet& set : {hobbingSet(), fullSet()}) {
        for (const auto& [name, ratio] : ratios) {
            SearchRequest request;
            request.gears = set.gears;
            request.requiredRatio = ratio.value();
            benchmark::RegisterBenchmark(("suggest/" + set.name + "/" + name).c_str(), runSuggest,
                                         request, ratio.fraction())
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
        SearchRequest setup;
        setup.gears = set.gears;
        benchmark::RegisterBenchmark(("chart/" + set.name + "/hob-index K=24 z=17-120").c_str(),
                                     runChart, setup,
                                     hobIndexTargets(Quantity::whole(24), 1, 17, 120))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
}

} // namespace gearsel
