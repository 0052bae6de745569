// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The train a chart row stands for when trains of the set meet its ratio exactly, found
// through the set's pairs grouped by their ratio in lowest terms, without looking at any
// train that misses the ratio.

#include "engine/best_train.h"
#include "engine/fit_rule.h"
#include "engine/fraction.h"
#include "engine/gear_stock.h"
#include "engine/search_request.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace gearsel {

class ExactTrainFinder {
public:
    // `values`: the distinct tooth counts the walk meets, ascending. `stock` and `fit` must
    // outlive the finder.
    ExactTrainFinder(std::span<const int> values, const SearchRequest& setup,
                     const GearStock& stock, const FitRule& fit);

    // What bestTrain() answers for the setup with the required ratio `ratio`, the double
    // nearest to `required`, where a single pair or a train of four distinct tooth counts
    // meets `required` exactly; nothing where the answer is left to a search (no such train,
    // the first such train's computed ratio is not `ratio` itself, or a fraction so fine that
    // trains which miss it could come as close in doubles).
    std::optional<BestTrain> find(double ratio, const Fraction& required) const;

private:
    // The pairs z1/z2 of ratio num/den in lowest terms, by z1, then z2.
    std::span<const std::int16_t> pairsOf(std::int64_t num, std::int64_t den) const;
    // The greatest common divisor of two numbers from 0 to the largest count.
    int gcdOf(int a, int b) const {
        return gcd_[static_cast<std::size_t>(a) * (static_cast<std::size_t>(largest_) + 1) +
                    static_cast<std::size_t>(b)];
    }
    // The first exact single pair of the walk.
    std::optional<ResultSlot> singlePair(const Fraction& required) const;
    // The first exact train of four distinct counts of the walk, where its computed error is 0.
    std::optional<ResultSlot> distinctTrain(double ratio, const Fraction& required) const;

    std::vector<int> values_;
    SearchRequest setup_;
    const GearStock& stock_;
    const FitRule& fit_;
    int largest_ = 0;
    // Every ordered pair of counts (z1, z2 beside each other), grouped by the ratio in lowest
    // terms num/den; its group lies from groupStart_[num * (largest_ + 1) + den] to the next.
    std::vector<std::int16_t> pairs_;
    std::vector<std::uint32_t> groupStart_;
    std::vector<std::uint8_t> gcd_; // gcd(a, b) at a * (largest_ + 1) + b
};

} // namespace gearsel
