// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every ordered pair (a, b) of a set of tooth counts, found by the product a·b: the pairs whose
// product lies in a range come out in one step, without a search.

#include "base/tooth_limits.h"

#include <cstdint>
#include <span>
#include <vector>

namespace gearsel {

class PairProducts {
public:
    struct Pair {
        std::uint8_t a;
        std::uint8_t b;
    };
    static constexpr int kMaxProduct = kMaxTeeth * kMaxTeeth;

    // The pairs of `counts` (distinct, kMinTeeth..kMaxTeeth), both orders of each.
    explicit PairProducts(std::span<const int> counts);

    // The pairs whose product lies between `low` and `high` (reals, either beyond the
    // products there are; callers leave a margin for the rounding of the bounds).
    std::span<const Pair> between(double low, double high) const;

private:
    std::vector<std::uint32_t> offsets_; // where the pairs of each product begin, then the end
    std::vector<Pair> pairs_;
};

} // namespace gearsel
