// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/quantity.h"

namespace gearsel {

namespace {

// The exact result when there is one, else the same step in doubles.
Quantity combine(const std::optional<Fraction>& exact, double approximate) {
    return exact ? Quantity(*exact) : Quantity(approximate);
}

} // namespace

Quantity::Quantity(const Fraction& exact) : value_(exact.toDouble()), fraction_(exact) {}

Quantity::Quantity(double approximate) : value_(approximate) {}

Quantity Quantity::times(const Quantity& other) const {
    return combine(fraction_ && other.fraction_ ? fraction_->times(*other.fraction_) : std::nullopt,
                   value_ * other.value_);
}

Quantity Quantity::dividedBy(const Quantity& other) const {
    return combine(fraction_ && other.fraction_ ? fraction_->dividedBy(*other.fraction_)
                                                : std::nullopt,
                   value_ / other.value_);
}

Quantity Quantity::minus(const Quantity& other) const {
    return combine(fraction_ && other.fraction_ ? fraction_->minus(*other.fraction_) : std::nullopt,
                   value_ - other.value_);
}

Quantity Quantity::magnitude() const {
    if (!(value_ < 0.0) && (!fraction_ || fraction_->num() >= 0)) {
        return *this;
    }
    // -(-2^63) does not fit: such a number goes on as a double, like any other overflow.
    return combine(fraction_ ? fraction_->times(Fraction(-1, 1)) : std::nullopt, -value_);
}

} // namespace gearsel
