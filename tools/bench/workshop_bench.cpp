// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop_bench.h"

#include "bench_gear_sets.h"
#include "engine/ratio_chart.h"

#include <benchmark/benchmark.h>

namespace gearsel {

namespace {

void runChart(benchmark::State& state, const SearchRequest& setup,
              const std::vector<ChartTarget>& targets) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(buildChart(setup, targets));
    }
}

} // namespace

void registerWorkshopBenchmarks() {
    for (const GearSet& set : {hobbingSet(), fullSet()}) {
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
