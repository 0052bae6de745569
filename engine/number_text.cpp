// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/number_text.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

namespace gearsel {

namespace {

bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Exponents beyond this size already over- or underflow every double; capping them keeps the
// text handed to the converter short whatever the user typed.
constexpr long kExponentCap = 100000;

} // namespace

double readNumber(std::string_view text) {
    // First gather the characters that are not skipped, so that "1 2.5" reads as 12.5.
    std::string chars;
    chars.reserve(text.size());
    for (char c : text) {
        if (!isSkipped(c)) {
            chars.push_back(c);
        }
    }

    std::size_t pos = 0;
    bool negative = false;
    if (pos < chars.size() && (chars[pos] == '+' || chars[pos] == '-')) {
        negative = chars[pos] == '-';
        ++pos;
    }

    std::string intPart;
    std::string fracPart;
    bool seenPoint = false;
    for (; pos < chars.size(); ++pos) {
        char c = chars[pos];
        if (isDigit(c)) {
            (seenPoint ? fracPart : intPart).push_back(c);
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (intPart.empty() && fracPart.empty()) {
        return 0.0;
    }

    // Decimal power of the first non-zero digit, used to tell overflow from underflow
    // before the converter sees an extreme exponent.
    long leadingPower = 0;
    if (std::size_t f = intPart.find_first_not_of('0'); f != std::string::npos) {
        leadingPower = static_cast<long>(intPart.size() - 1 - f);
    } else if (std::size_t g = fracPart.find_first_not_of('0'); g != std::string::npos) {
        leadingPower = -static_cast<long>(g + 1);
    } else {
        return 0.0;
    }

    long exponent = 0;
    if (pos < chars.size() && (chars[pos] == 'e' || chars[pos] == 'E')) {
        std::size_t epos = pos + 1;
        bool expNegative = false;
        if (epos < chars.size() && (chars[epos] == '+' || chars[epos] == '-')) {
            expNegative = chars[epos] == '-';
            ++epos;
        }
        if (epos < chars.size() && isDigit(chars[epos])) {
            for (; epos < chars.size() && isDigit(chars[epos]); ++epos) {
                exponent = std::min(kExponentCap, exponent * 10 + (chars[epos] - '0'));
            }
            if (expNegative) {
                exponent = -exponent;
            }
        }
    }

    long power = leadingPower + exponent;
    if (power > DBL_MAX_10_EXP + 1) {
        return negative ? -DBL_MAX : DBL_MAX;
    }
    if (power < DBL_MIN_10_EXP - DBL_DIG - 10) {
        return 0.0;
    }

    std::string number =
        (intPart.empty() ? "0" : intPart) + "." + fracPart + "0e" + std::to_string(exponent);
    double value = 0.0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                     std::chars_format::general);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        value = power > 0 ? DBL_MAX : 0.0;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

double roundHalfEven(double value) {
    if (std::isnan(value)) {
        return 0.0;
    }
    // nearbyint rounds in the current mode, which is round-to-nearest-even unless someone
    // changed it; halves are resolved explicitly so that the result never depends on that.
    double floorValue = std::floor(value);
    double fraction = value - floorValue;
    if (fraction > 0.5) {
        return floorValue + 1.0;
    }
    if (fraction < 0.5) {
        return floorValue;
    }
    return std::fmod(floorValue, 2.0) == 0.0 ? floorValue : floorValue + 1.0;
}

std::int64_t roundToInteger(double value) {
    double rounded = roundHalfEven(value);
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double kLimit = 9223372036854775808.0;
    if (rounded >= kLimit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (rounded < -kLimit) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(rounded);
}

int readWholeNumber(std::string_view text, int low, int high) {
    return static_cast<int>(std::clamp<std::int64_t>(roundToInteger(readNumber(text)), low, high));
}

std::string formatFixed(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 30);
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    }

    // 15 significant digits: "d.dddddddddddddde+XX", as printf's "%.14e" writes them (the
    // same correctly rounded digits, found many times faster).
    char buffer[40];
    const char* const end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                          std::chars_format::scientific, 14)
                                .ptr;
    std::string digits;
    const char* p = buffer;
    for (; *p != 'e'; ++p) {
        if (isDigit(*p)) {
            digits.push_back(*p);
        }
    }
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);

    // The value is digits x 10^(exponent - 14); scale it by 10^decimals and round to an
    // integer, kept as a decimal string because it may exceed every integer type.
    int shift = exponent - 14 + decimals;
    std::string scaled;
    if (shift >= 0) {
        scaled = digits + std::string(static_cast<std::size_t>(shift), '0');
    } else {
        int keep = static_cast<int>(digits.size()) + shift;
        bool roundUp = false;
        if (keep >= 0) {
            scaled = digits.substr(0, static_cast<std::size_t>(keep));
            roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
        }
        if (scaled.empty()) {
            scaled = "0";
        }
        if (roundUp) {
            int i = static_cast<int>(scaled.size()) - 1;
            while (i >= 0 && scaled[static_cast<std::size_t>(i)] == '9') {
                scaled[static_cast<std::size_t>(i)] = '0';
                --i;
            }
            if (i < 0) {
                scaled.insert(scaled.begin(), '1');
            } else {
                ++scaled[static_cast<std::size_t>(i)];
            }
        }
    }
    std::size_t first = scaled.find_first_not_of('0');
    bool isZero = first == std::string::npos;
    scaled = isZero ? std::string("0") : scaled.substr(first);

    auto width = static_cast<std::size_t>(decimals) + 1;
    if (scaled.size() < width) {
        scaled.insert(0, width - scaled.size(), '0');
    }
    std::string text;
    if (value < 0 && !isZero) {
        text.push_back('-');
    }
    text += scaled.substr(0, scaled.size() - static_cast<std::size_t>(decimals));
    if (decimals > 0) {
        text.push_back('.');
        text += scaled.substr(scaled.size() - static_cast<std::size_t>(decimals));
    }
    return text;
}

std::string lastChars(std::string_view text, std::size_t count) {
    if (text.size() <= count) {
        return std::string(text);
    }
    return std::string(text.substr(text.size() - count));
}

} // namespace gearsel
