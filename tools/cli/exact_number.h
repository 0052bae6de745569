#pragma once
// Number arguments that may be exact: a fraction "p/q" or a decimal, with the fraction the
// decimal stands for when it has one.

#include "engine/quantity.h"

#include <string_view>

namespace gearsel::cli {

// "p/q" with whole numbers p and q within 64 bits and q above 0 (blanks around either allowed)
// gives that fraction, its value the double nearest to it. Anything else must be a decimal as
// parseDouble() reads it, to the same double; its fraction is decimalFraction()'s. Throws
// UsageError naming `what` otherwise.
Quantity parseExactNumber(std::string_view text, std::string_view what);

} // namespace gearsel::cli
