// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A value the engine refuses, on the command line: one line for stderr, in English.

#include "engine/value_problem.h"
#include "present/value_problem_text.h"
#include "tools/cli/strict_number.h"

#include <string>
#include <string_view>

namespace gearsel::cli {

// What `read` returns; where it refuses a value, a UsageError that words the problem, after
// `what` (the option or argument it came from) where that is given.
template <class Read> auto readOrRefuse(std::string_view what, Read read) -> decltype(read()) {
    try {
        return read();
    } catch (const ValueRefused& refused) {
        const std::string problem = valueProblemText(refused.problem(), Language::English);
        throw UsageError{what.empty() ? problem : std::string(what) + " " + problem};
    }
}

} // namespace gearsel::cli
