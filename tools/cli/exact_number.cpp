#include "tools/cli/exact_number.h"

#include "engine/decimal_fraction.h"
#include "tools/cli/strict_number.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace gearsel::cli {

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

} // namespace

Quantity parseExactNumber(std::string_view text, std::string_view what) {
    const std::string_view t = trimmed(text);
    const auto slash = t.find('/');
    if (slash == std::string_view::npos) {
        const double value = parseDouble(text, what);
        const auto fraction = decimalFraction(t);
        return fraction ? Quantity(*fraction) : Quantity(value);
    }
    const std::string named = std::string(what) + " '" + std::string(text) + "'";
    std::int64_t num = 0;
    std::int64_t den = 0;
    const std::errc numRead = readWhole(t.substr(0, slash), num);
    const std::errc denRead = readWhole(t.substr(slash + 1), den);
    if (numRead == std::errc::invalid_argument || denRead == std::errc::invalid_argument) {
        throw UsageError{named + " is not a fraction p/q of whole numbers"};
    }
    if (numRead != std::errc() || denRead != std::errc()) {
        throw UsageError{named + ": p and q must lie within 64 bits"};
    }
    if (den <= 0) {
        throw UsageError{named + ": q must be above 0"};
    }
    return Quantity(Fraction(num, den));
}

} // namespace gearsel::cli
