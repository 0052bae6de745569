// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the result grid shows: the empty grid with one blank row per wanted train, or the
// listed trains of the last search.

#include "engine/fraction.h"
#include "engine/result_list.h"

#include <optional>

namespace gearsel {

class Grid;

// Rebuilds the grid empty: 8 columns, the headings and `rows` numbered blank rows.
void showEmptyResults(Grid& grid, int rows);

// Fills the grid from a result list: one row per filled slot below the headings, which stay
// as the empty grid wrote them.
// Each row's tooltip tells its exact fraction and whether it is the required fraction
// `required` (nothing when the required ratio has none).
void showResults(Grid& grid, const ResultList& results, double requiredRatio,
                 const std::optional<Fraction>& required);

} // namespace gearsel
