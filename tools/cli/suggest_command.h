// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "gearsel-cli suggest": which one gear to buy so that a gear set comes closest to a required
// ratio, or reaches it exactly.

#include "tools/cli/search_setup.h"

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <string>

namespace gearsel::cli {

// The arguments as typed; they are checked strictly when the command runs.
struct SuggestOptions {
    SearchSetupOptions setup; // the gear set and the search options
    RatioChoice ratio;        // --ratio, or a formula
    std::string count = "5";  // suggestions to list
    bool json = false;
};

// Adds the "suggest" subcommand to `app`; parsing fills `options`.
CLI::App* addSuggestCommand(CLI::App& app, SuggestOptions& options);

// Runs the searches and prints the suggestions to `out`; throws UsageError or StoreError before
// printing anything when the input is refused. Returns the exit status.
int runSuggest(const SuggestOptions& options, std::ostream& out);

} // namespace gearsel::cli
