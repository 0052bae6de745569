// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three-pair page's table: the result grid's columns widened to six tooth counts (№ with
// the repeat mark R, Z1 to Z6, the ratio, the absolute and relative errors), each row's
// tooltip telling its exact fraction, whether it is the required one, and its gearbox
// position where the positions were searched together.

#include "ui/three_pair_row.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace gearsel {

class ThreePairTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ThreePairTableModel(QObject* parent = nullptr);

    void showRows(std::vector<ThreePairRow> rows);
    const std::vector<ThreePairRow>& rows() const { return rows_; }

    // The headings and each row's cells as the table shows them, for the printout; a column
    // 档位 after № where the rows have positions.
    QStringList headings() const;
    QStringList cells(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool hasPositions() const;

    std::vector<ThreePairRow> rows_;
};

} // namespace gearsel
