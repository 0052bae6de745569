#pragma once
// A console reporter for the search benchmarks that also collects each run's time, so that
// the fast and the reference engine can be set side by side in one table at the end.

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace gearsel {

// Prints Google Benchmark's usual console output and remembers the runs of benchmarks named
// "fast/<case>" and "reference/<case>", where <case> is "<gears>/<ratio>/<count>", and of
// every other task.
class SpeedTable : public benchmark::ConsoleReporter {
public:
    // One measured case, in the order the cases were first reported.
    struct Row {
        std::string name; // "<gears>/<ratio>/<count>"
        double fastSeconds = 0.0;
        double referenceSeconds = 0.0;
        double fastHeapKiB = 0.0;
    };

    // Another timed task: "<task>/<gears>/<input>", such as "suggest/211/1.23456".
    struct TaskRow {
        std::string name;
        double seconds = 0.0;
    };

    void ReportRuns(const std::vector<Run>& runs) override;

    // Writes the collected rows as a Markdown table: times, speed-up and the fast engine's
    // heap peak. Cells that were not measured stay "-".
    void writeMarkdown(std::ostream& out) const;
    // Writes the other tasks' times as a Markdown table, one row per task and input.
    void writeWorkshopMarkdown(std::ostream& out) const;

private:
    Row& rowFor(const std::string& name);

    std::vector<Row> rows_;
    std::vector<TaskRow> tasks_;
};

} // namespace gearsel
