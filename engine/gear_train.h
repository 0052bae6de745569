// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A gear train and one ranked slot of a selection result.

#include <cstdint>

namespace gearsel {

// Tooth counts of a train, in the order driver, driven, driver, driven. A single pair has
// z3 = z4 = 0, an empty result slot all four 0.
struct GearTrain {
    std::int16_t z1 = 0;
    std::int16_t z2 = 0;
    std::int16_t z3 = 0;
    std::int16_t z4 = 0;

    friend bool operator==(const GearTrain&, const GearTrain&) = default;
};

// Two of the train's four tooth counts are equal: the repeat mark "R" of a two-pair train.
constexpr bool hasRepeat(int z1, int z2, int z3, int z4) {
    return z1 == z4 || z1 == z3 || z1 == z2 || z2 == z4 || z2 == z3 || z3 == z4;
}

// The repeat mark of any train: a single pair (z3 = 0) repeats when z1 = z2.
constexpr bool hasRepeat(const GearTrain& train) {
    return train.z3 == 0 ? train.z1 == train.z2 : hasRepeat(train.z1, train.z2, train.z3, train.z4);
}

// One slot of the ranked result list. An empty slot keeps the sentinel error 1.0, which no
// train can undercut unless it is closer than 1.0 to the required ratio.
struct ResultSlot {
    GearTrain train;
    bool repeat = false;    // two of the train's tooth counts are equal ("R")
    double calcRatio = 0.0; // ((z1 / z2) x z3) / z4 as the search computed it
    double absError = 1.0;  // |calcRatio - required ratio|

    // A slot is filled exactly when its first tooth count is at least 1.
    bool filled() const { return train.z1 >= 1; }
    friend bool operator==(const ResultSlot&, const ResultSlot&) = default;
};

} // namespace gearsel
