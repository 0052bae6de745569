// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ratio_target.h"

#include <cmath>

namespace gearsel {

RatioTarget::RatioTarget(double ratio, const std::optional<Fraction>& fraction) : ratio_(ratio) {
    if (fraction) {
        num_ = fraction->num();
        den_ = fraction->den();
        return;
    }
    // Every train's ratio lies between 10^3 / 255^3 (above 2^-15) and 255^3 / 10^3 (below
    // 2^15). Between those bounds the double is used exactly: a 53-bit whole number over a
    // power of two of at most 2^67, so |P·den - Q·num| stays below 2^91 and its products with
    // Q below 2^115.
    constexpr double kLowest = 0x1p-15;
    constexpr double kHighest = 0x1p15;
    double exact = ratio;
    if (!(ratio >= kLowest)) {
        exact = kLowest;
        standIn_ = true;
    } else if (ratio > kHighest) {
        exact = kHighest;
        standIn_ = true;
    }
    int exponent = 0;
    const double mantissa = std::frexp(exact, &exponent); // in [0.5, 1): exponent -14 to 16
    num_ = static_cast<Int128>(std::ldexp(mantissa, 53));
    den_ = Int128(1) << (53 - exponent);
}

int RatioTarget::side(std::uint32_t p, std::uint32_t q) const {
    const Int128 at = offset(p, q);
    return at < 0 ? -1 : at > 0 ? 1 : 0;
}

RatioTarget::Distance RatioTarget::distance(std::uint32_t p, std::uint32_t q) const {
    const Int128 at = offset(p, q);
    return at < 0 ? Distance(0) - static_cast<Distance>(at) : static_cast<Distance>(at);
}

int RatioTarget::compareErrors(std::uint32_t p1, std::uint32_t q1, std::uint32_t p2,
                               std::uint32_t q2) const {
    // |P1/Q1 - r| = distance(P1, Q1) / (Q1·den): den is common to both sides.
    const Distance first = distance(p1, q1) * q2;
    const Distance second = distance(p2, q2) * q1;
    return first < second ? -1 : first > second ? 1 : 0;
}

double RatioTarget::absError(std::uint32_t p, std::uint32_t q) const {
    if (standIn_) {
        return std::fabs(static_cast<double>(p) / static_cast<double>(q) - ratio_);
    }
    // Three roundings to 64 bits and one to 53: within a unit in the last place.
    const auto distanceValue = static_cast<long double>(distance(p, q));
    const auto scale =
        static_cast<long double>(static_cast<Distance>(q) * static_cast<Distance>(den_));
    return static_cast<double>(distanceValue / scale);
}

} // namespace gearsel
