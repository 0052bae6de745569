// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of a chart as a table: the headings and the cells the present/ rules give each row
// (chartLines()), for two-pair trains or three-pair trains (Z5 and Z6 after Z4), with the
// column 档位 after the target where the rows name gearbox positions; rows with an exact train
// tinted so that the rows that need a gear bought stand out.

#include "engine/ratio_chart.h"
#include "present/chart_text.h"

#include <QAbstractTableModel>
#include <vector>

namespace gearsel {

class ChartTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChartTableModel(QObject* parent = nullptr);

    // Shows `rows`; an empty chart of two-pair trains when there are none.
    void setRows(const std::vector<ChartRow>& rows);
    void setRows(const std::vector<ThreePairChartRow>& rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    template <class Row> void show(const std::vector<Row>& rows);

    // The headings, then the cells of every row, made once: a view sizes its columns to them.
    std::vector<ChartLine> lines_;
    std::vector<bool> exact_;
};

} // namespace gearsel
