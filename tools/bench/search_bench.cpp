// SPDX-License-Identifier: GPL-3.0-or-later
// Search speed of the production engine against the reference enumeration on fixed inputs:
// a grid of gear sets, ratios and short lists, then the inputs where a search is hardest (long
// lists, many trains tied at one ratio, few distinct tooth counts with many copies). Prints
// Google Benchmark's report, then Markdown tables with the speed-up per case. The reference
// takes from seconds to minutes per search at 211 gears and more, so there it is measured with
// a single iteration; at 412 gears of 10 distinct counts it would take hours and is left out
// (the same counts with 80 gears show the ratio). --benchmark_filter=^fast/ leaves the
// reference out entirely. Last, the searches at 211 gears again, restricted to trains that
// fit a machine (--benchmark_filter='^(fast|fit-only)/211/' for these alone, without the
// reference).

#include "bench_gear_sets.h"
#include "engine/selection.h"
#include "heap_meter.h"
#include "speed_table.h"
#include "suggest_bench.h"
#include "workshop_bench.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace gearsel {
namespace {

// `count` gears of the ten tooth counts 20, 25, ... 65, each as often as the count allows.
std::vector<std::int16_t> tenCounts(int count) {
    std::vector<std::int16_t> gears;
    for (int i = 0; i < count; ++i) {
        gears.push_back(static_cast<std::int16_t>(20 + 5 * (i % 10)));
    }
    return gears;
}

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

// The list each engine gave for each case, to compare once all have run.
std::map<std::string, ResultList> fastLists;
std::map<std::string, ResultList> referenceLists;

// The key of a case restricted to trains that fit a machine in those maps.
std::string fitKey(const std::string& name, const std::string& machine) {
    return name + "/" + machine;
}

void runSearch(benchmark::State& state, const std::string& key, const SearchRequest& request,
               EngineKind engine) {
    // Every search frees what it allocated, so the peak over the loop is one search's peak.
    const std::size_t before = heapInUse();
    resetHeapPeak();
    ResultList list;
    for (auto _ : state) {
        // The previous list goes first, so that the peak stays one search's.
        list = ResultList{};
        list = runSelection(request, engine).results;
        benchmark::DoNotOptimize(list);
    }
    state.counters["heap_KiB"] = static_cast<double>(heapPeak() - before) / 1024.0;
    (engine == EngineKind::Production ? fastLists : referenceLists)[key] = std::move(list);
}

// The name of a case: "<gears>/<ratio>/<count>".
std::string caseName(const std::string& gearsName, const SearchRequest& request) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", request.requiredRatio);
    std::string ratio = text;
    if (ratio.find('.') == std::string::npos) {
        ratio += ".0";
    }
    return gearsName + "/" + ratio + "/" + std::to_string(request.resultCount);
}

// Registers both engines on one case; the reference with a single iteration where it is
// slow, or not at all.
void registerCase(SpeedTable& table, const std::string& section, const std::string& gearsName,
                  const SearchRequest& request, bool slowReference, bool withReference = true) {
    const std::string name = caseName(gearsName, request);
    table.addCase(section, name);
    benchmark::RegisterBenchmark(("fast/" + name).c_str(), runSearch, name, request,
                                 EngineKind::Production)
        ->Unit(benchmark::kMicrosecond);
    if (withReference) {
        auto* reference = benchmark::RegisterBenchmark(("reference/" + name).c_str(), runSearch,
                                                       name, request, EngineKind::Reference);
        reference->Unit(benchmark::kMillisecond);
        if (slowReference) {
            reference->Iterations(1);
        }
    }
}

// Machines to fit trains to, lengths in mm. Made up for the benchmark: one with room for most
// trains; one whose short slot and long centre distance turn most of them away, so that the
// list fills late; and one with a slot of any length, where only the reach of the two centre
// distances decides (and every second pair can follow some first pair).
struct Machine {
    std::string name;
    MachineGeometry geometry;
};

std::vector<Machine> machines() {
    return {
        {"m1 D100 stud 45-95 cover 130",
         {{ToothSize::Unit::Module, 1.0}, 100.0, StudRange{45.0, 95.0}, 130.0}},
        {"m2 D150 stud 60-80", {{ToothSize::Unit::Module, 2.0}, 150.0, StudRange{60.0, 80.0}, {}}},
        {"dp16 D250", {{ToothSize::Unit::DiametralPitch, 16.0}, 250.0, {}, {}}},
    };
}

