// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart_table_model.h"
#include "ui/window_language.h"

#include <QBrush>
#include <QColor>

namespace gearsel {

namespace {

const QColor kExactRow(0xE3, 0xF4, 0xE0);

} // namespace

ChartTableModel::ChartTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ChartTableModel::setRows(std::vector<ChartRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    texts_.clear();
    texts_.reserve(rows_.size());
    for (const ChartRow& row : rows_) {
        texts_.push_back(chartRowTexts(row, windowLanguage()));
    }
    endResetModel();
}

int ChartTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ChartTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kChartColumns;
}

QVariant ChartTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(texts_[row][static_cast<std::size_t>(index.column())]);
    case Qt::BackgroundRole:
        return rows_[row].exact() ? QVariant(QBrush(kExactRow)) : QVariant();
    default:
        return {};
    }
}

QVariant ChartTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString::fromStdString(
        chartHeadings(windowLanguage())[static_cast<std::size_t>(section)]);
}

} // namespace gearsel
