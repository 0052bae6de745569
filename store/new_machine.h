// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A machine to be added to the table: what a user types or a list file holds.

#include "engine/machine_constants.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gearsel {

struct NewMachine {
    std::string name;                // UTF-8; cut to 24 GBK bytes when stored
    std::int16_t zn = 15;            // assembly-condition tooth count
    std::vector<std::int16_t> gears; // tooth counts in any order
    MachineConstants constants = {}; // its constants for the ratio formulas, all unknown if none
};

} // namespace gearsel
