// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "gearsel-cli ratio": the ratio that a thread, a hobbing job or a dividing-head job calls for,
// as an exact fraction where there is one.

#include "engine/machine_constants.h"
#include "engine/quantity.h"
#include "tools/cli/constant_options.h"

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>

namespace gearsel::cli {

// The arguments as typed; they are checked strictly when the command runs.
struct RatioOptions {
    std::string formula; // the subcommand given: the name of a formula of the registry
    // The job's fields as typed, by the registry's name of the input ("pitch", "starts"); one
    // left out holds its fallback ("1"). Formulas share the fields of one name.
    std::map<std::string, std::string> fields;
    // The machine's constants as given; each is unknown when left out.
    ConstantOptions constants;
    std::optional<std::string> machine; // ratio --machine: the constants kept for a machine
    std::string lib;                    // ratio --lib: the data file for --machine
    bool json = false;
};

// Adds one subcommand per formula of the registry (thread, hob-index, hob-diff, divide) to
// `parent`, with an option per input; parsing fills `options`. Each passes options it does not know
// on to `parent`, so that the parent's options may follow the formula's. With `json` each has its
// own --json flag.
void addFormulaCommands(CLI::App* parent, RatioOptions& options, bool json);

// Adds the "ratio" subcommand with its formulas and --machine; parsing fills `options`.
CLI::App* addRatioCommand(CLI::App& app, RatioOptions& options);

// Works out the chosen formula with the constants it is handed (so constants kept for a
// machine can fill the gaps the options leave); throws UsageError for refused input, for a
// constant the formula needs but does not have, and for a result no search can use.
Quantity computeRatio(const RatioOptions& options, const MachineConstants& constants);

// The way the driven side turns, as JSON names it: "opposite" for a negative ratio, "same"
// otherwise.
const char* turnDirection(const Quantity& ratio);

// Whether the chosen formula's sign says which way the dividing plate turns.
bool signedFormula(const RatioOptions& options);

// Throws UsageError unless a search can use `ratio` (findRatioProblem()): not finite, 0, or so
// close to 0 that a relative error overflows. `what` names it ("ratio", "the thread ratio");
// `workedOut` says that a formula gave it, so the inputs are to blame.
void requireUsableRatio(const Quantity& ratio, const std::string& what, bool workedOut);

// The constants for the formula: those given as options over those kept for `machine` when
// one is named (read from the data file `lib` names). Throws UsageError or StoreError.
MachineConstants formulaConstants(const RatioOptions& options,
                                  const std::optional<std::string>& machine,
                                  const std::string& lib);

// Prints the ratio of the chosen formula, as text or as one JSON object. Returns the exit
// status; throws UsageError before printing anything when the input is refused.
int runRatio(const RatioOptions& options, std::ostream& out);

} // namespace gearsel::cli
