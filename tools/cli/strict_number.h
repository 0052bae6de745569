// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Strict number parsing for command-line arguments: unlike the window's fields, a command
// line is refused when an argument is not exactly a number, with a message that names it.

#include "base/trim.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace gearsel::cli {

// Thrown for an argument that cannot be used; what() is one line for stderr.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole text must be a decimal number ("1.5", "-2", "3e-2"); throws UsageError naming
// `what` otherwise, or when the value is not finite.
double parseDouble(std::string_view text, std::string_view what);

// The whole text must be a whole number within [min, max]; throws UsageError otherwise.
int parseInt(std::string_view text, std::string_view what, int min, int max);

// A count the formulas take (starts, tooth counts, divisions): any whole number of an int, so
// that a formula refuses one below 1 in its own words; beyond an int it is refused here as too
// large or below 1.
int parseCount(std::string_view text, std::string_view what);

} // namespace gearsel::cli
