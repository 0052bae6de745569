// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/ratio_command.h"

#include "engine/formula_registry.h"
#include "engine/search_request.h"
#include "present/formula_form.h"
#include "present/search_problem_text.h"
#include "present/value_problem_text.h"
#include "tools/cli/exact_number.h"
#include "tools/cli/machine_lookup.h"
#include "tools/cli/pitch_text.h"
#include "tools/cli/strict_number.h"

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

// The chosen formula; parsing only records the names of the registry's formulas.
const FormulaEntry& chosen(const RatioOptions& options) {
    const FormulaEntry* entry = formulaNamed(options.formula);
    if (entry == nullptr) {
        throw UsageError{"no formula '" + options.formula + "'"};
    }
    return *entry;
}

// An input's text read strictly as its kind says; refusals name the option.
FormulaValue readInput(const FormulaInput& input, const std::string& text) {
    const std::string what(input.name);
    switch (input.kind) {
    case InputKind::Pitch:
        return parsePitch(text, what);
    case InputKind::Count:
        return parseCount(text, what);
    case InputKind::Number:
        break;
    }
    return parseExactNumber(text, what);
}

// The chosen formula's ratio, before the rule for searchable ratios.
Quantity workOutFormula(const RatioOptions& options, const MachineConstants& constants) {
    const FormulaEntry& entry = chosen(options);
    std::vector<FormulaValue> fields;
    for (const FormulaInput& input : jobFields(entry)) {
        fields.push_back(readInput(input, options.fields.at(std::string(input.name))));
    }
    try {
        return gearsel::workOutFormula(entry, fields, constants);
    } catch (const ValueRefused& refused) {
        for (const FormulaInput& input : entry.inputs) {
            if (refused.problem().kind == ValueProblem::Kind::ConstantMissing && input.constant &&
                refused.problem().input == input.meaning) {
                const ConstantKey key = *input.constant;
                throw UsageError{options.formula + " needs " + constantOption(key) + ", " +
                                 constantMeaning(key) + ", or a machine that keeps it (--machine)"};
            }
        }
        throw UsageError{valueProblemText(refused.problem(), Language::English)};
    }
}

} // namespace

void addFormulaCommands(CLI::App* parent, RatioOptions& options, bool json) {
    for (const FormulaEntry& entry : formulaRegistry()) {
        CLI::App* cmd =
            formula(parent, options, json, std::string(entry.name), formulaHelp(entry.formula));
        for (const FormulaInput& input : entry.inputs) {
            const std::string help = inputHelp(entry.formula, input.name);
            if (input.constant) {
                addConstantOption(cmd, options.constants, *input.constant, help);
                continue;
            }
            std::string& text = options.fields[std::string(input.name)];
            text = input.fallback;
            CLI::Option* option = cmd->add_option("--" + std::string(input.name), text, help);
            if (input.fallback.empty()) {
                option->required();
            }
        }
    }
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

bool signedFormula(const RatioOptions& options) {
    return chosen(options).signedRatio;
}

void requireUsableRatio(const Quantity& ratio, const std::string& what, bool workedOut) {
    if (const auto problem = findRatioProblem(ratio.value())) {
        throw UsageError{
            unusableRatioText(*problem, what, ratio.value(), workedOut, Language::English)};
    }
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
    const bool dividingHead = signedFormula(options);
    if (!options.json) {
        out << ratioResultText(ratio) << '\n';
        if (dividingHead) {
            out << turnDirectionText(ratio, true, Language::Chinese) << '\n';
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
