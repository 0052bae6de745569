// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The gears of a set that can serve as the idler of a single pair: every tooth count with the
// number of its copies, so that a gear the pair already uses is not taken a second time.

#include "base/tooth_limits.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace gearsel {

class IdlerStock {
public:
    // Throws std::invalid_argument for a tooth count outside kMinTeeth..kMaxTeeth.
    explicit IdlerStock(std::span<const std::int16_t> gears);

    // The smallest tooth count in [low, high] of which the set holds a copy that the pair z1/z2
    // does not use, or nothing. Takes at most three steps, whatever the bounds.
    std::optional<int> smallestFree(int low, int high, int z1, int z2) const noexcept;

private:
    // copies_[z]: the gears of z teeth in the set.
    std::array<int, kMaxTeeth + 2> copies_{};
    // next_[z]: the smallest tooth count >= z in the set, kMaxTeeth + 1 when there is none.
    std::array<int, kMaxTeeth + 2> next_{};
};

} // namespace gearsel
