// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/pitch_text.h"

#include "engine/pitch_notation.h"
#include "present/value_problem_text.h"
#include "tools/cli/strict_number.h"

#include <stdexcept>
#include <string>

namespace gearsel::cli {

Pitch parsePitch(std::string_view text, std::string_view what) {
    try {
        return readPitch(text);
    } catch (const ValueRefused& refused) {
        throw UsageError{std::string(what) + " " +
                         valueProblemText(refused.problem(), Language::English)};
    }
}

} // namespace gearsel::cli
