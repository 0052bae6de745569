#pragma once
// Pitches on the command line: a number with its unit, "1.5mm", "20tpi", "m2" or "dp16".

#include "engine/pitch.h"

#include <string_view>

namespace gearsel::cli {

// Reads a pitch: the number (a decimal or p/q) followed by "mm" or "tpi", or preceded by "m"
// (module) or "dp" (diametral pitch); letters in either case, blanks between number and unit
// allowed. A bare number is refused: mm and tpi are both common, and guessing wrong cuts a
// wrong thread. Throws UsageError naming `what`.
Pitch parsePitch(std::string_view text, std::string_view what);

} // namespace gearsel::cli
