// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where everything stands on a printed chart page, in the units of the device: the title, the
// machine and its constants above a ruled table of a fixed number of rows, and the date and
// the page number below it. The page is laid out in proportions of its size (A4 landscape in
// the program), so that every page of a chart looks the same.

#include "present/chart_text.h"

#include <vector>

namespace gearsel {

// Rows of the chart on one page, below the heading row.
inline constexpr int kChartRowsPerPage = 25;

struct ChartPageLayout {
    double left = 0;         // left edge of the table
    double tableWidth = 0;   // its width
    double titleTop = 0;     // top of the title
    double machineTop = 0;   // top of the machine line
    double constantsTop = 0; // top of the constants line
    double top = 0;          // top of the heading row
    double rowHeight = 0;
    double footerTop = 0; // top of the date and page number line
    // Column edges from left to right; column c spans edges[c] to edges[c + 1]. One column
    // more (档位, after the target) for rows that name a gearbox position, and two (Z5, Z6,
    // after Z4) for three-pair trains.
    std::vector<double> edges;

    int columns() const { return static_cast<int>(edges.size()) - 1; }

    double right() const { return left + tableWidth; }
    // Top of row `row`: 0 is the heading row, 1 to kChartRowsPerPage the rows of the chart.
    double rowTop(int row) const { return top + row * rowHeight; }
    double columnCentre(int column) const;
};

// The layout of a page of `pageWidth` by `pageHeight`, with the position column or without,
// for trains of two pairs or of three.
ChartPageLayout chartPageLayout(double pageWidth, double pageHeight, bool positions = false,
                                bool threePairs = false);

// The pages that a chart of `rows` rows takes; at least one, which shows the headings.
int chartPageCount(int rows);

} // namespace gearsel
