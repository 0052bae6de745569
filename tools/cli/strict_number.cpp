// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/cli/strict_number.h"

#include "engine/quantity_text.h"

#include <charconv>
#include <limits>
#include <optional>

namespace gearsel::cli {

double parseDouble(std::string_view text, std::string_view what) {
    const auto value = readDecimal(text);
    if (!value) {
        throw UsageError{std::string(what) + " '" + std::string(text) + "' is not a number"};
    }
    return *value;
}

namespace {

// The whole text as a whole number; nothing when it is one beyond 64 bits. Throws UsageError
// when it is no whole number at all.
std::optional<long long> wholeNumber(std::string_view text, std::string_view what) {
    std::string_view t = trimmed(text);
    if (!t.empty() && t.front() == '+') {
        t.remove_prefix(1);
    }
    long long value = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec == std::errc::invalid_argument || end != t.data() + t.size()) {
        throw UsageError{std::string(what) + " '" + std::string(text) + "' is not a whole number"};
    }
    if (ec == std::errc::result_out_of_range) {
        return std::nullopt;
    }
    return value;
}

} // namespace

int parseInt(std::string_view text, std::string_view what, int min, int max) {
    const std::optional<long long> value = wholeNumber(text, what);
    if (!value || *value < min || *value > max) {
        throw UsageError{std::string(what) + " " + std::string(text) + " is outside " +
                         std::to_string(min) + " to " + std::to_string(max)};
    }
    return static_cast<int>(*value);
}

int parseCount(std::string_view text, std::string_view what) {
    const std::optional<long long> value = wholeNumber(text, what);
    const bool negative = trimmed(text).starts_with('-');
    if (!value || *value > std::numeric_limits<int>::max() ||
        *value < std::numeric_limits<int>::min()) {
        throw UsageError{std::string(what) + " " + std::string(trimmed(text)) +
                         (negative ? " is below 1" : " is too large")};
    }
    return static_cast<int>(*value);
}

} // namespace gearsel::cli
