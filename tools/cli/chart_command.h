// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "gearsel-cli chart": one row per thread of a series or per tooth count of a range, each with
// the best train of one machine and, where that is not exact, the gear to buy; as a table, CSV,
// JSON or printed into a PDF file.

#include "tools/cli/constant_options.h"
#include "tools/cli/search_setup.h"

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <optional>
#include <string>

namespace gearsel::cli {

// The arguments as typed; they are checked strictly when the command runs.
struct ChartOptions {
    SearchSetupOptions setup;            // the gear set and the search options
    ConstantOptions constants;           // --leadscrew and --gearbox for threads
    std::optional<std::string> threads;  // --threads: metric, tpi or a list of pitches
    std::optional<std::string> hobIndex; // --hob-index: K, empty for the machine's
    std::string teeth;                   // --teeth A-B of --hob-index
    std::string starts = "1";            // --starts: of the thread or the hob
    std::optional<std::string> format;   // --format: text (default), csv or json
    std::optional<std::string> pdf;      // --pdf: the PDF file to print the chart into
};

// Adds the "chart" subcommand to `app`; parsing fills `options`.
CLI::App* addChartCommand(CLI::App& app, ChartOptions& options);

// Works out the chart and prints it to `out` (and into the PDF file); throws UsageError or
// StoreError before printing anything when the input is refused. Returns the exit status.
int runChart(const ChartOptions& options, std::ostream& out);

} // namespace gearsel::cli
