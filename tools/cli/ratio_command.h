#pragma once
// "gearsel-cli ratio": the ratio that a thread, a hobbing job or a dividing-head job calls for,
// as an exact fraction where there is one.

#include "engine/machine_constants.h"
#include "engine/quantity.h"

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <optional>
#include <string>

namespace gearsel::cli {

// The arguments as typed; they are checked strictly when the command runs.
struct RatioOptions {
    std::string formula;      // the subcommand given: thread, hob-index, hob-diff or divide
    std::string pitch;        // thread: --pitch, with its unit
    std::string starts = "1"; // thread, hob-index, hob-diff: --starts
    std::string teeth;        // hob-index, divide: --teeth
    std::string approx;       // divide: --approx
    std::string helix;        // hob-diff: --helix, degrees
    std::string module;       // hob-diff: --module, the normal module
    // The machine's constants; each is unknown when left out.
    std::optional<std::string> leadscrew;            // thread: --leadscrew, with its unit
    std::optional<std::string> gearbox;              // thread: --gearbox
    std::optional<std::string> indexConstant;        // hob-index: --k
    std::optional<std::string> differentialConstant; // hob-diff: --c
    std::optional<std::string> headRatio;            // divide: --n
    bool json = false;
};

// Adds the "ratio" subcommand with one subcommand per formula; parsing fills `options`.
CLI::App* addRatioCommand(CLI::App& app, RatioOptions& options);

// The machine constants given among the options, read strictly; throws UsageError. Those
// left out stay unknown.
MachineConstants givenConstants(const RatioOptions& options);

// Works out the chosen formula with the constants it is handed (so constants kept for a
// machine can fill the gaps the options leave); throws UsageError for refused input and for a
// constant the formula needs but does not have.
Quantity computeRatio(const RatioOptions& options, const MachineConstants& constants);

// Prints the ratio of the chosen formula, as text or as one JSON object. Returns the exit
// status; throws UsageError before printing anything when the input is refused.
int runRatio(const RatioOptions& options, std::ostream& out);

} // namespace gearsel::cli
