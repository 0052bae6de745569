#pragma once
// "gearsel-cli select": one selection run on a gear list given on the command line, printed
// as the result grid shows it or as JSON.

#include "engine/fraction.h"
#include "engine/selection.h"

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <optional>
#include <string>

namespace gearsel::cli {

// The arguments as typed; they are checked strictly when the command runs.
struct SelectOptions {
    std::optional<std::string> gears;   // --gears: the gear set, or
    std::optional<std::string> machine; // --machine: a machine of the data file
    std::string lib;                    // --lib: empty for system.lib beside the program
    std::string ratio;
    std::string count = "5";
    std::optional<std::string> zn; // default 15, with --machine the machine's own Zn
    bool noSinglePairs = false;
    bool noRepeats = false;
    std::string engine = "fast";
    bool json = false;
};

// Adds the "select" subcommand to `app`; parsing fills `options`.
CLI::App* addSelectCommand(CLI::App& app, SelectOptions& options);

// Builds the search request from the options, reading the machine's gear list and Zn from
// the data file for --machine; throws UsageError or StoreError for anything unusable.
SearchRequest selectRequest(const SelectOptions& options);

// Runs the search and prints it to `out`; throws UsageError before printing anything when
// the input is refused. Returns the exit status.
int runSelect(const SelectOptions& options, std::ostream& out);

// Prints a finished search: the ratio range, the result grid and the time, or one JSON
// object with the same content. Each train also shows its exact ratio and whether that is the
// required fraction, when the required ratio has one.
void printSelection(const SearchRequest& request, const SelectionResult& result, bool json,
                    std::ostream& out, const std::optional<Fraction>& requiredFraction = {});

} // namespace gearsel::cli
