// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/pair_ratio_index.h"

#include <algorithm>
#include <bit>

namespace gearsel {

namespace {

// The bit patterns of positive doubles are ordered like the values themselves, and their top
// bits grow roughly like the logarithm. Their high part therefore makes a monotone bucket key
// that spreads the ratios, which crowd around 1, more evenly than the ratio itself would.
std::uint64_t bitsOf(double positive) {
    return std::bit_cast<std::uint64_t>(positive);
}

double ratioOf(std::span<const int> values, std::size_t driver, std::size_t driven) {
    return static_cast<double>(values[driver]) / static_cast<double>(values[driven]);
}

} // namespace

PairRatioIndex::PairRatioIndex(std::span<const int> values, const PairLimits& limits) {
    const std::size_t n = values.size();
    if (n == 0) {
        return;
    }
    lowest_ = ratioOf(values, 0, n - 1);
    highest_ = ratioOf(values, n - 1, 0);
    lowestBits_ = bitsOf(lowest_);
    // About one bucket per pair: a bucket then holds a handful of pairs where ratios crowd.
    const std::uint64_t span = bitsOf(highest_) - lowestBits_;
    const std::uint64_t wanted = n * n;
    while ((span >> shift_) >= wanted) {
        ++shift_;
    }
    const std::size_t buckets = static_cast<std::size_t>(span >> shift_) + 1;

    // A counting sort by bucket: count, then fill each bucket from its end. The division is
    // cheaper than a table of keys kept between the two passes.
    // The bounds above hold for the pairs left out too: they stay a little wider then.
    bucketStart_.assign(buckets + 1, 0);
    std::size_t held = 0;
    for (std::size_t v = 0; v < n; ++v) {
        for (std::size_t w = 0; w < n; ++w) {
            if (limits.hold(values[v], values[w])) {
                ++bucketStart_[bucketOf(ratioOf(values, v, w))];
                ++held;
            }
        }
    }
    for (std::size_t b = 1; b <= buckets; ++b) {
        bucketStart_[b] += bucketStart_[b - 1];
    }
    pairs_.resize(held);
    for (std::size_t v = 0; v < n; ++v) {
        for (std::size_t w = 0; w < n; ++w) {
            if (limits.hold(values[v], values[w])) {
                pairs_[--bucketStart_[bucketOf(ratioOf(values, v, w))]] =
                    Pair{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(w)};
            }
        }
    }
}

std::size_t PairRatioIndex::bucketOf(double ratio) const {
    return static_cast<std::size_t>((bitsOf(ratio) - lowestBits_) >> shift_);
}

std::span<const PairRatioIndex::Pair> PairRatioIndex::near(double low, double high) const {
    // Written so that a NaN bound, an empty interval or one outside every ratio gives nothing.
    if (pairs_.empty() || !(low <= high) || !(low <= highest_) || !(high >= lowest_)) {
        return {};
    }
    const std::size_t first = bucketStart_[bucketOf(std::max(low, lowest_))];
    const std::size_t end = bucketStart_[bucketOf(std::min(high, highest_)) + 1];
    return std::span<const Pair>(pairs_).subspan(first, end - first);
}

} // namespace gearsel