// The searches of the 211 counts again, with each machine's fit-only rule; the reference once.
void registerFitCases(SpeedTable& table) {
    const GearSet set = fullSet();
    for (const Machine& machine : machines()) {
        for (const double ratio : {1.23456, 3.14159, 0.0417, 7.77777}) {
            for (const int count : {5, 24, 999}) {
                // The long list only where the plain search has it too.
                if (count == 999 && ratio != 1.23456) {
                    continue;
                }
                SearchRequest request{set.gears, ratio, count};
                const std::string name = caseName(set.name, request);
                const std::string key = fitKey(name, machine.name);
                request.fitGeometry = machine.geometry;
                table.addFitCase(name, machine.name);
                benchmark::RegisterBenchmark(("fit-only/" + key).c_str(), runSearch, key, request,
                                             EngineKind::Production)
                    ->Unit(benchmark::kMicrosecond);
                benchmark::RegisterBenchmark(("fit-reference/" + key).c_str(), runSearch, key,
                                             request, EngineKind::Reference)
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(1);
            }
        }
    }
}

void registerAll(SpeedTable& table) {
    const std::string grid = "Gear sets, ratios and short lists";
    for (const GearSet& set : gearSets()) {
        for (const double ratio : {1.23456, 3.14159, 0.0417, 7.77777}) {
            for (int count : {5, 24}) {
                SearchRequest request;
                request.gears = set.gears;
                request.requiredRatio = ratio;
                request.resultCount = count;
                registerCase(table, grid, set.name, request, set.gears.size() >= 211);
            }
        }
    }

    const std::string hard = "The hardest inputs: long lists, many ties, few distinct counts";
    const std::vector<std::int16_t> gears412 = evenlySpread(412, 10, 255);
    const std::vector<std::int16_t> gears211 = evenlySpread(211, 10, 220);
    for (const int count : {999, kMaxResultCount}) {
        registerCase(table, hard, "412", SearchRequest{gears412, 1.23456, count}, true);
        registerCase(table, hard, "211", SearchRequest{gears211, 1.23456, count}, true);
    }
    // Ratio 1.0: every z/z and every a/b x b/a hits it, and the ten counts form few trains.
    for (const int gears : {412, 80}) {
        const std::string name = std::to_string(gears) + " of 10 counts";
        const SearchRequest request{tenCounts(gears), 1.0, 999};
        SearchRequest noRepeats = request;
        noRepeats.allowRepeats = false;
        SearchRequest longList = request;
        longList.resultCount = kMaxResultCount;
        const bool reference = gears < 412;
        registerCase(table, hard, name, request, true, reference);
        registerCase(table, hard, name + ", no repeats", noRepeats, true, reference);
        registerCase(table, hard, name, longList, true, reference);
    }

    // Where the set forms few trains and the list is long, the reference walks them all at
    // once; the fast search must not be slower there either.
    const std::string small = "Small sets, long lists";
    SearchRequest single{{93}, 1.0, 12000};
    single.includeSinglePairs = false;
    single.allowRepeats = false;
    registerCase(table, small, "1 gear, no singles, no repeats", single, false);
    const std::vector<std::int16_t> gears14 = gearSets().front().gears;
    for (const int count : {99, 999, kMaxResultCount}) {
        registerCase(table, small, "14", SearchRequest{gears14, 1.23456, count},
                     count == kMaxResultCount);
    }
    SearchRequest fewCounts{tenCounts(20), 1.0, 12000};
    fewCounts.allowRepeats = false;
    registerCase(table, small, "20 of 10 counts, no repeats", fewCounts, false);
    registerFitCases(table);
}

} // namespace
} // namespace gearsel

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    gearsel::SpeedTable table;
    gearsel::registerAll(table);
    gearsel::registerWorkshopBenchmarks();
    gearsel::registerSuggestBenchmarks();
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    // The lists compared slot by slot, the doubles by value: both engines compute them with
    // the same operations, so equal values are equal bits.
    for (const auto& [name, list] : gearsel::fastLists) {
        if (const auto reference = gearsel::referenceLists.find(name);
            reference != gearsel::referenceLists.end()) {
            table.setSameList(name, list == reference->second);
        }
    }
    std::cout << "\nCPU time per search (zn 15, single pairs and repeats allowed unless noted):\n";
    table.writeMarkdown(std::cout);
    std::cout << "\nWhich gear to buy and charts (fast search, same options, wall time):\n\n";
    table.writeWorkshopMarkdown(std::cout);
    std::cout << "\nTrains that fit a machine (fast search, 211 counts, CPU time):\n\n";
    table.writeFitMarkdown(std::cout);
    return 0;
}
