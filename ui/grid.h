// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid control of the window: a table of text cells with one fixed heading row and one
// fixed column, written only by the program. It offers the few operations the window uses
// (row and column counts, the current cell and its text, column widths in twips, the top
// row) over a QTableWidget whose headers serve as the fixed row and column.

#include "ui/twips_scale.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <vector>

class QLabel;
class QTableWidget;
class QWidget;

namespace gearsel {

struct GridColors {
    QColor cellBack;
    QColor cellText;
    QColor fixedBack;
    QColor selectionBack;
    QColor selectionText;
    QColor areaBack; // behind the cells, where the grid has no rows or columns
    QColor gridLines;
};

class Grid {
public:
    // Creates the table as a child of `parent`, `rows` x `cols` cells counting the fixed
    // row and column, each row at least `minRowTwips` high.
    Grid(QWidget* parent, const TwipsScale& scale, const GridColors& colors, int rows, int cols,
         int minRowTwips);

    // Row and column counts, the fixed row and column included. Cells that remain keep their
    // texts, new cells are empty.
    int rows() const;
    void setRows(int rows);
    int cols() const;
    void setCols(int cols);

    // The current cell, which text() and setText() act on.
    void setRow(int row);
    void setCol(int col);
    QString text() const;
    void setText(const QString& text);

    // Writes whole rows in one pass: texts[r][c] goes to row firstRow + r, column c; rows
    // beyond the grid are left out.
    void setRowTexts(int firstRow, const std::vector<QStringList>& texts);

    // Sets the tooltip of every cell of rows firstRow, firstRow + 1, ... (not the fixed
    // column) in one pass; an empty text removes it.
    void setRowToolTips(int firstRow, const std::vector<QString>& tips);
    QString cellToolTip(int row, int col) const;

    // The text of any cell, for reading without moving the current cell.
    QString cellText(int row, int col) const;

    // Width of column `col` in twips.
    void setColWidth(int col, int twips);

    // Scrolls so that `row` is the first row visible below the heading.
    void setTopRow(int row);
    // Shows row 1 at the top with no cell selected, as a grid just filled should look.
    void showFromTop();

    QTableWidget* widget() const { return table_; }

private:
    // Makes a batch of cell changes with the table's painting and the model's per-cell
    // signals held back, then tells the view and the headers of them all at once, so that a
    // long grid fills in one pass and is painted once.
    template <class Change> void quietly(Change change);
    void setCell(int row, int col, const QString& text);
    void fillNewCells();
    void placeCorner();

    TwipsScale scale_;
    GridColors colors_;
    QTableWidget* table_;
    QLabel* corner_;
    int row_ = 0;
    int col_ = 0;
};

} // namespace gearsel
