// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ratio_chart.h"

#include "engine/chart_train_finder.h"
#include "engine/gearbox_positions.h"
#include "engine/selection.h"

namespace gearsel {

namespace {

// The relative error by which positions compete: 0 for an exact train, whatever the doubles say.
template <class Slot> double relativeError(const BestOf<Slot>& found, double required) {
    return found.exact ? 0.0 : found.slot.absError / required;
}

// The rows of `targets`: `best` (request, fraction) gives a row's train, `suggest` (request,
// fraction) the report of the gears to buy. With `positions`, each row searches each of them.
template <class Slot, class Best, class Suggest>
std::vector<ChartRowOf<Slot>>
chartWith(const SearchRequest& setup, const std::vector<ChartTarget>& targets,
          std::span<const GearboxPosition> positions, Best best, Suggest suggest) {
    if (!positions.empty()) {
        if (auto problem = findPositionProblem(positions)) {
            throw PositionsRefused(*problem);
        }
    }
    std::vector<ChartRowOf<Slot>> rows;
    SearchRequest request = setup;
    for (const ChartTarget& target : targets) {
        ChartRowOf<Slot> row{target, std::nullopt, std::nullopt};
        // The train for a negative ratio is the one for its size; an idler gives the sign.
        Quantity searched = target.ratio.magnitude();
        if (positions.empty()) {
            request.requiredRatio = searched.value();
            row.best = best(request, searched.fraction());
        }
        double least = 0.0;
        for (std::size_t at = 0; at < positions.size(); ++at) {
            const Quantity required = target.ratio.dividedBy(positions[at].ratio);
            const Quantity size = required.magnitude();
            request.requiredRatio = size.value();
            auto found = best(request, size.fraction());
            const double error = found ? relativeError(*found, size.value()) : 0.0;
            if (at == 0 || (found && (!row.best || error < least))) {
                row.target.ratio = required;
                row.position = positions[at].name;
                row.best = std::move(found);
                searched = size;
                least = error;
            }
        }
        request.requiredRatio = searched.value();
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
                                 const std::vector<ChartTarget>& targets,
                                 std::span<const GearboxPosition> positions) {
    // Made with the first row, so that a setup the search refuses is refused as that row's
    // search would refuse it.
    std::optional<ChartTrainFinder> finder;
    const auto best = [&](const SearchRequest& request, const std::optional<Fraction>& required) {
        if (!finder) {
            finder.emplace(request);
        }
        return finder->best(request.requiredRatio, required);
    };
    return chartWith<ResultSlot>(setup, targets, positions, best, suggestGears);
}

std::vector<ChartRow> buildChartByRowSearches(const SearchRequest& setup,
                                              const std::vector<ChartTarget>& targets,
                                              std::span<const GearboxPosition> positions) {
    return chartWith<ResultSlot>(
        setup, targets, positions,
        static_cast<std::optional<BestTrain> (*)(const SearchRequest&,
                                                 const std::optional<Fraction>&)>(bestTrain),
        suggestGears);
}

std::vector<ThreePairChartRow> buildThreePairChart(const SearchRequest& setup,
                                                   const std::vector<ChartTarget>& targets,
                                                   std::span<const GearboxPosition> positions) {
    return chartWith<ThreePairSlot>(setup, targets, positions, bestThreePairTrain,
                                    suggestGearsThreePairs);
}

} // namespace gearsel
