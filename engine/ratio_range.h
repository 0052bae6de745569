// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The range of ratios that two-pair trains of a gear set can reach.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace gearsel {

struct RatioRange {
    double low = 0.0;
    double high = 0.0;
};

// The lowest and highest ratio of the extreme two-pair trains of a gear list (in any order),
// ignoring the assembly conditions. Without repeats the two smallest distinct tooth counts
// drive and the two largest distinct ones are driven. Nothing for an empty list.
std::optional<RatioRange> reachableRange(std::span<const std::int16_t> gears, bool allowRepeats);

// "low - high", each with seven decimals: "0.0416667 - 24.0000000".
std::string rangeCaption(const RatioRange& range);

} // namespace gearsel
