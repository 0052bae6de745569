// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gear lists on the command line: "20,25,30" <-> tooth counts.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gearsel::cli {

// Parses a comma-separated list of tooth counts, each a whole number from 10 to 255.
// Blanks around the numbers are allowed. Throws UsageError naming the first bad entry.
std::vector<std::int16_t> parseGearList(std::string_view text);

// "20,25,30".
std::string gearListText(const std::vector<std::int16_t>& gears);

} // namespace gearsel::cli
