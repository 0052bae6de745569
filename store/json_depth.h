// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A guard for JSON read from files: the parser builds one level of its tree per bracket, so a
// document of a million brackets is refused before it is parsed.

#include <string_view>

namespace gearsel {

// Whether the brackets of `text` nest deeper than `limit`, counting only those outside strings.
bool jsonNestsDeeperThan(std::string_view text, int limit);

} // namespace gearsel
