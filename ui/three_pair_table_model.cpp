// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/three_pair_table_model.h"

#include "present/result_text.h"
#include "ui/widget_helpers.h"
#include "ui/window_language.h"

namespace gearsel {

ThreePairTableModel::ThreePairTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ThreePairTableModel::showRows(std::vector<ThreePairRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

bool ThreePairTableModel::hasPositions() const {
    return !rows_.empty() && !rows_.front().position.empty();
}

QStringList ThreePairTableModel::headings() const {
    QStringList texts;
    for (const std::string& text : threePairHeadings(windowLanguage())) {
        texts << QString::fromStdString(text).trimmed();
    }
    if (hasPositions()) {
        texts.insert(1, tr("档位"));
    }
    return texts;
}

QStringList ThreePairTableModel::cells(int row) const {
    const ThreePairRow& shown = rows_[static_cast<std::size_t>(row)];
    QStringList texts;
    for (const std::string& text : threePairRow(row + 1, shown.slot, shown.requiredRatio)) {
        texts << QString::fromStdString(text).trimmed();
    }
    if (hasPositions()) {
        texts.insert(1, QString::fromStdString(shown.position));
    }
    return texts;
}

int ThreePairTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ThreePairTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kThreePairColumns + (hasPositions() ? 1 : 0);
}

QVariant ThreePairTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const ThreePairRow& shown = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return cells(index.row()).value(index.column());
    case Qt::ToolTipRole: {
        QString tip =
            QString::fromStdString(threePairToolTip(shown.slot, shown.required, windowLanguage()));
        if (!shown.position.empty()) {
            tip += tr("；进给箱手柄位置 %1").arg(QString::fromStdString(shown.position));
        }
        return tip;
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ThreePairTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
        return {};
    }
    return headings().value(section);
}

} // namespace gearsel
