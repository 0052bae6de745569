// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/gearbox_positions.h"

#include <algorithm>
#include <cmath>

namespace gearsel {

namespace {

// Each position's list from `search` (request, fraction) -> filled slots, or nothing when it
// was stopped on request, merged by relative error.
template <class Slot, class Search>
PositionResults<Slot> searchJointly(const SearchRequest& request, const Quantity& ratio,
                                    std::span<const GearboxPosition> positions, Search search) {
    if (auto problem = findPositionProblem(positions)) {
        throw PositionsRefused(*problem);
    }
    PositionResults<Slot> results;
    SearchRequest own = request;
    for (std::size_t at = 0; at < positions.size(); ++at) {
        const Quantity required = ratio.dividedBy(positions[at].ratio);
        results.required.push_back(required);
        own.requiredRatio = required.value();
        const std::optional<std::vector<Slot>> listed = search(own, required.fraction());
        if (!listed) {
            results.rows.clear();
            results.cancelled = true;
            return results;
        }
        for (const Slot& slot : *listed) {
            results.rows.push_back(
                PositionRow<Slot>{at, slot, slot.absError / std::fabs(required.value())});
        }
    }
    // Stable: rows of equal relative error stay in the order of the positions and their lists.
    std::stable_sort(results.rows.begin(), results.rows.end(),
                     [](const PositionRow<Slot>& x, const PositionRow<Slot>& y) {
                         return x.relError < y.relError;
                     });
    results.rows.resize(
        std::min(results.rows.size(), static_cast<std::size_t>(std::max(request.resultCount, 0))));
    return results;
}

} // namespace

std::optional<PositionProblem> findPositionProblem(std::span<const GearboxPosition> positions) {
    using Kind = PositionProblem::Kind;
    if (positions.empty()) {
        return PositionProblem{Kind::NoPositions};
    }
    for (std::size_t at = 0; at < positions.size(); ++at) {
        const GearboxPosition& position = positions[at];
        if (position.name.empty()) {
            return PositionProblem{Kind::NoName, at};
        }
        for (std::size_t before = 0; before < at; ++before) {
            if (positions[before].name == position.name) {
                return PositionProblem{Kind::SameName, at, position.name};
            }
        }
        const double value = position.ratio.value();
        if (!std::isfinite(value) || !(value > 0.0)) {
            return PositionProblem{Kind::RatioNotPositive, at, position.name};
        }
    }
    return std::nullopt;
}

PositionResults<ResultSlot> searchPositions(const SearchRequest& request, const Quantity& ratio,
                                            std::span<const GearboxPosition> positions,
                                            EngineKind engine) {
    return searchJointly<ResultSlot>(
        request, ratio, positions, [&](const SearchRequest& own, const std::optional<Fraction>&) {
            ResultList list = runSelection(own, engine).results;
            list.slots.resize(static_cast<std::size_t>(list.filledCount()));
            return std::optional(std::move(list.slots));
        });
}

PositionResults<ThreePairSlot> searchPositionsThreePairs(const SearchRequest& request,
                                                         const Quantity& ratio,
                                                         std::span<const GearboxPosition> positions,
                                                         EngineKind engine,
                                                         const SearchCancel* cancel) {
    return searchJointly<ThreePairSlot>(
        request, ratio, positions,
        [&](const SearchRequest& own, const std::optional<Fraction>& fraction) {
            ThreePairSelection selection = runThreePairSelection(own, fraction, engine, cancel);
            return selection.cancelled ? std::nullopt : std::optional(std::move(selection.slots));
        });
}

} // namespace gearsel
