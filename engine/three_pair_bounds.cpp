// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/three_pair_bounds.h"

#include <algorithm>

namespace gearsel {

namespace {

// The bounds of all orders of three gears a <= b <= c over three places together: from the
// least low to the largest high of the orders that have bounds.
template <class Order>
std::optional<ThreePairBounds::Range> overOrders(int a, int b, int c, Order bound) {
    std::optional<ThreePairBounds::Range> range;
    std::array<int, 3> order = {a, b, c};
    do {
        if (const auto own = bound(order[0], order[1], order[2])) {
            range = range ? ThreePairBounds::Range{std::min(range->low, own->low),
                                                   std::max(range->high, own->high)}
                          : *own;
        }
    } while (std::next_permutation(order.begin(), order.end()));
    return range;
}

std::uint32_t product(int x, int y, int z) {
    return static_cast<std::uint32_t>(x) * static_cast<std::uint32_t>(y) *
           static_cast<std::uint32_t>(z);
}

} // namespace

ThreePairBounds::ThreePairBounds(const GearStock& stock, int zn) : zn_(zn) {
    using Place = GearStock::Place;
    const auto fill = [&](Place place, Table& next, Table& previous) {
        int seen = 0;
        for (int teeth = 0; teeth <= kMaxTeeth + 1; ++teeth) {
            if (teeth >= kMinTeeth && teeth <= kMaxTeeth && stock.copiesAt(place, teeth) > 0) {
                seen = teeth;
            }
            previous[static_cast<std::size_t>(teeth)] = seen;
        }
        seen = 0;
        for (int teeth = kMaxTeeth + 1; teeth-- > 0;) {
            if (teeth >= kMinTeeth && stock.copiesAt(place, teeth) > 0) {
                seen = teeth;
            }
            next[static_cast<std::size_t>(teeth)] = seen;
        }
        next[kMaxTeeth + 1] = 0;
    };
    fill(Place::First, nextFirst_, previousFirst_);
    fill(Place::Middle, nextMiddle_, previousMiddle_);
    fill(Place::Last, nextLast_, previousLast_);
}

int ThreePairBounds::atLeast(const Table& next, int teeth) {
    return next[static_cast<std::size_t>(std::clamp(teeth, 0, kMaxTeeth + 1))];
}

int ThreePairBounds::atMost(const Table& previous, int teeth) {
    return teeth < 0 ? 0 : previous[static_cast<std::size_t>(std::min(teeth, kMaxTeeth + 1))];
}

std::optional<ThreePairBounds::Range> ThreePairBounds::driversForOrder(int z2, int z4,
                                                                       int z6) const {
    const auto is = [](const Table& next, int teeth) { return atLeast(next, teeth) == teeth; };
    if (!is(nextMiddle_, z2) || !is(nextMiddle_, z4) || !is(nextLast_, z6)) {
        return std::nullopt;
    }
    // Least: z5 > z4 + zn - z6, z3 > z2 + zn - z4 and z3 > z5 + zn - z4, z1 > z3 + zn - z2.
    const int low5 = atLeast(nextMiddle_, z4 + zn_ - z6 + 1);
    const int low3 =
        low5 == 0 ? 0 : atLeast(nextMiddle_, std::max(z2 + zn_ - z4, low5 + zn_ - z4) + 1);
    const int low1 = low3 == 0 ? 0 : atLeast(nextFirst_, low3 + zn_ - z2 + 1);
    // Most: the largest first driver, z3 < z1 + z2 - zn, z5 < z3 + z4 - zn.
    const int high1 = atMost(previousFirst_, kMaxTeeth);
    const int high3 = atMost(previousMiddle_, high1 + z2 - zn_ - 1);
    const int high5 = atMost(previousMiddle_, high3 + z4 - zn_ - 1);
    if (low1 == 0 || high3 < low3 || high5 < low5) {
        return std::nullopt;
    }
    return Range{product(low1, low3, low5), product(high1, high3, high5)};
}

std::optional<ThreePairBounds::Range> ThreePairBounds::drivenForOrder(int z1, int z3,
                                                                      int z5) const {
    const auto is = [](const Table& next, int teeth) { return atLeast(next, teeth) == teeth; };
    if (!is(nextFirst_, z1) || !is(nextMiddle_, z3) || !is(nextMiddle_, z5)) {
        return std::nullopt;
    }
    // Least: z2 > z3 + zn - z1, z4 > z2 + zn - z3 and z4 > z5 + zn - z3, z6 > z4 + zn - z5.
    const int low2 = atLeast(nextMiddle_, z3 + zn_ - z1 + 1);
    const int low4 = low2 == 0 ? 0 : atLeast(nextMiddle_, std::max(low2, z5) + zn_ - z3 + 1);
    const int low6 = low4 == 0 ? 0 : atLeast(nextLast_, low4 + zn_ - z5 + 1);
    // Most: the largest z4 and z6, z2 < z3 + z4 - zn.
    const int high4 = atMost(previousMiddle_, kMaxTeeth);
    const int high2 = atMost(previousMiddle_, z3 + high4 - zn_ - 1);
    const int high6 = atMost(previousLast_, kMaxTeeth);
    if (low6 == 0 || high2 < low2) {
        return std::nullopt;
    }
    return Range{product(low2, low4, low6), product(high2, high4, high6)};
}

std::optional<ThreePairBounds::Range> ThreePairBounds::driversFor(int a, int b, int c) const {
    return overOrders(a, b, c, [&](int z2, int z4, int z6) { return driversForOrder(z2, z4, z6); });
}

std::optional<ThreePairBounds::Range> ThreePairBounds::drivenFor(int a, int b, int c) const {
    return overOrders(a, b, c, [&](int z1, int z3, int z5) { return drivenForOrder(z1, z3, z5); });
}

} // namespace gearsel
