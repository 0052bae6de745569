// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the commands that search (select, suggest, chart) share: the gear set from --gears or
// from a machine of the data file (--machine, --lib), the search options (--zn,
// --no-single-pairs, --no-repeats), how the machine takes its change gears (its geometry,
// pairs, fixed gears, use-once and gearbox positions, kept for it or given as options, and
// --fit-only), and the required ratio from --ratio or from a formula
// given as a subcommand, whose constants a machine may keep.

#include "engine/quantity.h"
#include "engine/search_request.h"
#include "tools/cli/machine_lookup.h"
#include "tools/cli/ratio_command.h"
#include "tools/cli/train_options.h"

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
    TrainOptions train; // --module, --centre, ..., --fit-only
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
    SearchRequest request; // its ratio and result count still as by default; the fixed gears,
                           // use-once and (with --fit-only) the geometry of `train` applied
    std::optional<MachineData> machine;
    MachineConstants train;                  // the machine's constants, those given winning
    std::optional<MachineGeometry> geometry; // where its tooth size and centre are known
    int pairs = 2;                           // the pairs a train has: 2 or 3
};

// Adds --gears, --machine, --lib, --zn, --no-single-pairs, --no-repeats and the options of how
// the machine takes its change gears to `cmd`.
void addSearchSetupOptions(CLI::App* cmd, SearchSetupOptions& options);

// Adds --ratio and the formula subcommands (at most one of them) to `cmd`.
void addRatioChoice(CLI::App* cmd, RatioChoice& choice);

// Reads the gear set, the machine's constants and the options; throws UsageError naming
// `command` or StoreError. --fit-only without a geometry is refused. The request takes the
// geometry with --fit-only, and with `fitWhereKnown` wherever the geometry is known and the
// trains have one or two pairs (a chart's rows and the gears to buy must fit).
SearchSetup readSearchSetup(const SearchSetupOptions& options, const std::string& command,
                            bool fitWhereKnown = false);

// The required ratio as given or worked out, and what the search uses.
struct RequiredRatio {
    Quantity given;            // with its sign
    Quantity searched;         // |given|: a train gives the size, an idler the sign
    bool dividingHead = false; // worked out by the divide formula
    // A thread on a machine with gearbox positions: `given` leaves out the gearbox, whose
    // positions are searched together (see searchPositions()).
    bool byPositions = false;

    // The line that says what the sign means (see turnDirectionText()); empty when it says
    // nothing.
    std::string directionText() const;
};

// The required ratio: --ratio read as parseExactNumber() reads it, or the formula's result with
// the constants given as options over those the machine keeps. A thread on a machine that keeps
// gearbox positions (and is not given --gearbox) is worked out without the gearbox ratio, for
// the positions to be searched together. Throws UsageError naming
// `command` when neither or both are given, or the input is refused, a ratio no search can use
// (requireUsableRatio()) included.
RequiredRatio requiredRatio(const RatioChoice& choice, const SearchSetup& setup,
                            const std::string& command);

} // namespace gearsel::cli
