// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/exact_train_finder.h"

#include "base/tooth_limits.h"
#include "engine/gear_train.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

// Why the trains that meet the ratio exactly decide the answer alone, and which one it is.
//
// - Trains are made of counts up to M, so every train's ratio is P/Q with Q at most M^2, and
//   a train that misses the fraction p/q misses it by at least 1/(M^2 q). The computed ratio
//   of an exact train lies within a few units in the last place of the ratio. Where 1/(M^2 q)
//   exceeds a 2^-30 share of the ratio, every exact train therefore comes before every other
//   train in the search's list, and no other train ties with them.
// - Then the search's first train is exact and bestTrain() picks among the exact trains: a
//   single pair before any train of two pairs (fewer gears), and among two-pair trains those
//   of four distinct counts before those with a repeated count.
// - Every exact single pair has the computed error 0 (z1/z2 rounds as p/q does), so the list
//   holds them in walk order and bestTrain() takes the first one the walk meets: by z1, then
//   z2.
// - Of the two-pair trains of four distinct counts, take the first the walk meets (by z1, z2,
//   z3, z4). Where its computed error is 0, both the search's list and the narrower list
//   without repeats hold it before every other such train: each of those is offered later
//   with an error of at least 0, so it goes behind it or is refused as its rearrangement, and
//   only trains with repeats can stand before it. So it is the answer. Where its computed
//   error is not 0, a later train of smaller error may come first, or be refused for a
//   rearrangement listed before it; the search decides that.
// - Rows met exactly by trains with a repeated count alone, rows met by none, rows whose first
//   such train has a computed error and rows whose fraction is too fine are left to the search.

