// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/printout_layout.h"

#include "engine/number_text.h"

#include <algorithm>
#include <cstdint>

namespace gearsel {

double PrintoutLayout::columnCentre(int column) const {
    const auto c = static_cast<std::size_t>(column);
    return (edges[c] + edges[c + 1]) / 2;
}

QRectF PrintoutLayout::logoRect() const {
    return QRectF(1.1 * left, top - 4.5 * rowHeight, 0.2 * tableWidth, 0.1 * tableWidth);
}

PrintoutLayout printoutLayout(double pageWidth, double pageHeight, int rows) {
    PrintoutLayout layout;
    layout.pageWidth = pageWidth;
    layout.pageHeight = pageHeight;
    layout.left = 0.1 * pageWidth;
    layout.tableWidth = pageWidth - 2 * layout.left;
    layout.top = 0.25 * pageHeight;
    layout.tableHeight = pageHeight - 1.25 * layout.top;
    layout.rowHeight = layout.tableHeight / kMaxPrintedRows;
    // A negative count would draw the table upwards over the headings; it has no rows.
    layout.rows = std::clamp(rows, 0, kMaxPrintedRows);
    layout.bottom = layout.top + layout.rows * layout.rowHeight;
    layout.narrowWidth = 0.4 * layout.tableWidth / 5;
    layout.wideLeft = layout.left + 0.4 * layout.tableWidth;
    layout.wideWidth = 0.6 * layout.tableWidth / 3;
    for (int c = 0; c <= 5; ++c) {
        layout.edges[static_cast<std::size_t>(c)] = layout.left + c * layout.narrowWidth;
    }
    // The fifth narrow edge and S are the same line; S is taken as it stands.
    layout.edges[5] = layout.wideLeft;
    for (int k = 1; k <= 3; ++k) {
        layout.edges[static_cast<std::size_t>(5 + k)] = layout.wideLeft + k * layout.wideWidth;
    }
    return layout;
}

} // namespace gearsel
