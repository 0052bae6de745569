// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Removing blanks at both ends of a text.

#include <string_view>

namespace gearsel {

// `text` without the characters of `blanks` at its start and end.
constexpr std::string_view trimmed(std::string_view text, std::string_view blanks = " \t") {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace gearsel
