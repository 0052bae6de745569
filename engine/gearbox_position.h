// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One lever position of a quick-change gearbox: its name and its ratio.

#include "engine/quantity.h"

#include <string>

namespace gearsel {

struct GearboxPosition {
    std::string name; // as the machine's plate names it, such as "A1"
    Quantity ratio;   // the gearbox's ratio in this position
};

} // namespace gearsel
