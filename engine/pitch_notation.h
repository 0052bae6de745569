// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pitches as texts: a number with its unit, "1.5mm", "20tpi", "m2" or "dp16", read into a Pitch
// and written back the same way.

#include "engine/pitch.h"

#include <optional>
#include <string>
#include <string_view>

namespace gearsel {

// Reads a pitch: the number (a decimal or p/q, as readQuantity() reads it) followed by "mm" or
// "tpi", or preceded by "m" (module) or "dp" (diametral pitch); letters in either case, blanks
// between number and unit allowed, except that a module's m is lower-case. A bare number is
// refused: mm and tpi are both common, and guessing wrong cuts a wrong thread; so is an
// upper-case "M10", which on a drawing is a metric thread, not module 10. Throws ValueRefused
// with the text and what is wrong with it (PitchWithoutUnit for "1.5").
Pitch readPitch(std::string_view text);

// A metric thread as a drawing names it: an upper-case M, the nominal diameter and perhaps the
// fine pitch ("M10", "M10x1.25").
struct ThreadName {
    std::string diameter; // "10"
    std::string pitch;    // the pitch to give instead: the fine one after the x ("1.25mm"), or
                          // the diameter's coarse pitch ("1.5mm"); empty when not listed
    bool fine = false;    // the pitch was written after the x
};

// The thread that `text` names, or nothing when it names none (a lower-case m is a module).
std::optional<ThreadName> readThreadName(std::string_view text);

// "1.5mm", "127/5mm", "20tpi", "m2", "dp16": a text that readPitch() reads back as the same pitch.
std::string pitchText(const Pitch& pitch);

} // namespace gearsel
