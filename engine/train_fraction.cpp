// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/train_fraction.h"

#include <utility>

namespace gearsel {

namespace {

__extension__ typedef __int128 Int128;

// A train's ratio as top/bottom, not reduced: both below 2^30.
std::pair<Int128, Int128> trainTerms(const GearTrain& train) {
    if (train.z3 == 0 && train.z4 == 0) {
        return {train.z1, train.z2};
    }
    return {Int128{train.z1} * train.z3, Int128{train.z2} * train.z4};
}

Int128 magnitude(Int128 value) {
    return value < 0 ? -value : value;
}

} // namespace

Fraction trainFraction(const GearTrain& train) {
    if (train.z3 == 0 && train.z4 == 0) {
        return Fraction(train.z1, train.z2);
    }
    // Tooth counts are 16-bit, so both products fit easily.
    return Fraction(std::int64_t{train.z1} * train.z3, std::int64_t{train.z2} * train.z4);
}

bool isExactTrain(const GearTrain& train, const std::optional<Fraction>& required) {
    return required && trainFraction(train) == *required;
}

std::strong_ordering compareDistance(const GearTrain& a, const GearTrain& b,
                                     const Fraction& required) {
    // |ta/ba - p/q| = |ta·q - p·ba| / (ba·q); the common q drops out of the comparison, and
    // the other denominator is multiplied across. ta, ba below 2^30 and p, q below 2^63 keep
    // every product below 2^125.
    const auto [ta, ba] = trainTerms(a);
    const auto [tb, bb] = trainTerms(b);
    const Int128 p = required.num();
    const Int128 q = required.den();
    return magnitude(ta * q - p * ba) * bb <=> magnitude(tb * q - p * bb) * ba;
}

Fraction threePairFraction(const ThreePairTrain& train) {
    return Fraction(driverProduct(train), drivenProduct(train));
}

bool isExactThreePair(const ThreePairTrain& train, const std::optional<Fraction>& required) {
    return required && threePairFraction(train) == *required;
}

} // namespace gearsel
