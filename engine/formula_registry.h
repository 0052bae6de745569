// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ratio formulas as one registry: each formula's name, its inputs (the job's own fields and
// the machine constants it uses) and its computation. The command line (`ratio`, and `select`,
// `suggest` and `chart` with a formula) and the window's ratio helper take their formulas from
// here; the surfaces word each formula and input by its name (present/formula_form.h). Adding a
// formula means adding an entry here and its words there.

#include "engine/machine_constants.h"
#include "engine/pitch.h"
#include "engine/quantity.h"
#include "engine/value_problem.h"

#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace gearsel {

enum class Formula { Thread, HobIndex, HobDifferential, DividingHead };

// How the text of an input is read.
enum class InputKind {
    Pitch,  // a number with its unit (readPitch)
    Count,  // a whole number
    Number, // a decimal or p/q (readQuantity)
};

struct FormulaInput {
    std::string_view name; // "pitch": the command line's option, the key of its words
    ValueInput meaning;    // what it stands for, in refusals
    InputKind kind;
    std::optional<ConstantKey> constant; // a machine constant, kept per machine, not a job's field
    std::string_view fallback;           // the text taken when it is not given; empty: required
};

// The value of one input, as its kind reads it: a Pitch, a count or a number.
using FormulaValue = std::variant<Pitch, int, Quantity>;

struct FormulaEntry {
    Formula formula;
    std::string_view name;            // "thread": the command line's subcommand
    std::vector<FormulaInput> inputs; // in the order the command line lists them
    bool signedRatio;                 // its sign says which way the dividing plate turns
    // The ratio from one value per input, in the order of `inputs`. Throws ValueRefused (see
    // engine/ratio_formula.h) for values that give no usable train.
    Quantity (*compute)(const std::vector<FormulaValue>& values);
};

// Every formula, in the order the surfaces offer them.
const std::vector<FormulaEntry>& formulaRegistry();
const FormulaEntry& formulaEntry(Formula formula);
// The formula that the command line names `name` ("hob-index"), or null.
const FormulaEntry* formulaNamed(std::string_view name);

// The inputs of `entry` that are the job's own fields (no machine constant), in order.
std::vector<FormulaInput> jobFields(const FormulaEntry& entry);

// The ratio of `entry` from the job's `fields` (one value per job field, in order) and the
// machine's `constants`; a constant that is unknown takes the input's fallback. Throws
// ValueRefused: ConstantMissing, naming the input, for the first unknown constant without a
// fallback, and what the formula refuses.
Quantity workOutFormula(const FormulaEntry& entry, const std::vector<FormulaValue>& fields,
                        const MachineConstants& constants);

} // namespace gearsel
