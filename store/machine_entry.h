// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One machine of the table, as the data file holds it.

#include <cstdint>
#include <string>

namespace gearsel {

struct MachineEntry {
    std::string name;           // as shown: decoded to UTF-8, without leading or trailing spaces
    std::string rawName;        // the 24 stored bytes, written back unchanged until a rename
    std::int16_t zn = 0;        // assembly-condition tooth count (shaft thickness)
    std::int16_t gearCount = 0; // number of tooth counts in the machine's gear-list slot
};

} // namespace gearsel
