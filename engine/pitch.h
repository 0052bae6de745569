// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A thread or worm pitch as the user states it: a number and its unit.

#include "engine/quantity.h"

namespace gearsel {

enum class PitchUnit {
    Millimetre,     // the pitch in mm
    ThreadsPerInch, // n threads per inch: 25.4 / n mm
    Module,         // a metric worm of module m: π·m mm
    DiametralPitch, // an inch worm of diametral pitch DP: 25.4·π / DP mm
};

struct Pitch {
    Quantity amount; // the number given with the unit
    PitchUnit unit = PitchUnit::Millimetre;
};

} // namespace gearsel
