// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of a chart as a table: the cells the present/ rules give each row (chart_text.h),
// rows with an exact train tinted so that the rows that need a gear bought stand out.

#include "engine/ratio_chart.h"
#include "present/chart_text.h"

#include <QAbstractTableModel>
#include <vector>

namespace gearsel {

class ChartTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChartTableModel(QObject* parent = nullptr);

    // Shows `rows`, an empty chart when there are none.
    void setRows(std::vector<ChartRow> rows);
    const std::vector<ChartRow>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<ChartRow> rows_;
    // The cells of every row, made once: a view sizes its columns to them.
    std::vector<ChartRowTexts> texts_;
};

} // namespace gearsel
