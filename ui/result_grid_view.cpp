// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/result_grid_view.h"

#include "present/result_text.h"
#include "ui/grid.h"
#include "ui/widget_helpers.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace gearsel {

void showEmptyResults(Grid& grid, int rows) {
    grid.setCols(kResultColumns);
    grid.setRows(rows + 1);
    for (int c = 0; c < kResultColumns; ++c) {
        grid.setColWidth(c, kResultColumnTwips[static_cast<std::size_t>(c)]);
    }
    std::vector<QStringList> texts{qtTexts(resultHeadings())};
    texts.reserve(static_cast<std::size_t>(rows) + 1);
    for (int r = 1; r <= rows; ++r) {
        texts.push_back(qtTexts(emptyResultRow(r)));
    }
    grid.setRowTexts(0, texts);
    grid.setRowToolTips(1, std::vector<QString>(static_cast<std::size_t>(rows)));
    grid.setCol(0);
    grid.showFromTop();
}

void showResults(Grid& grid, const ResultList& results, double requiredRatio,
                 const std::optional<Fraction>& required) {
    // Exactly the filled slots remain below the headings, written in one pass.
    const int filled = results.filledCount();
    grid.setRows(filled + 1);
    std::vector<QStringList> texts;
    std::vector<QString> tips;
    texts.reserve(static_cast<std::size_t>(filled));
    tips.reserve(static_cast<std::size_t>(filled));
    for (int e = 1; e <= filled; ++e) {
        const ResultSlot& slot = results.slots[static_cast<std::size_t>(e - 1)];
        texts.push_back(qtTexts(resultRow(e, slot, requiredRatio)));
        tips.push_back(QString::fromStdString(resultToolTip(slot, required)));
    }
    grid.setRowTexts(1, texts);
    grid.setRowToolTips(1, tips);
    grid.showFromTop();
}

} // namespace gearsel
