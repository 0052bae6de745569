// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exact fraction that a short decimal text stands for: "1.25" is 5/4, "1.5e-3" is 3/2000.

#include "engine/fraction.h"

#include <optional>
#include <string_view>

namespace gearsel {

// Decimal texts with more significant digits than this have no fraction: a double holds 15
// decimal digits faithfully, so a longer text is most likely a double's rounded value
// (0.47244094488188976 for 60/127) rather than a number the user knows exactly.
inline constexpr int kMaxFractionDigits = 15;

// The fraction of a decimal text: an optional sign, digits with at most one full stop (at
// least one digit), and an optional exponent ("e" or "E", optional sign, digits); nothing else,
// not even blanks. Significant digits run from the first to the last non-zero digit, so
// trailing zeros do not count. Nothing when the text is not such a number, has more than
// kMaxFractionDigits significant digits, or its fraction does not fit in 64 bits (1e19).
std::optional<Fraction> decimalFraction(std::string_view text);

} // namespace gearsel
