// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/exact_number.h"

#include "engine/quantity_text.h"
#include "present/value_problem_text.h"
#include "tools/cli/strict_number.h"

#include <stdexcept>
#include <string>

namespace gearsel::cli {

Quantity parseExactNumber(std::string_view text, std::string_view what) {
    try {
        return readQuantity(text);
    } catch (const ValueRefused& refused) {
        throw UsageError{std::string(what) + " " +
                         valueProblemText(refused.problem(), Language::English)};
    }
}

} // namespace gearsel::cli
