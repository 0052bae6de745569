// Search speed of the production engine against the reference enumeration on fixed inputs.
// Prints Google Benchmark's report, then a Markdown table with the speed-up per case.
// The reference takes about half a minute per search at 412 gears, so at 211 gears and more
// it is measured with a single iteration; --benchmark_filter=^fast/ leaves it out entirely.

#include "bench_gear_sets.h"
#include "engine/selection.h"
#include "heap_meter.h"
#include "speed_table.h"
#include "workshop_bench.h"

#include <benchmark/benchmark.h>

#include <iostream>
#include <string>
#include <vector>

namespace gearsel {
namespace {

std::vector<GearSet> gearSets() {
    return {
        {"14", {20, 25, 30, 35, 40, 45, 50, 55, 60, 70, 80, 90, 100, 120}},
        hobbingSet(),
        {"100", evenlySpread(100, 10, 255)},
        fullSet(),
        // The room of one stored slot: 246 tooth counts, most of them twice.
        {"412", evenlySpread(412, 10, 255)},
    };
}

void runSearch(benchmark::State& state, const SearchRequest& request, EngineKind engine) {
    // Every search frees what it allocated, so the peak over the loop is one search's peak.
    const std::size_t before = heapInUse();
    resetHeapPeak();
    for (auto _ : state) {
        benchmark::DoNotOptimize(runSelection(request, engine));
    }
    state.counters["heap_KiB"] = static_cast<double>(heapPeak() - before) / 1024.0;
}

void registerAll() {
    for (const GearSet& set : gearSets()) {
        for (const char* ratio : {"1.23456", "3.14159", "0.0417", "7.77777"}) {
            for (int count : {5, 24}) {
                SearchRequest request;
                request.gears = set.gears;
                request.requiredRatio = std::stod(ratio);
                request.resultCount = count;
                const std::string name = set.name + "/" + ratio + "/" + std::to_string(count);
                benchmark::RegisterBenchmark(("fast/" + name).c_str(), runSearch, request,
                                             EngineKind::Production)
                    ->Unit(benchmark::kMicrosecond);
                auto* reference = benchmark::RegisterBenchmark(
                    ("reference/" + name).c_str(), runSearch, request, EngineKind::Reference);
                reference->Unit(benchmark::kMillisecond);
                if (set.gears.size() >= 211) {
                    reference->Iterations(1);
                }
            }
        }
    }
}

} // namespace
} // namespace gearsel

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    gearsel::registerAll();
    gearsel::registerWorkshopBenchmarks();
    gearsel::SpeedTable table;
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    std::cout << "\nSearch time per call (zn 15, single pairs and repeats allowed):\n\n";
    table.writeMarkdown(std::cout);
    std::cout << "\nWhich gear to buy and charts (fast search, same options):\n\n";
    table.writeWorkshopMarkdown(std::cout);
    return 0;
}
