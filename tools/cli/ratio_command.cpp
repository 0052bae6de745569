// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/ratio_command.h"

#include "engine/ratio_formula.h"
#include "engine/search_request.h"
#include "present/formula_form.h"
#include "tools/cli/exact_number.h"
#include "tools/cli/machine_lookup.h"
#include "tools/cli/pitch_text.h"
#include "tools/cli/strict_number.h"

#include <cstdio>
#include <limits>
#include <nlohmann/json.hpp>
#include <ostream>
#include <stdexcept>

namespace gearsel::cli {

namespace {

// Subcommand `name` of `parent`, which records its name in `options.formula` when given.
CLI::App* formula(CLI::App* parent, RatioOptions& options, bool json, const std::string& name,
                  const std::string& description) {
    CLI::App* cmd = parent->add_subcommand(name, description);
    cmd->callback([&options, name] { options.formula = name; });
    cmd->fallthrough();
    if (json) {
        cmd->add_flag("--json", options.json, "Print one JSON object instead of the text");
    }
    return cmd;
}

void addStarts(CLI::App* cmd, RatioOptions& options, const std::string& what) {
    cmd->add_option("--starts", options.starts, "Number of starts of the " + what + " (default 1)");
}

// A constant the formula cannot do without.
template <typename T>
const T& needed(const std::optional<T>& constant, const RatioOptions& options, ConstantKey key,
                const std::string& meaning) {
    if (!constant) {
        throw UsageError{options.formula + " needs " + constantOption(key) + ", " + meaning +
                         ", or a machine that keeps it (--machine)"};
    }
    return *constant;
}

// The chosen formula's ratio, before the rule for searchable ratios.
Quantity workOutFormula(const RatioOptions& options, const MachineConstants& constants) {
    try {
        if (options.formula == "thread") {
            return threadRatio(parsePitch(options.pitch, "pitch"),
                               parseCount(options.starts, "starts"),
                               needed(constants.leadscrew, options, ConstantKey::Leadscrew,
                                      "the leadscrew pitch (6mm or 4tpi)"),
                               constants.gearboxRatio.value_or(Quantity::whole(1)));
        }
        if (options.formula == "hob-index") {
            return hobIndexRatio(needed(constants.indexConstant, options,
                                        ConstantKey::IndexConstant, "the index constant K"),
                                 parseCount(options.starts, "starts"),
                                 parseCount(options.teeth, "teeth"));
        }
        if (options.formula == "hob-diff") {
            return hobDifferentialRatio(
                needed(constants.differentialConstant, options, ConstantKey::DifferentialConstant,
                       "the differential constant C"),
                parseExactNumber(options.helix, "helix"),
                parseExactNumber(options.module, "module"), parseCount(options.starts, "starts"));
        }
        return dividingHeadRatio(
            needed(constants.headRatio, options, ConstantKey::HeadRatio, "the worm ratio N"),
            parseCount(options.teeth, "teeth"), parseCount(options.approx, "approx"));
    } catch (const std::invalid_argument& e) {
        throw UsageError{e.what()};
    }
}

} // namespace

void addFormulaCommands(CLI::App* parent, RatioOptions& options, bool json) {
    CLI::App* thread = formula(parent, options, json, "thread",
                               "Thread on a lathe: i = pitch x starts / (leadscrew x gearbox)");
    thread
        ->add_option("--pitch", options.pitch,
                     "Pitch of the thread: 1.5mm, 20tpi, or a worm's module m2 or "
                     "diametral pitch dp16")
        ->required();
    addStarts(thread, options, "thread");
    addConstantOption(thread, options.constants, ConstantKey::Leadscrew,
                      "Pitch of the lathe's leadscrew: 6mm or 4tpi");
    addConstantOption(thread, options.constants, ConstantKey::GearboxRatio,
                      "Ratio of the feed gearbox between the train and the leadscrew (default 1)");

    CLI::App* index = formula(parent, options, json, "hob-index",
                              "Index train of a hobbing machine: i = K x k / z");
    addConstantOption(index, options.constants, ConstantKey::IndexConstant,
                      "The machine's index constant K");
    index->add_option("--teeth", options.teeth, "Tooth count z of the workpiece")->required();
    addStarts(index, options, "hob");

    CLI::App* diff = formula(parent, options, json, "hob-diff",
                             "Differential train of a hobbing machine: "
                             "i = C x sin(helix) / (module x k)");
    addConstantOption(diff, options.constants, ConstantKey::DifferentialConstant,
                      "The machine's differential constant C");
    diff->add_option("--helix", options.helix, "Helix angle in degrees, above 0 and below 90")
        ->required();
    diff->add_option("--module", options.module, "Normal module mn of the workpiece")->required();
    addStarts(diff, options, "hob");

    CLI::App* divide = formula(parent, options, json, "divide",
                               "Differential indexing on a dividing head: i = N x (z' - z) / z'");
    addConstantOption(divide, options.constants, ConstantKey::HeadRatio,
                      "Worm ratio N of the dividing head, e.g. 40");
    divide->add_option("--teeth", options.teeth, "Number of divisions z wanted")->required();
    divide
        ->add_option("--approx", options.approx,
                     "The number z' indexed on the plate instead (not z)")
        ->required();
}

CLI::App* addRatioCommand(CLI::App& app, RatioOptions& options) {
    CLI::App* ratio = app.add_subcommand(
        "ratio", "The ratio a thread, a hobbing job or a dividing-head job needs, exact where "
                 "it can be");
    ratio->require_subcommand(1);
    CLI::Option* machine = ratio->add_option_function<std::string>(
        "--machine", [&options](const std::string& text) { options.machine = text; },
        "Take the constants that are left out from those kept for this machine of the data "
        "file (see 'machines constants'), by its name or its number from 1");
    ratio
        ->add_option("--lib", options.lib,
                     "The data file for --machine (default: the one 'machines where' prints)")
        ->needs(machine);
    addFormulaCommands(ratio, options, true);
    return ratio;
}

MachineConstants formulaConstants(const RatioOptions& options,
                                  const std::optional<std::string>& machine,
                                  const std::string& lib) {
    const MachineConstants given = givenConstants(options.constants);
    if (!machine) {
        return given;
    }
    return overridden(readMachine(lib, *machine, true).constants, given);
}

const char* turnDirection(const Quantity& ratio) {
    return ratio.value() < 0.0 ? "opposite" : "same";
}

void requireUsableRatio(const Quantity& ratio, const std::string& what, bool workedOut) {
    const auto problem = findRatioProblem(ratio.value());
    if (!problem) {
        return;
    }
    char value[32];
    std::snprintf(value, sizeof value, "%.17g", ratio.value());
    const bool infinite = problem->kind == SearchProblem::Kind::RatioNotFinite;
    const std::string why = infinite ? "not a finite number"
                                     : "too close to 0 for a relative error (its size must be at "
                                       "least 2.2e-308)";
    if (workedOut) {
        throw UsageError{what + " works out as " + value + ", which is " + why +
                         ": the inputs are too far apart in size"};
    }
    if (problem->kind == SearchProblem::Kind::RatioZero) {
        throw UsageError{what + " must not be 0"};
    }
    throw UsageError{what + " " + value + " is " + why};
}

Quantity computeRatio(const RatioOptions& options, const MachineConstants& constants) {
    const Quantity ratio = workOutFormula(options, constants);
    requireUsableRatio(ratio, "the " + options.formula + " ratio", true);
    return ratio;
}

int runRatio(const RatioOptions& options, std::ostream& out) {
    const Quantity ratio =
        computeRatio(options, formulaConstants(options, options.machine, options.lib));
    // The sign of a dividing head's ratio says which way the plate turns; the others are
    // never negative.
    const bool dividingHead = options.formula == "divide";
    if (!options.json) {
        out << ratioResultText(ratio) << '\n';
        if (dividingHead) {
            out << turnDirectionText(ratio, true) << '\n';
        }
        return 0;
    }
    nlohmann::ordered_json doc;
    doc["ratio"] = ratio.value();
    if (const auto& f = ratio.fraction()) {
        doc["num"] = f->num();
        doc["den"] = f->den();
    }
    doc["exact"] = ratio.fraction().has_value();
    if (dividingHead) {
        doc["direction"] = turnDirection(ratio);
    }
    out << doc.dump() << '\n';
    return 0;
}

} // namespace gearsel::cli
