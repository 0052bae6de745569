// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A number of the ratio formulas: its double value and, while it is known to be a rational
// number that fits, its exact fraction.

#include "engine/fraction.h"

#include <cstdint>
#include <optional>

namespace gearsel {

class Quantity {
public:
    // An exact number; its value is the double nearest to it. Implicit: every fraction is an
    // exact quantity.
    Quantity(const Fraction& exact);
    // A number known only as a double (π in it, a sine, a decimal too long for a fraction).
    explicit Quantity(double approximate);
    static Quantity whole(std::int64_t number) { return Quantity(Fraction(number, 1)); }

    double value() const { return value_; }
    const std::optional<Fraction>& fraction() const { return fraction_; }

    // The arithmetic stays exact while both sides are and the result fits; otherwise it goes
    // on in doubles. The divisor must not be 0.
    Quantity times(const Quantity& other) const;
    Quantity dividedBy(const Quantity& other) const;
    Quantity minus(const Quantity& other) const;
    // |x|: a gear train gives the size of a ratio, and its sign only says which way the driven
    // shaft turns. Stays exact whenever the fraction's negation fits.
    Quantity magnitude() const;

private:
    double value_ = 0.0;
    std::optional<Fraction> fraction_;
};

} // namespace gearsel
