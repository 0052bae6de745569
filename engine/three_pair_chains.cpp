// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/three_pair_chains.h"

#include <algorithm>
#include <limits>

namespace gearsel {

namespace {

// How far the ratio bounds are moved out: far beyond the few roundings of their products.
constexpr double kWidening = 1e-9;

} // namespace

ThreePairChains::ThreePairChains(const GearStock& stock, int zn) : zn_(zn) {
    using Place = GearStock::Place;
    for (const std::int16_t teeth : stock.walked()) {
        if (values_.empty() || values_.back() != teeth) {
            values_.push_back(teeth);
            first_.push_back(stock.copiesAt(Place::First, teeth) > 0 ? 1 : 0);
            middle_.push_back(stock.copiesAt(Place::Middle, teeth) > 0 ? 1 : 0);
            last_.push_back(stock.copiesAt(Place::Last, teeth) > 0 ? 1 : 0);
        }
    }
    for (int teeth = 0, i = 0; teeth <= kMaxTeeth + 1; ++teeth) {
        while (i < static_cast<int>(size()) && values_[static_cast<std::size_t>(i)] < teeth) {
            ++i;
        }
        firstIndex_[static_cast<std::size_t>(teeth)] = static_cast<std::size_t>(i);
    }
    countChains();
    if (count_ > 0) {
        boundRatios();
    }
}

double ThreePairChains::share() const {
    const auto offered = [](const std::vector<std::uint8_t>& place) {
        return static_cast<double>(std::count(place.begin(), place.end(), 1));
    };
    const double middle = offered(middle_);
    const double all = offered(first_) * middle * middle * middle * middle * offered(last_);
    return all > 0.0 ? static_cast<double>(count_) / all : 0.0;
}

std::size_t ThreePairChains::firstAtLeast(int teeth) const {
    return firstIndex_[static_cast<std::size_t>(std::clamp(teeth, 0, kMaxTeeth + 1))];
}

std::uint64_t ThreePairChains::tails(std::size_t i3, std::size_t i4) const {
    if (middle_[i3] == 0 || middle_[i4] == 0) {
        return 0;
    }
    // z5 + zn < z3 + z4.
    return fifthRuns_[at(i4, firstAtLeast(value(i3) + value(i4) - zn_))];
}

std::uint64_t ThreePairChains::tails3(std::size_t i2, std::size_t i3) const {
    if (middle_[i2] == 0 || middle_[i3] == 0) {
        return 0;
    }
    // z2 + zn < z3 + z4.
    return fourthRuns_[at(i3, firstAtLeast(value(i2) + zn_ - value(i3) + 1))];
}

void ThreePairChains::countChains() {
    const std::size_t n = size();
    // lastAbove[i]: the last gears from index i on.
    std::vector<std::uint64_t> lastFrom(n + 1, 0);
    for (std::size_t i = n; i-- > 0;) {
        lastFrom[i] = lastFrom[i + 1] + last_[i];
    }
    // z4 + zn < z5 + z6: the z6 after z4 and z5, summed over z5 below each end index.
    fifthRuns_.assign(n * (n + 1), 0);
    for (std::size_t i4 = 0; i4 < n; ++i4) {
        for (std::size_t i5 = 0; i5 < n; ++i5) {
            const std::uint64_t z6 =
                middle_[i5] != 0 ? lastFrom[firstAtLeast(value(i4) + zn_ - value(i5) + 1)] : 0;
            fifthRuns_[at(i4, i5 + 1)] = fifthRuns_[at(i4, i5)] + z6;
        }
    }
    // The tails of z3, z4 summed over z4 from each start index.
    fourthRuns_.assign(n * (n + 1), 0);
    for (std::size_t i3 = 0; i3 < n; ++i3) {
        for (std::size_t i4 = n; i4-- > 0;) {
            fourthRuns_[at(i3, i4)] = fourthRuns_[at(i3, i4 + 1)] + tails(i3, i4);
        }
    }
    // z3 + zn < z1 + z2.
    for (std::size_t i2 = 0; i2 < n; ++i2) {
        std::vector<std::uint64_t> below(n + 1, 0); // the tails of z2, z3 for z3 below an index
        for (std::size_t i3 = 0; i3 < n; ++i3) {
            below[i3 + 1] = below[i3] + tails3(i2, i3);
        }
        for (std::size_t i1 = 0; i1 < n; ++i1) {
            if (first_[i1] != 0) {
                count_ += below[firstAtLeast(value(i1) + value(i2) - zn_)];
            }
        }
    }
}

void ThreePairChains::boundRatios() {
    const std::size_t n = size();
    constexpr double kNone = std::numeric_limits<double>::infinity();
    const auto lastIndexes = [&] {
        std::vector<std::size_t> indexes;
        for (std::size_t i = 0; i < n; ++i) {
            if (last_[i] != 0) {
                indexes.push_back(i);
            }
        }
        return indexes;
    }();
    // The lowest and highest z5 / z6 after z3, z4: the fewest and the most teeth z5 may have
    // with a z6 beyond z4 + zn - z5; for the lowest, z6 the largest last gear, for the highest
    // the smallest one that fits.
    const int largestLast = value(lastIndexes.back());
    std::vector<double> lowTail(n * n, kNone);
    std::vector<double> highTail(n * n, -kNone);
    for (std::size_t i3 = 0; i3 < n; ++i3) {
        for (std::size_t i4 = 0; i4 < n; ++i4) {
            if (tails(i3, i4) == 0) {
                continue;
            }
            const std::size_t end5 = firstAtLeast(value(i3) + value(i4) - zn_);
            std::size_t low5 = firstAtLeast(value(i4) + zn_ - largestLast + 1);
            while (middle_[low5] == 0) {
                ++low5; // a z5 exists, as tails() counted one
            }
            lowTail[i3 * n + i4] = static_cast<double>(value(low5)) / largestLast;
            std::size_t high5 = end5 - 1;
            while (middle_[high5] == 0) {
                --high5;
            }
            std::size_t i6 = firstAtLeast(value(i4) + zn_ - value(high5) + 1);
            while (last_[i6] == 0) {
                ++i6;
            }
            highTail[i3 * n + i4] = static_cast<double>(value(high5)) / value(i6);
        }
    }
    // Then over z4 for each z2, z3, and over z1 for each z2, z3 with tails.
    double lowest = kNone;
    double highest = 0.0;
    std::size_t smallestFirst = n;
    std::size_t largestFirst = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (first_[i] != 0) {
            smallestFirst = std::min(smallestFirst, i);
            largestFirst = i;
        }
    }
    for (std::size_t i2 = 0; i2 < n; ++i2) {
        for (std::size_t i3 = 0; i3 < n; ++i3) {
            if (tails3(i2, i3) == 0 || value(largestFirst) + value(i2) - zn_ <= value(i3)) {
                continue;
            }
            double low = kNone;
            double high = -kNone;
            for (std::size_t i4 = firstAtLeast(value(i2) + zn_ - value(i3) + 1); i4 < n; ++i4) {
                low = std::min(low, lowTail[i3 * n + i4] / value(i4));
                high = std::max(high, highTail[i3 * n + i4] / value(i4));
            }
            std::size_t low1 =
                std::max(smallestFirst, firstAtLeast(value(i3) + zn_ - value(i2) + 1));
            while (first_[low1] == 0) {
                ++low1;
            }
            const double third = static_cast<double>(value(i3)) / value(i2);
            lowest = std::min(lowest, value(low1) * third * low);
            highest = std::max(highest, value(largestFirst) * third * high);
        }
    }
    lowest_ = lowest * (1.0 - kWidening);
    highest_ = highest * (1.0 + kWidening);
}

} // namespace gearsel
