// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/pair_products.h"

#include <algorithm>
#include <cmath>

namespace gearsel {

PairProducts::PairProducts(std::span<const int> counts) : offsets_(kMaxProduct + 2, 0) {
    // A counting sort by product.
    for (const int a : counts) {
        for (const int b : counts) {
            ++offsets_[static_cast<std::size_t>(a * b) + 1];
        }
    }
    for (std::size_t p = 1; p < offsets_.size(); ++p) {
        offsets_[p] += offsets_[p - 1];
    }
    pairs_.resize(offsets_.back());
    std::vector<std::uint32_t> next(offsets_.begin(), offsets_.end() - 1);
    for (const int a : counts) {
        for (const int b : counts) {
            pairs_[next[static_cast<std::size_t>(a * b)]++] =
                Pair{static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b)};
        }
    }
}

std::span<const PairProducts::Pair> PairProducts::between(double low, double high) const {
    const double first = std::max(1.0, std::ceil(low));
    const double last = std::min(static_cast<double>(kMaxProduct), std::floor(high));
    if (!(first <= last)) {
        return {};
    }
    const std::uint32_t begin = offsets_[static_cast<std::size_t>(first)];
    const std::uint32_t end = offsets_[static_cast<std::size_t>(last) + 1];
    return std::span(pairs_).subspan(begin, end - begin);
}

} // namespace gearsel
