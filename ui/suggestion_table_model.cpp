// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/suggestion_table_model.h"
#include "ui/window_language.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

namespace gearsel {

namespace {

const QColor kExactRow(208, 255, 208);

} // namespace

SuggestionTableModel::SuggestionTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void SuggestionTableModel::showSuggestions(const std::vector<GearSuggestion>& suggestions,
                                           int count, double requiredRatio) {
    beginResetModel();
    rows_.clear();
    const auto shown = std::min(suggestions.size(), static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t r = 0; r < shown; ++r) {
        rows_.push_back({suggestionRowTexts(suggestions[r], requiredRatio, windowLanguage()),
                         suggestions[r].best.exact});
    }
    endResetModel();
}

int SuggestionTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SuggestionTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kSuggestionColumns;
}

QVariant SuggestionTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(row.texts[static_cast<std::size_t>(index.column())]);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    case Qt::BackgroundRole:
        return row.exact ? QVariant(QBrush(kExactRow)) : QVariant();
    default:
        return {};
    }
}

QVariant SuggestionTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString::fromStdString(
        suggestionHeadings(windowLanguage())[static_cast<std::size_t>(section)]);
}

} // namespace gearsel
