// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the gear grid shows: the current machine's tooth counts, one per numbered row.

#include <cstdint>
#include <vector>

namespace gearsel {

class Grid;

// Lays out the grid for `count` gears: the heading row " №" / "齿数" and numbered rows.
void layOutGearGrid(Grid& grid, int count);

// Lays out the grid for the list and writes the tooth counts down column 1.
void fillGearGrid(Grid& grid, const std::vector<std::int16_t>& gears);

} // namespace gearsel
