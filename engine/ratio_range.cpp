// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ratio_range.h"

#include "engine/number_text.h"

#include <algorithm>
#include <vector>

namespace gearsel {

std::optional<RatioRange> reachableRange(std::span<const std::int16_t> gears, bool allowRepeats) {
    if (gears.empty()) {
        return std::nullopt;
    }
    // The extremes are read from the ends of an ascending list; a stored list may be in any
    // order, so a sorted copy is used.
    std::vector<std::int16_t> sortedGears(gears.begin(), gears.end());
    std::sort(sortedGears.begin(), sortedGears.end());
    const std::size_t n = sortedGears.size();
    const double smallest = sortedGears.front();
    const double largest = sortedGears.back();
    double low = 0.0;
    if (allowRepeats) {
        const double q = smallest / largest;
        low = q * q;
    } else {
        // Next tooth count up from the smallest, and next down from the largest.
        double a2 = smallest;
        for (std::size_t p = 1; p < n; ++p) {
            if (sortedGears[p] != sortedGears.front()) {
                a2 = sortedGears[p];
                break;
            }
        }
        double b2 = largest;
        for (std::size_t p = n - 1; p-- > 0;) {
            if (sortedGears[p] != sortedGears.back()) {
                b2 = sortedGears[p];
                break;
            }
        }
        low = ((smallest / largest) * a2) / b2;
    }
    return RatioRange{low, 1.0 / low};
}

std::string rangeCaption(const RatioRange& range) {
    return formatFixed(range.low, 7) + " - " + formatFixed(range.high, 7);
}

} // namespace gearsel
