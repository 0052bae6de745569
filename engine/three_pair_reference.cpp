// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/three_pair_reference.h"

#include "engine/gear_stock.h"
#include "engine/ratio_target.h"
#include "engine/three_pair_rules.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace gearsel {

namespace {

std::optional<std::vector<ThreePairSlot>> enumerate(std::span<const std::int16_t> sortedGears,
                                                    const SearchRequest& request,
                                                    const std::optional<Fraction>& requiredFraction,
                                                    const SearchCancel* cancel) {
    using Place = GearStock::Place;
    const GearStock stock(sortedGears, request);
    const std::vector<std::int16_t>& gears = stock.walked();
    const std::size_t n = gears.size();
    const int zn = request.zn;
    const bool once = request.useOnce;
    // Gear i may stand at `place` after the gears `used` (positions in the walked list).
    const auto fits = [&](std::size_t i, Place place, std::initializer_list<std::size_t> used) {
        return stock.fitsAt(i, place) &&
               (!once || std::find(used.begin(), used.end(), i) == used.end());
    };
    // Each train by its drivers and driven gears, both ascending, packed into one number. The
    // walk meets the arrangements in ascending order of (z1, ..., z6), so the first one kept
    // is the first.
    std::unordered_map<std::uint64_t, ThreePairTrain> trains;
    for (std::size_t i1 = 0; i1 < n; ++i1) {
        if (!fits(i1, Place::First, {})) {
            continue;
        }
        const int z1 = gears[i1];
        for (std::size_t i2 = 0; i2 < n; ++i2) {
            if (cancelRequested(cancel)) {
                return std::nullopt;
            }
            if (!fits(i2, Place::Middle, {i1})) {
                continue;
            }
            const int z2 = gears[i2];
            for (std::size_t i3 = 0; i3 < n && gears[i3] + zn < z1 + z2; ++i3) {
                if (!fits(i3, Place::Middle, {i1, i2})) {
                    continue;
                }
                const int z3 = gears[i3];
                for (std::size_t i4 = 0; i4 < n; ++i4) {
                    const int z4 = gears[i4];
                    if (z2 + zn >= z3 + z4 || !fits(i4, Place::Middle, {i1, i2, i3})) {
                        continue;
                    }
                    for (std::size_t i5 = 0; i5 < n && gears[i5] + zn < z3 + z4; ++i5) {
                        if (!fits(i5, Place::Middle, {i1, i2, i3, i4})) {
                            continue;
                        }
                        const int z5 = gears[i5];
                        for (std::size_t i6 = 0; i6 < n; ++i6) {
                            const int z6 = gears[i6];
                            if (z4 + zn >= z5 + z6 ||
                                !fits(i6, Place::Last, {i1, i2, i3, i4, i5})) {
                                continue;
                            }
                            const ThreePairTrain train{gears[i1], gears[i2], gears[i3],
                                                       gears[i4], gears[i5], gears[i6]};
                            if (!request.allowRepeats && hasRepeat(train)) {
                                continue;
                            }
                            std::array<int, 6> teeth = {z1, z3, z5, z2, z4, z6};
                            std::sort(teeth.begin(), teeth.begin() + 3);
                            std::sort(teeth.begin() + 3, teeth.end());
                            std::uint64_t key = 0;
                            for (const int z : teeth) {
                                key = key << 8 | static_cast<std::uint64_t>(z);
                            }
                            trains.try_emplace(key, train);
                        }
                    }
                }
            }
        }
    }
    std::vector<ThreePairTrain> ranked;
    for (const auto& [key, train] : trains) {
        ranked.push_back(train);
    }
    const RatioTarget target(request.requiredRatio, requiredFraction);
    std::sort(ranked.begin(), ranked.end(), [&](const ThreePairTrain& x, const ThreePairTrain& y) {
        return ranksBefore(x, y, target);
    });
    const auto count = static_cast<std::size_t>(std::max(request.resultCount, 0));
    std::vector<ThreePairSlot> list;
    for (std::size_t at = 0; at < std::min(count, ranked.size()); ++at) {
        list.push_back(threePairSlot(ranked[at], target));
    }
    return list;
}

} // namespace

std::vector<ThreePairSlot> enumerateThreePairs(std::span<const std::int16_t> sortedGears,
                                               const SearchRequest& request,
                                               const std::optional<Fraction>& requiredFraction) {
    return *enumerate(sortedGears, request, requiredFraction, nullptr);
}

std::optional<std::vector<ThreePairSlot>> enumerateThreePairsUnlessCancelled(
    std::span<const std::int16_t> sortedGears, const SearchRequest& request,
    const std::optional<Fraction>& requiredFraction, const SearchCancel& cancel) {
    return enumerate(sortedGears, request, requiredFraction, &cancel);
}

} // namespace gearsel
