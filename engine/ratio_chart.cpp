// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ratio_chart.h"

#include "engine/chart_train_finder.h"
#include "engine/selection.h"

namespace gearsel {

namespace {

// The rows of `targets`: `best` (request, fraction) gives a row's train, `suggest` (request,
// fraction) the report of the gears to buy.
template <class Slot, class Best, class Suggest>
std::vector<ChartRowOf<Slot>> chartWith(const SearchRequest& setup,
                                        const std::vector<ChartTarget>& targets, Best best,
                                        Suggest suggest) {
    std::vector<ChartRowOf<Slot>> rows;
    SearchRequest request = setup;
    for (const ChartTarget& target : targets) {
        // The train for a negative ratio is the one for its size; an idler gives the sign.
        const Quantity searched = target.ratio.magnitude();
        request.requiredRatio = searched.value();
        ChartRowOf<Slot> row{target, best(request, searched.fraction()), std::nullopt};
        if (!row.best) {
            // Where trains must fit, whether any train comes near at all.
            SearchRequest anyTrain = request;
            anyTrain.fitGeometry.reset();
            anyTrain.resultCount = 1;
            row.outcome = request.fitGeometry && runSelection(anyTrain).results.filledCount() > 0
                              ? ChartOutcome::NoneFits
                              : ChartOutcome::NoTrain;
        }
        if (!row.exact()) {
            // The first of the gears that help, ranked as suggestGears() ranks them.
            const auto report = suggest(request, searched.fraction());
            if (!report.suggestions.empty()) {
                row.buy = report.suggestions.front();
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

std::vector<ChartRow> buildChart(const SearchRequest& setup,
                                 const std::vector<ChartTarget>& targets) {
    // Made with the first row, so that a setup the search refuses is refused as that row's
    // search would refuse it.
    std::optional<ChartTrainFinder> finder;
    const auto best = [&](const SearchRequest& request, const std::optional<Fraction>& required) {
        if (!finder) {
            finder.emplace(request);
        }
        return finder->best(request.requiredRatio, required);
    };
    return chartWith<ResultSlot>(setup, targets, best, suggestGears);
}

std::vector<ChartRow> buildChartByRowSearches(const SearchRequest& setup,
                                              const std::vector<ChartTarget>& targets) {
    return chartWith<ResultSlot>(
        setup, targets,
        static_cast<std::optional<BestTrain> (*)(const SearchRequest&,
                                                 const std::optional<Fraction>&)>(bestTrain),
        suggestGears);
}

std::vector<ThreePairChartRow> buildThreePairChart(const SearchRequest& setup,
                                                   const std::vector<ChartTarget>& targets) {
    return chartWith<ThreePairSlot>(setup, targets, bestThreePairTrain, suggestGearsThreePairs);
}

} // namespace gearsel
