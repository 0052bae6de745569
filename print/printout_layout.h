// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where everything stands on the printed result list, in the units of the device it is printed
// on. The page is laid out in proportions of its size, so the list fits any paper.

#include <QRectF>
#include <array>
#include <string_view>

namespace gearsel {

// The printed table: number, four tooth counts, ratio, absolute and relative error.
inline constexpr int kPrintColumns = 8;
// The page has room for this many rows; a longer list is cut to it.
inline constexpr int kMaxPrintedRows = 24;

struct PrintoutLayout {
    double pageWidth = 0;   // W: width of the printable page
    double pageHeight = 0;  // H: its height
    double left = 0;        // L: left edge of the table
    double tableWidth = 0;  // TW
    double top = 0;         // T: top of the first row; the heading row lies above it
    double tableHeight = 0; // TH: the height reserved for the most rows
    double rowHeight = 0;   // RH
    int rows = 0;           // N: rows of the ruled table
    double bottom = 0;      // B: bottom of the table
    double narrowWidth = 0; // CW: width of each of the five narrow columns
    double wideLeft = 0;    // S: left edge of the three wide columns
    double wideWidth = 0;   // WW: width of each wide column
    // Column edges from left to right; column c (0-based) spans edges[c] to edges[c + 1].
    std::array<double, kPrintColumns + 1> edges{};

    // Top of the heading row.
    double headingTop() const { return top - rowHeight; }
    // Top of row `row`, counted from 1.
    double rowTop(int row) const { return top + (row - 1) * rowHeight; }
    // The centre of column `column` (0-based), on which its texts are centred.
    double columnCentre(int column) const;
    // The logo, at the top left beside the title.
    QRectF logoRect() const;
    // The point on which the title is centred horizontally, and the title's top.
    double titleCentre() const { return left + 0.56 * tableWidth; }
    double titleTop() const { return top - 4 * rowHeight; }
    // The machine line's left edge, the ratio line's left edge, and the top of both.
    double machineLeft() const { return 1.1 * left; }
    double ratioLeft() const { return wideLeft + wideWidth; }
    double infoTop() const { return top - 2.2 * rowHeight; }
    // The date and time line under the table.
    double dateLeft() const { return wideLeft + 1.2 * wideWidth; }
    double dateTop() const { return bottom + 0.3 * rowHeight; }
};

// The layout of a page of `pageWidth` by `pageHeight` with `rows` table rows.
PrintoutLayout printoutLayout(double pageWidth, double pageHeight, int rows);

} // namespace gearsel
