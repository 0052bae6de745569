// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every ordered pair of distinct tooth counts, grouped by the pair's ratio, so that the pairs
// whose ratio lies in a narrow interval are found without scanning or sorting all of them.

#include "base/tooth_limits.h"

#include <cstdint>
#include <span>
#include <vector>

namespace gearsel {

// Which pairs the index holds: those whose two tooth counts add up to minSum..maxSum and
// neither of which exceeds maxTeeth; every pair by default.
struct PairLimits {
    int minSum = 0;
    int maxSum = 2 * kMaxTeeth;
    int maxTeeth = kMaxTeeth;

    bool hold(int driver, int driven) const {
        return driver + driven >= minSum && driver + driven <= maxSum && driver <= maxTeeth &&
               driven <= maxTeeth;
    }
};

// The pairs (driver, driven) of an ascending list of distinct tooth counts, in buckets by the
// ratio values[driver] / values[driven].
class PairRatioIndex {
public:
    // One pair: positions of the driving and the driven gear in the list of distinct counts.
    struct Pair {
        std::uint8_t driver;
        std::uint8_t driven;
    };

    // Indexes every pair of `values` (ascending, distinct, positive, at most 256 of them) that
    // `limits` hold.
    explicit PairRatioIndex(std::span<const int> values, const PairLimits& limits = {});

    // The pairs of every bucket that meets [low, high]: all pairs whose ratio, rounded to
    // double, lies in the interval, and a few beside it. Empty when no ratio can lie in it.
    std::span<const Pair> near(double low, double high) const;

    // Number of pairs indexed.
    std::size_t size() const { return pairs_.size(); }

private:
    std::size_t bucketOf(double ratio) const;

    std::vector<Pair> pairs_;                // ordered by bucket, unordered within one
    std::vector<std::uint32_t> bucketStart_; // first pair of each bucket, then the end
    double lowest_ = 0.0;                    // smallest and largest ratio indexed
    double highest_ = 0.0;
    std::uint64_t lowestBits_ = 0;
    int shift_ = 0;
};

} // namespace gearsel
