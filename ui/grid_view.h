// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid control of the main face: a read-only table with one fixed heading row and one
// fixed column (the view's headers), in the colours and sizes of the window's layout, its
// lengths given in twips. The text of the fixed cell at the top left comes from its model.
// It only draws: what it shows, tints and alignment included, comes from a GridModel.

#include "ui/read_only_table.h"
#include "ui/twips_scale.h"

#include <QAbstractTableModel>
#include <QColor>
#include <span>

class QLabel;

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

// Where a cell's text stands: texts that read as numbers at the right, all others at the left.
Qt::Alignment cellAlignment(const QString& text);

// A table whose first row and column are headings: the model's header data, and the text of
// the cell where they meet.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Cells in `cellText` on `cellBack`.
    GridModel(QColor cellBack, QColor cellText, QObject* parent = nullptr);

    // The text of the fixed cell at the top left, above the row numbers.
    virtual QString cornerText() const = 0;

protected:
    // What a cell showing `text` gives for `role`: the text, its alignment and the colours.
    QVariant cellData(const QString& text, int role) const;

private:
    QColor cellBack_;
    QColor cellText_;
};

class GridView : public ReadOnlyTable {
    Q_OBJECT
public:
    // A view whose rows are at least `minRowTwips` high.
    GridView(const TwipsScale& scale, const GridColors& colors, int minRowTwips,
             QWidget* parent = nullptr);

    // A grid of the main face: called `name` (and `accessibleName` for a screen reader), at
    // `place` on the main panel `face`, in the grids' font, showing `model`.
    static GridView* create(const TwipsScale& scale, const GridColors& colors, QWidget* face,
                            const char* name, const QString& accessibleName, QRect place);

    // Shows `model`, which must outlive the view's use of it.
    void setGridModel(GridModel* model);
    // Column widths in twips, the fixed column first.
    void setColumnTwips(std::span<const int> twips);
    // Shows row 1 at the top with no cell selected and none current, as a grid just filled
    // should look.
    void showFromTop();

private:
    void placeCorner();

    TwipsScale scale_;
    QLabel* corner_;
};

} // namespace gearsel