namespace gearsel {

namespace {

// A common divisor of two tooth counts is at most the smaller count: one byte holds it.
static_assert(kMaxTeeth <= 255);

// The share of the ratio that the gap between exact and other trains must exceed.
constexpr double kGapShare = 0x1p-30;

} // namespace

ExactTrainFinder::ExactTrainFinder(std::span<const int> values, const SearchRequest& setup,
                                   const GearStock& stock, const FitRule& fit)
    : values_(values.begin(), values.end()), setup_(setup), stock_(stock), fit_(fit),
      largest_(values.empty() ? 0 : values.back()) {
    const std::size_t width = static_cast<std::size_t>(largest_) + 1;
    // Greatest common divisors up to the largest count, each from one found before it:
    // gcd(a, b) = gcd(a - b, b) = gcd(a, b - a).
    gcd_.assign(width * width, 0);
    for (std::size_t a = 0; a < width; ++a) {
        for (std::size_t b = 0; b < width; ++b) {
            gcd_[a * width + b] = static_cast<std::uint8_t>(a == 0             ? b
                                                            : b == 0 || a == b ? a
                                                            : a > b ? gcd_[(a - b) * width + b]
                                                                    : gcd_[a * width + b - a]);
        }
    }
    std::vector<std::uint32_t> keys;
    keys.reserve(values_.size() * values_.size());
    groupStart_.assign(width * width + 1, 0);
    for (const int z1 : values_) {
        for (const int z2 : values_) {
            const int g = gcdOf(z1, z2);
            const std::size_t key =
                static_cast<std::size_t>(z1 / g) * width + static_cast<std::size_t>(z2 / g);
            keys.push_back(static_cast<std::uint32_t>(key));
            ++groupStart_[key + 1];
        }
    }
    std::partial_sum(groupStart_.begin(), groupStart_.end(), groupStart_.begin());
    // Filled in the order z1, then z2: each group keeps the walk's order.
    std::vector<std::uint32_t> next(groupStart_.begin(), groupStart_.end() - 1);
    pairs_.resize(2 * keys.size());
    std::size_t at = 0;
    for (const int z1 : values_) {
        for (const int z2 : values_) {
            const std::uint32_t slot = next[keys[at++]]++;
            pairs_[2 * slot] = static_cast<std::int16_t>(z1);
            pairs_[2 * slot + 1] = static_cast<std::int16_t>(z2);
        }
    }
}

std::span<const std::int16_t> ExactTrainFinder::pairsOf(std::int64_t num, std::int64_t den) const {
    if (num < 1 || den < 1 || num > largest_ || den > largest_) {
        return {};
    }
    const std::size_t key =
        static_cast<std::size_t>(num) * (static_cast<std::size_t>(largest_) + 1) +
        static_cast<std::size_t>(den);
    const std::uint32_t from = groupStart_[key];
    const std::uint32_t to = groupStart_[key + 1];
    return std::span<const std::int16_t>(pairs_).subspan(2 * from, 2 * (to - from));
}

std::optional<BestTrain> ExactTrainFinder::find(double ratio, const Fraction& required) const {
    const std::int64_t p = required.num();
    const std::int64_t q = required.den();
    // The fraction's own double, and no train has a numerator or denominator beyond M^2.
    const double squared = static_cast<double>(largest_) * largest_;
    if (p < 1 || ratio != required.toDouble() || static_cast<double>(p) > squared ||
        static_cast<double>(q) > squared ||
        !(1.0 / (squared * static_cast<double>(q)) > ratio * kGapShare)) {
        return std::nullopt;
    }
    std::optional<ResultSlot> found;
    if (setup_.includeSinglePairs) {
        found = singlePair(required);
    }
    if (!found) {
        found = distinctTrain(ratio, required);
    }
    if (!found) {
        return std::nullopt;
    }
    return BestTrain{*found, true};
}

std::optional<ResultSlot> ExactTrainFinder::singlePair(const Fraction& required) const {
    const std::span<const std::int16_t> pairs = pairsOf(required.num(), required.den());
    for (std::size_t at = 0; at < pairs.size(); at += 2) {
        const int z1 = pairs[at];
        const int z2 = pairs[at + 1];
        if ((setup_.allowRepeats || z1 != z2) && stock_.admitsSinglePair(z1, z2) &&
            fit_.admits(z1, z2)) {
            const double x = static_cast<double>(z1) / static_cast<double>(z2);
            return ResultSlot{GearTrain{pairs[at], pairs[at + 1], 0, 0}, z1 == z2, x, 0.0};
        }
    }
    return std::nullopt;
}

std::optional<ResultSlot> ExactTrainFinder::distinctTrain(double ratio,
                                                          const Fraction& required) const {
    const int zn = setup_.zn;
    const int smallest = values_.empty() ? 0 : values_.front();
    const std::int64_t p = required.num();
    const std::int64_t q = required.den();
    for (const int z1 : values_) {
        if (stock_.copiesAt(GearStock::Place::First, z1) == 0) {
            continue;
        }
        const double z1d = static_cast<double>(z1);
        for (const int z2 : values_) {
            // First assembly condition: some z3 below z1 + z2 - Zn.
            if (z2 == z1 || smallest + zn >= z1 + z2) {
                continue;
            }
            // The second pair's ratio: (p z2) / (q z1) in lowest terms, from z1/z2 = a/b in
            // lowest terms as (p / gcd(p, a)) (b / gcd(q, b)) / ((q / gcd(q, b)) (a / gcd(p, a))).
            const int g = gcdOf(z1, z2);
            const int a = z1 / g;
            const int b = z2 / g;
            const int pa = gcdOf(a, static_cast<int>(p % a));
            const int qb = gcdOf(b, static_cast<int>(q % b));
            const std::span<const std::int16_t> seconds =
                pairsOf(p / pa * (b / qb), q / qb * (a / pa));
            if (seconds.empty()) {
                continue;
            }
            const double x = z1d / static_cast<double>(z2);
            for (std::size_t at = 0; at < seconds.size(); at += 2) {
                const int z3 = seconds[at];
                const int z4 = seconds[at + 1];
                if (hasRepeat(z1, z2, z3, z4) || z3 + zn >= z1 + z2 || z3 + z4 <= z2 + zn) {
                    continue;
                }
                if (!fit_.admits(z1, z2, z3, z4) || !stock_.admitsTwoPair(z1, z2, z3, z4)) {
                    continue;
                }
                const double trainRatio = static_cast<double>(z3) * x / static_cast<double>(z4);
                if (trainRatio != ratio) {
                    return std::nullopt;
                }
                return ResultSlot{GearTrain{static_cast<std::int16_t>(z1),
                                            static_cast<std::int16_t>(z2), seconds[at],
                                            seconds[at + 1]},
                                  false, trainRatio, 0.0};
            }
        }
    }
    return std::nullopt;
}

} // namespace gearsel
