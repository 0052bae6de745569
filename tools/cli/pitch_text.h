// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pitches on the command line: a number with its unit, "1.5mm", "20tpi", "m2" or "dp16".

#include "engine/pitch.h"

#include <string_view>

namespace gearsel::cli {

// The pitch as readPitch() reads it: "1.5mm", "20tpi", "m2" or "dp16"; a bare number is
// refused. Throws UsageError naming `what`.
Pitch parsePitch(std::string_view text, std::string_view what);

} // namespace gearsel::cli
