// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The buy list as a table: one row per suggested gear, best first, with the cells the
// present/ rules give it (suggestion_text.h), Z5 and Z6 after Z4 for three-pair trains,
// right-aligned, exact trains tinted.

#include "engine/gear_suggestion.h"
#include "present/suggestion_text.h"

#include <QAbstractTableModel>
#include <string>
#include <vector>

namespace gearsel {

class SuggestionTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SuggestionTableModel(QObject* parent = nullptr);

    // Shows the first `count` suggestions (all when there are fewer) for `requiredRatio`.
    void showSuggestions(const std::vector<GearSuggestion>& suggestions, int count,
                         double requiredRatio);
    void showSuggestions(const std::vector<ThreePairSuggestion>& suggestions, int count,
                         double requiredRatio);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    template <class Suggestion, class Texts>
    void show(const std::vector<Suggestion>& suggestions, int count, const Texts& headings,
              Texts (*cellsOf)(const Suggestion&, double, Language), double requiredRatio);

    struct Row {
        std::vector<std::string> texts;
        bool exact = false;
    };
    std::vector<std::string> headings_;
    std::vector<Row> rows_;
};

} // namespace gearsel
