// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "gearsel-cli select": one selection run on a gear list given on the command line, printed
// as the result grid shows it or as JSON.

#include "engine/fraction.h"
#include "engine/selection.h"
#include "tools/cli/search_setup.h"

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <optional>
#include <string>

namespace gearsel::cli {

// The arguments as typed; they are checked strictly when the command runs.
struct SelectOptions {
    SearchSetupOptions setup; // the gear set and the search options
    RatioChoice ratio;        // --ratio, or a formula
    std::string count = "5";
    std::string engine = "fast";
    bool json = false;
};

// Adds the "select" subcommand to `app`; parsing fills `options`.
CLI::App* addSelectCommand(CLI::App& app, SelectOptions& options);

// The search request the options ask for, reading the machine's gear list, Zn and (for a
// formula) constants from the data file for --machine; `ratio` gets the required ratio, whose
// size the request searches. Throws UsageError or StoreError for anything unusable.
SearchRequest selectRequest(const SelectOptions& options, RequiredRatio& ratio);

// Runs the search and prints it to `out`, and to `notes` one line when the ratio lies outside
// the range the gear set can reach; throws UsageError before printing anything when the input
// is refused. Returns the exit status.
int runSelect(const SelectOptions& options, std::ostream& out, std::ostream& notes);

// Prints a finished search: what the ratio's sign means, the ratio range, the result grid and
// the time, or one JSON object with the same content and `note` (null when empty). Each train
// also shows its exact ratio and whether that is the required fraction, when the required
// ratio has one.
void printSelection(const SearchRequest& request, const SelectionResult& result,
                    const RequiredRatio& ratio, bool json, const std::string& note,
                    std::ostream& out);

} // namespace gearsel::cli
