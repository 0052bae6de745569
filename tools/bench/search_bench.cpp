// Search speed of the production engine against the reference enumeration on fixed inputs.
// Prints Google Benchmark's report, then a Markdown table with the speed-up per case.
// The reference takes about half a minute per search at 412 gears, so at 211 gears and more
// it is measured with a single iteration; --benchmark_filter=^fast/ leaves it out entirely.

#include "engine/selection.h"
#include "heap_meter.h"
#include "speed_table.h"

#include <benchmark/benchmark.h>

#include <iostream>
#include <string>
#include <vector>

namespace gearsel {
namespace {

struct GearSet {
    std::string name;
    std::vector<std::int16_t> gears;
};

// `count` tooth counts from low to high, as evenly spaced as whole numbers allow.
std::vector<std::int16_t> evenlySpread(int count, int low, int high) {
    std::vector<std::int16_t> gears;
    for (int i = 0; i < count; ++i) {
        gears.push_back(static_cast<std::int16_t>(low + i * (high - low + 1) / count));
    }
    return gears;
}

std::vector<GearSet> gearSets() {
    return {
        {"14", {20, 25, 30, 35, 40, 45, 50, 55, 60, 70, 80, 90, 100, 120}},
        // A hobbing machine's set: many primes, so few trains share a ratio.
        {"38", {20, 23, 24, 25, 28, 30, 32, 33, 35, 36, 37, 40, 41, 43, 45, 47, 48, 50, 53,
                55, 56, 57, 59, 60, 61, 62, 65, 67, 70, 71, 73, 75, 79, 80, 83, 85, 90, 100}},
        {"100", evenlySpread(100, 10, 255)},
        {"211", evenlySpread(211, 10, 220)},
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
    gearsel::SpeedTable table;
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    std::cout << "\nSearch time per call (zn 15, single pairs and repeats allowed):\n\n";
    table.writeMarkdown(std::cout);
    return 0;
}
