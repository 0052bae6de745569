#include "tools/cli/strict_number.h"

#include "engine/quantity_text.h"

#include <charconv>

namespace gearsel::cli {

double parseDouble(std::string_view text, std::string_view what) {
    const auto value = readDecimal(text);
    if (!value) {
        throw UsageError{std::string(what) + " '" + std::string(text) + "' is not a number"};
    }
    return *value;
}

int parseInt(std::string_view text, std::string_view what, int min, int max) {
    std::string_view t = trimmed(text);
    if (!t.empty() && t.front() == '+') {
        t.remove_prefix(1);
    }
    long long value = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec == std::errc::invalid_argument || end != t.data() + t.size()) {
        throw UsageError{std::string(what) + " '" + std::string(text) + "' is not a whole number"};
    }
    if (ec == std::errc::result_out_of_range || value < min || value > max) {
        throw UsageError{std::string(what) + " " + std::string(text) + " is outside " +
                         std::to_string(min) + " to " + std::to_string(max)};
    }
    return static_cast<int>(value);
}

} // namespace gearsel::cli
