// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ratio_chart.h"

namespace gearsel {

std::vector<ChartRow> buildChart(const SearchRequest& setup,
                                 const std::vector<ChartTarget>& targets) {
    std::vector<ChartRow> rows;
    SearchRequest request = setup;
    for (const ChartTarget& target : targets) {
        // The train for a negative ratio is the one for its size; an idler gives the sign.
        const Quantity searched = target.ratio.magnitude();
        request.requiredRatio = searched.value();
        ChartRow row{target, bestTrain(request, searched.fraction()), std::nullopt};
        if (!row.exact()) {
            // The first of the gears that help, ranked as suggestGears() ranks them.
            const SuggestionReport report = suggestGears(request, searched.fraction());
            if (!report.suggestions.empty()) {
                row.buy = report.suggestions.front();
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace gearsel
