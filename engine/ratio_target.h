// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The required ratio as an exact number, against which trains of whole tooth counts are
// compared without rounding: a train's ratio is P/Q, the product of its drivers' tooth counts
// over the product of its driven gears'.

#include "engine/fraction.h"

#include <cstdint>
#include <optional>

namespace gearsel {

class RatioTarget {
public:
    // The required ratio: its fraction where it has one, else the double itself, taken as the
    // exact binary number it is.
    RatioTarget(double ratio, const std::optional<Fraction>& fraction);

    // Whether P/Q lies below (-1), on (0) or above (1) the required ratio. P and Q are
    // products of three tooth counts at most: 1 to 255^3.
    int side(std::uint32_t p, std::uint32_t q) const;
    // Whether |P1/Q1 - r| is smaller (-1), equal (0) or larger (1) than |P2/Q2 - r|.
    int compareErrors(std::uint32_t p1, std::uint32_t q1, std::uint32_t p2, std::uint32_t q2) const;
    // |P/Q - r| as a double, within a unit in its last place of the exact value.
    double absError(std::uint32_t p, std::uint32_t q) const;

    // The scaled distance that compareErrors() weighs: |P·den - Q·num| for r = num/den; two
    // errors compare as distance(P1, Q1)·Q2 and distance(P2, Q2)·Q1.
    __extension__ typedef unsigned __int128 Distance;
    Distance distance(std::uint32_t p, std::uint32_t q) const;

private:
    __extension__ typedef __int128 Int128;

    Int128 offset(std::uint32_t p, std::uint32_t q) const { return p * den_ - q * num_; }

    double ratio_;
    // r = num/den, den > 0. For a double beyond every train's ratio, a stand-in that lies on
    // the same side of every train and so orders their errors the same way.
    Int128 num_ = 0;
    Int128 den_ = 1;
    bool standIn_ = false;
};

} // namespace gearsel
