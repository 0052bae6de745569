// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Exact numbers as texts: "3/2", "1.25" or "7.9577471545947673" read into a Quantity, and a
// Quantity written back as a text that reads as the same number again. The command line, the
// constants kept per machine and the window all read numbers this way.

#include "engine/quantity.h"

#include <string>
#include <string_view>

namespace gearsel {

// The whole text as a decimal: an optional sign, digits, at most one full stop and an optional
// exponent, blanks and tabs around it allowed; nothing when it is not exactly such a finite
// number.
std::optional<double> readDecimal(std::string_view text);

// "p/q" with whole numbers p and q within 64 bits and q above 0 (blanks around either allowed)
// gives that fraction, its value the double nearest to it. Anything else must be a decimal as
// readDecimal() reads it; its fraction is decimalFraction()'s. Throws ValueRefused with the
// text and what is wrong with it (DenominatorNotPositive for "1/0").
Quantity readQuantity(std::string_view text);

// A text that readQuantity() reads back as the same quantity. An exact one is written as a
// decimal of at most kMaxFractionDigits significant digits where it has one ("24", "4.5",
// "25.4"), otherwise as "p/q" ("60/127"). One known only as a double gets 17 significant
// digits: the same bits, and too many digits to count as a fraction, unless the double is
// exactly a short decimal, which then reads back as that very number made exact.
std::string quantityText(const Quantity& quantity);

} // namespace gearsel
