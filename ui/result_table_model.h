// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the result grid shows: the empty grid with one numbered blank row per wanted train, or
// the listed trains of the last search, with each row's exact fraction as its tooltip. The
// texts are the present/ rules' (result_text.h), made as the view asks for them, so that a
// long list costs only the rows on the screen.

#include "engine/fraction.h"
#include "engine/result_list.h"
#include "engine/train_fitter.h"
#include "present/result_text.h"
#include "print/row_position.h"
#include "ui/grid_view.h"

#include <optional>

namespace gearsel {

class ResultTableModel : public GridModel {
    Q_OBJECT
public:
    // Cells in `cellText` on `cellBack`.
    ResultTableModel(QColor cellBack, QColor cellText, QObject* parent = nullptr);

    // The empty grid: `rows` numbered blank rows under the headings.
    void showEmpty(int rows);
    // One row per filled slot of `results`. Each row's tooltip tells its exact fraction and
    // whether it is the required fraction `required` (nothing when the ratio has none), and
    // with `fitter` (the machine's geometry) whether the train fits.
    void showResults(const ResultList& results, double requiredRatio,
                     const std::optional<Fraction>& required,
                     const std::optional<TrainFitter>& fitter = std::nullopt);

    // The rows' tooltips say whether the trains fit by `fitter` from now on (nothing: they
    // say nothing of fitting); the rows stay as they are.
    void showFit(const std::optional<TrainFitter>& fitter);

    // Whether the rows are listed trains rather than blank rows, and there is at least one.
    bool listsTrains() const { return emptyRows_ == 0 && !results_.slots.empty(); }
    // Whether the rows are a search's list, which may hold no train, rather than blank rows.
    bool showsSearch() const { return emptyRows_ == 0; }

    // Each shown row's gearbox position, where the positions were searched together: its
    // relative error is then against the position's ratio, and its tooltip names it.
    void showPositions(std::vector<RowPosition> positions);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QString cornerText() const override;

private:
    // The texts of grid row `row` (from 1), the fixed column first; the last row asked for is
    // kept, as a view asks for one row's cells in turn.
    const ResultRowTexts& rowTexts(int row) const;

    int emptyRows_ = 0;
    ResultList results_;
    double requiredRatio_ = 0.0;
    std::optional<Fraction> required_;
    std::vector<RowPosition> positions_;
    std::optional<TrainFitter> fitter_;
    mutable int cachedRow_ = -1;
    mutable ResultRowTexts cachedTexts_;
};

} // namespace gearsel
