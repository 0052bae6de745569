// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/result_table_model.h"

#include "present/fit_sentence.h"
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
                                   const std::optional<Fraction>& required,
                                   const std::optional<TrainFitter>& fitter) {
    beginResetModel();
    emptyRows_ = 0;
    // Exactly the filled slots are shown.
    results_.slots.assign(results.slots.begin(), results.slots.begin() + results.filledCount());
    requiredRatio_ = requiredRatio;
    required_ = required;
    fitter_ = fitter;
    positions_.clear();
    cachedRow_ = -1;
    endResetModel();
}

void ResultTableModel::showFit(const std::optional<TrainFitter>& fitter) {
    fitter_ = fitter;
    if (rowCount() > 0) {
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                           {Qt::ToolTipRole});
    }
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
        const ResultSlot& slot = results_.slots[at];
        const bool positioned = at < positions_.size();
        std::string tip =
            resultToolTip(slot, positioned ? positions_[at].required : required_, windowLanguage());
        if (fitter_) {
            tip += '\n' + fitSentence(fitter_->fit(slot.train), windowLanguage());
        }
        QString text = QString::fromStdString(tip);
        if (positioned) {
            text += tr("；进给箱手柄位置 %1").arg(positions_[at].name);
        }
        return text;
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
