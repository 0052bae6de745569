// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the commands that search (select, suggest, chart) share: the gear set from --gears or
// from a machine of the data file (--machine, --lib), the search options (--zn,
// --no-single-pairs, --no-repeats), and the required ratio from --ratio or from a formula
// given as a subcommand, whose constants a machine may keep.

#include "engine/quantity.h"
#include "engine/search_request.h"
#include "tools/cli/machine_lookup.h"
#include "tools/cli/ratio_command.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace gearsel::cli {

// The arguments as typed; they are checked strictly when the command runs.
struct SearchSetupOptions {
    std::optional<std::string> gears;   // --gears: the gear set, or
    std::optional<std::string> machine; // --machine: a machine of the data file
    std::string lib;                    // --lib: the data file for --machine
    std::optional<std::string> zn;      // default 15, with --machine the machine's own Zn
    bool noSinglePairs = false;
    bool noRepeats = false;
};

// The required ratio as typed: --ratio, or a formula subcommand (thread, hob-index, hob-diff,
// divide) with its own options.
struct RatioChoice {
    std::optional<std::string> ratio;
    RatioOptions formula;

    bool byFormula() const { return !formula.formula.empty(); }
};

// The gear set and options read, and the machine they came from.
struct SearchSetup {
    SearchRequest request; // its ratio and result count still as by default
    std::optional<MachineData> machine;
};

// Adds --gears, --machine, --lib, --zn, --no-single-pairs and --no-repeats to `cmd`.
void addSearchSetupOptions(CLI::App* cmd, SearchSetupOptions& options);

// Adds --ratio and the formula subcommands (at most one of them) to `cmd`.
void addRatioChoice(CLI::App* cmd, RatioChoice& choice);

// Reads the gear set (and with `withConstants` the machine's constants) and the options;
// throws UsageError naming `command` or StoreError.
SearchSetup readSearchSetup(const SearchSetupOptions& options, const std::string& command,
                            bool withConstants);

// The required ratio as given or worked out, and what the search uses.
struct RequiredRatio {
    Quantity given;            // with its sign
    Quantity searched;         // |given|: a train gives the size, an idler the sign
    bool dividingHead = false; // worked out by the divide formula

    // The line that says what the sign means (see turnDirectionText()); empty when it says
    // nothing.
    std::string directionText() const;
};

// The required ratio: --ratio read as parseExactNumber() reads it, or the formula's result with
// the constants given as options over those the machine keeps. Throws UsageError naming
// `command` when neither or both are given, or the input is refused, a ratio no search can use
// (requireUsableRatio()) included.
RequiredRatio requiredRatio(const RatioChoice& choice, const SearchSetup& setup,
                            const std::string& command);

} // namespace gearsel::cli
