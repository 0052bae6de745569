// SPDX-License-Identifier: GPL-3.0-or-later
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
// "fast/<case>" and "reference/<case>", where <case> is "<gears>/<ratio>/<count>", of the
// same searches restricted to trains that fit a machine, "fit-only/<case>/<machine>" and
// "fit-reference/<case>/<machine>", and of every other task.
class SpeedTable : public benchmark::ConsoleReporter {
public:
    // One case, in the order the cases were declared.
    struct Row {
        std::string section;
        std::string name; // "<gears>/<ratio>/<count>"
        double fastSeconds = 0.0;
        double referenceSeconds = 0.0;
        double fastHeapKiB = 0.0;
        int sameList = -1; // both engines' lists agree: 1, differ: 0, not compared: -1
    };

    // Declares a case; the table lists the cases of each section under its title, in the
    // order they were declared.
    void addCase(const std::string& section, const std::string& name);
    // Records whether the two engines gave the same list for a case, fit-only ones too
    // ("<case>/<machine>").
    void setSameList(const std::string& name, bool same);
    // Declares a case of a search restricted to trains that fit `machine`; `plain` names the
    // case of the same search without the restriction.
    void addFitCase(const std::string& plain, const std::string& machine);

    void ReportRuns(const std::vector<Run>& runs) override;

    // Writes the collected rows as Markdown, one table per section: CPU times, speed-up,
    // whether the lists agree and the fast engine's heap peak. Cells that were not measured
    // stay "-".
    void writeMarkdown(std::ostream& out) const;
    // Writes the other tasks' times as a Markdown table, one row per task and input.
    void writeWorkshopMarkdown(std::ostream& out) const;
    // Writes the fit-only cases as a Markdown table: the fast search's CPU time without and
    // with the restriction, what it costs, and whether the reference's list agrees.
    void writeFitMarkdown(std::ostream& out) const;

private:
    Row* rowFor(const std::string& name);
    Row* fitRowFor(const std::string& name);

    // Another timed task: "<task>/<gears>/<input>", such as "suggest/211/1.23456".
    struct TaskRow {
        std::string name;
        double seconds = 0.0;
    };

    std::vector<Row> rows_;
    std::vector<Row> fitRows_; // named "<gears>/<ratio>/<count>/<machine>"
    std::vector<TaskRow> tasks_;
};

} // namespace gearsel
