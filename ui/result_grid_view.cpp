#include "ui/result_grid_view.h"

#include "present/result_text.h"
#include "ui/grid.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace gearsel {

namespace {

QStringList rowOf(const ResultRowTexts& texts) {
    QStringList row;
    row.reserve(kResultColumns);
    for (const std::string& text : texts) {
        row << QString::fromStdString(text);
    }
    return row;
}

} // namespace

void showEmptyResults(Grid& grid, int rows) {
    grid.setCols(kResultColumns);
    grid.setRows(rows + 1);
    for (int c = 0; c < kResultColumns; ++c) {
        grid.setColWidth(c, kResultColumnTwips[static_cast<std::size_t>(c)]);
    }
    std::vector<QStringList> texts{rowOf(resultHeadings())};
    texts.reserve(static_cast<std::size_t>(rows) + 1);
    for (int r = 1; r <= rows; ++r) {
        texts.push_back(rowOf(emptyResultRow(r)));
    }
    grid.setRowTexts(0, texts);
    grid.setCol(0);
    grid.showFromTop();
}

void showResults(Grid& grid, const ResultList& results, double requiredRatio) {
    // Exactly the filled slots remain below the headings, written in one pass.
    const int filled = results.filledCount();
    grid.setRows(filled + 1);
    std::vector<QStringList> texts;
    texts.reserve(static_cast<std::size_t>(filled));
    for (int e = 1; e <= filled; ++e) {
        texts.push_back(
            rowOf(resultRow(e, results.slots[static_cast<std::size_t>(e - 1)], requiredRatio)));
    }
    grid.setRowTexts(1, texts);
    grid.showFromTop();
}

} // namespace gearsel
