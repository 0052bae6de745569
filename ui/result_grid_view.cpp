#include "ui/result_grid_view.h"

#include "engine/result_text.h"
#include "ui/grid.h"

#include <QString>

namespace gearsel {

namespace {

void writeRow(Grid& grid, int row, const ResultRowTexts& texts) {
    grid.setRow(row);
    for (int c = 0; c < kResultColumns; ++c) {
        grid.setCol(c);
        grid.setText(QString::fromStdString(texts[static_cast<std::size_t>(c)]));
    }
}

} // namespace

void showEmptyResults(Grid& grid, int rows) {
    grid.setCols(kResultColumns);
    grid.setRows(rows + 1);
    for (int c = 0; c < kResultColumns; ++c) {
        grid.setColWidth(c, kResultColumnTwips[static_cast<std::size_t>(c)]);
    }
    writeRow(grid, 0, resultHeadings());
    for (int r = 1; r <= rows; ++r) {
        writeRow(grid, r, emptyResultRow(r));
    }
    grid.setCol(0);
    grid.showFromTop();
}

void showResults(Grid& grid, const ResultList& results, double requiredRatio) {
    const int count = static_cast<int>(results.slots.size());
    grid.setRows(count + 1);
    for (int e = 1; e <= count; ++e) {
        const ResultSlot& slot = results.slots[static_cast<std::size_t>(e - 1)];
        if (!slot.filled()) {
            grid.setRows(e);
            break;
        }
        writeRow(grid, e, resultRow(e, slot, requiredRatio));
    }
    grid.showFromTop();
}

} // namespace gearsel
