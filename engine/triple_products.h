// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The groups of three tooth counts that the drivers (or the driven gears) of a three-pair
// train can be, found by their product: a train's ratio depends on nothing else, so the
// search pairs products instead of trains.

#include "base/tooth_limits.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace gearsel {

class TripleProducts {
public:
    // Three tooth counts a <= b <= c and their product.
    struct Triple {
        std::uint32_t product;
        std::uint8_t a;
        std::uint8_t b;
        std::uint8_t c;
    };

    // Every triple of `counts` (ascending, distinct, kMinTeeth..kMaxTeeth) in which each count
    // t occurs at most limits[t] times, at most once with `distinct`, which holds `required`
    // where that is given, and which `keep`(a, b, c) keeps.
    TripleProducts(std::span<const int> counts, const std::array<int, kMaxTeeth + 1>& limits,
                   const std::optional<int>& required, bool distinct,
                   const std::function<bool(int, int, int)>& keep);

    // The distinct products, ascending, and the triples of each, ascending in (a, b, c).
    std::size_t size() const { return values_.size(); }
    std::uint32_t value(std::size_t at) const { return values_[at]; }
    std::span<const Triple> triples(std::size_t at) const {
        return std::span(triples_).subspan(starts_[at], starts_[at + 1] - starts_[at]);
    }

private:
    std::vector<Triple> triples_;
    std::vector<std::uint32_t> values_;
    std::vector<std::uint32_t> starts_; // where each product's triples begin, then the end
};

} // namespace gearsel
