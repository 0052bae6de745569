// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result side of the main face: the result grid GZ under its heading, the reachable ratio
// range beside the heading and the time the last search took.

#include "engine/fraction.h"
#include "engine/ratio_range.h"
#include "engine/result_list.h"
#include "engine/train_fitter.h"
#include "print/row_position.h"
#include "ui/twips_scale.h"

#include <QObject>
#include <optional>

class QAction;
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
    // fraction and whether it is `required`, and with `fitter` whether the train fits.
    void showResults(const ResultList& results, double requiredRatio,
                     const std::optional<Fraction>& required, double seconds,
                     const std::optional<TrainFitter>& fitter = std::nullopt);
    // Whether the grid shows a search's list, which may hold no train, rather than blank rows.
    bool showsSearch() const;
    // The listed trains' tooltips say whether they fit by `fitter` from now on.
    void showFit(const std::optional<TrainFitter>& fitter);
    // Each shown row's gearbox position (see ResultTableModel::showPositions()).
    void showPositions(std::vector<RowPosition> positions);
    // The ratios the gear set can reach; nothing shows an empty caption.
    void showRange(const std::optional<RatioRange>& range);
    // Puts the focus into the grid.
    void focusGrid();
    // Offers `action` on the grid's rows: by its key while the grid has the focus and in the
    // rows' context menu.
    void addRowAction(QAction* action);
    // The slot (from 0) of the listed train that a row command is for: the current row's, or
    // the first when no row is current; nothing while the grid lists no trains.
    std::optional<int> chosenResult() const;

private:
    GridView* grid_;
    ResultTableModel* rows_;
    QLabel* range_;
    QLabel* seconds_;
};

} // namespace gearsel
