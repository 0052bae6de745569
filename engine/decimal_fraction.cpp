// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/decimal_fraction.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace gearsel {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// An exponent beyond this leaves no fraction that fits in 64 bits whatever the digits are;
// capping it keeps the arithmetic small for any text.
constexpr long kExponentCap = 1000;

// base^count, or nothing when it does not fit in 64 bits.
std::optional<std::int64_t> power(std::int64_t base, long count) {
    std::int64_t result = 1;
    for (long i = 0; i < count; ++i) {
        if (__builtin_mul_overflow(result, base, &result)) {
            return std::nullopt;
        }
    }
    return result;
}

} // namespace

std::optional<Fraction> decimalFraction(std::string_view text) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // The digits without the full stop, and how many of them stand after it.
    std::string digits;
    long fractionDigits = 0;
    bool seenPoint = false;
    for (; pos < text.size() && (isDigit(text[pos]) || (text[pos] == '.' && !seenPoint)); ++pos) {
        if (text[pos] == '.') {
            seenPoint = true;
        } else {
            digits.push_back(text[pos]);
            fractionDigits += seenPoint ? 1 : 0;
        }
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    long exponent = 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        bool exponentNegative = false;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            exponentNegative = text[pos] == '-';
            ++pos;
        }
        if (pos == text.size()) {
            return std::nullopt;
        }
        for (; pos < text.size() && isDigit(text[pos]); ++pos) {
            exponent = std::min(kExponentCap, exponent * 10 + (text[pos] - '0'));
        }
        exponent = exponentNegative ? -exponent : exponent;
    }
    if (pos != text.size()) {
        return std::nullopt;
    }

    // value = significand x 10^exponent, with the zeros at both ends taken off the digits.
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return Fraction(0, 1);
    }
    const std::size_t last = digits.find_last_not_of('0');
    if (last - first + 1 > static_cast<std::size_t>(kMaxFractionDigits)) {
        return std::nullopt;
    }
    exponent += static_cast<long>(digits.size() - 1 - last) - fractionDigits;
    std::int64_t significand = std::stoll(digits.substr(first, last - first + 1));
    if (negative) {
        significand = -significand;
    }

    if (exponent >= 0) {
        const auto scale = power(10, exponent);
        std::int64_t num = 0;
        if (!scale || __builtin_mul_overflow(significand, *scale, &num)) {
            return std::nullopt;
        }
        return Fraction(num, 1);
    }
    // significand / 10^k: the twos and fives the significand holds cancel against 10^k first,
    // so 1.6e-19 (1/6250000000000000000) fits although 10^20 does not.
    long twos = -exponent;
    long fives = -exponent;
    while (twos > 0 && significand % 2 == 0) {
        significand /= 2;
        --twos;
    }
    while (fives > 0 && significand % 5 == 0) {
        significand /= 5;
        --fives;
    }
    const auto twoPower = power(2, twos);
    const auto fivePower = power(5, fives);
    std::int64_t den = 0;
    if (!twoPower || !fivePower || __builtin_mul_overflow(*twoPower, *fivePower, &den)) {
        return std::nullopt;
    }
    return Fraction(significand, den);
}

} // namespace gearsel
