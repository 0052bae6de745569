// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/result_table_model.h"

#include "ui/window_language.h"

namespace gearsel {

ResultTableModel::ResultTableModel(QColor cellBack, QColor cellText, QObject* parent)
    : GridModel(cellBack, cellText, parent) {}

void ResultTableModel::showEmpty(int rows) {
    beginResetModel();
    emptyRows_ = std::max(rows, 0);
    results_ = ResultList{};
    positions_.clear();
    cachedRow_ = -1;
    endResetModel();
}

void ResultTableModel::showResults(const ResultList& results, double requiredRatio,
                                   const std::optional<Fraction>& required) {
    beginResetModel();
    emptyRows_ = 0;
    // Exactly the filled slots are shown.
    results_.slots.assign(results.slots.begin(), results.slots.begin() + results.filledCount());
    requiredRatio_ = requiredRatio;
    required_ = required;
    positions_.clear();
    cachedRow_ = -1;
    endResetModel();
}

void ResultTableModel::showPositions(std::vector<RowPosition> positions) {
    beginResetModel();
    positions_ = std::move(positions);
    cachedRow_ = -1;
    endResetModel();
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : emptyRows_ + static_cast<int>(results_.slots.size());
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kResultColumns - 1;
}

const ResultRowTexts& ResultTableModel::rowTexts(int row) const {
    if (row != cachedRow_) {
        const auto at = static_cast<std::size_t>(row - 1);
        cachedTexts_ =
            emptyRows_ > 0
                ? emptyResultRow(row)
                : resultRow(row, results_.slots[at],
                            at < positions_.size() ? positions_[at].requiredRatio : requiredRatio_);
        cachedRow_ = row;
    }
    return cachedTexts_;
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::ToolTipRole) {
        if (emptyRows_ > 0) {
            return {};
        }
        const auto at = static_cast<std::size_t>(index.row());
        if (at < positions_.size()) {
            return QString::fromStdString(resultToolTip(results_.slots[at], positions_[at].required,
                                                        windowLanguage())) +
                   tr("；进给箱手柄位置 %1").arg(positions_[at].name);
        }
        return QString::fromStdString(
            resultToolTip(results_.slots[at], required_, windowLanguage()));
    }
    return cellData(QString::fromStdString(
                        rowTexts(index.row() + 1)[static_cast<std::size_t>(index.column()) + 1]),
                    role);
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return QString::fromStdString(
            resultHeadings(windowLanguage())[static_cast<std::size_t>(section) + 1]);
    }
    return QString::fromStdString(rowTexts(section + 1)[0]);
}

QString ResultTableModel::cornerText() const {
    return QString::fromStdString(resultHeadings(windowLanguage())[0]);
}

} // namespace gearsel
