// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number arguments that may be exact: a fraction "p/q" or a decimal, with the fraction the
// decimal stands for when it has one.

#include "engine/quantity.h"

#include <string_view>

namespace gearsel::cli {

// The number as readQuantity() reads it: "p/q" or a decimal, exact where it can be. Throws
// UsageError naming `what` otherwise.
Quantity parseExactNumber(std::string_view text, std::string_view what);

} // namespace gearsel::cli
