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

SpeedTable::Row& SpeedTable::rowFor(const std::string& name) {
    for (Row& row : rows_) {
        if (row.name == name) {
            return row;
        }
    }
    rows_.push_back(Row{name});
    return rows_.back();
}

void SpeedTable::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.error_occurred || run.run_type != Run::RT_Iteration) {
            continue;
        }
        // "<engine>/<gears>/<ratio>/<count>", then settings such as "iterations:1".
        const std::string name = run.benchmark_name();
        const auto slash = name.find('/');
        const std::string engine = name.substr(0, slash);
        std::string rest = name.substr(slash + 1);
        if (const auto setting = rest.find("/iterations:"); setting != std::string::npos) {
            rest.erase(setting);
        }
        const double seconds =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        if (engine != "fast" && engine != "reference") {
            tasks_.push_back({name, seconds});
            continue;
        }
        Row& row = rowFor(rest);
        if (engine == "fast") {
            row.fastSeconds = seconds;
            if (auto heap = run.counters.find("heap_KiB"); heap != run.counters.end()) {
                row.fastHeapKiB = heap->second.value;
            }
        } else {
            row.referenceSeconds = seconds;
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

void SpeedTable::writeMarkdown(std::ostream& out) const {
    out << "| Gears | Ratio | N | Fast | Reference | Speed-up | Fast heap peak |\n"
        << "|---:|---:|---:|---:|---:|---:|---:|\n";
    for (const Row& row : rows_) {
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
            << (row.fastSeconds > 0.0 ? heap : "-") << " |\n";
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

} // namespace gearsel
