// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result side of the main face: the result grid GZ under its heading, the reachable ratio
// range beside the heading and the time the last search took.

#include "engine/fraction.h"
#include "engine/ratio_range.h"
#include "engine/result_list.h"
#include "print/row_position.h"
#include "ui/twips_scale.h"

#include <QObject>
#include <optional>

class QLabel;
class QWidget;

namespace gearsel {

class GridView;
class ResultTableModel;

class ResultDisplay : public QObject {
    Q_OBJECT
public:
    // Creates the grid and its captions on the main panel `face`.
    ResultDisplay(const TwipsScale& scale, QWidget* face, QObject* parent = nullptr);

    // The empty grid with `rows` numbered blank rows, and no search time.
    void showEmpty(int rows);
    // The listed trains of a search that took `seconds`; each row's tooltip tells its exact
    // fraction and whether it is `required`.
    void showResults(const ResultList& results, double requiredRatio,
                     const std::optional<Fraction>& required, double seconds);
    // Each shown row's gearbox position (see ResultTableModel::showPositions()).
    void showPositions(std::vector<RowPosition> positions);
    // The ratios the gear set can reach; nothing shows an empty caption.
    void showRange(const std::optional<RatioRange>& range);
    // Puts the focus into the grid.
    void focusGrid();

private:
    GridView* grid_;
    ResultTableModel* rows_;
    QLabel* range_;
    QLabel* seconds_;
};

} // namespace gearsel
