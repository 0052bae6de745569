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

SuggestionTableModel::SuggestionTableModel(QObject* parent) : QAbstractTableModel(parent) {
    showSuggestions(std::vector<GearSuggestion>(), 0, 0);
}

void SuggestionTableModel::showSuggestions(const std::vector<GearSuggestion>& suggestions,
                                           int count, double requiredRatio) {
    show(suggestions, count, suggestionHeadings(windowLanguage()), suggestionRowTexts,
         requiredRatio);
}

void SuggestionTableModel::showSuggestions(const std::vector<ThreePairSuggestion>& suggestions,
                                           int count, double requiredRatio) {
    show(suggestions, count, threePairSuggestionHeadings(windowLanguage()),
         threePairSuggestionRowTexts, requiredRatio);
}

template <class Suggestion, class Texts>
void SuggestionTableModel::show(const std::vector<Suggestion>& suggestions, int count,
                                const Texts& headings,
                                Texts (*cellsOf)(const Suggestion&, double, Language),
                                double requiredRatio) {
    beginResetModel();
    headings_.assign(headings.begin(), headings.end());
    rows_.clear();
    const auto shown = std::min(suggestions.size(), static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t r = 0; r < shown; ++r) {
        const Texts cells = cellsOf(suggestions[r], requiredRatio, windowLanguage());
        rows_.push_back({{cells.begin(), cells.end()}, suggestions[r].best.exact});
    }
    endResetModel();
}

int SuggestionTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SuggestionTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
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
    return QString::fromStdString(headings_[static_cast<std::size_t>(section)]);
}

} // namespace gearsel
