// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test support: the StoreError that an operation throws, as its problem (kind and data) and as
// the window and the command line word it.

#include "present/store_problem_text.h"
#include "store/store_error.h"

#include <optional>
#include <string>

namespace gearsel::test {

// The problem of the StoreError that `operation` throws; nothing when it throws none.
template <typename Operation> std::optional<StoreProblem> problemOf(Operation operation) {
    try {
        operation();
    } catch (const StoreError& e) {
        return e.problem();
    }
    return std::nullopt;
}

// That problem in the window's words; empty when `operation` throws no StoreError.
template <typename Operation> std::string messageOf(Operation operation) {
    const auto problem = problemOf(operation);
    return problem ? storeProblemText(*problem, Language::Chinese) : std::string();
}

// That problem in the command line's words.
template <typename Operation> std::string englishOf(Operation operation) {
    const auto problem = problemOf(operation);
    return problem ? storeProblemText(*problem, Language::English) : std::string();
}

} // namespace gearsel::test
