// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ratio_range.h"

#include "engine/number_text.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace gearsel {

std::optional<RatioRange> reachableRange(std::span<const std::int16_t> gears, bool allowRepeats,
                                         int pairs) {
    if (gears.empty()) {
        return std::nullopt;
    }
    // The extremes are read from the ends of an ascending list; a stored list may be in any
    // order, so a sorted copy is used.
    std::vector<std::int16_t> sortedGears(gears.begin(), gears.end());
    std::sort(sortedGears.begin(), sortedGears.end());
    const double smallest = sortedGears.front();
    const double largest = sortedGears.back();
    const double q = smallest / largest;
    double low = q;
    // Without repeats: the next tooth count up from the drivers so far, and the next down
    // from the driven gears.
    auto driver = sortedGears.begin();
    auto driven = sortedGears.rbegin();
    for (int pair = 1; pair < pairs; ++pair) {
        if (allowRepeats) {
            low *= q;
            continue;
        }
        const auto up = std::upper_bound(driver, sortedGears.end(), *driver);
        driver = up != sortedGears.end() ? up : driver;
        const auto down = std::upper_bound(driven, sortedGears.rend(), *driven, std::greater<>());
        driven = down != sortedGears.rend() ? down : driven;
        low = (low * static_cast<double>(*driver)) / static_cast<double>(*driven);
    }
    // With two distinct counts and three pairs the drivers would outweigh the driven gears;
    // no train without repeats exists there, and the range shrinks to 1 as with two pairs.
    low = std::min(low, 1.0);
    return RatioRange{low, 1.0 / low};
}

std::string rangeCaption(const RatioRange& range) {
    return formatFixed(range.low, 7) + " - " + formatFixed(range.high, 7);
}

} // namespace gearsel
