// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart_table_model.h"

#include "ui/window_language.h"

#include <QBrush>
#include <QColor>

namespace gearsel {

namespace {

const QColor kExactRow(0xE3, 0xF4, 0xE0);

} // namespace

ChartTableModel::ChartTableModel(QObject* parent) : QAbstractTableModel(parent) {
    setRows(std::vector<ChartRow>());
}

void ChartTableModel::setRows(const std::vector<ChartRow>& rows) {
    show(rows);
}

void ChartTableModel::setRows(const std::vector<ThreePairChartRow>& rows) {
    show(rows);
}

template <class Row> void ChartTableModel::show(const std::vector<Row>& rows) {
    beginResetModel();
    lines_ = chartLines(rows, windowLanguage());
    exact_.clear();
    for (const Row& row : rows) {
        exact_.push_back(row.exact());
    }
    endResetModel();
}

int ChartTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size()) - 1;
}

int ChartTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.front().size());
}

QVariant ChartTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(lines_[row + 1][static_cast<std::size_t>(index.column())]);
    case Qt::BackgroundRole:
        return exact_[row] ? QVariant(QBrush(kExactRow)) : QVariant();
    default:
        return {};
    }
}

QVariant ChartTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString::fromStdString(lines_.front()[static_cast<std::size_t>(section)]);
}

} // namespace gearsel
