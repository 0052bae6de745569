// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arrangements z1/z2 x z3/z4 x z5/z6 that the assembly conditions allow over the tooth
// counts a stock offers at each place (the fixed gears at the ends, the list's counts
// between), leaving aside how often a count is used: how many there are, bounds on their
// ratios, and a walk over them. Each condition links three neighbouring gears of the chain,
// so counting and bounding go along it in a few passes over pairs of tooth counts.

#include "base/tooth_limits.h"
#include "engine/gear_stock.h"
#include "engine/three_pair_train.h"

#include <array>
#include <cstdint>
#include <vector>

namespace gearsel {

class ThreePairChains {
public:
    ThreePairChains(const GearStock& stock, int zn);

    // How many arrangements the conditions allow, and their share of all arrangements of
    // the tooth counts the places offer.
    std::uint64_t count() const { return count_; }
    double share() const;
    // Bounds on their ratios, a little below the lowest and above the highest; only where
    // count() is not 0.
    double lowestRatio() const { return lowest_; }
    double highestRatio() const { return highest_; }

    // Calls visit(train) for every arrangement, in ascending order of (z1, ..., z6).
    template <class Visit> void forEach(Visit&& visit) const;

private:
    std::size_t at(std::size_t row, std::size_t column) const {
        return row * (size() + 1) + column;
    }
    std::size_t size() const { return values_.size(); }
    int value(std::size_t i) const { return values_[i]; }
    // Index of the first tooth count of at least `teeth`; size() if none.
    std::size_t firstAtLeast(int teeth) const;
    // The arrangements of z5, z6 after z3, z4, and of z4, z5, z6 after z2, z3.
    std::uint64_t tails(std::size_t i3, std::size_t i4) const;
    std::uint64_t tails3(std::size_t i2, std::size_t i3) const;
    void countChains();
    void boundRatios();

    int zn_;
    std::vector<int> values_;         // the distinct tooth counts, ascending
    std::vector<std::uint8_t> first_; // beside values_: may stand first, between, last
    std::vector<std::uint8_t> middle_;
    std::vector<std::uint8_t> last_;
    std::array<std::size_t, kMaxTeeth + 2> firstIndex_{};
    // by z4 and an end index of z5: the arrangements of z5 below that end and a z6
    std::vector<std::uint64_t> fifthRuns_;
    // by z3 and a start index of z4: the arrangements of z4 from there on, z5 and z6
    std::vector<std::uint64_t> fourthRuns_;
    std::uint64_t count_ = 0;
    double lowest_ = 0.0;
    double highest_ = 0.0;
};

template <class Visit> void ThreePairChains::forEach(Visit&& visit) const {
    const auto tooth = [&](std::size_t i) { return static_cast<std::int16_t>(value(i)); };
    for (std::size_t i1 = 0; i1 < size(); ++i1) {
        if (first_[i1] == 0) {
            continue;
        }
        for (std::size_t i2 = 0; i2 < size(); ++i2) {
            if (middle_[i2] == 0) {
                continue;
            }
            const std::size_t end3 = firstAtLeast(value(i1) + value(i2) - zn_);
            for (std::size_t i3 = 0; i3 < end3; ++i3) {
                if (tails3(i2, i3) == 0) {
                    continue;
                }
                for (std::size_t i4 = firstAtLeast(value(i2) + zn_ - value(i3) + 1); i4 < size();
                     ++i4) {
                    if (tails(i3, i4) == 0) {
                        continue;
                    }
                    const std::size_t end5 = firstAtLeast(value(i3) + value(i4) - zn_);
                    for (std::size_t i5 = 0; i5 < end5; ++i5) {
                        if (middle_[i5] == 0) {
                            continue;
                        }
                        for (std::size_t i6 = firstAtLeast(value(i4) + zn_ - value(i5) + 1);
                             i6 < size(); ++i6) {
                            if (last_[i6] != 0) {
                                visit(ThreePairTrain{tooth(i1), tooth(i2), tooth(i3), tooth(i4),
                                                     tooth(i5), tooth(i6)});
                            }
                        }
                    }
                }
            }
        }
    }
}

} // namespace gearsel
