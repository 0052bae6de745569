// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words of the registry's formulas (engine/formula_registry.h), one entry per formula: the
// ratio helper's page (title, the formula with its symbols explained, a label, starting text
// and hint for each of the job's own fields, in Chinese or English) and the command line's help
// (English).
// The helper works a formula out from what was typed, or says in one sentence what is wrong
// with it. The machine's constants (leadscrew, K, C, N) are read apart from the job's own
// fields, because the window keeps them per machine.

#include "engine/formula_registry.h"
#include "engine/machine_constants.h"
#include "engine/quantity.h"
#include "present/wording.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gearsel {

struct FormField {
    std::string label;     // "螺距："
    std::string startText; // what the field holds when the helper first opens
    std::string hint;      // shown in the empty field and as its tooltip
};

struct FormulaForm {
    std::string title;             // "车螺纹"
    std::string equation;          // the formula with its symbols explained
    std::vector<FormField> fields; // one per job field of the formula, in the registry's order
};

FormulaForm formulaForm(Formula formula, Language language);

// The command line's help: the formula's subcommand, and the option of its input `input` (the
// registry's name, "pitch").
std::string formulaHelp(Formula formula);
std::string inputHelp(Formula formula, std::string_view input);

// A ratio, or why there is none.
struct FormulaOutcome {
    std::optional<Quantity> ratio;
    std::string problem;
};

// Works out the formula from the texts of its fields, in the order formulaForm() lists them,
// and the machine's constants. Never throws: every refusal becomes the outcome's problem, one
// sentence in `language`.
FormulaOutcome workOutRatio(Formula formula, const std::vector<std::string>& fieldTexts,
                            const MachineConstants& constants, Language language);

// The constants as the five texts of the constants box (in kConstantKeys order; an empty text
// is an unknown constant), or the first one that cannot be used, said in one sentence.
struct ConstantsReading {
    MachineConstants constants;
    std::string problem;
};
ConstantsReading readConstantTexts(const std::array<std::string, kConstantKeys.size()>& texts,
                                   Language language);

// Why `text` is not a pitch when it names a metric thread as a drawing does ("M10"), said in
// one sentence that offers the thread's pitch and the module's lower-case m; nothing for any
// other text.
std::optional<std::string> threadNameProblem(std::string_view text, Language language);

// What a constant's field suggests when it is empty: "如 6mm 或 4tpi".
std::string constantHint(ConstantKey key, Language language);

// A ratio as the helper and `gearsel-cli ratio` show it: "60/127 = 0.47244094488188976" when
// it is exact, the decimal alone (17 significant digits) otherwise.
std::string ratioResultText(const Quantity& ratio);

// What the sign of a ratio says, for the line beside it. The train to mount is the one for
// |i|; the sign says which way the driven side turns, which an idler sets. For the dividing
// head (`dividingHead`) it names the plate and the crank, also when they turn the same way;
// for a negative ratio of anything else, the driven shaft; empty for a positive one.
std::string turnDirectionText(const Quantity& ratio, bool dividingHead, Language language);

} // namespace gearsel
