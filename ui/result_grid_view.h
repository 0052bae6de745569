#pragma once
// What the result grid shows: the empty grid with one blank row per wanted train, or the
// listed trains of the last search.

#include "engine/result_list.h"

namespace gearsel {

class Grid;

// Rebuilds the grid empty: 8 columns, the headings and `rows` numbered blank rows.
void showEmptyResults(Grid& grid, int rows);

// Fills the grid from a result list: one row per filled slot below the headings, which stay
// as the empty grid wrote them.
void showResults(Grid& grid, const ResultList& results, double requiredRatio);

} // namespace gearsel
