#include "engine/train_fraction.h"

namespace gearsel {

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

Fraction threePairFraction(const ThreePairTrain& train) {
    return Fraction(driverProduct(train), drivenProduct(train));
}

bool isExactThreePair(const ThreePairTrain& train, const std::optional<Fraction>& required) {
    return required && threePairFraction(train) == *required;
}

} // namespace gearsel
