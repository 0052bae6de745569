// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/fraction.h"

#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

namespace gearsel {

namespace {

// Products and differences of two 64-bit numbers always fit in 128 bits; reducing them there
// and checking the result afterwards is simpler than guarding every step against overflow.
__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

UInt128 magnitude(Int128 value) {
    return value < 0 ? UInt128(0) - static_cast<UInt128>(value) : static_cast<UInt128>(value);
}

UInt128 greatestCommonDivisor(UInt128 a, UInt128 b) {
    while (b != 0) {
        const UInt128 rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

int bitLength(UInt128 value) {
    const auto high = static_cast<std::uint64_t>(value >> 64);
    return high != 0 ? 64 + std::bit_width(high)
                     : std::bit_width(static_cast<std::uint64_t>(value));
}

// num/den (den not 0) in lowest terms with a positive denominator, when that fits in 64 bits.
// Both inputs lie within ±2^126, so negating them cannot overflow.
std::optional<std::pair<std::int64_t, std::int64_t>> lowestTerms(Int128 num, Int128 den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const auto divisor = static_cast<Int128>(greatestCommonDivisor(magnitude(num), magnitude(den)));
    num /= divisor;
    den /= divisor;
    constexpr Int128 kMin = std::numeric_limits<std::int64_t>::min();
    constexpr Int128 kMax = std::numeric_limits<std::int64_t>::max();
    if (num < kMin || num > kMax || den > kMax) {
        return std::nullopt;
    }
    return std::pair{static_cast<std::int64_t>(num), static_cast<std::int64_t>(den)};
}

} // namespace

Fraction::Fraction(std::int64_t num, std::int64_t den) {
    const auto made = make(num, den);
    if (!made) {
        throw std::invalid_argument(den == 0 ? "a fraction cannot have the denominator 0"
                                             : "the fraction does not fit in 64 bits");
    }
    *this = *made;
}

std::optional<Fraction> Fraction::make(std::int64_t num, std::int64_t den) {
    if (den == 0) {
        return std::nullopt;
    }
    const auto terms = lowestTerms(num, den);
    if (!terms) {
        return std::nullopt;
    }
    Fraction f;
    f.num_ = terms->first;
    f.den_ = terms->second;
    return f;
}

double Fraction::toDouble() const {
    if (num_ == 0) {
        return 0.0;
    }
    // Long division to 54 to 56 significant bits, then rounding to the double's 53 bits with
    // the remainder as the sticky bit: a single rounding, so the result is the nearest double.
    // Shifting by 55 + (den bits - num bits) puts the quotient in [2^54, 2^56); the shifted
    // numerator has at most 119 bits and the shifted denominator at most 72.
    const UInt128 a = magnitude(num_);
    const UInt128 b = static_cast<UInt128>(den_);
    const int shift = 55 + bitLength(b) - bitLength(a);
    const UInt128 dividend = shift >= 0 ? a << shift : a;
    const UInt128 divisor = shift >= 0 ? b : b << -shift;
    const UInt128 quotient = dividend / divisor;
    const bool sticky = dividend % divisor != 0;

    const int dropped = bitLength(quotient) - 53;
    auto mantissa = static_cast<std::uint64_t>(quotient >> dropped);
    const auto rest = static_cast<std::uint64_t>(quotient & ((UInt128(1) << dropped) - 1));
    const std::uint64_t half = std::uint64_t(1) << (dropped - 1);
    if (rest > half || (rest == half && (sticky || (mantissa & 1) != 0))) {
        ++mantissa; // 2^53 at most, still exact in a double
    }
    const double value = std::ldexp(static_cast<double>(mantissa), dropped - shift);
    return num_ < 0 ? -value : value;
}

std::string Fraction::text() const {
    return std::to_string(num_) + "/" + std::to_string(den_);
}

std::optional<Fraction> Fraction::times(const Fraction& other) const {
    const auto terms = lowestTerms(Int128(num_) * other.num_, Int128(den_) * other.den_);
    return terms ? make(terms->first, terms->second) : std::nullopt;
}

std::optional<Fraction> Fraction::dividedBy(const Fraction& other) const {
    if (other.num_ == 0) {
        return std::nullopt;
    }
    const auto terms = lowestTerms(Int128(num_) * other.den_, Int128(den_) * other.num_);
    return terms ? make(terms->first, terms->second) : std::nullopt;
}

std::optional<Fraction> Fraction::minus(const Fraction& other) const {
    const auto terms = lowestTerms(Int128(num_) * other.den_ - Int128(other.num_) * den_,
                                   Int128(den_) * other.den_);
    return terms ? make(terms->first, terms->second) : std::nullopt;
}

} // namespace gearsel
