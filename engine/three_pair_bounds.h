// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the assembly conditions leave for the other side of a three-pair train once one side
// is known: for three driven gears, the least and the most the product of the drivers can
// be, and the reverse. The bounds take each condition on its own, so they may let through
// a product no train has, never leave out one that a train has. A side that no arrangement
// can complete has no bounds at all.

#include "base/tooth_limits.h"
#include "engine/gear_stock.h"

#include <array>
#include <cstdint>
#include <optional>

namespace gearsel {

class ThreePairBounds {
public:
    ThreePairBounds(const GearStock& stock, int zn);

    struct Range {
        std::uint32_t low;
        std::uint32_t high;
    };

    // The products of the drivers that can go with the driven gears a <= b <= c.
    std::optional<Range> driversFor(int a, int b, int c) const;
    // The products of the driven gears that can go with the drivers a <= b <= c.
    std::optional<Range> drivenFor(int a, int b, int c) const;

private:
    // The smallest tooth count of a kind that is at least `teeth`, or 0; the largest that is
    // at most `teeth`, or 0.
    using Table = std::array<int, kMaxTeeth + 2>;
    static int atLeast(const Table& next, int teeth);
    static int atMost(const Table& previous, int teeth);
    // The drivers' bounds for the driven gears in the order z2, z4, z6, and the driven gears'
    // for the drivers in the order z1, z3, z5.
    std::optional<Range> driversForOrder(int z2, int z4, int z6) const;
    std::optional<Range> drivenForOrder(int z1, int z3, int z5) const;

    int zn_;
    // For each kind of place (first, between, last): the next count at or above each tooth
    // count, and the previous at or below it.
    Table nextFirst_{}, nextMiddle_{}, nextLast_{};
    Table previousFirst_{}, previousMiddle_{}, previousLast_{};
};

} // namespace gearsel
