// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/quantity_text.h"

#include "base/trim.h"

#include "engine/decimal_fraction.h"
#include "engine/value_problem.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace gearsel {

namespace {

// One side of "p/q": a whole number with an optional sign, nothing else.
std::errc readWhole(std::string_view text, std::int64_t& value) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || (ec == std::errc() && end != text.data() + text.size())) {
        return std::errc::invalid_argument;
    }
    return ec;
}

// The fraction as a decimal of at most kMaxFractionDigits significant digits ("4.5", "0.05",
// "25.4"), which decimalFraction() reads back as the same fraction; nothing when it has none.
std::optional<std::string> shortDecimal(const Fraction& f) {
    std::int64_t rest = f.den();
    int twos = 0;
    int fives = 0;
    for (; rest % 2 == 0; rest /= 2) {
        ++twos;
    }
    for (; rest % 5 == 0; rest /= 5) {
        ++fives;
    }
    const int places = std::max(twos, fives);
    if (rest != 1 || places > 18) {
        return std::nullopt;
    }
    __extension__ typedef __int128 Int128;
    Int128 scale = 1;
    for (int i = 0; i < places; ++i) {
        scale *= 10;
    }
    const Int128 scaled = static_cast<Int128>(f.num()) * (scale / f.den());
    const Int128 size = scaled < 0 ? -scaled : scaled;
    if (size > static_cast<Int128>(std::numeric_limits<std::uint64_t>::max())) {
        return std::nullopt;
    }
    std::string digits = std::to_string(static_cast<std::uint64_t>(size));
    if (digits.size() <= static_cast<std::size_t>(places)) {
        digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
    }
    const std::size_t first = digits.find_first_not_of('0');
    const std::size_t last = digits.find_last_not_of('0');
    if (first != std::string::npos &&
        last - first + 1 > static_cast<std::size_t>(kMaxFractionDigits)) {
        return std::nullopt;
    }
    if (places > 0) {
        const std::size_t point = digits.size() - static_cast<std::size_t>(places);
        digits = digits.substr(0, point) + "." + digits.substr(point);
    }
    return (scaled < 0 ? "-" : "") + digits;
}

ValueRefused refused(ValueProblem::Kind kind, std::string_view text) {
    return ValueRefused({kind, std::string(text)});
}

// Why a text that readDecimal() refuses is no number, in the user's terms: a decimal written
// well but beyond what a double holds is a different mistake from a typo.
ValueRefused noNumber(std::string_view text) {
    using Kind = ValueProblem::Kind;
    std::string t(trimmed(text));
    if (!t.empty() && t.front() == '+') {
        t.erase(0, 1);
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (!t.empty() && end == t.data() + t.size()) {
        if (ec == std::errc::result_out_of_range) {
            // strtod tells the two ends apart: it gives HUGE_VAL above the range, 0 below.
            return refused(std::fabs(std::strtod(t.c_str(), nullptr)) > 1.0 ? Kind::BeyondRange
                                                                            : Kind::BelowRange,
                           text);
        }
        return refused(Kind::NotFinite, text);
    }
    std::replace(t.begin(), t.end(), ',', '.');
    if (readDecimal(t)) {
        ValueProblem problem{Kind::DecimalComma, std::string(text)};
        problem.suggestion = t;
        return ValueRefused(std::move(problem));
    }
    return refused(Kind::NotNumber, text);
}

} // namespace

std::optional<double> readDecimal(std::string_view text) {
    std::string_view t = trimmed(text);
    // from_chars takes no leading plus sign; a plus in front is harmless, so accept it.
    if (!t.empty() && t.front() == '+') {
        t.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

Quantity readQuantity(std::string_view text) {
    const std::string_view t = trimmed(text);
    const auto slash = t.find('/');
    if (slash == std::string_view::npos) {
        const auto value = readDecimal(t);
        if (!value) {
            throw noNumber(text);
        }
        const auto fraction = decimalFraction(t);
        return fraction ? Quantity(*fraction) : Quantity(*value);
    }
    std::int64_t num = 0;
    std::int64_t den = 0;
    const std::errc numRead = readWhole(t.substr(0, slash), num);
    const std::errc denRead = readWhole(t.substr(slash + 1), den);
    if (numRead == std::errc::invalid_argument || denRead == std::errc::invalid_argument) {
        throw refused(ValueProblem::Kind::NotFraction, text);
    }
    if (numRead != std::errc() || denRead != std::errc()) {
        throw refused(ValueProblem::Kind::FractionTooLarge, text);
    }
    if (den <= 0) {
        throw refused(ValueProblem::Kind::DenominatorNotPositive, text);
    }
    return Quantity(Fraction(num, den));
}

std::string quantityText(const Quantity& quantity) {
    if (const auto& f = quantity.fraction()) {
        return shortDecimal(*f).value_or(f->text());
    }
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", quantity.value());
    return text;
}

} // namespace gearsel
