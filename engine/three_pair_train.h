// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A train of three pairs, z1/z2 x z3/z4 x z5/z6, and one row of a three-pair result list.

#include <cstdint>

namespace gearsel {

// Tooth counts in the order of the train: z1 drives z2 on the first stud, z3 on that stud
// drives z4 on the second stud, z5 on that stud drives z6.
struct ThreePairTrain {
    std::int16_t z1 = 0;
    std::int16_t z2 = 0;
    std::int16_t z3 = 0;
    std::int16_t z4 = 0;
    std::int16_t z5 = 0;
    std::int16_t z6 = 0;

    friend bool operator==(const ThreePairTrain&, const ThreePairTrain&) = default;
    friend auto operator<=>(const ThreePairTrain&, const ThreePairTrain&) = default;
};

// Two of the train's six tooth counts are equal: the repeat mark "R".
constexpr bool hasRepeat(const ThreePairTrain& t) {
    const int z[] = {t.z1, t.z2, t.z3, t.z4, t.z5, t.z6};
    for (int i = 0; i < 6; ++i) {
        for (int j = i + 1; j < 6; ++j) {
            if (z[i] == z[j]) {
                return true;
            }
        }
    }
    return false;
}

// The products of the drivers' and of the driven gears' tooth counts: the ratio is P/Q.
constexpr std::uint32_t driverProduct(const ThreePairTrain& t) {
    return static_cast<std::uint32_t>(t.z1) * static_cast<std::uint32_t>(t.z3) *
           static_cast<std::uint32_t>(t.z5);
}
constexpr std::uint32_t drivenProduct(const ThreePairTrain& t) {
    return static_cast<std::uint32_t>(t.z2) * static_cast<std::uint32_t>(t.z4) *
           static_cast<std::uint32_t>(t.z6);
}

// One listed three-pair train.
struct ThreePairSlot {
    ThreePairTrain train;
    bool repeat = false;    // two of its tooth counts are equal ("R")
    double calcRatio = 0.0; // P/Q, rounded once
    double absError = 0.0;  // |P/Q - required ratio|, within a unit in the last place

    friend bool operator==(const ThreePairSlot&, const ThreePairSlot&) = default;
};

} // namespace gearsel
