// SPDX-License-Identifier: GPL-3.0-or-later
// Speed and heap of the three-pair search on fixed inputs: gear sets of 60 and 211 distinct
// tooth counts, the ratios of gearsel-bench, the hobbing index of 300 teeth (1/25) and 1
// (hit by millions of trains), short and long lists, with fixed gears, use-once gears, no
// repeats and thick shafts. Prints Google Benchmark's report, then a Markdown table of the
// CPU time, the wall time and the most heap one search holds. The reference enumeration
// would walk n^6 trains and is left to the differential tests.

#include "bench_gear_sets.h"
#include "engine/decimal_fraction.h"
#include "engine/selection.h"
#include "heap_meter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace gearsel {
namespace {

struct Case {
    std::string name; // "<gears>/<ratio>/<count>[/<options>]"
    SearchRequest request;
    std::optional<Fraction> fraction;
};

void runSearch(benchmark::State& state, const Case& c) {
    // Every search frees what it allocated, so the peak over the loop is one search's peak.
    const std::size_t before = heapInUse();
    resetHeapPeak();
    for (auto _ : state) {
        benchmark::DoNotOptimize(runThreePairSelection(c.request, c.fraction).slots);
    }
    state.counters["heap_KiB"] = static_cast<double>(heapPeak() - before) / 1024.0;
}

// Prints Google Benchmark's report and keeps each run for the table at the end.
class TableReporter : public benchmark::ConsoleReporter {
public:
    struct Row {
        std::string name;
        double cpuSeconds;
        double wallSeconds;
        double heapKiB;
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) {
                continue;
            }
            const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
            const auto heap = run.counters.find("heap_KiB");
            rows_.push_back({run.run_name.function_name, run.GetAdjustedCPUTime() / unit,
                             run.GetAdjustedRealTime() / unit,
                             heap != run.counters.end() ? heap->second.value : 0.0});
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void writeMarkdown(std::ostream& out) const {
        out << "| Gears | Ratio | N | Options | CPU time | Wall time | Heap peak |\n"
            << "|---:|---:|---:|---|---:|---:|---:|\n";
        for (const Row& row : rows_) {
            // "three/<gears>/<ratio>/<count>[/<options>]" as cells.
            std::string cells = row.name.substr(row.name.find('/') + 1);
            if (std::count(cells.begin(), cells.end(), '/') < 3) {
                cells += "/-";
            }
            for (auto at = cells.find('/'); at != std::string::npos; at = cells.find('/', at)) {
                cells.replace(at, 1, " | ");
            }
            char times[96];
            std::snprintf(times, sizeof times, "%.1f ms | %.1f ms | %.1f MiB", row.cpuSeconds * 1e3,
                          row.wallSeconds * 1e3, row.heapKiB / 1024.0);
            out << "| " << cells << " | " << times << " |\n";
        }
    }

private:
    std::vector<Row> rows_;
};

std::vector<Case> cases() {
    const GearSet sixty{"60", evenlySpread(60, 20, 120)};
    const GearSet full = fullSet();
    // The ratios as the command line reads them: short decimals are exact fractions. Benchmark
    // names take "/" as their separator, so 1/25 is written 1÷25.
    const std::pair<std::string, Fraction> ratios[] = {
        {"1.23456", *decimalFraction("1.23456")},
        {"3.14159", *decimalFraction("3.14159")},
        {"0.0417", *decimalFraction("0.0417")},
        {"7.77777", *decimalFraction("7.77777")},
        {"1÷25", Fraction(1, 25)},
        {"1", Fraction(1, 1)},
    };
    std::vector<Case> all;
    const auto add = [&](const GearSet& set, const std::pair<std::string, Fraction>& ratio,
                         int count, const std::string& options, auto change) {
        Case c{set.name + "/" + ratio.first + "/" + std::to_string(count) +
                   (options.empty() ? "" : "/" + options),
               SearchRequest{}, ratio.second};
        c.request.gears = set.gears;
        c.request.requiredRatio = ratio.second.toDouble();
        c.request.resultCount = count;
        change(c.request);
        all.push_back(c);
    };
    const auto plain = [](SearchRequest&) {};
    for (const GearSet& set : {sixty, full}) {
        for (const auto& ratio : ratios) {
            for (const int count : {5, 999}) {
                add(set, ratio, count, "", plain);
            }
        }
    }
    add(full, ratios[0], kMaxResultCount, "", plain);
    add(full, ratios[5], kMaxResultCount, "", plain);
    add(full, ratios[0], 5, "first driver 24", [](SearchRequest& r) { r.firstDriver = 24; });
    add(full, ratios[4], 5, "last driven 127", [](SearchRequest& r) { r.lastDriven = 127; });
    add(full, ratios[0], 5, "use once", [](SearchRequest& r) { r.useOnce = true; });
    add(full, ratios[0], 5, "no repeats", [](SearchRequest& r) { r.allowRepeats = false; });
    add(full, ratios[0], 999, "zn 150", [](SearchRequest& r) { r.zn = 150; });
    add(full, {"0.001", Fraction(1, 1000)}, 999, "zn 100", [](SearchRequest& r) { r.zn = 100; });
    return all;
}

} // namespace
} // namespace gearsel

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    for (const gearsel::Case& c : gearsel::cases()) {
        benchmark::RegisterBenchmark(("three/" + c.name).c_str(), gearsel::runSearch, c)
            ->Unit(benchmark::kMillisecond);
    }
    gearsel::TableReporter table;
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    std::cout << "\nThree-pair search (zn 15, repeats allowed unless noted):\n\n";
    table.writeMarkdown(std::cout);
    return std::cout.good() ? 0 : 1;
}
