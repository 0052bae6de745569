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

// What the options ask for: the gear set, the search options and the machine's constants (read
// from the data file for --machine, those given winning), and the required ratio. Throws
// UsageError or StoreError for anything unusable.
struct SelectPlan {
    SearchSetup setup; // its request with the ratio and the count
    RequiredRatio ratio;
};
SelectPlan selectPlan(const SelectOptions& options);

// Runs the search and prints it to `out`: what the ratio's sign means, the ratio range, the
// listed trains (one- and two-pair or three-pair trains, as the machine takes them; under each
// gearbox position for a thread on a machine with positions) with their exact ratios and, where
// the geometry is known, whether they fit, and the time; or one JSON object with the same.
// Writes to `notes` one line when the ratio lies outside the range the gear set can reach.
// Throws UsageError before printing anything when the input is refused. Returns the exit
// status.
int runSelect(const SelectOptions& options, std::ostream& out, std::ostream& notes);

} // namespace gearsel::cli
