// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/formula_registry.h"

#include "engine/pitch_notation.h"
#include "engine/quantity_text.h"
#include "engine/ratio_formula.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace gearsel {

namespace {

const Pitch& pitchAt(const std::vector<FormulaValue>& values, std::size_t at) {
    return std::get<Pitch>(values.at(at));
}

int countAt(const std::vector<FormulaValue>& values, std::size_t at) {
    return std::get<int>(values.at(at));
}

const Quantity& numberAt(const std::vector<FormulaValue>& values, std::size_t at) {
    return std::get<Quantity>(values.at(at));
}

// An input's fallback text read as its kind says.
FormulaValue fallbackValue(const FormulaInput& input) {
    switch (input.kind) {
    case InputKind::Pitch:
        return readPitch(input.fallback);
    case InputKind::Count: {
        int count = 0;
        std::from_chars(input.fallback.data(), input.fallback.data() + input.fallback.size(),
                        count);
        return count;
    }
    case InputKind::Number:
        break;
    }
    return readQuantity(input.fallback);
}

// The machine's value of a constant, or nothing when it is unknown.
std::optional<FormulaValue> constantValue(const MachineConstants& constants, ConstantKey key) {
    if (key == ConstantKey::Leadscrew) {
        return constants.leadscrew ? std::optional<FormulaValue>(*constants.leadscrew)
                                   : std::nullopt;
    }
    return constantNumber(constants, key);
}

std::vector<FormulaEntry> makeRegistry() {
    using In = ValueInput;
    using K = InputKind;
    return {
        {Formula::Thread,
         "thread",
         {{"pitch", In::Pitch, K::Pitch, {}, ""},
          {"starts", In::Starts, K::Count, {}, "1"},
          {"leadscrew", In::Leadscrew, K::Pitch, ConstantKey::Leadscrew, ""},
          {"gearbox", In::GearboxRatio, K::Number, ConstantKey::GearboxRatio, "1"}},
         false,
         [](const std::vector<FormulaValue>& v) {
             return threadRatio(pitchAt(v, 0), countAt(v, 1), pitchAt(v, 2), numberAt(v, 3));
         }},
        {Formula::HobIndex,
         "hob-index",
         {{"k", In::IndexConstant, K::Number, ConstantKey::IndexConstant, ""},
          {"teeth", In::Teeth, K::Count, {}, ""},
          {"starts", In::HobStarts, K::Count, {}, "1"}},
         false,
         [](const std::vector<FormulaValue>& v) {
             return hobIndexRatio(numberAt(v, 0), countAt(v, 2), countAt(v, 1));
         }},
        {Formula::HobDifferential,
         "hob-diff",
         {{"c", In::DifferentialConstant, K::Number, ConstantKey::DifferentialConstant, ""},
          {"helix", In::Helix, K::Number, {}, ""},
          {"module", In::NormalModule, K::Number, {}, ""},
          {"starts", In::HobStarts, K::Count, {}, "1"}},
         false,
         [](const std::vector<FormulaValue>& v) {
             return hobDifferentialRatio(numberAt(v, 0), numberAt(v, 1), numberAt(v, 2),
                                         countAt(v, 3));
         }},
        {Formula::DividingHead,
         "divide",
         {{"n", In::HeadRatio, K::Number, ConstantKey::HeadRatio, ""},
          {"teeth", In::Divisions, K::Count, {}, ""},
          {"approx", In::ApproxDivisions, K::Count, {}, ""}},
         true,
         [](const std::vector<FormulaValue>& v) {
             return dividingHeadRatio(numberAt(v, 0), countAt(v, 1), countAt(v, 2));
         }},
    };
}

} // namespace

const std::vector<FormulaEntry>& formulaRegistry() {
    static const std::vector<FormulaEntry> registry = makeRegistry();
    return registry;
}

const FormulaEntry& formulaEntry(Formula formula) {
    for (const FormulaEntry& entry : formulaRegistry()) {
        if (entry.formula == formula) {
            return entry;
        }
    }
    throw std::invalid_argument("a formula without an entry in the registry");
}

const FormulaEntry* formulaNamed(std::string_view name) {
    const auto& registry = formulaRegistry();
    const auto found = std::find_if(registry.begin(), registry.end(),
                                    [&](const FormulaEntry& entry) { return entry.name == name; });
    return found == registry.end() ? nullptr : &*found;
}

std::vector<FormulaInput> jobFields(const FormulaEntry& entry) {
    std::vector<FormulaInput> fields;
    std::copy_if(entry.inputs.begin(), entry.inputs.end(), std::back_inserter(fields),
                 [](const FormulaInput& input) { return !input.constant; });
    return fields;
}

Quantity workOutFormula(const FormulaEntry& entry, const std::vector<FormulaValue>& fields,
                        const MachineConstants& constants) {
    std::vector<FormulaValue> values;
    std::size_t field = 0;
    for (const FormulaInput& input : entry.inputs) {
        if (!input.constant) {
            values.push_back(fields.at(field++));
            continue;
        }
        if (const auto value = constantValue(constants, *input.constant)) {
            values.push_back(*value);
        } else if (!input.fallback.empty()) {
            values.push_back(fallbackValue(input));
        } else {
            ValueProblem missing{ValueProblem::Kind::ConstantMissing};
            missing.input = input.meaning;
            throw ValueRefused(std::move(missing));
        }
    }
    return entry.compute(values);
}

} // namespace gearsel
