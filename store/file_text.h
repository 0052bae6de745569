// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text files that users give the program (a machine list to import, the constants file): what
// makes one unreadable as UTF-8 text, and lines to point at.

#include "store/store_problem.h"

#include <optional>
#include <string_view>

namespace gearsel {

// Why `text` is no UTF-8 text, or nothing: UTF-16 or UTF-32 text (as some Windows editors save
// it), NUL bytes, or a byte that is not UTF-8 (NotUtf8 with the line and "0xff").
std::optional<TextProblem> textProblem(std::string_view text);

// The line (from 1) that the byte at `offset` of `text` lies on.
int lineAt(std::string_view text, std::size_t offset);

} // namespace gearsel
