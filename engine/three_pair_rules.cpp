// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/three_pair_rules.h"

namespace gearsel {

namespace {

// The other two places of a triple once one is taken, in ascending order.
constexpr int kRest[3][2] = {{1, 2}, {0, 2}, {0, 1}};

} // namespace

std::optional<ThreePairTrain> firstArrangement(const std::array<int, 3>& drivers,
                                               const std::array<int, 3>& driven, int zn,
                                               const std::optional<int>& firstDriver,
                                               const std::optional<int>& lastDriven) {
    // Depth first in the order of (z1, ..., z6): equal tooth counts are tried once at each
    // place, so the first arrangement found is the first of all.
    for (int a = 0; a < 3; ++a) {
        const int z1 = drivers[a];
        if ((a > 0 && z1 == drivers[a - 1]) || (firstDriver && z1 != *firstDriver)) {
            continue;
        }
        for (int b = 0; b < 3; ++b) {
            const int z2 = driven[b];
            if (b > 0 && z2 == driven[b - 1]) {
                continue;
            }
            for (const int c : kRest[a]) {
                const int z3 = drivers[c];
                const int z5 = drivers[kRest[a][0] + kRest[a][1] - c];
                if (c == kRest[a][1] && z3 == drivers[kRest[a][0]]) {
                    continue;
                }
                for (const int d : kRest[b]) {
                    const int z4 = driven[d];
                    const int z6 = driven[kRest[b][0] + kRest[b][1] - d];
                    if (d == kRest[b][1] && z4 == driven[kRest[b][0]]) {
                        continue;
                    }
                    if ((!lastDriven || z6 == *lastDriven) &&
                        assemblesThreePair(z1, z2, z3, z4, z5, z6, zn)) {
                        const auto tooth = [](int z) { return static_cast<std::int16_t>(z); };
                        return ThreePairTrain{tooth(z1), tooth(z2), tooth(z3),
                                              tooth(z4), tooth(z5), tooth(z6)};
                    }
                }
            }
        }
    }
    return std::nullopt;
}

bool ranksBefore(const ThreePairTrain& x, const ThreePairTrain& y, const RatioTarget& target) {
    const int order = target.compareErrors(driverProduct(x), drivenProduct(x), driverProduct(y),
                                           drivenProduct(y));
    return order != 0 ? order < 0 : x < y;
}

ThreePairSlot threePairSlot(const ThreePairTrain& train, const RatioTarget& target) {
    const std::uint32_t p = driverProduct(train);
    const std::uint32_t q = drivenProduct(train);
    return ThreePairSlot{train, hasRepeat(train), static_cast<double>(p) / static_cast<double>(q),
                         target.absError(p, q)};
}

} // namespace gearsel
