#pragma once
// Pitches as texts: a number with its unit, "1.5mm", "20tpi", "m2" or "dp16", read into a Pitch
// and written back the same way.

#include "engine/pitch.h"

#include <string>
#include <string_view>

namespace gearsel {

// Reads a pitch: the number (a decimal or p/q, as readQuantity() reads it) followed by "mm" or
// "tpi", or preceded by "m" (module) or "dp" (diametral pitch); letters in either case, blanks
// between number and unit allowed. A bare number is refused: mm and tpi are both common, and
// guessing wrong cuts a wrong thread. Throws std::invalid_argument whose message quotes the
// text ("'1.5' needs a unit: ...").
Pitch readPitch(std::string_view text);

// "1.5mm", "127/5mm", "20tpi", "m2", "dp16": a text that readPitch() reads back as the same pitch.
std::string pitchText(const Pitch& pitch);

} // namespace gearsel
