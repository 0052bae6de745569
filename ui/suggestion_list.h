// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "which gear to buy" list: for the required ratio and the current gear set, each tooth
// count whose addition gives the best train, best first, and above it what the set as it is
// gives.

#include "engine/gear_suggestion.h"
#include "engine/search_request.h"

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QTableView;

namespace gearsel {

class SuggestionTableModel;

// The list shows this many suggestions.
inline constexpr int kShownSuggestions = 10;

class SuggestionList : public QDialog {
    Q_OBJECT
public:
    explicit SuggestionList(QWidget* parent = nullptr);

    // Shows the report of suggestGears() on `request`.
    void showReport(const SuggestionReport& report, const SearchRequest& request);
    // Shows the report of suggestGearsThreePairs() on `request`.
    void showReport(const ThreePairSuggestionReport& report, const SearchRequest& request);

private:
    void showSummary(const std::vector<std::string>& summary, bool suggested);

    QLabel* summary_ = nullptr;
    QTableView* table_ = nullptr;
    SuggestionTableModel* rows_ = nullptr;
};

} // namespace gearsel
