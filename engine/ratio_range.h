// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The range of ratios that two-pair (or three-pair) trains of a gear set can reach.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace gearsel {

struct RatioRange {
    double low = 0.0;
    double high = 0.0;
};

// The lowest and highest ratio of the extreme trains of `pairs` pairs (2 or 3) of a gear list
// (in any order), ignoring the assembly conditions. Without repeats the `pairs` smallest
// distinct tooth counts drive and the `pairs` largest distinct ones are driven (the last of
// them again where there are fewer). Nothing for an empty list.
std::optional<RatioRange> reachableRange(std::span<const std::int16_t> gears, bool allowRepeats,
                                         int pairs = 2);

// "low - high", each with seven decimals: "0.0416667 - 24.0000000".
std::string rangeCaption(const RatioRange& range);

} // namespace gearsel
