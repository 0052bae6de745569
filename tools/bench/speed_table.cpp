// SPDX-License-Identifier: GPL-3.0-or-later
#include "speed_table.h"

#include <cstdio>

namespace gearsel {

namespace {

std::string formatSeconds(double seconds) {
    char text[32];
    if (seconds <= 0.0) {
        return "-";
    }
    if (seconds < 1e-3) {
        std::snprintf(text, sizeof text, "%.1f µs", seconds * 1e6);
    } else if (seconds < 1.0) {
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    } else {
        std::snprintf(text, sizeof text, "%.2f s", seconds);
    }
    return text;
}

} // namespace

void SpeedTable::addCase(const std::string& section, const std::string& name) {
    rows_.push_back(Row{section, name});
}

void SpeedTable::setSameList(const std::string& name, bool same) {
    if (Row* row = rowFor(name) != nullptr ? rowFor(name) : fitRowFor(name)) {
        row->sameList = same ? 1 : 0;
    }
}

void SpeedTable::addFitCase(const std::string& plain, const std::string& machine) {
    fitRows_.push_back(Row{"", plain + "/" + machine});
}

SpeedTable::Row* SpeedTable::rowFor(const std::string& name) {
    for (Row& row : rows_) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}

SpeedTable::Row* SpeedTable::fitRowFor(const std::string& name) {
    for (Row& row : fitRows_) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}

void SpeedTable::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.error_occurred || run.run_type != Run::RT_Iteration) {
            continue;
        }
        // "<engine>/<gears>/<ratio>/<count>", then settings such as "iterations:1".
        std::string name = run.benchmark_name();
        if (const auto clock = name.find("/real_time"); clock != std::string::npos) {
            name.erase(clock, std::string("/real_time").size());
        }
        const auto slash = name.find('/');
        const std::string engine = name.substr(0, slash);
        std::string rest = name.substr(slash + 1);
        if (const auto setting = rest.find("/iterations:"); setting != std::string::npos) {
            rest.erase(setting);
        }
        // CPU time for single searches: the machine is shared, and wall time counts other
        // programs' turns too. The workshop tasks spread their searches over threads, whose
        // work a clock of the calling thread misses: they are timed by the wall clock.
        const double multiplier = benchmark::GetTimeUnitMultiplier(run.time_unit);
        const bool fit = engine == "fit-only" || engine == "fit-reference";
        if (engine != "fast" && engine != "reference" && !fit) {
            tasks_.push_back({name, run.GetAdjustedRealTime() / multiplier});
            continue;
        }
        const double seconds = run.GetAdjustedCPUTime() / multiplier;
        Row* row = fit ? fitRowFor(rest) : rowFor(rest);
        if (row == nullptr) {
            continue;
        }
        if (engine == "fast" || engine == "fit-only") {
            row->fastSeconds = seconds;
            if (auto heap = run.counters.find("heap_KiB"); heap != run.counters.end()) {
                row->fastHeapKiB = heap->second.value;
            }
        } else {
            row->referenceSeconds = seconds;
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

void SpeedTable::writeMarkdown(std::ostream& out) const {
    const Row* previous = nullptr;
    for (const Row& row : rows_) {
        // Cases left out of the run (--benchmark_filter) are left out of the table.
        if (row.fastSeconds <= 0.0 && row.referenceSeconds <= 0.0) {
            continue;
        }
        if (previous == nullptr || row.section != previous->section) {
            out << "\n"
                << row.section << ":\n\n"
                << "| Gears | Ratio | N | Fast | Reference | Speed-up | Same list | Fast heap peak "
                   "|\n"
                << "|---:|---:|---:|---:|---:|---:|:---:|---:|\n";
        }
        previous = &row;
        std::string speedUp = "-";
        if (row.fastSeconds > 0.0 && row.referenceSeconds > 0.0) {
            char text[32];
            std::snprintf(text, sizeof text, "%.0fx", row.referenceSeconds / row.fastSeconds);
            speedUp = text;
        }
        char heap[32];
        std::snprintf(heap, sizeof heap, "%.0f KiB", row.fastHeapKiB);
        std::string cells = row.name;
        for (auto at = cells.find('/'); at != std::string::npos; at = cells.find('/', at)) {
            cells.replace(at, 1, " | ");
        }
        out << "| " << cells << " | " << formatSeconds(row.fastSeconds) << " | "
            << formatSeconds(row.referenceSeconds) << " | " << speedUp << " | "
            << (row.sameList < 0   ? "-"
                : row.sameList > 0 ? "yes"
                                   : "NO")
            << " | " << (row.fastSeconds > 0.0 ? heap : "-") << " |\n";
    }
}

void SpeedTable::writeWorkshopMarkdown(std::ostream& out) const {
    out << "| Task | Gears | Input | Time |\n"
        << "|---|---:|---|---:|\n";
    for (const TaskRow& task : tasks_) {
        std::string cells = task.name;
        for (int k = 0; k < 2; ++k) {
            if (const auto at = cells.find('/'); at != std::string::npos) {
                cells.replace(at, 1, " | ");
            }
        }
        out << "| " << cells << " | " << formatSeconds(task.seconds) << " |\n";
    }
}

void SpeedTable::writeFitMarkdown(std::ostream& out) const {
    out << "| Gears | Ratio | N | Machine | Search | Fit only | Cost | Same list |\n"
        << "|---:|---:|---:|---|---:|---:|---:|:---:|\n";
    for (const Row& row : fitRows_) {
        if (row.fastSeconds <= 0.0) {
            continue;
        }
        // "<gears>/<ratio>/<count>/<machine>": the plain search is the case before the machine.
        const std::string plain = row.name.substr(0, row.name.rfind('/'));
        double plainSeconds = 0.0;
        for (const Row& other : rows_) {
            plainSeconds = other.name == plain ? other.fastSeconds : plainSeconds;
        }
        std::string cost = "-";
        if (plainSeconds > 0.0) {
            char text[32];
            std::snprintf(text, sizeof text, "%.2fx", row.fastSeconds / plainSeconds);
            cost = text;
        }
        std::string cells = row.name;
        for (auto at = cells.find('/'); at != std::string::npos; at = cells.find('/', at)) {
            cells.replace(at, 1, " | ");
        }
        out << "| " << cells << " | " << formatSeconds(plainSeconds) << " | "
            << formatSeconds(row.fastSeconds) << " | " << cost << " | "
            << (row.sameList < 0   ? "-"
                : row.sameList > 0 ? "yes"
                                   : "NO")
            << " |\n";
    }
}

} // namespace gearsel
