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
// formula) constants from the data file for --machine, and the required ratio's fraction when
// it has one; throws UsageError or StoreError for anything unusable.
SearchRequest selectRequest(const SelectOptions& options, std::optional<Fraction>& fraction);

// Runs the search and prints it to `out`; throws UsageError before printing anything when
// the input is refused. Returns the exit status.
int runSelect(const SelectOptions& options, std::ostream& out);

// Prints a finished search: the ratio range, the result grid and the time, or one JSON
// object with the same content. Each train also shows its exact ratio and whether that is the
// required fraction, when the required ratio has one.
void printSelection(const SearchRequest& request, const SelectionResult& result, bool json,
                    std::ostream& out, const std::optional<Fraction>& requiredFraction = {});

} // namespace gearsel::cli
