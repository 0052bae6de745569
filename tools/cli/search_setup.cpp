// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/search_setup.h"

#include "present/formula_form.h"
#include "present/search_problem_text.h"
#include "tools/cli/constant_options.h"
#include "tools/cli/exact_number.h"
#include "tools/cli/gear_list_text.h"
#include "tools/cli/strict_number.h"

#include <limits>

namespace gearsel::cli {

void addSearchSetupOptions(CLI::App* cmd, SearchSetupOptions& options) {
    CLI::Option* gears = cmd->add_option_function<std::string>(
        "--gears", [&options](const std::string& text) { options.gears = text; },
        "Tooth counts of the gear set, comma-separated (10 to 255 each), "
        "e.g. 20,25,30,35,40");
    CLI::Option* machine = cmd->add_option_function<std::string>(
        "--machine", [&options](const std::string& text) { options.machine = text; },
        "Instead of --gears: the gear set, Zn and constants of a machine of the data file, by "
        "its name or its number from 1");
    gears->excludes(machine);
    cmd->add_option("--lib", options.lib,
                    "The data file for --machine (default: the one 'machines where' prints)")
        ->needs(machine);
    cmd->add_option_function<std::string>(
        "--zn", [&options](const std::string& text) { options.zn = text; },
        "Assembly condition: shaft thickness as a tooth count (default 15, or the machine's)");
    cmd->add_flag("--no-single-pairs", options.noSinglePairs,
                  "Leave out single pairs z1/z2 (taken by default)");
    cmd->add_flag("--no-repeats", options.noRepeats,
                  "Refuse trains that use one tooth count twice (allowed by default)");
    addTrainOptions(cmd, options.train, TrainOptionUse::Search);
}

void addRatioChoice(CLI::App* cmd, RatioChoice& choice) {
    cmd->add_option_function<std::string>(
        "--ratio", [&choice](const std::string& text) { choice.ratio = text; },
        "Required transmission ratio (not 0): a decimal, or a fraction p/q of whole numbers that "
        "marks the trains with exactly that ratio; or instead a formula: thread, hob-index, "
        "hob-diff or divide with its options (see 'ratio')");
    addFormulaCommands(cmd, choice.formula, false);
    cmd->require_subcommand(0, 1);
}

SearchSetup readSearchSetup(const SearchSetupOptions& options, const std::string& command,
                            bool fitWhereKnown) {
    SearchSetup setup;
    SearchRequest& request = setup.request;
    const MachineConstants given = givenTrainConstants(options.train);
    if (options.machine) {
        setup.machine = readMachine(options.lib, *options.machine, true);
        request.gears = setup.machine->gears;
        request.zn = setup.machine->zn;
    } else if (options.gears) {
        request.gears = parseGearList(*options.gears);
    } else {
        throw UsageError{command + " needs --gears LIST or --machine NAME|INDEX"};
    }
    if (options.zn) {
        request.zn = parseInt(*options.zn, "zn", std::numeric_limits<std::int16_t>::min(),
                              std::numeric_limits<std::int16_t>::max());
    }
    request.includeSinglePairs = !options.noSinglePairs;
    request.allowRepeats = !options.noRepeats;
    setup.train = overridden(setup.machine ? setup.machine->constants : MachineConstants(), given);
    setup.geometry = machineGeometry(setup.train);
    if (setup.geometry) {
        if (const auto problem = findGeometryProblem(*setup.geometry)) {
            throw UsageError{geometryProblemText(*problem, Language::English)};
        }
    }
    if (options.train.fitOnly && !setup.geometry) {
        throw UsageError{"--fit-only needs the machine's geometry: --module (or --dp) and "
                         "--centre, given or kept for the machine"};
    }
    setup.pairs = trainPairs(setup.train);
    // Whether three pairs fit is unknown: they take the geometry only when asked to.
    const bool fit = options.train.fitOnly || (fitWhereKnown && setup.geometry && setup.pairs == 2);
    request = withTrainConstants(request, setup.train, fit);
    return setup;
}

std::string RequiredRatio::directionText() const {
    return turnDirectionText(given, dividingHead, Language::Chinese);
}

RequiredRatio requiredRatio(const RatioChoice& choice, const SearchSetup& setup,
                            const std::string& command) {
    if (choice.ratio && choice.byFormula()) {
        throw UsageError{command + " takes --ratio or a formula (" + choice.formula.formula +
                         "), not both"};
    }
    if (choice.ratio) {
        const Quantity given = parseExactNumber(*choice.ratio, "ratio");
        requireUsableRatio(given, "ratio", false);
        return {given, given.magnitude(), false};
    }
    if (!choice.byFormula()) {
        throw UsageError{command + " needs --ratio R or a formula: thread, hob-index, hob-diff "
                                   "or divide (see 'gearsel-cli ratio --help')"};
    }
    const MachineConstants kept = setup.machine ? setup.machine->constants : MachineConstants();
    MachineConstants constants = overridden(kept, givenConstants(choice.formula.constants));
    // The positions stand for the gearbox, unless a gearbox ratio is given for this job.
    const bool byPositions =
        choice.formula.formula == "thread" && setup.train.gearboxPositions &&
        !choice.formula.constants.texts[static_cast<std::size_t>(ConstantKey::GearboxRatio)];
    if (byPositions) {
        constants.gearboxRatio.reset();
    }
    const Quantity given = computeRatio(choice.formula, constants);
    return {given, given.magnitude(), signedFormula(choice.formula), byPositions};
}

} // namespace gearsel::cli
