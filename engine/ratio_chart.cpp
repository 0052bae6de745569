#include "engine/ratio_chart.h"

namespace gearsel {

std::vector<ChartRow> buildChart(const SearchRequest& setup,
                                 const std::vector<ChartTarget>& targets) {
    std::vector<ChartRow> rows;
    SearchRequest request = setup;
    for (const ChartTarget& target : targets) {
        request.requiredRatio = target.ratio.value();
        ChartRow row{target, bestTrain(request, target.ratio.fraction()), std::nullopt};
        if (!row.exact()) {
            const SuggestionReport report = suggestGears(request, target.ratio.fraction());
            if (!report.suggestions.empty()) {
                const GearSuggestion& top = report.suggestions.front();
                // The set's own train as if it were an addition that costs nothing: a gear is
                // worth buying only when its train ranks before it.
                if (!row.best || ranksBefore(top, GearSuggestion{0, *row.best})) {
                    row.buy = top;
                }
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace gearsel
